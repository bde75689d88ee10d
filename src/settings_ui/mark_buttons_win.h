// The seven mark radio buttons of the send-reservation and forwarding pages
// (1082 to 1088), each showing its mark's check-mark icon.
#pragma once

#include <windows.h>

// Gives each mark button of page its icon (marks 1 to 7: icons 132 to 138).
void ShowMarkIcons(HWND page);
