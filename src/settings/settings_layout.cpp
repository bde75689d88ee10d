#include "settings/settings_layout.h"

#include <cstdio>

namespace layout {

std::int32_t LowByte(std::int32_t stored) {
  return static_cast<std::int8_t>(static_cast<std::uint32_t>(stored) & 0xFFu);
}

std::string ItemName(const char* format, int index) {
  char name[32];
  std::snprintf(name, sizeof name, format, index);
  return name;
}

bool ReplaceList(CRegistryKey& parent, const std::string& name, CRegistryKey& fresh) {
  parent.DeleteTree(name);
  return fresh.Create(parent, name);
}

void WriteTextItems(CRegistryKey& list, const char* format, const std::vector<std::string>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    CRegistryKey item;
    if (item.Create(list, ItemName(format, static_cast<int>(i)))) {
      item.WriteString(nullptr, items[i]);
    }
  }
}

std::vector<std::string> ReadTextItems(const CRegistryKey& list) {
  std::vector<std::string> items;
  ForEachItem(list, [&items](const CRegistryKey& item) { items.push_back(item.ReadString(nullptr, "")); });
  return items;
}

bool ReplaceTextList(CRegistryKey& parent, const std::string& name, const char* format,
                     const std::vector<std::string>& items) {
  CRegistryKey list;
  if (!ReplaceList(parent, name, list)) {
    return false;
  }
  WriteTextItems(list, format, items);
  return true;
}

bool ReadTextList(const CRegistryKey& parent, const std::string& name,
                  std::vector<std::string>& items) {
  CRegistryKey list;
  if (!list.Open(parent, name)) {
    return false;
  }
  items = ReadTextItems(list);
  return true;
}

}  // namespace layout
