// What a job did, as the job step machine and the minute's moves tell their
// host: the run history writes it down, the tray icon tells the failures.
#pragma once

#include <string>

enum class RunEventKind {
  kScheduledRun,       // a run began at its entry's minute; detail: its accounts
  kManualRun,          // a run began by the fetch command; detail: its accounts
  kPulledForwardRun,   // a run began early for mails sent at once; detail: its accounts
  kCaughtUpRun,        // a run missed while the program or the system slept, made up; detail: its accounts
  kFetched,
  kErrorWindow,        // the fetch failed: the client showed its error window
  kBoundReached,       // the client did not switch accounts or end the fetch in time
  kDialFailed,         // detail: the dial-up library's error code
  kRetryWaiting,       // detail: the seconds until the retry
  kGivenUp,            // no retry left: the account is not fetched in this run
  kProgramStarted,     // detail: the after-fetch command line
  kProgramFailed,      // detail: the after-fetch command line
  kReservedMailSent,   // detail: the mail
  kHeldMailForwarded,  // detail: the mail; target: the folder it went to
  kMailRefused,        // detail: the mail
  kClientSilent,       // detail: the mail
  kMailUnnamable,      // detail: the mail
};

struct RunEvent {
  RunEventKind kind;
  std::string account = {};  // the account's title; empty for a run's start
  std::string detail = {};
  std::string target = {};
};

// How the user is told of an event beyond the history, if at all.
enum class Notice { kNone, kFailure, kSent };

// Failures the user may have to act on.
inline bool IsFailure(RunEventKind kind) {
  switch (kind) {
    case RunEventKind::kErrorWindow:
    case RunEventKind::kBoundReached:
    case RunEventKind::kDialFailed:
    case RunEventKind::kGivenUp:
    case RunEventKind::kProgramFailed:
    case RunEventKind::kMailRefused:
    case RunEventKind::kClientSilent:
    case RunEventKind::kMailUnnamable:
      return true;
    default:
      return false;
  }
}

// An account given up and a mail that could not be moved are always told;
// mails sent from a reservation only when the user wants to hear of them.
inline Notice NoticeOf(RunEventKind kind, bool toldOfSent) {
  switch (kind) {
    case RunEventKind::kGivenUp:
    case RunEventKind::kMailRefused:
    case RunEventKind::kClientSilent:
    case RunEventKind::kMailUnnamable:
      return Notice::kFailure;
    case RunEventKind::kReservedMailSent:
      return toldOfSent ? Notice::kSent : Notice::kNone;
    default:
      return Notice::kNone;
  }
}
