// Resource and command identifiers. Plain numbers only, so that the resource
// script and platform-neutral code can both include this file.
#pragma once

#include "settings_ui_ids.h"

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDD_SPLASH 306
#define IDD_HISTORY 310
#define IDD_PENDING 311

// Strings
#define IDS_ABOUTBOX 101
#define IDS_SOCKETS_FAILED 103
#define IDS_VERSION_LINE 105
#define IDS_SHOW_MAIN 107
#define IDS_EXIT 32778
// What the run history says of each kind of event, in the order of
// RunEventKind from IDS_RUN_EVENT_FIRST on.
#define IDS_RUN_EVENT_FIRST 1100
#define IDS_HISTORY 1120
#define IDS_HISTORY_NOT_OPENED 1121
#define IDS_HISTORY_TIME 1122
#define IDS_HISTORY_ACCOUNT 1123
#define IDS_HISTORY_WHAT 1124
#define IDS_PENDING 1125
#define IDS_PENDING_DUE 1126
#define IDS_PENDING_KIND 1127
#define IDS_PENDING_SUBJECT 1128
#define IDS_PENDING_ROUTE 1129
#define IDS_PENDING_SEND 1130
#define IDS_PENDING_FORWARD 1131
#define IDS_PROGRESS 1132
#define IDS_RETRY_LABEL 1133

// Icons and bitmaps
#define IDI_PROGRAM 120
#define IDB_SPLASH 150
#define IDB_TOOLBAR 151

// Commands of the main window. Each user command has a string of the same id
// in two equal halves: "text\ntext".
#define IDM_ABOUTBOX 16
#define IDM_HISTORY 32
#define IDM_PENDING 48
#define ID_TIMER_START 32771
#define ID_TIMER_STOP 32773
#define ID_SETTINGS 32774
#define ID_ABORT 32775
#define ID_CLOCK_SHOW 32776
#define ID_CLOCK_HIDE 32777
#define ID_SHOW_MAIN 32782
#define ID_FETCH 32784

// The tray icon and the message its mouse events arrive with
#define ID_TRAY_ICON 32780
#define WM_TRAY_NOTIFY 32781

// Timers
#define TIMER_SPLASH 501

// Controls of the main window
#define IDC_NEXT_TIME 1000
#define IDC_NOW_TIME 1001
#define IDC_NEXT_WEEKDAY 1002
#define IDC_NOW_WEEKDAY 1003

// Controls of the splash, the about box and the history window
#define IDC_SPLASH_PICTURE 1037
#define IDC_VERSION_LINE 1040
#define IDC_HISTORY_LIST 1130
#define IDC_HISTORY_OPEN 1131
#define IDC_PENDING_LIST 1132
#define IDC_PENDING_REFRESH 1133
