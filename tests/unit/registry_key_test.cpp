// The key layer, natively against the in-memory store and under Wine against
// the registry, so the two stores cannot drift apart.
#include "settings/registry_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_registry.h"
#include "support/faulty_registry.h"
#include "support/settings_sandbox.h"

namespace {

class ScratchKey : public CSoftwareKey {
 public:
  ScratchKey() : CSoftwareKey(kScratchCompany, kScratchProduct) {}
};

std::vector<std::string> SubkeyNames(const CRegistryKey& key) {
  std::vector<std::string> names;
  std::string name;
  for (int i = 0; key.EnumSubkeyName(i, name); ++i) {
    names.push_back(name);
  }
  return names;
}

class RegistryKeyTest : public ::testing::Test {
 protected:
  SettingsSandbox sandbox_;
};

TEST_F(RegistryKeyTest, ValuesReadBackByTheirTypeWithNamesIgnoringCase) {
  ScratchKey key;
  ASSERT_TRUE(key.WriteDword("Negative", -56));
  ASSERT_TRUE(key.WriteString("Path", "D:\\メール\\表示"));
  ASSERT_TRUE(key.WriteString(nullptr, "ポスト"));
  ASSERT_TRUE(key.WriteString("Empty", ""));
  ASSERT_TRUE(key.WriteString("NumberAsText", "42"));
  // Another writer's DWORD of two bytes holds just those two.
  const unsigned char shortBytes[2] = {0x34, 0x12};
  ASSERT_EQ(registry::Active().SetValue(key.Handle(), "Short", registry::kTypeDword, shortBytes, 2),
            registry::kOk);

  EXPECT_EQ(key.ReadDword("negative", 0), -56);
  EXPECT_EQ(key.ReadDword("Short", 0), 0x1234);
  EXPECT_EQ(key.ReadDword("NumberAsText", 7), 7);
  EXPECT_EQ(key.ReadDword("Missing", 7), 7);
  EXPECT_EQ(key.ReadString("PATH", "x"), "D:\\メール\\表示");
  EXPECT_EQ(key.ReadString(nullptr, "x"), "ポスト");
  EXPECT_EQ(key.ReadString("Empty", "x"), "");  // stored, so not the fallback
  EXPECT_EQ(key.ReadString("Missing", "x"), "x");
  EXPECT_EQ(key.ReadString("Negative", "x"), "\xC8\xFF\xFF\xFF");  // any type, up to a NUL
  std::string text = "untouched";
  EXPECT_FALSE(key.ReadStringInto("Missing", text));
  EXPECT_EQ(text, "untouched");
}

TEST_F(RegistryKeyTest, EveryWriteIsFlushedAndAClosedKeyNeitherWritesNorReads) {
  FaultyRegistry probe(registry::Active(), "");
  ScopedRegistry use(probe);
  ScratchKey key;
  ASSERT_TRUE(key.WriteDword("Number", 1));
  ASSERT_TRUE(key.WriteString("Text", "表示"));
  EXPECT_EQ(probe.Flushes(), 2);

  CRegistryKey closed;
  EXPECT_FALSE(closed.Open(registry::kCurrentUser, "Software\\Vantor\\NoSuchProduct"));
  EXPECT_FALSE(closed.WriteDword("X", 1));
  EXPECT_FALSE(closed.WriteString("X", "y"));
  EXPECT_EQ(probe.Flushes(), 2);
  EXPECT_EQ(closed.ReadDword("X", 60), 0);
  EXPECT_EQ(closed.ReadString("X", "dflt"), "");
  std::string text = "untouched";
  EXPECT_FALSE(closed.ReadStringInto("X", text));
  EXPECT_FALSE(closed.EnumSubkeyName(0, text));
  EXPECT_EQ(closed.CountSubkeys(), 0);
  EXPECT_FALSE(closed.DeleteTree("X"));
}

TEST_F(RegistryKeyTest, TheSettingsRootIsMadeOnFirstUseAndAnOpenKeyIsNeverReplaced) {
  CSettingsKey settings;
  EXPECT_TRUE(settings.IsOpen());
  CRegistryKey first;
  ASSERT_TRUE(first.Create(settings, "First"));
  ASSERT_TRUE(first.WriteDword("Marker", 1));
  const registry::Handle held = first.Handle();
  EXPECT_FALSE(first.Open(settings, "First"));
  EXPECT_FALSE(first.Create(settings, "Second"));
  EXPECT_EQ(first.Handle(), held);
  CRegistryKey second;
  EXPECT_FALSE(second.Open(settings, "Second"));  // the refused Create made nothing
  EXPECT_FALSE(settings.OpenSubkeyByIndex(0, first));
}

TEST_F(RegistryKeyTest, SubkeysEnumerateOnceEachInTheRegistrysOrder) {
  ScratchKey scratch;
  const std::string longName(255, 'n');
  for (const std::string name : {"account2", "account10", "aB", "a_", longName.c_str(), "表示"}) {
    CRegistryKey item;
    ASSERT_TRUE(item.Create(scratch, name)) << name;
  }
  EXPECT_EQ(scratch.CountSubkeys(), 6);
  EXPECT_EQ(SubkeyNames(scratch),
            (std::vector<std::string>{"a_", "aB", "account10", "account2", longName, "表示"}));
  for (int i = 0; i < 6; ++i) {
    CRegistryKey item;
    EXPECT_TRUE(scratch.OpenSubkeyByIndex(i, item)) << i;
  }
  CRegistryKey past;
  EXPECT_FALSE(scratch.OpenSubkeyByIndex(6, past));
}

TEST(RegistryKey, ANameLongerThanTheFirstBufferEnumeratesWhole) {
  registry::MemoryRegistry memory;  // the registry itself refuses names this long
  ScopedRegistry use(memory);
  ScratchKey scratch;
  CRegistryKey item;
  ASSERT_TRUE(item.Create(scratch, std::string(1025, 'x')));
  EXPECT_EQ(SubkeyNames(scratch), std::vector<std::string>{std::string(1025, 'x')});
}

TEST_F(RegistryKeyTest, DeleteTreeRemovesANestedBranchAndNothingElse) {
  ScratchKey scratch;
  CRegistryKey doomed;
  {
    CRegistryKey leaf;
    ASSERT_TRUE(leaf.Create(scratch, "Schedule\\Monday\\data0\\Account\\account0"));
    ASSERT_TRUE(doomed.Create(scratch, "Schedule\\Monday\\data1"));
    CRegistryKey other;
    ASSERT_TRUE(other.Create(scratch, "Schedule\\Tuesday"));
  }
  CRegistryKey schedule;
  ASSERT_TRUE(schedule.Open(scratch, "Schedule"));
  EXPECT_TRUE(schedule.DeleteTree("Monday"));
  EXPECT_FALSE(schedule.DeleteTree("Monday"));
  EXPECT_FALSE(schedule.DeleteTree(""));  // never the key itself
  EXPECT_EQ(SubkeyNames(schedule), std::vector<std::string>{"Tuesday"});
  // A key object left on a deleted key fails quietly.
  EXPECT_FALSE(doomed.WriteDword("X", 1));
  EXPECT_EQ(doomed.ReadDword("X", 9), 9);
}

TEST_F(RegistryKeyTest, DeleteTreeStopsAtAKeyThatWillNotGo) {
  {
    ScratchKey scratch;
    CRegistryKey stuck;
    ASSERT_TRUE(stuck.Create(scratch, "List\\item0\\Locked"));
    CRegistryKey free;
    ASSERT_TRUE(free.Create(scratch, "List\\item1"));
  }
  FaultyRegistry faulty(registry::Active(), "Locked");
  ScopedRegistry use(faulty);
  ScratchKey scratch;
  EXPECT_FALSE(scratch.DeleteTree("List"));
  EXPECT_LE(faulty.DeleteAttempts(), 2);  // no endless retry of the same name
  CRegistryKey list;
  EXPECT_TRUE(list.Open(scratch, "List\\item0"));
}

TEST_F(RegistryKeyTest, EveryHandleIsClosedWhenTheKeysGoOutOfScope) {
  auto* memory = dynamic_cast<registry::MemoryRegistry*>(&registry::Active());
  if (memory == nullptr) {
    GTEST_SKIP() << "handle counting needs the in-memory store";
  }
  const std::size_t before = memory->OpenHandleCount();
  {
    ScratchKey scratch;
    CRegistryKey child;
    child.Create(scratch, "Child\\Grandchild");
    CRegistryKey walked;
    scratch.OpenSubkeyByIndex(0, walked);
    scratch.DeleteTree("Child");
  }
  EXPECT_EQ(memory->OpenHandleCount(), before);
}

}  // namespace
