// A mail client over a real data directory that misbehaves at random under a
// fixed seed: fetches that fail, hang or raise message windows, switches that
// never happen, launches that fail, a client that vanishes. It carries out
// MoveMail on its folder indexes, so the machine sees its commands' effect the
// next minute, and it checks every command against what was due.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/job_fakes.h"

class SimulatedClient : public IMailClient {
 public:
  // tick gives the machine's tick time, for the due checks.
  SimulatedClient(std::string dataRoot, std::uint32_t seed, std::function<std::time_t()> tick);

  // The world's folders; their indexes are written from this model.
  void AddFolder(const std::string& account, const std::string& folder);
  void AddMail(const std::string& account, const std::string& folder, std::int32_t time);
  // A line that names no mail, or the first half of a mail's line that the
  // next FinishHalfWrittenMails completes.
  void AddJunk(const std::string& account, const std::string& folder);
  void StartHalfWrittenMail(const std::string& account, const std::string& folder, std::int32_t time);
  void FinishHalfWrittenMails();
  // The client process ends; the next launch brings it back.
  void Vanish();

  std::vector<std::string> violations;
  int faultsInjected = 0;
  int fetches = 0;
  std::map<std::string, std::string> titles;  // by account directory
  std::size_t MovedCount() const { return moved_.size(); }
  // Mails still in the folders they arrived in and due at tick.
  std::size_t WaitingDueMails(std::time_t tick) const;

  bool UsesMailbox(const std::string& dataRoot) override { return alive_ && dataRoot == dataRoot_; }
  bool Launch(const std::string& program, const std::string& dataRoot) override;
  bool IsRunning() override { return alive_; }
  DismissResult DismissDialogs() override;
  std::string CurrentAccount() override { return alive_ ? shown_ : std::string(); }
  void SwitchAccount(const std::string& title) override;
  void SelectFirstAccount(bool) override;
  void StartFetch() override;
  void TidyUp() override {}
  bool IsFetchDone() override { return !alive_ || fetch_.Done(); }
  void MarkMail(const std::string& mailPath, std::int32_t, int) override;
  MoveOutcome MoveMail(const std::string& mailPath, const std::string& targetFolder) override;
  // Its window is always in plain view.
  bool KeepOutOfSight() override { return alive_; }
  void PutBack() override {}

 private:
  struct Mail {
    std::string name;
    std::int32_t time;
  };
  struct Folder {
    std::vector<Mail> mails;
    std::vector<std::string> junk;
    std::string halfLine;  // a line being written, without its end
    Mail halfMail{};
  };

  bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }
  std::string NewName();
  void Write(const std::string& key);
  // The mail a command names, checked to be there and due; null when it is not.
  const Mail* Named(const std::string& mailPath, std::string& folderKey);

  std::string dataRoot_;
  std::mt19937 random_;
  std::function<std::time_t()> tick_;
  std::map<std::string, Folder> folders_;  // by "Account1\Hold.box"
  std::set<std::string> moved_;
  int nextMail_ = 1;
  bool alive_ = true;
  std::string shown_;
  PolledFetch fetch_;
  DismissResult pendingDialog_ = kNoClientDialog;
  const std::thread::id simulation_ = std::this_thread::get_id();
};
