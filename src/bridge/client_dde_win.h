// The DDE conversation with the mail client (service and topic "Corvid32").
// Every call is self-contained: its own instance, one conversation, one
// transaction; a conversation reused after a request is not reliable.
#pragma once

#include <cstddef>
#include <string>

// Requests item as text and keeps at most maxBytes of it (up to its first
// zero) in answer. 0 on success, else the DDE error code (no client, no answer
// within 1 s, ...).
long ClientRequest(const std::string& item, std::string& answer, std::size_t maxBytes);

// Sends command as an execute transaction without waiting for it.
void ClientExecute(const std::string& command);

// Sends command as an execute transaction and waits at most timeoutMs for the
// client's answer: 0 when it carried the command out, else the DDE error code
// (DMLERR_NOTPROCESSED when it refused, a time-out or no conversation when it
// did not answer).
long ClientExecuteAndWait(const std::string& command, unsigned long timeoutMs);
