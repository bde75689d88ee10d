// A window's text, as the window itself keeps it (windows of this process).
#pragma once

#include <windows.h>

#include <string>

// The whole text of window; empty for none.
std::string WindowText(HWND window);
