// The one substring search of the packet record and the list helpers.
// Narrow text is in the ANSI code page and the search is aware of its
// double-byte characters: a match never begins on a trail byte. Wide text is
// compared code unit by code unit.
#pragma once

#include <string>
#include <string_view>

#include "packet/codepage.h"

namespace zm {

template <class Ch>
inline constexpr bool kDoubleByteAware = std::is_same_v<Ch, char>;

// A byte below 0x40 is neither a lead nor a trail byte in any double-byte
// ANSI code page, so the position after it always starts a character.
inline constexpr unsigned char kSafeByteLimit = 0x40;

// Length in code units of the character at `i` (2 for a lead byte with its
// trail byte in narrow text, else 1).
template <class Ch>
size_t CharLength(std::basic_string_view<Ch> text, size_t i, [[maybe_unused]] const bool* lead = nullptr) {
  if constexpr (kDoubleByteAware<Ch>) {
    if (!lead) lead = codepage::LeadByteTable();
    return (lead[static_cast<unsigned char>(text[i])] && i + 1 < text.size()) ? 2 : 1;
  } else {
    return 1;
  }
}

// Position of the first match of `pattern` at or after `from` (which starts a
// character), or npos.
template <class Ch>
size_t FindText(std::basic_string_view<Ch> text, std::basic_string_view<Ch> pattern, size_t from = 0) {
  if constexpr (!kDoubleByteAware<Ch>) {
    return text.find(pattern, from);
  } else {
    const bool* lead = codepage::LeadByteTable();
    size_t known = from;  // a position known to start a character
    size_t p = from;
    for (;;) {
      p = text.find(pattern, p);
      if (p == std::string_view::npos) return p;
      // Resynchronise from the nearest safe byte before p (or `known`).
      size_t s = p;
      while (s > known && static_cast<unsigned char>(text[s - 1]) >= kSafeByteLimit) --s;
      while (s < p) s += CharLength(text, s, lead);
      if (s == p) return p;
      known = p = s;  // p was a trail byte; s starts the next character
    }
  }
}

// Every non-overlapping match, left to right, replaced.
template <class Ch>
std::basic_string<Ch> ReplaceAll(std::basic_string_view<Ch> text, std::basic_string_view<Ch> pattern,
                                 std::basic_string_view<Ch> with) {
  std::basic_string<Ch> out;
  if (pattern.empty()) return std::basic_string<Ch>(text);
  size_t at = 0;
  for (size_t p; (p = FindText(text, pattern, at)) != std::basic_string_view<Ch>::npos; at = p + pattern.size()) {
    if (out.empty()) out.reserve(text.size());
    out.append(text.substr(at, p - at)).append(with);
  }
  if (at == 0) return std::basic_string<Ch>(text);
  out.append(text.substr(at));
  return out;
}

}  // namespace zm
