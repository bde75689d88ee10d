#include "app/about_dialog_win.h"

#include "res/resource.h"
#include "win/resource_text_win.h"
#include "win/window_geometry_win.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX) {}

bool CAboutDialog::OnInitDialog() {
  SetItemText(IDC_VERSION_LINE, LoadResourceText(IDS_VERSION_LINE));
  CenterOnDesktop(Handle());
  return true;
}
