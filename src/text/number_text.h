// Whole numbers typed by the user.
#pragma once

#include <cstdint>
#include <string>

// Decimal digits with optional blanks around them, at most 4294967295. No
// sign, no separators; anything else (including full-width digits) refuses.
bool ParseUnsigned(const std::string& text, std::uint32_t& value);
