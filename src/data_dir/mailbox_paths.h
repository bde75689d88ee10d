// Paths into the mail client's data directory, built with the cp932 rule: a
// root that ends in a double-byte character whose trail byte is 0x5C does not
// end with "\".
#pragma once

#include <string>

// directory, one "\" when it is not empty and does not already end with one, name.
std::string JoinPath(const std::string& directory, const std::string& name);

// dataRoot, one "\" when it does not already end with one, "mailbox\".
std::string MailboxDirectory(const std::string& dataRoot);

// The mailbox directory followed by the account directory name.
std::string AccountDirectory(const std::string& dataRoot, const std::string& accountDir);

// The account directory, "\", the folder path.
std::string FolderDirectory(const std::string& dataRoot, const std::string& accountDir,
                            const std::string& folderPath);

// The folder index of a folder: mailbox directory, account, "\", folder path,
// "\Entry.lst".
std::string EntryListPath(const std::string& dataRoot, const std::string& accountDir,
                          const std::string& folderPath);

// How the client names a mail: account, "\", folder path, "\", file name,
// relative to the mailbox directory.
std::string MailPath(const std::string& accountDir, const std::string& folderPath,
                     const std::string& fileName);

// The folder of an account that a send reservation moves its mails into.
constexpr const char* kOutboxFolder = "Outbox.box";
