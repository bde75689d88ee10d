// Recognising the mail client's main window by its caption, and reading the
// account it shows there ("[title] ... - Corvid").
#pragma once

#include <string>

// The main-window test: the caption is exactly "Corvid" on a window that holds
// a view, or longer than "- Corvid" and ending with it on a character boundary.
bool IsClientCaption(const std::string& caption, bool hasViewChild);

// The title after the leading "[" characters up to the next "]"; empty when
// the caption does not begin with "[" or the bracket is never closed.
std::string AccountInCaption(const std::string& caption);
