// Small list-view helpers for report views: columns, and rows whose first
// cell carries an image and a data word besides its text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

// Adds a left-aligned column at index, width in pixels.
void InsertListColumn(HWND list, int index, const std::string& title, int width);

// How wide text is in pixels in the list's font.
int ListTextWidth(HWND list, const std::string& text);

// The small images of the rows.
void SetListImages(HWND list, HIMAGELIST images);

void DeleteAllListRows(HWND list);

// Inserts a row at index (a sorted list puts it where it belongs). Returns
// the row's index, or -1 when the list refused it.
int InsertListRow(HWND list, int index, const std::string& text, int image, LPARAM data);

// The text of a later column of a row.
void SetListCell(HWND list, int row, int column, const std::string& text);

// The first row with the focus, or -1.
int FocusedListRow(HWND list);

// The row's data word; 0 when there is no such row.
LPARAM ListRowData(HWND list, int row);
