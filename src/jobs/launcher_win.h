// Starts the after-fetch program.
#pragma once

#include "jobs/job_ports.h"

class ProcessLauncher : public ILauncher {
 public:
  bool Start(const std::string& commandLine) override;
};
