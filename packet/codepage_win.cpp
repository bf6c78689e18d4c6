// Windows build: the platform's own conversions with CP_ACP and CP_UTF8.
#include <windows.h>

#include <array>

#include "packet/codepage.h"

namespace zm::codepage {
namespace {

std::u16string ToWide(UINT cp, std::string_view in) {
  if (in.empty()) return {};
  const int n = MultiByteToWideChar(cp, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(cp, 0, in.data(), static_cast<int>(in.size()), reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

std::string FromWide(UINT cp, std::u16string_view in) {
  if (in.empty()) return {};
  const auto* w = reinterpret_cast<const wchar_t*>(in.data());
  // No best-fit look-alikes: what the code page lacks becomes its default character.
  const DWORD flags = cp == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(cp, flags, w, static_cast<int>(in.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, flags, w, static_cast<int>(in.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

const bool* LeadByteTable() {
  // The platform is asked once per byte value.
  static const auto table = [] {
    std::array<bool, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != 0;
    return t;
  }();
  return table.data();
}

bool IsLeadByte(unsigned char byte) { return LeadByteTable()[byte]; }

std::u16string AnsiToUtf16(std::string_view ansi) { return ToWide(CP_ACP, ansi); }
std::string Utf16ToAnsi(std::u16string_view text) { return FromWide(CP_ACP, text); }
std::u16string Utf8ToUtf16(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf16ToUtf8(std::u16string_view text) { return FromWide(CP_UTF8, text); }

}  // namespace zm::codepage
