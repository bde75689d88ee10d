// Paths into the mail client's data directory, built with the cp932 rule: a
// root that ends in a double-byte character whose trail byte is 0x5C does not
// end with "\".
#pragma once

#include <string>

// dataRoot, one "\" when it does not already end with one, "mailbox\".
std::string MailboxDirectory(const std::string& dataRoot);

// The folder index of a folder: mailbox directory, account, "\", folder path,
// "\Entry.lst".
std::string EntryListPath(const std::string& dataRoot, const std::string& accountDir,
                          const std::string& folderPath);

// How the client names a mail: account, "\", folder path, "\", file name,
// relative to the mailbox directory.
std::string MailPath(const std::string& accountDir, const std::string& folderPath,
                     const std::string& fileName);

// The target of a send reservation: account, "\Outbox.box".
std::string OutboxFolder(const std::string& accountDir);
