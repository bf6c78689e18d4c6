// Conversions between the system's three text forms: the ANSI code page of
// the running program (code page 949 for Korean), UTF-16 and UTF-8.
// Windows uses the platform's conversion calls with CP_ACP and CP_UTF8; the
// native build reads the ANSI code page as CP949 through iconv and decodes
// UTF-8 itself the way Windows does.
#pragma once

#include <string>
#include <string_view>

namespace zm::codepage {

// True when the byte starts a double-byte character of the ANSI code page.
bool IsLeadByte(unsigned char byte);
// The same answer for all 256 byte values, for loops that step over text.
const bool* LeadByteTable();

std::u16string AnsiToUtf16(std::string_view ansi);
// Characters the code page cannot hold become its default character ("?").
std::string Utf16ToAnsi(std::u16string_view text);
// Malformed sequences decode to U+FFFD, one per maximal invalid subpart.
std::u16string Utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates encode as U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace zm::codepage
