// The mails still waiting for the minute's moves: every mail in the
// reservation folder of a record with reservation on, and in the source folder
// of a record with forwarding on, with when and where it will go. Read from
// the folder indexes and the mails' headers only; nothing is written and
// nothing is asked of the client.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "settings/account_job.h"

struct PendingMail {
  std::time_t due = 0;   // its time in the index: it moves in the first minute after
  bool forwarding = false;
  std::string account;   // the title of the record it is for
  std::string mail;      // as the client names it: account directory, folder, file name
  std::string target;    // the folder it will go to, as the client names it
  std::string subject;   // decoded from its header, else its file name
  bool overdue = false;  // due for over two minutes: a move has failed
};

// Sorted by due time, then by mail.
std::vector<PendingMail> ListPendingMails(const std::string& dataRoot, const CAccountJobList& jobs, std::time_t now);
