// Small tab-control helpers: tabs with a text, one of them selected.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

void InsertTab(HWND tabs, int index, const std::string& text);

// Selects the tab at index without telling the owner.
void SelectTab(HWND tabs, int index);

// The selected tab's index, or -1 when none is.
int SelectedTab(HWND tabs);
