// The schedule's persistent form below the settings root.
#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"

void CScheduleDayList::LoadDay(const std::string& weekday) {
  CSettingsKey root;
  CRegistryKey schedule;
  CRegistryKey day;
  if (!schedule.Open(root, layout::kScheduleKey) || !day.Open(schedule, weekday)) {
    return;
  }
  // Entries come in enumeration order and are sorted on insertion, so the
  // stored numbering only decides among entries of equal time.
  layout::ForEachItem(day, [this](const CRegistryKey& item) {
    auto entry = std::make_unique<CScheduleEntry>(layout::LowByte(layout::Read(item, layout::kHour)),
                                                  layout::LowByte(layout::Read(item, layout::kMinute)));
    entry->EveryDay = layout::LowByte(layout::Read(item, layout::kEveryDay));
    layout::ReadTextList(item, layout::kEntryAccountKey, entry->accounts);
    InsertSorted(std::move(entry));
  });
}

void CScheduleDayList::SaveDay(const std::string& weekday) const {
  CSettingsKey root;
  CRegistryKey schedule;
  if (!schedule.Create(root, layout::kScheduleKey)) {
    return;
  }
  CRegistryKey day;
  if (!layout::ReplaceList(schedule, weekday, day)) {
    return;
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const CScheduleEntry& entry = *entries_[i];
    CRegistryKey item;
    if (!item.Create(day, layout::ItemName(layout::kEntryItemFormat, static_cast<int>(i)))) {
      continue;
    }
    layout::Write(item, layout::kHour, entry.hour);
    layout::Write(item, layout::kMinute, entry.minute);
    layout::Write(item, layout::kEveryDay, entry.EveryDay);
    CRegistryKey accounts;
    if (accounts.Create(item, layout::kEntryAccountKey)) {
      layout::WriteTextItems(accounts, layout::kAccountItemFormat, entry.accounts);
    }
  }
}

bool CSchedule::Load() {
  {
    CSettingsKey root;
    RetryCount = layout::Read(root, layout::kRetryCount);
    RetryInterval = layout::Read(root, layout::kRetryInterval);
    DialUp = layout::Read(root, layout::kDialUp);
  }
  for (int day = 0; day < kDays; ++day) {
    Day(day).LoadDay(layout::kWeekdayKeys[day]);
  }
  return true;
}

bool CSchedule::Save() const {
  {
    CSettingsKey root;
    layout::Write(root, layout::kRetryCount, RetryCount);
    layout::Write(root, layout::kRetryInterval, RetryInterval);
    layout::Write(root, layout::kDialUp, DialUp);
  }
  for (int day = 0; day < kDays; ++day) {
    Day(day).SaveDay(layout::kWeekdayKeys[day]);
  }
  return true;
}
