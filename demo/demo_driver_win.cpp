// Plays one real run of Larkspur32 for scripts/demo, under Wine: writes a data
// directory of the stand-in mail client with two accounts, sets the program's
// settings, starts the program, has it fetch, waits for the minute that moves
// a due reserved mail and a due held mail, saves screenshots of the main window
// and the tray menu, tells in plain words what happened, and closes everything.
//
//   demo_driver.exe DATA-ROOT
//
// Screenshots go to the folder named by LARKSPUR_SHOTS. Exit code 0 when the
// run went as told, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "data_dir/mailbox_paths.h"
#include "res/resource.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "support/e2e_win.h"
#include "support/program_run_win.h"

namespace {

struct Folder {
  const char* account;
  const char* path;
  const char* title;
};

// The accounts' folders and what they are called in the story.
const Folder kFolders[] = {
    {"Account1", "Inbox.box", "仕事 / 郵便受け"},   {"Account1", "Outbox.box", "仕事 / 送信箱"},
    {"Account1", "予約.box", "仕事 / 予約"},        {"Account1", "保留.box", "仕事 / 保留"},
    {"Account2", "Inbox.box", "自宅 / 郵便受け"},   {"Account2", "Outbox.box", "自宅 / 送信箱"},
};

const std::map<std::string, std::string> kMailNames = {
    {"00000001", "a reserved mail due a minute ago"},
    {"00000002", "a reserved mail due in an hour"},
    {"00000003", "a held mail due a minute ago"},
};

// Prints cp932 text on the terminal, which Wine shows in UTF-8.
void Say(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

bool Fail(const std::string& what) {
  Say("demo: " + what);
  return false;
}

std::string MailFolder(const std::string& root, const Folder& folder) {
  return MailboxDirectory(root) + folder.account + "\\" + folder.path;
}

// Which demo mails lie in which folder, by file.
std::map<std::string, std::string> Inventory(const std::string& root) {
  std::map<std::string, std::string> where;
  for (const Folder& folder : kFolders) {
    for (const auto& mail : kMailNames) {
      if (e2e::Exists(MailFolder(root, folder) + "\\" + mail.first)) where[mail.first] = folder.title;
    }
  }
  return where;
}

bool BuildData(const std::string& root) {
  sample::DataDirectoryBuilder data(root);
  const std::int32_t now = static_cast<std::int32_t>(std::time(nullptr));
  bool ok = data.AddAccount("Account1", "仕事", 0, "") && data.AddAccount("Account2", "自宅", 0, "");
  for (const Folder& folder : kFolders) {
    ok = ok && data.AddFolder(folder.account, folder.path, std::string(folder.path) == "予約.box" ? "予約" : "", "");
  }
  ok = ok && data.AddMail("Account1", "予約.box", "00000001", now - 60) &&
       data.AddMail("Account1", "予約.box", "00000002", now + 3600) &&
       data.AddMail("Account1", "保留.box", "00000003", now - 60) &&
       sample::WriteFile(root + "\\corvid-scenario.txt", "fetch_ms=1500\r\n");
  return ok;
}

bool WriteSettings(const std::string& root) {
  CSettingsKey settings;
  settings.WriteString("MailBoxPath", root);
  settings.WriteString("CorvidPath", e2e::StandInPath());
  settings.WriteString("DefAccount", "仕事");
  settings.WriteDword("AutoStart", 1);
  layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, {"仕事", "自宅"});
  CSchedule schedule;
  for (int day = 0; day < 7; ++day) {
    schedule.Day(day).AddEntry(7, 30, {"仕事", "自宅"}, 1);
  }
  schedule.Save();
  CAccountJobList jobs;
  if (!jobs.Load(root) || jobs.Count() != 2) {
    return false;
  }
  CAccountJob* work = jobs.FindByTitle("仕事");
  CAccountJob* home = jobs.FindByTitle("自宅");
  work->reserve.Reserve = 1;
  work->reserve.ReserveFolder = "予約.box";
  work->reserve.SendCheck = 1;
  work->reserve.ReserveMark = 3;
  work->ReserveSend = 1;
  home->reserve.Remain = 1;
  home->reserve.RemainFromAccount = "Account1";
  home->reserve.RemainFromFolder = "保留.box";
  home->reserve.RemainToFolder = "Inbox.box";
  home->reserve.UnReadCheck = 1;
  for (std::size_t i = 0; i < jobs.Count(); ++i) {
    jobs.At(i).command.PreTidyUp = 1;
    jobs.At(i).command.PostTidyUp = 1;
  }
  jobs.Save();
  return true;
}

std::vector<std::string> Fetches(const std::vector<std::string>& journal) {
  std::vector<std::string> fetched;
  for (const std::string& line : journal) {
    if (line.rfind("fetch ", 0) == 0) fetched.push_back(line.substr(6));
  }
  return fetched;
}

// A run is over once the client was switched back to the default account
// after its last fetch.
bool RunEnded(const std::vector<std::string>& journal, std::size_t fetches) {
  std::size_t seen = 0;
  for (const std::string& line : journal) {
    if (line.rfind("fetch ", 0) == 0) ++seen;
    if (seen >= fetches && line.rfind("command 110", 0) == 0) return true;
  }
  return false;
}

// The client's window may lie over the program's: lift it for the picture.
void SaveOnTop(HWND window, const std::string& name) {
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  e2e::WaitUntil([] { return false; }, 500);
  e2e::SaveScreenshot(window, name);
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

bool ShowTrayMenu(HWND window) {
  SetCursorPos(420, 260);
  PostMessageA(window, WM_TRAY_NOTIFY, ID_TRAY_ICON, WM_LBUTTONDOWN);
  HWND menu = nullptr;
  e2e::WaitUntil(
      [&] {
        menu = FindWindowA("#32768", nullptr);
        return menu != nullptr && IsWindowVisible(menu);
      },
      10000);
  if (menu == nullptr) {
    return false;
  }
  const bool saved = !e2e::SaveScreenshot(menu, "demo-tray-menu").empty();
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  e2e::WaitUntil([] { HWND m = FindWindowA("#32768", nullptr); return m == nullptr || !IsWindowVisible(m); }, 5000);
  return saved;
}

bool Play(const std::string& root) {
  if (!BuildData(root)) return Fail("could not write the data directory " + root);
  if (!WriteSettings(root)) return Fail("could not write the settings");
  Say("demo: data directory " + root + " with the accounts 仕事 and 自宅");
  for (const auto& [file, where] : Inventory(root)) {
    Say("demo:   " + kMailNames.at(file) + " (" + file + ") waits in " + where);
  }

  e2e::Process program;
  if (!program.Start("\"" + e2e::ProgramPath() + "\"", e2e::BinDir())) return Fail("could not start Larkspur32.exe");
  HWND window = e2e::WaitForWindow({"#32770", "Larkspur32", program.Id()}, 30000);
  if (window == nullptr) return Fail("Larkspur32's window did not come within 30 s");
  Say("demo: Larkspur32 runs; the schedule is armed, next run " + e2e::ControlText(window, 1002) + " " +
      e2e::ControlText(window, 1000));

  Say("demo: fetch command (取り込み) for 仕事 and 自宅");
  e2e::PostCommand(window, ID_FETCH);
  if (!e2e::WaitUntil([&] { return RunEnded(e2e::ReadJournal(root), 2); }, 60000)) {
    return Fail("the fetch did not end within 60 s");
  }
  for (const std::string& account : Fetches(e2e::ReadJournal(root))) {
    Say("demo:   the client fetched " + account);
  }
  SaveOnTop(window, "demo-main-window");

  Say("demo: waiting for the next minute, when due reserved and held mails move");
  const bool moved = e2e::WaitUntil(
      [&] {
        const auto where = Inventory(root);
        return where.at("00000001") == "仕事 / 送信箱" && where.at("00000003") == "自宅 / 郵便受け";
      },
      90000);
  if (!moved) return Fail("the due mails did not move within 90 s");
  // The reserved mail of 仕事, which sends at once, pulls a run forward.
  e2e::WaitUntil([&] { return RunEnded(e2e::ReadJournal(root), 3); }, 30000);
  const std::vector<std::string> fetched = Fetches(e2e::ReadJournal(root));
  if (fetched.size() > 2) Say("demo:   the moved reserved mail started a run at once: the client fetched " + fetched[2]);
  for (const auto& [file, where] : Inventory(root)) {
    Say("demo:   " + kMailNames.at(file) + " (" + file + ") is now in " + where);
  }
  if (Inventory(root).at("00000002") != "仕事 / 予約") return Fail("the mail not yet due moved");

  if (!ShowTrayMenu(window)) Say("demo: the tray menu could not be captured");
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!program.WaitForExit(15000)) return Fail("Larkspur32 did not close within 15 s");
  e2e::StopStandIns();
  Say("demo: Larkspur32 and the client closed");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: demo_driver DATA-ROOT\n");
    return 2;
  }
  return Play(argv[1]) ? 0 : 1;
}
