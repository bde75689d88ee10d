#include "settings_ui/data_root.h"

#include "client/mailbox_paths.h"

std::string MailBoxTestPath(const std::string& folder) { return JoinPath(folder, "MailBox"); }
