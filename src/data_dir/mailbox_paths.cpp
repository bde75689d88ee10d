#include "data_dir/mailbox_paths.h"

#include "text/cp932.h"

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty() || cp932::EndsWithChar(directory, '\\')) {
    return directory + name;
  }
  return directory + "\\" + name;
}

std::string MailboxDirectory(const std::string& dataRoot) {
  if (cp932::EndsWithChar(dataRoot, '\\')) {
    return dataRoot + "mailbox\\";
  }
  return dataRoot + "\\mailbox\\";
}

std::string AccountDirectory(const std::string& dataRoot, const std::string& accountDir) {
  return MailboxDirectory(dataRoot) + accountDir;
}

std::string FolderDirectory(const std::string& dataRoot, const std::string& accountDir,
                            const std::string& folderPath) {
  return AccountDirectory(dataRoot, accountDir) + "\\" + folderPath;
}

std::string EntryListPath(const std::string& dataRoot, const std::string& accountDir,
                          const std::string& folderPath) {
  return FolderDirectory(dataRoot, accountDir, folderPath) + "\\Entry.lst";
}

std::string MailPath(const std::string& accountDir, const std::string& folderPath,
                     const std::string& fileName) {
  return accountDir + "\\" + folderPath + "\\" + fileName;
}
