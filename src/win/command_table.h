// Commands listed in a table beside their handlers, instead of a long switch:
//
//   const CommandEntry<CMainDialog> CMainDialog::kCommands[] = {
//       {ID_FETCH, kAnyCode, &CMainDialog::OnFetch}, ...};
//   RouteCommand(this, kCommands, id, code);
#pragma once

#include <cstddef>
#include <cstdint>

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

// The same for WM_NOTIFY: the handler gets the header and returns the result.
template <typename Owner, typename Header>
struct NotifyEntry {
  int id;
  int code;
  std::intptr_t (Owner::*handler)(Header& header);
};

// Runs the handler of the first entry for the header's control id and code;
// false when none matches.
template <typename Owner, typename Header, std::size_t N>
bool RouteNotify(Owner* owner, const NotifyEntry<Owner, Header> (&table)[N], Header& header,
                 std::intptr_t& result) {
  for (const NotifyEntry<Owner, Header>& entry : table) {
    if (entry.id == static_cast<int>(header.idFrom) && entry.code == static_cast<int>(header.code)) {
      result = (owner->*entry.handler)(header);
      return true;
    }
  }
  return false;
}
