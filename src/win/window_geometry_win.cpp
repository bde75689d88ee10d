#include "win/window_geometry_win.h"

#include <vector>

RECT ChildRect(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void OffsetChildren(HWND parent, int dx, int dy, const std::function<bool(HWND)>& skip) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  for (HWND child : children) {
    if (skip(child)) {
      continue;
    }
    const RECT rect = ChildRect(child);
    MoveWindow(child, rect.left + dx, rect.top + dy, rect.right - rect.left, rect.bottom - rect.top,
               FALSE);
  }
}

void CenterOnDesktop(HWND window) {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = desktop.left + (desktop.right - desktop.left - width) / 2;
  const int top = desktop.top + (desktop.bottom - desktop.top - height) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT RestoredTopLeft(HWND window) {
  if (!IsIconic(window)) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  // The restored position is kept in work-area coordinates.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return {placement.rcNormalPosition.left + monitor.rcWork.left - monitor.rcMonitor.left,
          placement.rcNormalPosition.top + monitor.rcWork.top - monitor.rcMonitor.top};
}
