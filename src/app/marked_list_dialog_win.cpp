#include "app/marked_list_dialog_win.h"

#include "res/resource.h"
#include "win/application_win.h"
#include "win/list_view_win.h"
#include "win/resource_text_win.h"

CMarkedListDialog::CMarkedListDialog(int templateId, int listId) : CDialog(templateId), listId_(listId) {}

CMarkedListDialog::~CMarkedListDialog() {
  if (IsOpen()) DestroyWindow(Handle());
  if (images_ != nullptr) ImageList_Destroy(images_);
}

void CMarkedListDialog::Open(HWND owner) {
  if (IsOpen()) {
    Refresh();
  } else if (!Create(owner)) {
    return;
  }
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
}

bool CMarkedListDialog::OnInitDialog() {
  if (HICON icon = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDI_PROGRAM))) {
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  HWND list = Item(listId_);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  if (images_ == nullptr) {
    images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddIcon(images_, static_cast<HICON>(LoadImageA(nullptr, IDI_WARNING, IMAGE_ICON, 16, 16, LR_SHARED)));
  }
  SetListImages(list, images_);
  int index = 0;
  for (const auto& [title, width] : Columns(list)) {
    InsertListColumn(list, index++, LoadResourceText(title), width);
  }
  Refresh();
  return true;
}

void CMarkedListDialog::Refresh() {
  if (!IsOpen()) {
    return;
  }
  HWND list = Item(listId_);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  DeleteAllListRows(list);
  FillRows(list);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}
