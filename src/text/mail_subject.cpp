#include "text/mail_subject.h"

#include "text/cp932.h"

namespace {

// The bytes of a base64 text; false when it is not base64.
bool DecodeBase64(const std::string& text, std::string& bytes) {
  unsigned int bits = 0;
  int count = 0;
  for (char c : text) {
    int value;
    if (c >= 'A' && c <= 'Z') {
      value = c - 'A';
    } else if (c >= 'a' && c <= 'z') {
      value = c - 'a' + 26;
    } else if (c >= '0' && c <= '9') {
      value = c - '0' + 52;
    } else if (c == '+' || c == '/') {
      value = c == '+' ? 62 : 63;
    } else if (c == '=') {
      break;
    } else {
      return false;
    }
    bits = (bits << 6) | static_cast<unsigned int>(value);
    if ((count += 6) >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool DecodeQ(const std::string& text, std::string& bytes) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_') {
      bytes += ' ';
    } else if (text[i] != '=') {
      bytes += text[i];
    } else if (i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      return false;
    }
  }
  return true;
}

// ISO-2022-JP (and plain ASCII) into cp932: JIS X 0208 pairs become their
// Shift_JIS pairs, the half-width kana set its single bytes.
std::string FromIso2022Jp(const std::string& text) {
  enum { kAscii, kKanji, kKana } mode = kAscii;
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0x1B && i + 2 < text.size()) {
      const std::string escape = text.substr(i + 1, 2);
      if (escape == "$B" || escape == "$@") {
        mode = kKanji;
      } else if (escape == "(I") {
        mode = kKana;
      } else {
        mode = kAscii;  // "(B", "(J"
      }
      i += 2;
    } else if (mode == kKanji && i + 1 < text.size() && c >= 0x21 && c <= 0x7E) {
      const unsigned char j2 = static_cast<unsigned char>(text[++i]);
      out += static_cast<char>(((c + 1) >> 1) + (c <= 0x5E ? 0x70 : 0xB0));
      out += static_cast<char>(j2 + ((c & 1) != 0 ? (j2 >= 0x60 ? 0x20 : 0x1F) : 0x7E));
    } else if (mode == kKana && c >= 0x21 && c <= 0x5F) {
      out += static_cast<char>(c + 0x80);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool IsCharset(const std::string& charset, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (cp932::EqualsIgnoreAsciiCase(charset, name)) return true;
  }
  return false;
}

// One encoded word's text; false when it is not one this can show.
bool DecodeWord(const std::string& charset, const std::string& encoding, const std::string& text, std::string& out) {
  std::string bytes;
  const bool decoded = cp932::EqualsIgnoreAsciiCase(encoding, "B")   ? DecodeBase64(text, bytes)
                       : cp932::EqualsIgnoreAsciiCase(encoding, "Q") ? DecodeQ(text, bytes)
                                                                      : false;
  if (!decoded) {
    return false;
  }
  if (IsCharset(charset, {"ISO-2022-JP", "US-ASCII"})) {
    out += FromIso2022Jp(bytes);
  } else if (IsCharset(charset, {"Shift_JIS", "Shift-JIS", "SJIS", "x-sjis", "Windows-31J", "CP932"})) {
    out += bytes;
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string DecodeSubject(const std::string& header) {
  // The Subject field, its folded lines joined.
  std::string raw;
  bool inSubject = false;
  std::size_t start = 0;
  while (start < header.size()) {
    std::size_t end = header.find('\n', start);
    if (end == std::string::npos) end = header.size();
    std::string line = header.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) break;
    if (line[0] == ' ' || line[0] == '\t') {
      if (inSubject) raw += line;
      continue;
    }
    inSubject = line.size() >= 8 && cp932::EqualsIgnoreAsciiCase(line.substr(0, 8), "Subject:");
    if (inSubject) raw = line.substr(8);
  }
  // Encoded words; the blanks between two of them go.
  std::string out;
  std::string pendingBlank;
  bool afterWord = false;
  for (std::size_t i = 0; i < raw.size();) {
    if (raw.compare(i, 2, "=?") == 0) {
      const std::size_t q1 = raw.find('?', i + 2);
      const std::size_t q2 = q1 == std::string::npos ? q1 : raw.find('?', q1 + 1);
      const std::size_t close = q2 == std::string::npos ? q2 : raw.find("?=", q2 + 1);
      if (close != std::string::npos) {
        std::string word;
        if (!DecodeWord(raw.substr(i + 2, q1 - i - 2), raw.substr(q1 + 1, q2 - q1 - 1),
                        raw.substr(q2 + 1, close - q2 - 1), word)) {
          return std::string();
        }
        if (!afterWord) out += pendingBlank;
        out += word;
        pendingBlank.clear();
        afterWord = true;
        i = close + 2;
        continue;
      }
    }
    if (raw[i] == ' ' || raw[i] == '\t') {
      pendingBlank += ' ';
      ++i;
      continue;
    }
    out += pendingBlank;
    pendingBlank.clear();
    afterWord = false;
    const std::size_t length = cp932::CharLength(raw, i);
    out += raw.substr(i, length);
    i += length;
  }
  if (!afterWord) out += pendingBlank;
  // Leading blanks, and raw ISO-2022-JP.
  const std::size_t first = out.find_first_not_of(' ');
  out = first == std::string::npos ? std::string() : out.substr(first);
  return out.find('\x1B') == std::string::npos ? out : FromIso2022Jp(out);
}
