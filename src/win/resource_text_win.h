// Texts from the string resources.
#pragma once

#include <string>

// The string resource id as cp932 text (at most 255 bytes); empty when missing.
std::string LoadResourceText(int id);
