// Small window geometry helpers shared by the dialogs.
#pragma once

#include <windows.h>

#include <functional>

// The child's outer rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// Moves every child of parent by dx, dy, keeping its size and without
// repainting, except those for which skip answers true.
void OffsetChildren(HWND parent, int dx, int dy, const std::function<bool(HWND)>& skip);

// Centres the window on the desktop without resizing it.
void CenterOnDesktop(HWND window);

// The window's top-left corner on the screen; for a minimised window, where
// it will be when restored, not where the system parks it.
POINT RestoredTopLeft(HWND window);
