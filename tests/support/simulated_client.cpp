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
bool SplitLast(const std::string& path, std::string& head, std::string& tail) {
  const std::size_t last = cp932::FindLast(path, '\\');
  if (last == std::string::npos) return false;
  head = path.substr(0, last);
  tail = path.substr(last + 1);
  return true;
}

}  // namespace

SimulatedClient::SimulatedClient(std::string dataRoot, std::uint32_t seed, std::function<std::time_t()> tick)
    : dataRoot_(std::move(dataRoot)), random_(seed), tick_(std::move(tick)) {}

std::string SimulatedClient::NewName() {
  char name[16];
  std::snprintf(name, sizeof name, "%08d", nextMail_++);
  return name;
}

void SimulatedClient::AddFolder(const std::string& account, const std::string& folder) {
  Write(account + "\\" + folder);
}

void SimulatedClient::Write(const std::string& key) {
  const Folder& folder = folders_[key];
  std::string text;
  for (const Mail& mail : folder.mails) text += sample::EntryLine(mail.name, mail.time);
  for (const std::string& junk : folder.junk) text += junk + "\r\n";
  std::string account;
  std::string name;
  SplitLast(key, account, name);
  const std::string index = EntryListPath(dataRoot_, account, name);
  if (!sample::WriteFile(index, text + folder.halfLine)) violations.push_back("could not write " + index);
}

void SimulatedClient::AddMail(const std::string& account, const std::string& folder, std::int32_t time) {
  folders_[account + "\\" + folder].mails.push_back({NewName(), time});
  Write(account + "\\" + folder);
}

void SimulatedClient::AddJunk(const std::string& account, const std::string& folder) {
  static const char* const kJunk[] = {"no separator at all",
                                      "=AAAAAAAAAAAAAAAA",
                                      "short=AAAA",
                                      "x,y=AAAAAAAAAAAAAAAA",
                                      "\x01\x02\x7f\xff\x81=AAAAAAAAAAAAAAAA",
                                      "..=AAAAAAAAAAAAAAAA"};
  folders_[account + "\\" + folder].junk.push_back(kJunk[random_() % (sizeof kJunk / sizeof kJunk[0])]);
  ++faultsInjected;
  Write(account + "\\" + folder);
}

void SimulatedClient::StartHalfWrittenMail(const std::string& account, const std::string& folder, std::int32_t time) {
  Folder& target = folders_[account + "\\" + folder];
  if (!target.halfLine.empty()) return;
  target.halfMail = {NewName(), time};
  const std::string line = sample::EntryLine(target.halfMail.name, time);
  target.halfLine = line.substr(0, line.find('=') + 1 + random_() % 16);
  ++faultsInjected;
  Write(account + "\\" + folder);
}

void SimulatedClient::FinishHalfWrittenMails() {
  for (auto& [key, folder] : folders_) {
    if (folder.halfLine.empty()) continue;
    folder.mails.push_back(folder.halfMail);
    folder.halfLine.clear();
    Write(key);
  }
}

void SimulatedClient::Vanish() {
  alive_ = false;
  fetch_.Stop();
  pendingDialog_ = kNoClientDialog;
  shown_.clear();
  ++faultsInjected;
}

std::size_t SimulatedClient::WaitingDueMails(std::time_t tick) const {
  std::size_t waiting = 0;
  for (const auto& [key, folder] : folders_) {
    if (key.find("Outbox") != std::string::npos || key.find("Inbox") != std::string::npos) continue;
    for (const Mail& mail : folder.mails) waiting += mail.time < tick ? 1 : 0;
  }
  return waiting;
}

bool SimulatedClient::Launch(const std::string&, const std::string& dataRoot) {
  if (Chance(kLaunchFailPercent)) {
    ++faultsInjected;
    return false;
  }
  alive_ = dataRoot == dataRoot_;
  shown_ = titles.empty() ? std::string() : titles.begin()->second;
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
  if (Chance(kStuckSwitchPercent)) {
    ++faultsInjected;
    return;
  }
  shown_ = title;
}

void SimulatedClient::SelectFirstAccount(bool) {
  if (alive_ && !titles.empty()) shown_ = titles.begin()->second;
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

const SimulatedClient::Mail* SimulatedClient::Named(const std::string& mailPath, std::string& key) {
  std::string name;
  const auto folder = SplitLast(mailPath, key, name) ? folders_.find(key) : folders_.end();
  if (moved_.count(mailPath) != 0 || folder == folders_.end()) {
    violations.push_back("named a mail moved already, or in no folder: " + mailPath);
    return nullptr;
  }
  for (const Mail& mail : folder->second.mails) {
    if (mail.name != name) continue;
    if (!(mail.time < tick_())) violations.push_back("named before its time: " + mailPath);
    return &mail;
  }
  violations.push_back("named a mail that is not in its folder: " + mailPath);
  return nullptr;
}

void SimulatedClient::MarkMail(const std::string& mailPath, std::int32_t, int) {
  std::string key;
  Named(mailPath, key);
}

MoveOutcome SimulatedClient::MoveMail(const std::string& mailPath, const std::string& targetFolder) {
  if (!alive_) return MoveOutcome::kNoAnswer;
  std::string key;
  const Mail* mail = Named(mailPath, key);
  if (mail == nullptr) return MoveOutcome::kRefused;
  const Mail moving = *mail;
  std::vector<Mail>& source = folders_[key].mails;
  source.erase(source.begin() + (mail - source.data()));
  moved_.insert(mailPath);
  folders_[targetFolder].mails.push_back(moving);
  Write(key);
  Write(targetFolder);
  return MoveOutcome::kMoved;
}
