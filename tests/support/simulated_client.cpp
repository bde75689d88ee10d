#include "support/simulated_client.h"

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "text/cp932.h"

namespace {

// How often each misbehaviour happens, in percent.
constexpr int kFailPercent = 8;
constexpr int kHangPercent = 2;
constexpr int kReceivedPercent = 10;
constexpr int kStuckSwitchPercent = 2;
constexpr int kLaunchFailPercent = 10;

// "Account1\予約.box\00000001" into "Account1\予約.box" and "00000001".
std::pair<std::string, std::string> SplitLast(const std::string& path) {
  const std::size_t last = cp932::FindLast(path, '\\');
  return last == std::string::npos ? std::pair{std::string(), path} : std::pair{path.substr(0, last), path.substr(last + 1)};
}

}  // namespace

void SimulatedClient::Write(const std::string& folder) {
  std::string text;
  for (const auto& [name, time] : folders_[folder]) text += sample::EntryLine(name, time);
  const auto [account, box] = SplitLast(folder);
  const std::string index = EntryListPath(dataRoot_, account, box);
  if (!sample::WriteFile(index, text)) violations.push_back("could not write " + index);
}

void SimulatedClient::AddMail(const std::string& folder, std::int32_t time) {
  char name[16];
  std::snprintf(name, sizeof name, "%08d", nextMail_++);
  folders_[folder][name] = time;
  Write(folder);
}

std::size_t SimulatedClient::WaitingDueMails(std::time_t tick) const {
  std::size_t waiting = 0;
  for (const auto& [key, folder] : folders_) {
    if (key.find("Outbox") != std::string::npos || key.find("Inbox") != std::string::npos) continue;
    for (const auto& [name, time] : folder) waiting += time < tick ? 1 : 0;
  }
  return waiting;
}

bool SimulatedClient::Launch(const std::string&, const std::string& dataRoot) {
  if (Chance(kLaunchFailPercent)) return ++faultsInjected, false;
  alive_ = dataRoot == dataRoot_;
  shown_ = titles.begin()->second;
  return alive_;
}

DismissResult SimulatedClient::DismissDialogs() {
  // The finish-check thread runs on real time while the week runs on simulated
  // time: it is kept out of the model, so a fixed seed always gives the same week.
  if (std::this_thread::get_id() != simulation_) return kNoClientDialog;
  const DismissResult found = alive_ ? pendingDialog_ : kNoClientDialog;
  pendingDialog_ = kNoClientDialog;
  return found;
}

void SimulatedClient::SwitchAccount(const std::string& title) {
  if (!alive_ || shown_.empty()) return;
  if (Chance(kStuckSwitchPercent)) return void(++faultsInjected);
  shown_ = title;
}

void SimulatedClient::StartFetch() {
  if (!alive_) return;
  ++fetches;
  int polls = 1 + static_cast<int>(random_() % 200);
  if (Chance(kHangPercent)) {
    polls = -1;
    ++faultsInjected;
  } else if (Chance(kFailPercent)) {
    pendingDialog_ = kErrorDialog;
    ++faultsInjected;
  } else if (Chance(kReceivedPercent)) {
    pendingDialog_ = kMailReceivedDialog;
  }
  fetch_.Start(polls);
}

std::map<std::string, SimulatedClient::Folder>::iterator SimulatedClient::Named(const std::string& mail) {
  const auto [key, name] = SplitLast(mail);
  const auto folder = folders_.find(key);
  if (moved_.count(mail) != 0 || folder == folders_.end() || folder->second.count(name) == 0) {
    violations.push_back("named a mail that is not there: " + mail);
    return folders_.end();
  }
  if (!(folder->second[name] < tick_())) violations.push_back("named before its time: " + mail);
  return folder;
}

MoveOutcome SimulatedClient::MoveMail(const std::string& mail, const std::string& target) {
  if (!alive_) return MoveOutcome::kNoAnswer;
  const auto folder = Named(mail);
  if (folder == folders_.end()) return MoveOutcome::kRefused;
  const std::string name = SplitLast(mail).second;
  folders_[target][name] = folder->second[name];
  folder->second.erase(name);
  moved_.insert(mail);
  Write(folder->first);
  Write(target);
  return MoveOutcome::kMoved;
}
