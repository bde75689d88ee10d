#include "app/toolbar_tips_win.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/command_text.h"
#include "win/resource_text_win.h"

namespace {

// The command the tooltip asks about; a tool named by its window is asked
// about by that window's control id.
int ToolCommand(const NMHDR& header, UINT flags) {
  if ((flags & TTF_IDISHWND) != 0) {
    return GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom));
  }
  return static_cast<int>(header.idFrom);
}

std::string TipFor(int command) {
  return command == 0 ? std::string() : TooltipText(CommandCaption(LoadResourceText(command)));
}

}  // namespace

bool AnswerToolTipRequest(NMHDR* header) {
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    const std::string tip = TipFor(ToolCommand(*header, info->uFlags));
    std::memcpy(info->szText, tip.c_str(), tip.size() + 1);
    info->lpszText = info->szText;
  } else if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const std::string tip = TipFor(ToolCommand(*header, info->uFlags));
    // Never more wide characters than bytes, so the cut tip always fits.
    const int written = MultiByteToWideChar(932, 0, tip.c_str(), static_cast<int>(tip.size()),
                                            info->szText, static_cast<int>(kTooltipMaxChars));
    info->szText[written > 0 ? written : 0] = L'\0';
    info->lpszText = info->szText;
  } else {
    return false;
  }
  SetWindowPos(header->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}
