// A command's string resource holds two equal halves separated by a line
// break; the second half is what the toolbar's tips and the menus show.
#pragma once

#include <cstddef>
#include <string>

// The text after the first line break; empty when there is none.
std::string CommandCaption(const std::string& resourceText);

// A tooltip holds at most this many bytes (or wide characters) before its terminator.
inline constexpr std::size_t kTooltipMaxChars = 79;

// The caption cut to fit a tooltip without splitting a double-byte character.
std::string TooltipText(const std::string& caption);
