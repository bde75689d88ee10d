#include "bridge/client_dde_win.h"

#include <windows.h>
#include <ddeml.h>

#include <vector>

namespace {

constexpr const char* kServiceAndTopic = "Corvid32";
constexpr DWORD kRequestTimeoutMs = 1000;

// An asynchronous execute completes through the callback, so a client that
// only sends still needs one.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

// Instance, names and conversation of one transaction, released in reverse.
class Conversation {
 public:
  Conversation() {
    const UINT started = DdeInitializeA(&instance_, &ClientCallback, APPCMD_CLIENTONLY, 0);
    if (started != DMLERR_NO_ERROR) {
      instance_ = 0;
      error_ = static_cast<long>(started);
      return;
    }
    name_ = DdeCreateStringHandleA(instance_, kServiceAndTopic, CP_WINANSI);
    if (name_ == nullptr) {
      error_ = static_cast<long>(DdeGetLastError(instance_));
      return;
    }
    conversation_ = DdeConnect(instance_, name_, name_, nullptr);
    if (conversation_ == nullptr) {
      error_ = static_cast<long>(DdeGetLastError(instance_));
    }
  }

  ~Conversation() {
    if (item_ != nullptr) {
      DdeFreeStringHandle(instance_, item_);
    }
    if (conversation_ != nullptr) {
      DdeDisconnect(conversation_);
    }
    if (name_ != nullptr) {
      DdeFreeStringHandle(instance_, name_);
    }
    if (instance_ != 0) {
      DdeUninitialize(instance_);
    }
  }

  Conversation(const Conversation&) = delete;
  Conversation& operator=(const Conversation&) = delete;

  bool Connected() const { return conversation_ != nullptr; }
  long Error() const { return error_; }

  long Request(const std::string& item, std::string& answer, std::size_t maxBytes) {
    item_ = DdeCreateStringHandleA(instance_, item.c_str(), CP_WINANSI);
    if (item_ == nullptr) {
      return static_cast<long>(DdeGetLastError(instance_));
    }
    HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation_, item_, CF_TEXT, XTYP_REQUEST,
                                         kRequestTimeoutMs, nullptr);
    // No data is a failure (time-out, refusal), not an empty answer: callers
    // would otherwise take a slow client for one on another mailbox.
    if (data == nullptr) {
      const long error = static_cast<long>(DdeGetLastError(instance_));
      return error != DMLERR_NO_ERROR ? error : DMLERR_NOTPROCESSED;
    }
    std::vector<char> bytes(maxBytes + 1, '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), static_cast<DWORD>(maxBytes), 0);
    DdeFreeDataHandle(data);
    answer = bytes.data();
    return 0;
  }

  // TIMEOUT_ASYNC sends without waiting; 0 then only means it was sent.
  long Execute(const std::string& command, DWORD timeoutMs) {
    std::vector<BYTE> text(command.begin(), command.end());
    text.push_back(0);
    DWORD id = 0;
    if (DdeClientTransaction(text.data(), static_cast<DWORD>(text.size()), conversation_, nullptr,
                             CF_TEXT, XTYP_EXECUTE, timeoutMs, &id) != nullptr) {
      return 0;
    }
    const long error = static_cast<long>(DdeGetLastError(instance_));
    return error != DMLERR_NO_ERROR ? error : DMLERR_NOTPROCESSED;
  }

 private:
  DWORD instance_ = 0;
  HSZ name_ = nullptr;
  HSZ item_ = nullptr;
  HCONV conversation_ = nullptr;
  long error_ = 0;
};

}  // namespace

long ClientRequest(const std::string& item, std::string& answer, std::size_t maxBytes) {
  Conversation conversation;
  if (!conversation.Connected()) {
    return conversation.Error() != 0 ? conversation.Error() : DMLERR_NO_CONV_ESTABLISHED;
  }
  return conversation.Request(item, answer, maxBytes);
}

void ClientExecute(const std::string& command) {
  Conversation conversation;
  if (conversation.Connected()) {
    conversation.Execute(command, TIMEOUT_ASYNC);
  }
}

long ClientExecuteAndWait(const std::string& command, unsigned long timeoutMs) {
  Conversation conversation;
  if (!conversation.Connected()) {
    return conversation.Error() != 0 ? conversation.Error() : DMLERR_NO_CONV_ESTABLISHED;
  }
  return conversation.Execute(command, timeoutMs);
}
