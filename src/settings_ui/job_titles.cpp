#include "settings_ui/job_titles.h"

#include "client/data_directory.h"

void RefreshDerivedTitles(CAccountJob& job, const std::string& dataRoot) {
  CReserveData& data = job.reserve;
  data.reserveFolderTitle = ReadFolderTitle(dataRoot, job.directory, data.ReserveFolder);
  // No source account chosen yet: nothing to name.
  data.remainFromAccountTitle =
      data.RemainFromAccount.empty() ? std::string() : ReadAccountTitle(dataRoot, data.RemainFromAccount);
  data.remainFromFolderTitle = ReadFolderTitle(dataRoot, data.RemainFromAccount, data.RemainFromFolder);
  data.remainToFolderTitle = ReadFolderTitle(dataRoot, job.directory, data.RemainToFolder);
}
