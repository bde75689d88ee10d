#include "data_dir/data_directory.h"

#include <climits>

#include "data_dir/file_system.h"
#include "data_dir/mailbox_paths.h"
#include "text/cp932.h"

namespace {

constexpr const char* kProperty = "Property";
constexpr std::size_t kTextBytes = 1023;
constexpr std::size_t kTypeBytes = 31;
// Deeper nesting than any real folder tree; stops a looping tree.
constexpr int kMaxFolderDepth = 64;

std::string AccountIni(const std::string& dataRoot, const std::string& accountDir) {
  return AccountDirectory(dataRoot, accountDir) + "\\Account.ini";
}

bool IsExactlyDirectory(const filesys::DirEntry& entry) {
  return entry.attributes == filesys::kDirectory;
}

// The number its leading decimal digits spell, after an optional sign, as the
// C library reads it; 0 when there are none, held within int when too large.
int LeadingNumber(const std::string& text) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  long long value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    if (value <= INT_MAX) {
      value = value * 10 + (text[pos] - '0');
    }
  }
  if (negative) {
    value = -value;
  }
  if (value > INT_MAX) {
    return INT_MAX;
  }
  return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

int CountFoldersBelow(const std::string& directory, int depth) {
  std::vector<filesys::DirEntry> entries;
  if (!filesys::ListDirectory(directory, "*.box", entries)) {
    return 0;
  }
  int count = static_cast<int>(entries.size());
  if (depth < kMaxFolderDepth) {
    for (const filesys::DirEntry& entry : entries) {
      if (IsExactlyDirectory(entry)) {
        count += CountFoldersBelow(JoinPath(directory, entry.name), depth + 1);
      }
    }
  }
  return count;
}

std::vector<FolderNode> WalkBelow(const std::string& directory, const std::string& parentPath,
                                  int depth) {
  std::vector<FolderNode> nodes;
  std::vector<filesys::DirEntry> entries;
  filesys::ListDirectory(directory, "*.box", entries);
  for (const filesys::DirEntry& entry : entries) {
    if (!IsExactlyDirectory(entry)) {
      continue;
    }
    FolderNode node;
    node.name = entry.name;
    node.path = parentPath.empty() ? entry.name : parentPath + "\\" + entry.name;
    const std::string folderDirectory = JoinPath(directory, entry.name);
    const std::string ini = folderDirectory + "\\Entry.ini";
    node.type = filesys::ReadIniString(ini, kProperty, "Type", "", kTypeBytes);
    node.title = filesys::ReadIniString(ini, kProperty, "Title", "", kTextBytes);
    if (!node.type.empty() && depth < kMaxFolderDepth) {
      node.children = WalkBelow(folderDirectory, node.path, depth + 1);
    }
    nodes.push_back(std::move(node));
  }
  return nodes;
}

}  // namespace

AccountScan ListAccounts(const std::string& dataRoot) {
  AccountScan scan;
  std::vector<filesys::DirEntry> entries;
  // No data root is not the root of the current drive.
  if (dataRoot.empty() || !filesys::ListDirectory(MailboxDirectory(dataRoot), "Account*", entries)) {
    return scan;
  }
  scan.readable = true;
  for (const filesys::DirEntry& entry : entries) {
    // A file named like an account is not one.
    if ((entry.attributes & filesys::kDirectory) == 0) {
      continue;
    }
    scan.directories.push_back(entry.name);
    scan.titles.push_back(filesys::ReadIniString(AccountIni(dataRoot, entry.name), kProperty,
                                                 "Title", "", kTextBytes));
  }
  return scan;
}

std::string ReadAccountTitle(const std::string& dataRoot, const std::string& accountDir) {
  if (accountDir.empty()) {
    return "";
  }
  const std::string ini = AccountIni(dataRoot, accountDir);
  if (!filesys::FileExists(ini)) {
    return accountDir;
  }
  return filesys::ReadIniString(ini, kProperty, "Title", "", kTextBytes);
}

int ReadAccountDialUp(const std::string& dataRoot, const std::string& accountDir,
                      std::string& entry) {
  if (accountDir.empty()) {
    return 0;
  }
  const std::string ini = AccountIni(dataRoot, accountDir);
  if (!filesys::FileExists(ini)) {
    return 0;
  }
  entry = filesys::ReadIniString(ini, kProperty, "RASProvider", "", kTextBytes);
  return LeadingNumber(filesys::ReadIniString(ini, kProperty, "UseRAS", "", kTextBytes));
}

std::string ReadFolderTitle(const std::string& dataRoot, const std::string& accountDir,
                            const std::string& folderPath) {
  if (folderPath.empty()) {
    return "";
  }
  if (cp932::EqualsIgnoreAsciiCase(folderPath, "INBOX.BOX")) {
    return "郵便受け";
  }
  if (cp932::EqualsIgnoreAsciiCase(folderPath, "OUTBOX.BOX")) {
    return "送信箱";
  }
  if (accountDir.empty()) {
    return "";
  }
  return filesys::ReadIniString(FolderDirectory(dataRoot, accountDir, folderPath) + "\\Entry.ini",
                                kProperty, "Title", "", kTextBytes);
}

int CountFolders(const std::string& directory) { return CountFoldersBelow(directory, 0); }

std::vector<FolderNode> WalkFolders(const std::string& dataRoot, const std::string& accountDir) {
  if (accountDir.empty()) {
    return {};
  }
  return WalkBelow(AccountDirectory(dataRoot, accountDir), "", 0);
}
