// What the job engine reads of the stored settings, in one piece. The engine
// never reads the store itself: its host reads this at start and again
// whenever the settings sheet has stored its values, and hands it in.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

struct JobSettings {
  // MailBoxPath: the client's data root; absent when none is stored.
  std::optional<std::string> dataRoot;
  // CorvidPath: the client program; empty starts "corvid.exe".
  std::string clientProgram;
  // DefAccount (the text value): the account the client is left on after a run.
  std::optional<std::string> defaultAccount;
  // The DefAccount list: the accounts the fetch command fetches; absent when
  // the list's key is.
  std::optional<std::vector<std::string>> fetchAccounts;
  // AutoStart and AutoCheck: arm the schedule and fetch once at start.
  bool autoStart = false;
  bool autoCheck = false;
  // CatchUp: a scheduled run missed while the program or the system slept is
  // made up once, at start or on waking.
  bool catchUp = false;
  // LastRun: the start of the minute of the last scheduled or caught-up run; 0 when none is known.
  std::time_t lastScheduledRun = 0;
};

// The job settings as they are stored now.
JobSettings ReadJobSettings();
