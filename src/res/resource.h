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

// Commands of the main window
#define ID_TIMER_START 32771
#define ID_TIMER_STOP 32773
#define ID_ABORT 32775
#define ID_FETCH 32784
#define ID_WORK_START 32791
#define ID_RESERVE_FIN 32804
#define ID_REMAIN_FIN 32805

// Timers of the main window
#define TIMER_MAIN 500
#define TIMER_RETRY 502
#define TIMER_POLL 503

// Controls of the main window
#define IDC_NEXT_TIME 1000
#define IDC_NOW_TIME 1001
#define IDC_NEXT_WEEKDAY 1002
#define IDC_NOW_WEEKDAY 1003
