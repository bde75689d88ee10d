#include "win/window_text_win.h"

#include <vector>

std::string WindowText(HWND window) {
  const int length = window != nullptr ? GetWindowTextLengthA(window) : 0;
  std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  if (window != nullptr) {
    GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
  }
  return buffer.data();
}
