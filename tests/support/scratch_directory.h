// A fresh directory for one test below the system's temporary directory, removed with
// everything in it when the test ends. Its path ends in 表, whose trail byte is 0x5C,
// so every path built on it has to respect lead bytes.
#pragma once

#include <string>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_disk.h"

class ScratchDirectory {
 public:
  ScratchDirectory() : base_(sample::MakeScratchDirectory()) {
    if (!base_.empty() && sample::MakeDirectory(JoinPath(base_, "表"))) path_ = JoinPath(base_, "表");
  }
  ~ScratchDirectory() {
    if (!base_.empty()) sample::RemoveTree(base_);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // The directory ending in 表; empty when it could not be made.
  const std::string& Path() const { return path_; }

 private:
  std::string base_;
  std::string path_;
};
