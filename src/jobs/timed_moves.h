// The two moves checked once a minute: send-reserved mails into the outbox
// and held mails into another account's folder. Both read only the folder
// index and act through the client's own commands.
//
// Within one minute's chain a mail is named in at most one move, and a mail
// that a move has just brought into a folder is not moved on from there. Only
// mails the client really moved count: a mail it refused stays where it is,
// is tried again next minute, and never pulls a run forward on its own.
#pragma once

#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "bridge/mail_client.h"
#include "jobs/run_events.h"
#include "settings/account_job.h"

// What one minute's chain remembers between its two moves.
struct MoveChain {
  // Mail paths, ASCII case folded, named in a move or just moved into.
  std::set<std::string> named;
  // The client stopped answering: it is asked nothing more this minute.
  bool clientSilent = false;
};

struct TimedMoves {
  IMailClient& client;
  std::string dataRoot;
  const CAccountJobList& jobs;
  // Mails strictly before it are due.
  std::time_t tick;
  // Makes sure a client runs on the data root before the first command;
  // false when none answers for it, and the moves wait for the next minute.
  std::function<bool()> ensureClient;
  MoveChain& chain;
  // Told of every mail moved, and of every mail that could not be.
  std::function<void(const RunEvent&)> report;
};

// Moves the due mails of every reservation folder into its account's outbox;
// the titles of the accounts that send at once and whose mails the client moved.
std::vector<std::string> SendReservedMails(const TimedMoves& moves);

// Moves the due mails of every forwarding source folder into the folder of
// the record's own account.
void ForwardHeldMails(const TimedMoves& moves);
