#include "support/simulated_client.h"

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "text/cp932.h"

namespace {

// "Account1\予約.box\00000001" into the folder "Account1\予約.box" and the name.
bool SplitMailPath(const std::string& mailPath, std::string& folderKey, std::string& name) {
  std::size_t last = std::string::npos;
  for (std::size_t at = cp932::Find(mailPath, '\\'); at != std::string::npos;
       at = cp932::Find(mailPath, '\\', at + 1)) {
    last = at;
  }
  if (last == std::string::npos) {
    return false;
  }
  folderKey = mailPath.substr(0, last);
  name = mailPath.substr(last + 1);
  return true;
}

}  // namespace

SimulatedClient::SimulatedClient(std::string dataRoot, std::uint32_t seed,
                                 std::function<std::time_t()> tick)
    : dataRoot_(std::move(dataRoot)), random_(seed), tick_(std::move(tick)) {}

bool SimulatedClient::Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

void SimulatedClient::AddFolder(const std::string& account, const std::string& folder) {
  folders_[account + "\\" + folder];
  Write(account + "\\" + folder);
}

void SimulatedClient::Write(const std::string& key) {
  const Folder& folder = folders_[key];
  std::string text;
  for (const Mail& mail : folder.mails) {
    text += sample::EntryLine(mail.name, mail.time);
  }
  for (const std::string& junk : folder.junk) {
    text += junk + "\r\n";
  }
  text += folder.halfLine;
  std::string account;
  std::string name;
  SplitMailPath(key, account, name);
  const std::string index = EntryListPath(dataRoot_, account, name);
  if (!sample::WriteFile(index, text)) {
    violations.push_back("could not write " + index);
  }
}

void SimulatedClient::AddMail(const std::string& account, const std::string& folder,
                              std::int32_t time) {
  const std::string key = account + "\\" + folder;
  char name[16];
  std::snprintf(name, sizeof name, "%08d", nextMail_++);
  folders_[key].mails.push_back({name, time});
  Write(key);
}

void SimulatedClient::AddJunk(const std::string& account, const std::string& folder) {
  static const char* const kJunk[] = {"no separator at all", "=AAAAAAAAAAAAAAAA", "short=AAAA",
                                      "x,y=AAAAAAAAAAAAAAAA", "\x01\x02\x7f\xff\x81=AAAAAAAAAAAAAAAA",
                                      "..=AAAAAAAAAAAAAAAA"};
  const std::string key = account + "\\" + folder;
  folders_[key].junk.push_back(kJunk[random_() % (sizeof kJunk / sizeof kJunk[0])]);
  ++faultsInjected;
  Write(key);
}

void SimulatedClient::StartHalfWrittenMail(const std::string& account, const std::string& folder,
                                           std::int32_t time) {
  const std::string key = account + "\\" + folder;
  Folder& target = folders_[key];
  if (!target.halfLine.empty()) {
    return;
  }
  char name[16];
  std::snprintf(name, sizeof name, "%08d", nextMail_++);
  target.halfMail = {name, time};
  const std::string line = sample::EntryLine(name, time);
  target.halfLine = line.substr(0, line.find('=') + 1 + random_() % 16);
  ++faultsInjected;
  Write(key);
}

void SimulatedClient::FinishHalfWrittenMails() {
  for (auto& [key, folder] : folders_) {
    if (!folder.halfLine.empty()) {
      folder.mails.push_back(folder.halfMail);
      folder.halfLine.clear();
      Write(key);
    }
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
    if (key.find("Outbox") != std::string::npos || key.find("Inbox") != std::string::npos) {
      continue;
    }
    for (const Mail& mail : folder.mails) {
      if (mail.time < tick) ++waiting;
    }
  }
  return waiting;
}

bool SimulatedClient::UsesMailbox(const std::string& dataRoot) {
  return alive_ && dataRoot == dataRoot_;
}

bool SimulatedClient::Launch(const std::string&, const std::string& dataRoot) {
  if (Chance(launchFailPercent)) {
    ++faultsInjected;
    return false;
  }
  alive_ = dataRoot == dataRoot_;
  shown_ = titles.empty() ? std::string() : titles.begin()->second;
  return alive_;
}

DismissResult SimulatedClient::DismissDialogs() {
  // The finish-check thread watches on real time while the week runs on
  // simulated time: it is kept out of the model, so that it shares none of its
  // state and a fixed seed always gives the same week.
  if (std::this_thread::get_id() != simulation_) {
    return kNoClientDialog;
  }
  const DismissResult found = alive_ ? pendingDialog_ : kNoClientDialog;
  pendingDialog_ = kNoClientDialog;
  return found;
}

std::string SimulatedClient::CurrentAccount() { return alive_ ? shown_ : std::string(); }

void SimulatedClient::SwitchAccount(const std::string& title) {
  if (!alive_ || shown_.empty()) {
    return;
  }
  if (Chance(stuckSwitchPercent)) {
    ++faultsInjected;
    return;
  }
  shown_ = title;
}

void SimulatedClient::SelectFirstAccount(bool) {
  if (alive_ && !titles.empty()) shown_ = titles.begin()->second;
}

void SimulatedClient::StartFetch() {
  if (!alive_) {
    return;
  }
  ++fetches;
  int polls = 1 + static_cast<int>(random_() % 200);
  if (Chance(hangPercent)) {
    polls = -1;
    ++faultsInjected;
  } else if (Chance(failPercent)) {
    pendingDialog_ = kErrorDialog;
    ++faultsInjected;
  } else if (Chance(receivedPercent)) {
    pendingDialog_ = kMailReceivedDialog;
  }
  fetch_.Start(polls);
}

bool SimulatedClient::IsFetchDone() {
  return !alive_ || fetch_.Done();
}

const SimulatedClient::Mail* SimulatedClient::Named(const std::string& mailPath, std::string& key) {
  std::string name;
  if (!SplitMailPath(mailPath, key, name)) {
    violations.push_back("a command named no mail path: " + mailPath);
    return nullptr;
  }
  if (moved_.count(mailPath) != 0) {
    violations.push_back("named again after it was moved: " + mailPath);
    return nullptr;
  }
  const auto folder = folders_.find(key);
  if (folder == folders_.end()) {
    violations.push_back("named in an unknown folder: " + mailPath);
    return nullptr;
  }
  for (const Mail& mail : folder->second.mails) {
    if (mail.name == name) {
      if (!(mail.time < tick_())) {
        violations.push_back("named before its time: " + mailPath);
      }
      return &mail;
    }
  }
  violations.push_back("named a mail that is not in its folder: " + mailPath);
  return nullptr;
}

void SimulatedClient::MarkMail(const std::string& mailPath, std::int32_t, int) {
  std::string key;
  Named(mailPath, key);
}

MoveOutcome SimulatedClient::MoveMail(const std::string& mailPath, const std::string& targetFolder) {
  if (!alive_) {
    return MoveOutcome::kNoAnswer;  // a client that is gone carries nothing out
  }
  std::string key;
  const Mail* mail = Named(mailPath, key);
  if (mail == nullptr) {
    return MoveOutcome::kRefused;
  }
  const Mail moving = *mail;
  std::vector<Mail>& source = folders_[key].mails;
  for (auto it = source.begin(); it != source.end(); ++it) {
    if (it->name == moving.name) {
      source.erase(it);
      break;
    }
  }
  moved_.insert(mailPath);
  folders_[targetFolder].mails.push_back(moving);
  Write(key);
  Write(targetFolder);
  return MoveOutcome::kMoved;
}
