// Reading the mail client's data directory: accounts ("Account*" directories
// of the mailbox directory, each with Account.ini), folders ("*.box"
// directories with Entry.ini, nested when Type is set). Only reads; nothing
// here writes to the client's files, and missing files give defaults.
#pragma once

#include <string>
#include <vector>

struct AccountScan {
  std::vector<std::string> directories;  // in the file system's order
  std::vector<std::string> titles;       // Account.ini Title; empty when missing
  // False when there is no data root or its mailbox directory cannot be read
  // (a drive not there yet, a renamed folder): then nothing is known of its
  // accounts, which is not the same as knowing there are none.
  bool readable = false;
};

// The accounts below the data root; empty when there is no data root or its
// mailbox directory cannot be read.
AccountScan ListAccounts(const std::string& dataRoot);

// Account.ini's Title, or the directory name itself when there is no Account.ini.
std::string ReadAccountTitle(const std::string& dataRoot, const std::string& accountDir);

// Account.ini's UseRAS as a number, with RASProvider into entry; 0 and entry
// untouched when there is no Account.ini.
int ReadAccountDialUp(const std::string& dataRoot, const std::string& accountDir, std::string& entry);

// "郵便受け" for INBOX.BOX and "送信箱" for OUTBOX.BOX (any case), "" for an
// empty path, else the folder's Entry.ini Title.
std::string ReadFolderTitle(const std::string& dataRoot, const std::string& accountDir,
                            const std::string& folderPath);

// The "*.box" entries in directory and, recursively, in each that is exactly a
// directory; files named "*.box" count too.
int CountFolders(const std::string& directory);

struct FolderNode {
  std::string name;   // e.g. "2002.BOX"
  std::string path;   // relative to the account directory, e.g. "WORK.BOX\2002.BOX"
  std::string title;  // Entry.ini Title
  std::string type;   // Entry.ini Type; non-empty: holds folders of its own
  std::vector<FolderNode> children;
};

// The folder tree of an account: "*.box" entries that are exactly directories
// (no other attribute), walked into where Type is set.
std::vector<FolderNode> WalkFolders(const std::string& dataRoot, const std::string& accountDir);
