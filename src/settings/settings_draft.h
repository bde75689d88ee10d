// What the settings sheet edits, in one place: the values of the settings
// root its pages show, the schedule and the job records, with the data root's
// account titles the pages offer.
#pragma once

#include <string>
#include <vector>

#include "schedule/schedule.h"
#include "settings/account_job.h"

// The mail client: its program, its data root and the account it is left on.
struct ClientSettings {
  std::string CorvidPath;
  std::string MailBoxPath;
  std::string DefAccount;
  int DefMailBox = 0;
};

// Start-up, the window, the tray icon, the fetch command's accounts and the
// clock's fonts and colours.
struct GeneralSettings {
  int AutoStart = 0;
  int AutoCheck = 0;
  int CatchUp = 1;
  int NotifySent = 1;
  int SavePos = 0;
  int TopMost = 0;
  int TaskTray = 0;
  int RDoubleClk = 0;
  // The titles stored as DefAccount\account<i>.
  std::vector<std::string> fetchAccounts;
  std::string NowTimeFont;
  std::string NextTimeFont;
  int NowTimeColor = 0;
  int NextTimeColor = 0;
};

struct SettingsDraft {
  ClientSettings client;
  GeneralSettings general;
  CSchedule schedule;
  CAccountJobList jobs;
  // The accounts of the data root as its scan lists them; never stored.
  std::vector<std::string> accountTitles;
};

// Reads the client and general values from the store and lists the data
// root's accounts. The schedule and the job records are the opener's to put
// in: the copies the program runs on.
void LoadSettingsDraft(SettingsDraft& draft);

// Makes dataRoot the draft's data root: its accounts, their job records, and
// the fetch accounts as stored, since the ticks given so far were given
// among other titles.
void ChangeDataRoot(SettingsDraft& draft, const std::string& dataRoot);

// The sheet's pages whose values the user has had on screen.
struct ShownPages {
  bool client = false;
  bool general = false;
  bool schedule = false;
};

// The moments at which the sheet stores its draft.
enum class ApplyStep {
  kPressed,  // Apply or OK, before the pages check what they hold
  kOkTaken,  // OK, once every page took it: the sheet closes
};

// Stores what the sheet stores at step. Pressing Apply or OK stores the
// client, general and schedule values of the pages shown (a page never shown
// stores nothing), and a page that then refuses takes none of it back; the
// fetch accounts stay as stored while there are no accounts to tick. The job
// records are stored only when OK is taken, whichever pages were shown:
// after Apply then Cancel the program keeps running on the records it had,
// and the store keeps them too.
void SaveSettingsDraft(const SettingsDraft& draft, const ShownPages& shown, ApplyStep step);
