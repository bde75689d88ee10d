// Resource and command identifiers. Plain numbers only, so that the resource
// script and platform-neutral code can both include this file.
#pragma once

#include "settings_ui_ids.h"

// Dialog templates
#define IDD_MAIN 102

// Strings
#define IDS_SOCKETS_FAILED 103

// Icons and bitmaps
#define IDI_PROGRAM 120

// Controls of the main window
#define IDC_NEXT_TIME 1000
#define IDC_NOW_TIME 1001
#define IDC_NEXT_WEEKDAY 1002
#define IDC_NOW_WEEKDAY 1003
