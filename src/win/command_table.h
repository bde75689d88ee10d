// Commands listed in a table beside their handlers, instead of a long switch:
//
//   const CommandEntry<CMainDialog> CMainDialog::kCommands[] = {
//       {ID_FETCH, kAnyCode, &CMainDialog::OnFetch}, ...};
//   RouteCommand(this, kCommands, id, code);
#pragma once

#include <cstddef>

// Matches every notification code of a command id.
constexpr int kAnyCode = -1;

template <typename Owner>
struct CommandEntry {
  int id;
  int code;
  void (Owner::*handler)();
};

// Runs the handler of the first entry for id and code; false when none matches.
template <typename Owner, std::size_t N>
bool RouteCommand(Owner* owner, const CommandEntry<Owner> (&table)[N], int id, int code) {
  for (const CommandEntry<Owner>& entry : table) {
    if (entry.id == id && (entry.code == kAnyCode || entry.code == code)) {
      (owner->*entry.handler)();
      return true;
    }
  }
  return false;
}
