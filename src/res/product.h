// The program's name as its message boxes and its tray icon show it.
#pragma once

inline constexpr const char kProductCaption[] = "LARKSPUR32";
