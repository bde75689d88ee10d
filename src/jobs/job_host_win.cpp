#include "jobs/job_host_win.h"

#include "win/application_win.h"

namespace {

constexpr const char* kWindowClass = "LarkspurJobHost";
constexpr UINT WM_CONTINUATION = WM_APP + 1;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT_PTR kPollTimer = 2;
constexpr UINT_PTR kRetryTimer = 3;
constexpr UINT kTickMs = 500;

}  // namespace

CJobHost::CJobHost(const CJobSequencer::Ports& ports, CSchedule& schedule, CAccountJobList& jobs,
                   IJobObserver& observer)
    : observer_(observer), machine_(ports, *this, schedule, jobs) {}

CJobHost::~CJobHost() { Stop(); }

bool CJobHost::Start() {
  if (window_ != nullptr) {
    return true;
  }
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &CJobHost::WindowProc;
  windowClass.hInstance = ResourceInstance();
  windowClass.lpszClassName = kWindowClass;
  // A second registration (a second host in one process) fails harmlessly.
  RegisterClassA(&windowClass);
  window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            ResourceInstance(), this);
  if (window_ == nullptr) {
    return false;
  }
  SetTimer(window_, kTickTimer, kTickMs, nullptr);
  return true;
}

void CJobHost::Stop() {
  if (window_ == nullptr) {
    return;
  }
  // No new run may start while the program closes, and a run in hand leaves
  // the client as it found it.
  KillTimer(window_, kTickTimer);
  machine_.Shutdown();
  DestroyWindow(window_);
  window_ = nullptr;
}

void CJobHost::Post(Continuation continuation, std::uint32_t token) {
  PostMessageA(window_, WM_CONTINUATION, static_cast<WPARAM>(continuation), static_cast<LPARAM>(token));
}

void CJobHost::SetPollTimer(int milliseconds) {
  SetTimer(window_, kPollTimer, static_cast<UINT>(milliseconds), nullptr);
}

void CJobHost::KillPollTimer() { KillTimer(window_, kPollTimer); }

void CJobHost::SetRetryTimer(int milliseconds) {
  SetTimer(window_, kRetryTimer, static_cast<UINT>(milliseconds), nullptr);
}

void CJobHost::KillRetryTimer() { KillTimer(window_, kRetryTimer); }

void CJobHost::OnTimer(UINT_PTR id) {
  switch (id) {
    case kTickTimer:
      if (machine_.OnMainTimer()) {
        observer_.MinuteBegan(machine_.TickTime());
      }
      break;
    case kPollTimer:
      machine_.OnPollTimer();
      break;
    case kRetryTimer:
      machine_.OnRetryTimer();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK CJobHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CJobHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr) {
      if (message == WM_TIMER) {
        self->OnTimer(wParam);
        return 0;
      }
      if (message == WM_CONTINUATION) {
        self->machine_.OnContinuation(static_cast<Continuation>(wParam), static_cast<std::uint32_t>(lParam));
        return 0;
      }
    }
  } catch (...) {
    // A fault in one step must not take the program down.
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
