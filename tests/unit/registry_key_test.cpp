// The key layer, run natively against the in-memory store and under Wine
// against the registry, so the two stores cannot drift apart.
#include "settings/registry_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_registry.h"
#include "support/faulty_registry.h"
#include "support/settings_sandbox.h"

namespace {

class RegistryKeyTest : public ::testing::Test {
 protected:
  SettingsSandbox sandbox_;
};

class ScratchKey : public CSoftwareKey {
 public:
  ScratchKey() : CSoftwareKey(kScratchCompany, kScratchProduct) {}
};

std::uint32_t StoredSize(const CRegistryKey& key, const char* name, std::uint32_t* type) {
  std::uint32_t size = 0;
  EXPECT_EQ(registry::Active().QueryValue(key.Handle(), name, type, nullptr, &size), registry::kOk);
  return size;
}

std::vector<std::string> SubkeyNames(const CRegistryKey& key) {
  std::vector<std::string> names;
  std::string name;
  for (int i = 0; key.EnumSubkeyName(i, name); ++i) {
    names.push_back(name);
  }
  return names;
}

TEST_F(RegistryKeyTest, SettingsRootIsCreatedOnFirstConstruction) {
  {
    CRegistryKey root;
    EXPECT_FALSE(root.Open(registry::kCurrentUser, "Software\\Vantor\\Larkspur32"));
  }
  CSettingsKey settings;
  EXPECT_TRUE(settings.IsOpen());
  EXPECT_EQ(settings.ReadDword("RetryInterval", 60), 60);
  CRegistryKey again;
  EXPECT_TRUE(again.Open(registry::kCurrentUser, "Software\\Vantor\\Larkspur32"));
}

TEST_F(RegistryKeyTest, ValuesRoundTripWithTheirTypes) {
  ScratchKey key;
  ASSERT_TRUE(key.IsOpen());
  EXPECT_TRUE(key.WriteDword("Negative", -56));
  EXPECT_TRUE(key.WriteDword("Colour", 0x00FF8040));
  EXPECT_TRUE(key.WriteString("Path", "D:\\メール\\表示"));
  EXPECT_TRUE(key.WriteString(nullptr, "ポスト"));

  EXPECT_EQ(key.ReadDword("Negative", 0), -56);
  EXPECT_EQ(key.ReadDword("colour", 0), 0x00FF8040);  // names ignore case
  EXPECT_EQ(key.ReadString("PATH", "x"), "D:\\メール\\表示");
  EXPECT_EQ(key.ReadString(nullptr, "x"), "ポスト");

  std::uint32_t type = 0;
  EXPECT_EQ(StoredSize(key, "Negative", &type), 4u);
  EXPECT_EQ(type, registry::kTypeDword);
  EXPECT_EQ(StoredSize(key, "Path", &type), std::string("D:\\メール\\表示").size() + 1);
  EXPECT_EQ(type, registry::kTypeString);
}

TEST_F(RegistryKeyTest, MissingAndMistypedValuesFollowTheirRules) {
  ScratchKey key;
  key.WriteString("NumberAsText", "42");
  key.WriteDword("NumberProper", 42);
  key.WriteString("Empty", "");

  EXPECT_EQ(key.ReadDword("NumberAsText", 7), 7);   // only REG_DWORD counts as a number
  EXPECT_EQ(key.ReadDword("Missing", 7), 7);
  EXPECT_EQ(key.ReadString("Missing", "dflt"), "dflt");

  // The empty text is a stored value of one byte, not a missing one.
  std::uint32_t type = 0;
  EXPECT_EQ(StoredSize(key, "Empty", &type), 1u);
  EXPECT_EQ(key.ReadString("Empty", "dflt"), "");

  std::string text = "untouched";
  EXPECT_FALSE(key.ReadStringInto("Missing", text));
  EXPECT_EQ(text, "untouched");
  // A text read ignores the type: a DWORD gives its bytes up to the first NUL.
  EXPECT_TRUE(key.ReadStringInto("NumberProper", text));
  EXPECT_EQ(text, "*");
}

TEST_F(RegistryKeyTest, AClosedKeyReadsAsZeroAndEmptyAndRefusesWrites) {
  CRegistryKey closed;
  EXPECT_FALSE(closed.Open(registry::kCurrentUser, "Software\\Vantor\\NoSuchProduct"));
  EXPECT_EQ(closed.ReadDword("RetryInterval", 60), 0);
  EXPECT_EQ(closed.ReadString("NowTimeFont", "dflt"), "");
  EXPECT_FALSE(closed.WriteDword("X", 1));
  EXPECT_FALSE(closed.WriteString("X", "y"));
  EXPECT_EQ(closed.CountSubkeys(), 0);
  std::string name;
  EXPECT_FALSE(closed.EnumSubkeyName(0, name));
  EXPECT_FALSE(closed.DeleteTree("X"));
}

TEST_F(RegistryKeyTest, AnOpenKeyRefusesASecondOpenOrCreate) {
  ScratchKey scratch;
  CRegistryKey first;
  ASSERT_TRUE(first.Create(scratch, "First"));
  first.WriteDword("Marker", 1);
  CRegistryKey second;
  ASSERT_TRUE(second.Create(scratch, "Second"));

  const registry::Handle held = first.Handle();
  EXPECT_FALSE(first.Open(scratch, "Second"));
  EXPECT_FALSE(first.Create(scratch, "Third"));
  EXPECT_EQ(first.Handle(), held);
  EXPECT_EQ(first.ReadDword("Marker", 0), 1);
  CRegistryKey third;
  EXPECT_FALSE(third.Open(scratch, "Third"));  // the refused Create made nothing
}

TEST_F(RegistryKeyTest, SubkeysEnumerateOnceEachInTheRegistrysOrder) {
  ScratchKey scratch;
  for (const char* name : {"account2", "account10", "aB", "a_", "account1", "b"}) {
    CRegistryKey item;
    ASSERT_TRUE(item.Create(scratch, name));
  }
  EXPECT_EQ(scratch.CountSubkeys(), 6);
  const std::vector<std::string> expected = {"a_", "aB", "account1", "account10", "account2", "b"};
  EXPECT_EQ(SubkeyNames(scratch), expected);

  for (int i = 0; i < 6; ++i) {
    CRegistryKey item;
    EXPECT_TRUE(scratch.OpenSubkeyByIndex(i, item)) << i;
  }
  CRegistryKey past;
  EXPECT_FALSE(scratch.OpenSubkeyByIndex(6, past));
  CRegistryKey busy;
  busy.Create(scratch, "b");
  EXPECT_FALSE(scratch.OpenSubkeyByIndex(0, busy));  // a held key is not replaced
}

TEST_F(RegistryKeyTest, LongAndJapaneseNamesEnumerate) {
  ScratchKey scratch;
  const std::string longName(255, 'n');
  const std::vector<std::string> names = {"data12", longName, "表示", "ソフト\\能力"};
  for (const std::string& name : names) {
    CRegistryKey item;
    ASSERT_TRUE(item.Create(scratch, name)) << name;
  }
  // "ソフト\能力" is a path: ソフト holds 能力.
  CRegistryKey nested;
  EXPECT_TRUE(nested.Open(scratch, "ソフト\\能力"));
  const std::vector<std::string> found = SubkeyNames(scratch);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0], "data12");
  EXPECT_EQ(found[1], longName);
  CRegistryKey japanese;
  EXPECT_TRUE(japanese.Open(scratch, "表示"));
}

TEST_F(RegistryKeyTest, DeleteTreeRemovesANestedBranchAndNothingElse) {
  ScratchKey scratch;
  {
    CRegistryKey leaf;
    ASSERT_TRUE(leaf.Create(scratch, "Schedule\\Monday\\data0\\Account\\account0"));
    leaf.WriteString(nullptr, "仕事");
    CRegistryKey sibling;
    ASSERT_TRUE(sibling.Create(scratch, "Schedule\\Monday\\data1"));
    CRegistryKey other;
    ASSERT_TRUE(other.Create(scratch, "Schedule\\Tuesday"));
  }
  CRegistryKey schedule;
  ASSERT_TRUE(schedule.Open(scratch, "Schedule"));
  EXPECT_TRUE(schedule.DeleteTree("Monday"));
  EXPECT_EQ(SubkeyNames(schedule), std::vector<std::string>{"Tuesday"});

  EXPECT_FALSE(schedule.DeleteTree("Monday"));  // gone already: nothing to delete
  EXPECT_FALSE(schedule.DeleteTree(""));        // never the key itself
  EXPECT_EQ(SubkeyNames(schedule), std::vector<std::string>{"Tuesday"});
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
  {
    ScopedRegistry use(faulty);
    ScratchKey scratch;
    EXPECT_FALSE(scratch.DeleteTree("List"));
    EXPECT_LE(faulty.DeleteAttempts(), 2);  // no endless retry of the same name
    CRegistryKey list;
    EXPECT_TRUE(list.Open(scratch, "List"));
  }
  ScratchKey scratch;
  CRegistryKey list;
  ASSERT_TRUE(list.Open(scratch, "List"));
  EXPECT_GE(list.CountSubkeys(), 1);
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

TEST_F(RegistryKeyTest, AHandleToADeletedKeyFailsQuietly) {
  ScratchKey scratch;
  CRegistryKey doomed;
  ASSERT_TRUE(doomed.Create(scratch, "Doomed"));
  ASSERT_TRUE(scratch.DeleteTree("Doomed"));
  EXPECT_FALSE(doomed.WriteDword("X", 1));
  EXPECT_EQ(doomed.ReadDword("X", 9), 9);
  EXPECT_EQ(doomed.CountSubkeys(), 0);
}

}  // namespace
