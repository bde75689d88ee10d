#include "win/resource_text_win.h"

#include <windows.h>

#include "win/application_win.h"

std::string LoadResourceText(int id) {
  char text[256] = "";
  LoadStringA(ResourceInstance(), static_cast<UINT>(id), text, sizeof text);
  return text;
}
