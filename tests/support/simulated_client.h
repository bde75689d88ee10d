// A mail client that keeps a real data directory on disk and misbehaves at
// random, under a fixed seed: fetches that fail, hang or raise message
// windows, account switches that never happen, a client that vanishes and
// comes back. It carries out MarkMail and MoveMail on its folder indexes, so
// the step machine sees the effect of its commands in the next minute, and it
// checks every command against what was due when it was given.
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

#include "bridge/mail_client.h"
#include "support/polled_fetch.h"

class SimulatedClient : public IMailClient {
 public:
  // tick gives the machine's current tick time, for the due checks.
  SimulatedClient(std::string dataRoot, std::uint32_t seed, std::function<std::time_t()> tick);

  // The folders of the world: their indexes are written from this model.
  void AddFolder(const std::string& account, const std::string& folder);
  // A mail arriving in a folder, and the index rewritten.
  void AddMail(const std::string& account, const std::string& folder, std::int32_t time);
  // A junk line, or the first half of a mail's line that the next call completes.
  void AddJunk(const std::string& account, const std::string& folder);
  void StartHalfWrittenMail(const std::string& account, const std::string& folder, std::int32_t time);
  void FinishHalfWrittenMails();
  // The client process ends; the next launch brings it back.
  void Vanish();

  // How often each misbehaviour happens, in percent.
  int failPercent = 8;
  int hangPercent = 2;
  int receivedPercent = 10;
  int stuckSwitchPercent = 2;
  int launchFailPercent = 10;

  // What happened.
  std::vector<std::string> violations;
  int faultsInjected = 0;
  int fetches = 0;
  std::size_t MovedCount() const { return moved_.size(); }
  // Mails still in the folders they arrived in, and already due at tick.
  std::size_t WaitingDueMails(std::time_t tick) const;

  bool UsesMailbox(const std::string& dataRoot) override;
  bool Launch(const std::string& program, const std::string& dataRoot) override;
  DismissResult DismissDialogs() override;
  std::string CurrentAccount() override;
  void SwitchAccount(const std::string& title) override;
  void SelectFirstAccount(bool openMenuFirst) override;
  void StartFetch() override;
  void TidyUp() override {}
  bool IsFetchDone() override;
  void MarkMail(const std::string& mailPath, std::int32_t mark, int on) override;
  MoveOutcome MoveMail(const std::string& mailPath, const std::string& targetFolder) override;
  bool IsRunning() override { return alive_; }
  // Its window is always in plain view: nothing to keep out of sight.
  bool KeepOutOfSight() override { return alive_; }
  void PutBack() override {}

  // The account titles by directory, for the caption.
  std::map<std::string, std::string> titles;

 private:
  struct Mail {
    std::string name;
    std::int32_t time;
  };
  struct Folder {
    std::vector<Mail> mails;
    std::vector<std::string> junk;  // lines that name no mail
    std::string halfLine;           // a line being written, without its end
    Mail halfMail{};
  };

  bool Chance(int percent);
  void Write(const std::string& key);
  // Checks that the mail exists and was due; false when the command names
  // no mail of the model (already moved, or never there).
  const Mail* Named(const std::string& mailPath, std::string& folderKey);

  std::string dataRoot_;
  std::mt19937 random_;
  std::function<std::time_t()> tick_;
  std::map<std::string, Folder> folders_;  // "Account1\Hold.box"
  std::set<std::string> moved_;            // mail paths moved already
  int nextMail_ = 1;
  bool alive_ = true;
  std::string shown_;
  bool switchStuck_ = false;
  PolledFetch fetch_;
  DismissResult pendingDialog_ = kNoClientDialog;
  // The thread that runs the simulation; see DismissDialogs.
  std::thread::id simulation_ = std::this_thread::get_id();
};
