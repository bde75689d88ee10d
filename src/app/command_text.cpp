#include "app/command_text.h"

#include "text/cp932.h"

std::string CommandCaption(const std::string& resourceText) {
  const std::size_t lineBreak = cp932::Find(resourceText, '\n');
  return lineBreak == std::string::npos ? std::string() : resourceText.substr(lineBreak + 1);
}

std::string TooltipText(const std::string& caption) { return cp932::Truncate(caption, kTooltipMaxChars); }
