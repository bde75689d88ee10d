#include "support/scratch_directory.h"

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_disk.h"

ScratchDirectory::ScratchDirectory() : base_(sample::MakeScratchDirectory()) {
  if (!base_.empty() && sample::MakeDirectory(JoinPath(base_, "表"))) {
    path_ = JoinPath(base_, "表");
  }
}

ScratchDirectory::~ScratchDirectory() {
  if (!base_.empty()) {
    sample::RemoveTree(base_);
  }
}
