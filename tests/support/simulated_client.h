// A mail client over a real data directory that misbehaves at random under a
// fixed seed: fetches that fail, hang or raise message windows, switches that
// never happen, launches that fail, a client that vanishes. It carries out
// MoveMail on its folder indexes, so the machine sees its commands' effect the
// next minute, and checks every mail a command names against what was due.
#pragma once

#include <random>
#include <set>

#include "support/job_fakes.h"

class SimulatedClient : public IMailClient {
 public:
  // tick gives the machine's tick time, for the due checks.
  SimulatedClient(std::string dataRoot, std::uint32_t seed, std::function<std::time_t()> tick)
      : dataRoot_(std::move(dataRoot)), random_(seed), tick_(std::move(tick)) {}

  // A mail arriving in "Account1\Hold.box", and the folder's index written.
  void AddMail(const std::string& folder, std::int32_t time);
  // The client process ends; the next launch brings it back.
  void Vanish() {
    alive_ = false;
    shown_.clear();
    fetch_.Stop();
    pendingDialog_ = kNoClientDialog;
    ++faultsInjected;
  }

  std::vector<std::string> violations;
  std::map<std::string, std::string> titles;  // by account directory
  int faultsInjected = 0;
  int fetches = 0;
  std::size_t MovedCount() const { return moved_.size(); }
  // Mails still in the folders they arrived in and due at tick.
  std::size_t WaitingDueMails(std::time_t tick) const;

  bool UsesMailbox(const std::string& dataRoot) override { return alive_ && dataRoot == dataRoot_; }
  bool Launch(const std::string& program, const std::string& dataRoot) override;
  bool IsRunning() override { return alive_; }
  DismissResult DismissDialogs() override;
  std::string CurrentAccount() override { return alive_ ? shown_ : std::string(); }
  void SwitchAccount(const std::string& title) override;
  void SelectFirstAccount(bool) override { shown_ = alive_ ? titles.begin()->second : shown_; }
  void StartFetch() override;
  void TidyUp() override {}
  bool IsFetchDone() override { return !alive_ || fetch_.Done(); }
  void MarkMail(const std::string& mail, std::int32_t, int) override { Named(mail); }
  MoveOutcome MoveMail(const std::string& mail, const std::string& target) override;
  bool KeepOutOfSight() override { return alive_; }  // its window is always in plain view
  void PutBack() override {}

 private:
  using Folder = std::map<std::string, std::int32_t>;  // mail name to its time
  bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }
  void Write(const std::string& folder);
  // The folder of a mail a command names, checked to be there and due; folders_.end() when it is not.
  std::map<std::string, Folder>::iterator Named(const std::string& mail);

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
