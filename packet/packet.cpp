#include "packet/packet.h"

#include <algorithm>

#include "packet/codepage.h"

namespace {

// Plain ASCII reads the same in every form, so it needs no conversion.
bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string Packet::ToUtf8() const {
  std::string out = IsAscii(text_) ? text_ : zm::codepage::Utf16ToUtf8(zm::codepage::AnsiToUtf16(text_));
  out.push_back('\0');
  return out;
}

namespace zm {

std::string WireToText(std::string_view frame) {
  if (IsAscii(frame)) return std::string(frame.substr(0, frame.find('\0')));
  std::u16string wide = codepage::Utf8ToUtf16(frame);
  wide.resize(std::min(wide.size(), wide.find(u'\0')));
  return codepage::Utf16ToAnsi(wide);
}

}  // namespace zm
