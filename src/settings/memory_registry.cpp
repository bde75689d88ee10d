#include "settings/memory_registry.h"

#include <cstring>
#include <iterator>

#include "text/cp932.h"

namespace registry {

namespace {

std::string ValueKey(const char* name) { return name == nullptr ? std::string() : name; }

}  // namespace

bool MemoryRegistry::NameOrder::operator()(const std::string& a, const std::string& b) const {
  return cp932::FoldAscii(a) < cp932::FoldAscii(b);
}

MemoryRegistry::MemoryRegistry() { Reset(); }

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::Reset() {
  root_ = std::make_unique<Node>();
  orphans_.clear();
  handles_.clear();
  // Like every user profile, the hive starts with its Software key.
  auto software = std::make_unique<Node>();
  software->name = "Software";
  software->parent = root_.get();
  root_->children.emplace(software->name, std::move(software));
}

std::size_t MemoryRegistry::OpenHandleCount() const { return handles_.size(); }

long MemoryRegistry::Resolve(Handle key, Node** node) const {
  if (key == kCurrentUser) {
    *node = root_.get();
    return kOk;
  }
  const auto found = handles_.find(key);
  if (found == handles_.end()) {
    return kInvalidHandle;
  }
  if (found->second->deleted) {
    return kKeyDeleted;
  }
  *node = found->second;
  return kOk;
}

long MemoryRegistry::Walk(Handle parent, const char* name, bool create, Node** node) {
  Node* current = nullptr;
  if (const long rc = Resolve(parent, &current); rc != kOk) {
    return rc;
  }
  const std::string path = name == nullptr ? std::string() : name;
  if (!path.empty()) {
    for (const std::string& part : cp932::Split(path, '\\')) {
      if (part.empty()) {
        return kFileNotFound;
      }
      auto child = current->children.find(part);
      if (child == current->children.end()) {
        if (!create) {
          return kFileNotFound;
        }
        auto fresh = std::make_unique<Node>();
        fresh->name = part;
        fresh->parent = current;
        child = current->children.emplace(part, std::move(fresh)).first;
      }
      current = child->second.get();
    }
  }
  *node = current;
  return kOk;
}

Handle MemoryRegistry::NewHandle(Node* node) {
  const Handle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = node;
  return handle;
}

long MemoryRegistry::OpenKey(Handle parent, const char* name, Handle* key) {
  Node* node = nullptr;
  const long rc = Walk(parent, name, false, &node);
  if (rc == kOk) {
    *key = NewHandle(node);
  }
  return rc;
}

long MemoryRegistry::CreateKey(Handle parent, const char* name, Handle* key) {
  Node* node = nullptr;
  const long rc = Walk(parent, name, true, &node);
  if (rc == kOk) {
    *key = NewHandle(node);
  }
  return rc;
}

long MemoryRegistry::CloseKey(Handle key) {
  if (key == kCurrentUser) {
    return kOk;
  }
  return handles_.erase(key) == 1 ? kOk : kInvalidHandle;
}

long MemoryRegistry::SetValue(Handle key, const char* name, std::uint32_t type, const void* data,
                              std::uint32_t size) {
  Node* node = nullptr;
  if (const long rc = Resolve(key, &node); rc != kOk) {
    return rc;
  }
  Value& value = node->values[ValueKey(name)];
  value.type = type;
  const auto* bytes = static_cast<const unsigned char*>(data);
  value.bytes.assign(bytes, bytes + size);
  return kOk;
}

long MemoryRegistry::FlushKey(Handle key) {
  Node* node = nullptr;
  return Resolve(key, &node);
}

long MemoryRegistry::QueryValue(Handle key, const char* name, std::uint32_t* type, void* data,
                                std::uint32_t* size) {
  Node* node = nullptr;
  if (const long rc = Resolve(key, &node); rc != kOk) {
    return rc;
  }
  const auto found = node->values.find(ValueKey(name));
  if (found == node->values.end()) {
    return kFileNotFound;
  }
  const Value& value = found->second;
  const auto stored = static_cast<std::uint32_t>(value.bytes.size());
  if (type != nullptr) {
    *type = value.type;
  }
  if (data != nullptr) {
    if (size == nullptr) {
      return kInvalidHandle;
    }
    if (*size < stored) {
      *size = stored;
      return kMoreData;
    }
    if (stored > 0) {
      std::memcpy(data, value.bytes.data(), stored);
    }
  }
  if (size != nullptr) {
    *size = stored;
  }
  return kOk;
}

long MemoryRegistry::EnumKey(Handle key, std::uint32_t index, char* name,
                             std::uint32_t* nameSize) {
  Node* node = nullptr;
  if (const long rc = Resolve(key, &node); rc != kOk) {
    return rc;
  }
  if (index >= node->children.size()) {
    return kNoMoreItems;
  }
  auto child = node->children.begin();
  std::advance(child, index);
  const std::string& childName = child->second->name;
  if (childName.size() + 1 > *nameSize) {
    return kMoreData;
  }
  std::memcpy(name, childName.c_str(), childName.size() + 1);
  *nameSize = static_cast<std::uint32_t>(childName.size());
  return kOk;
}

long MemoryRegistry::QuerySubkeyCount(Handle key, std::uint32_t* count) {
  Node* node = nullptr;
  if (const long rc = Resolve(key, &node); rc != kOk) {
    return rc;
  }
  *count = static_cast<std::uint32_t>(node->children.size());
  return kOk;
}

long MemoryRegistry::DeleteKey(Handle parent, const char* name) {
  Node* node = nullptr;
  if (name == nullptr || *name == '\0') {
    return kAccessDenied;
  }
  if (const long rc = Walk(parent, name, false, &node); rc != kOk) {
    return rc;
  }
  if (!node->children.empty()) {
    return kAccessDenied;
  }
  node->deleted = true;
  // Handles to the key stay valid as handles but fail with kKeyDeleted; they
  // keep pointing at a node that lives on in the list of orphans below.
  Node* owner = node->parent;
  auto entry = owner->children.find(node->name);
  orphans_.push_back(std::move(entry->second));
  owner->children.erase(entry);
  return kOk;
}

}  // namespace registry
