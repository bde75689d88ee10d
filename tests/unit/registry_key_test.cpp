// The key layer, natively against the in-memory store and under Wine against
// the registry, so the two stores cannot drift apart.
#include "settings/registry_key.h"

#include <gtest/gtest.h>

#include "settings/memory_registry.h"
#include "support/settings_sandbox.h"

namespace {

// A store in place for its life that counts flushes and, as the registry does
// when access is denied, will not delete a key of one name.
struct FaultyRegistry : registry::MemoryRegistry {
  explicit FaultyRegistry(const char* locked) : undeletable(locked) { registry::SetActive(this); }
  ~FaultyRegistry() override { registry::SetActive(nullptr); }
  long FlushKey(registry::Handle key) override {
    ++flushes;
    return MemoryRegistry::FlushKey(key);
  }
  long DeleteKey(registry::Handle parent, const char* name) override {
    ++deleteAttempts;
    return name != nullptr && undeletable == name ? registry::kAccessDenied : MemoryRegistry::DeleteKey(parent, name);
  }
  std::string undeletable;
  int deleteAttempts = 0, flushes = 0;
};

std::vector<std::string> SubkeyNames(const CRegistryKey& key) {
  std::vector<std::string> names;
  std::string name;
  for (int i = 0; key.EnumSubkeyName(i, name); ++i) names.push_back(name);
  return names;
}

TEST(RegistryKey, ValuesReadBackByTheirTypeWithNamesIgnoringCase) {
  SettingsSandbox sandbox;
  CSoftwareKey key(kScratchCompany, kScratchProduct);
  ASSERT_TRUE(key.WriteDword("Negative", -1985229329) && key.WriteString("Path", "D:\\メール\\表示") &&
              key.WriteString(nullptr, "ポスト") && key.WriteString("Empty", "") &&
              key.WriteString("NumberAsText", "42"));
  // Another writer's DWORD of two bytes holds just those two.
  ASSERT_EQ(registry::Active().SetValue(key.Handle(), "Short", registry::kTypeDword, "\x34\x12", 2), 0);

  for (const auto& [name, number] : std::vector<std::pair<const char*, int>>{
           {"negative", -1985229329}, {"Short", 0x1234}, {"NumberAsText", 7}, {"Missing", 7}}) {
    EXPECT_EQ(key.ReadDword(name, 7), number) << name;  // a number only when stored as one
  }
  for (const auto& [name, text] : std::vector<std::pair<const char*, const char*>>{
           {"PATH", "D:\\メール\\表示"}, {nullptr, "ポスト"}, {"Empty", ""}, {"Missing", "x"},
           {"Negative", "\xEF\xCD\xAB\x89"}}) {  // any type, up to a NUL
    EXPECT_EQ(key.ReadString(name, "x"), text) << (name ? name : "(default)");
  }
  std::uint32_t type = 0, size = 0;  // text is stored with its NUL, as the registry's own
  ASSERT_EQ(registry::Active().QueryValue(key.Handle(), "Empty", &type, nullptr, &size), 0);
  EXPECT_EQ(size, 1u);
}

TEST(RegistryKey, WritesAreFlushedAKeyNotOpenDoesNothingAndAFailedDeleteLeavesNoHandleOpen) {
  FaultyRegistry faulty("Locked");
  const std::size_t handles = faulty.OpenHandleCount();
  {
    CSoftwareKey key(kScratchCompany, kScratchProduct);
    ASSERT_TRUE(key.WriteDword("Number", 1) && key.WriteString("Text", "表示"));
    CRegistryKey closed;
    EXPECT_FALSE(closed.Open(key, "NoSuchKey") || closed.WriteDword("X", 1) || closed.WriteString("X", "y"));
    EXPECT_EQ(faulty.flushes, 2);
    std::string text = "untouched";
    EXPECT_FALSE(closed.ReadStringInto("X", text) || key.ReadStringInto("Missing", text) ||
                 closed.EnumSubkeyName(0, text) || closed.DeleteTree("X"));
    // A key not open reads as empty text and 0, whatever the default.
    EXPECT_EQ(text + closed.ReadString("X", "dflt"), "untouched");
    EXPECT_EQ(closed.ReadDword("X", 60) + closed.CountSubkeys(), 0);

    CRegistryKey locked, free;
    ASSERT_TRUE(locked.Create(key, "List\\item0\\Locked") && free.Create(key, "List\\item1"));
    EXPECT_FALSE(key.DeleteTree("List"));
    EXPECT_LE(faulty.deleteAttempts, 2);  // no endless retry of the same name
    EXPECT_EQ(SubkeyNames(key), std::vector<std::string>{"List"});
  }
  EXPECT_EQ(faulty.OpenHandleCount(), handles);
}

TEST(RegistryKey, SubkeysEnumerateInTheRegistrysOrderAndGoWithEverythingBelowThem) {
  SettingsSandbox sandbox;
  CSoftwareKey scratch(kScratchCompany, kScratchProduct);
  const std::string longName(255, 'n');
  for (const std::string name : {"account2", "account10\\data0\\Account\\x", "aB", "a_", longName.c_str(), "表示"}) {
    ASSERT_TRUE(CRegistryKey().Create(scratch, name)) << name;
  }
  EXPECT_EQ(SubkeyNames(scratch), (std::vector<std::string>{"a_", "aB", "account10", "account2", longName, "表示"}));
  CRegistryKey item;
  EXPECT_FALSE(scratch.OpenSubkeyByIndex(6, item));
  EXPECT_TRUE(scratch.OpenSubkeyByIndex(5, item));
  const registry::Handle held = item.Handle();
  EXPECT_FALSE(scratch.OpenSubkeyByIndex(0, item) || item.Open(scratch, "a_") || item.Create(scratch, "new"));
  EXPECT_EQ(item.Handle(), held);
  EXPECT_TRUE(scratch.DeleteTree("account10"));
  EXPECT_FALSE(scratch.DeleteTree("account10") || scratch.DeleteTree(""));  // never the key itself
  EXPECT_EQ(SubkeyNames(scratch), (std::vector<std::string>{"a_", "aB", "account2", longName, "表示"}));
}

}  // namespace
