// The about box: the program's icon, its version line and OK.
#pragma once

#include "win/dialog_win.h"

class CAboutDialog : public CDialog {
 public:
  CAboutDialog();

 protected:
  bool OnInitDialog() override;
};
