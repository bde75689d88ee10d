// Where every persisted value lives below the settings root, with its type and
// the default its readers use, and the helpers that read and replace lists.
//
// A list is one key with one numbered subkey per item ("account0", "data0",
// ...). Writers replace a list whole (delete it, create it, write the items from
// 0); readers walk the subkeys by enumeration index and never parse the names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/registry_key.h"

namespace layout {

struct DwordValue {
  const char* name;
  std::int32_t fallback;
};

struct TextValue {
  const char* name;
  const char* fallback;
};

// Values of the settings root.
inline constexpr TextValue kCorvidPath{"CorvidPath", ""};
inline constexpr TextValue kMailBoxPath{"MailBoxPath", ""};
inline constexpr TextValue kDefAccount{"DefAccount", ""};
inline constexpr DwordValue kDefMailBox{"DefMailBox", 0};
inline constexpr DwordValue kAutoStart{"AutoStart", 0};
inline constexpr DwordValue kAutoCheck{"AutoCheck", 0};
inline constexpr DwordValue kSavePos{"SavePos", 0};
inline constexpr DwordValue kSaveX{"SaveX", 0};
inline constexpr DwordValue kSaveY{"SaveY", 0};
inline constexpr DwordValue kTopMost{"TopMost", 0};
inline constexpr DwordValue kTaskTray{"TaskTray", 0};
inline constexpr DwordValue kRDoubleClk{"RDoubleClk", 0};
inline constexpr DwordValue kNoTimeDisp{"NoTimeDisp", 0};
inline constexpr TextValue kNowTimeFont{"NowTimeFont", "ＭＳ Ｐ明朝"};
inline constexpr TextValue kNextTimeFont{"NextTimeFont", "ＭＳ Ｐ明朝"};
inline constexpr DwordValue kNowTimeColor{"NowTimeColor", 0};
inline constexpr DwordValue kNextTimeColor{"NextTimeColor", 0};
inline constexpr DwordValue kRetryCount{"RetryCount", 0};
inline constexpr DwordValue kRetryInterval{"RetryInterval", 60};
inline constexpr DwordValue kDialUp{"DialUp", 0};
// Additions of this version: catching up a missed run (on unless switched off),
// when the last scheduled run began (seconds since 1970, unsigned), and the
// notice of mails sent.
inline constexpr DwordValue kCatchUp{"CatchUp", 1};
// Whether mails sent from a reservation are told from the tray icon (on unless switched off).
inline constexpr DwordValue kNotifySent{"NotifySent", 1};
inline constexpr DwordValue kLastRun{"LastRun", 0};

// The accounts fetched by the fetch command: DefAccount\account<i>, each
// item's title in its unnamed default value. (The root also holds a text value
// of the same name, with another meaning.)
inline constexpr const char* kDefAccountKey = "DefAccount";
inline constexpr const char* kAccountItemFormat = "account%d";

// The schedule: Schedule\<weekday>\data<i> with Hour, Minute, EveryDay and the
// list Account\account<j>. Hour, Minute and EveryDay count by their low byte.
inline constexpr const char* kScheduleKey = "Schedule";
inline constexpr const char* kWeekdayKeys[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                "Thursday", "Friday", "Saturday"};
inline constexpr const char* kEntryItemFormat = "data%d";
inline constexpr DwordValue kHour{"Hour", -1};
inline constexpr DwordValue kMinute{"Minute", -1};
inline constexpr DwordValue kEveryDay{"EveryDay", 0};
inline constexpr const char* kEntryAccountKey = "Account";

// Job records: Accounts\<account directory> with ReserveSend and the subkeys
// ReserveData and Command.
inline constexpr const char* kAccountsKey = "Accounts";
inline constexpr DwordValue kReserveSend{"ReserveSend", 0};
inline constexpr const char* kReserveDataKey = "ReserveData";
inline constexpr DwordValue kReserve{"Reserve", 0};
inline constexpr TextValue kReserveFolder{"ReserveFolder", ""};
inline constexpr DwordValue kSendCheck{"SendCheck", 0};
inline constexpr DwordValue kReserveMark{"ReserveMark", 0};
inline constexpr DwordValue kRemain{"Remain", 0};
inline constexpr TextValue kRemainFromAccount{"RemainFromAccount", ""};
inline constexpr TextValue kRemainFromFolder{"RemainFromFolder", ""};
inline constexpr TextValue kRemainToFolder{"RemainToFolder", ""};
inline constexpr DwordValue kUnReadCheck{"UnReadCheck", 0};
inline constexpr DwordValue kRemainMark{"RemainMark", 0};
inline constexpr const char* kCommandKey = "Command";
inline constexpr DwordValue kPreTidyUp{"PreTidyUp", 0};
inline constexpr DwordValue kPostTidyUp{"PostTidyUp", 0};
inline constexpr DwordValue kExecCommand{"ExecCommand", 0};
inline constexpr TextValue kCommandName{"CommandName", ""};
inline constexpr DwordValue kParamMailBox{"ParamMailBox", 0};
inline constexpr TextValue kMailBoxSwitch{"MailBoxSwitch", ""};
inline constexpr DwordValue kParamAccount{"ParamAccount", 0};
inline constexpr TextValue kAccountSwitch{"AccountSwitch", ""};

inline std::int32_t Read(const CRegistryKey& key, const DwordValue& value) {
  return key.ReadDword(value.name, value.fallback);
}
inline std::string Read(const CRegistryKey& key, const TextValue& value) {
  return key.ReadString(value.name, value.fallback);
}
inline bool Write(CRegistryKey& key, const DwordValue& value, std::int32_t number) {
  return key.WriteDword(value.name, number);
}
inline bool Write(CRegistryKey& key, const TextValue& value, const std::string& text) {
  return key.WriteString(value.name, text);
}

// A stored value and the member of a record that holds it. A table of them
// reads a record and writes it back, value by value in table order:
//
//   const layout::Field<CCommandData> kCommandFields[] = {
//       {layout::kPreTidyUp, &CCommandData::PreTidyUp}, ...};
//   layout::ReadFields(key, kCommandFields, command);
template <typename Record>
class Field {
 public:
  Field(const DwordValue& value, int Record::*member) : dword_(&value), number_(member) {}
  Field(const TextValue& value, std::string Record::*member) : text_(&value), string_(member) {}

  void Read(const CRegistryKey& key, Record& record) const {
    if (dword_ != nullptr) {
      record.*number_ = layout::Read(key, *dword_);
    } else {
      record.*string_ = layout::Read(key, *text_);
    }
  }
  void Write(CRegistryKey& key, const Record& record) const {
    if (dword_ != nullptr) {
      layout::Write(key, *dword_, record.*number_);
    } else {
      layout::Write(key, *text_, record.*string_);
    }
  }

 private:
  const DwordValue* dword_ = nullptr;
  int Record::*number_ = nullptr;
  const TextValue* text_ = nullptr;
  std::string Record::*string_ = nullptr;
};

template <typename Record, std::size_t N>
void ReadFields(const CRegistryKey& key, const Field<Record> (&fields)[N], Record& record) {
  for (const Field<Record>& field : fields) {
    field.Read(key, record);
  }
}

template <typename Record, std::size_t N>
void WriteFields(CRegistryKey& key, const Field<Record> (&fields)[N], const Record& record) {
  for (const Field<Record>& field : fields) {
    field.Write(key, record);
  }
}

// The low byte of a stored number as a signed 8-bit value (a stored 263 is 7,
// a stored 200 is -56).
std::int32_t LowByte(std::int32_t stored);

// "account3", "data12": the name of a list item.
std::string ItemName(const char* format, int index);

// Deletes the list key name below parent with everything in it and creates it
// again, empty, into fresh (which must not hold a key). False when it could
// not be created.
bool ReplaceList(CRegistryKey& parent, const std::string& name, CRegistryKey& fresh);

// Writes items as the default values of the numbered subkeys of an empty list key.
void WriteTextItems(CRegistryKey& list, const char* format, const std::vector<std::string>& items);

// The default values of every subkey of list, in enumeration order.
std::vector<std::string> ReadTextItems(const CRegistryKey& list);

// Replaces the text list name below parent with items. False when the list key
// could not be created.
bool ReplaceTextList(CRegistryKey& parent, const std::string& name, const char* format,
                     const std::vector<std::string>& items);

// Reads the text list name below parent into items. False, with items left
// alone, when the list key does not exist.
bool ReadTextList(const CRegistryKey& parent, const std::string& name,
                  std::vector<std::string>& items);

// Calls visit(item) for every subkey of list in enumeration order, each opened
// into a fresh key object.
template <typename Visit>
void ForEachItem(const CRegistryKey& list, Visit visit) {
  for (int index = 0;; ++index) {
    CRegistryKey item;
    if (!list.OpenSubkeyByIndex(index, item)) {
      return;
    }
    visit(item);
  }
}

}  // namespace layout
