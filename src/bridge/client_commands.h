// The texts this program hands to the mail client: its DDE commands and the
// command line that starts it.
#pragma once

#include <cstdint>
#include <string>

// True when text can stand as an argument of a DDE command: not empty, no
// ",", "(", ")" or control character, and only whole cp932 characters (a lone
// or malformed lead byte would swallow the separator after it).
bool IsSafeCommandArgument(const std::string& text);

// "MarkMail(<path>,<mark>,<flag>)" with the flag's low 16 bits; false, and no
// command, when the path is not a safe argument.
bool MarkMailCommand(const std::string& mailPath, std::int32_t mark, int on, std::string& command);

// "MoveMail(<path>,<target folder>)"; false when either is not a safe argument.
bool MoveMailCommand(const std::string& mailPath, const std::string& targetFolder,
                     std::string& command);

// "<program> <data root> <extra>", with "corvid.exe" for an empty program. A
// program path with blanks is quoted so the system cannot start a different
// program named by its first words; the data root goes as the client expects it.
std::string LaunchCommandLine(const std::string& program, const std::string& dataRoot,
                              const std::string& extra);
