// The packet record: one flat tagged text, "<PKT>" fields "</PKT>", each field
// "<NAME>value</NAME>". The text is the whole state; every operation is a
// plain search on it, so duplicates, field order and oddly placed tags behave
// exactly as the text says.
//
// BasicPacket<char> is the gateway's form (ANSI code page text, double-byte
// aware search, "%" turned into the full-width "％" when a text is taken);
// BasicPacket<wchar_t> is the zone library's UTF-16 form.
#pragma once

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "packet/text_search.h"

template <class Ch>
class BasicPacket {
 public:
  using String = std::basic_string<Ch>;
  using View = std::basic_string_view<Ch>;
  static constexpr bool kNarrow = std::is_same_v<Ch, char>;
  // "％" in code page 949, spelled out so that every compiler gives these bytes.
  static constexpr const char* kFullWidthPercent = "\xA3\xA5";

  // The wide form's default packet is kind 0.
  BasicPacket() requires(!kNarrow) : BasicPacket(0) {}
  // "<PKT><GBN>kind</GBN></PKT>"
  explicit BasicPacket(int kind) {
    text_ = Lit("<PKT><GBN>");
    AppendNumber(text_, kind);
    text_ += Lit("</GBN></PKT>");
  }
  // The text up to its first NUL; in the narrow form every "%" becomes "％".
  explicit BasicPacket(View text) { SetText(text); }
  explicit BasicPacket(const Ch* text) { SetText(text ? View(text) : View()); }

  void SetText(View text) {
    text = text.substr(0, text.find(Ch(0)));
    if constexpr (kNarrow)
      text_ = zm::ReplaceAll<char>(text, "%", kFullWidthPercent);
    else
      text_ = String(text);
  }
  const String& GetText() const { return text_; }

  // Value of the first field of that name, or the default.
  String GetString(View name, View def) const {
    bool found = false;
    const View v = Value(name, found);
    return found ? String(v) : String(def);
  }

  // The value read as a decimal number with grouping commas ignored:
  // leading white space, an optional sign, digits; saturating at the limits.
  int64_t GetInt64(View name, int64_t def) const {
    bool found = false;
    const View v = Value(name, found);
    return found ? ParseInt64(v) : def;
  }

  void AddString(View name, View value) {
    const size_t at = zm::FindText<Ch>(text_, Lit("</PKT>"));
    if (at == View::npos) return;
    text_.insert(at, Element(name, value));
  }

  void AddInt64(View name, int64_t value) {
    String digits;
    AppendNumber(digits, value);
    AddString(name, digits);
  }

  // Removes the first field of that name and every identical copy of it.
  void RemoveField(View name) {
    bool found = false;
    const String element = Element(name, Value(name, found));
    if (zm::FindText<Ch>(text_, element) == View::npos) return;
    text_ = zm::ReplaceAll<Ch>(text_, element, View());
  }

  void SetString(View name, View value) {
    RemoveField(name);
    AddString(name, value);
  }

  void SetInt64(View name, int64_t value) {
    RemoveField(name);
    AddInt64(name, value);
  }

  // Copies the source's value of that name with SetString, when the bare name
  // occurs anywhere in the source's text.
  void CopyField(View name, const BasicPacket* source) {
    if (!source || name.empty()) return;
    if (zm::FindText<Ch>(source->text_, name) == View::npos) return;
    SetString(name, source->GetString(name, View()));
  }

  static int64_t ParseInt64(View v) {
    size_t i = 0;
    auto skip_commas = [&] {
      while (i < v.size() && v[i] == Ch(',')) ++i;
    };
    auto is_space = [](Ch c) {
      return c == Ch(' ') || c == Ch('\t') || c == Ch('\n') || c == Ch('\v') || c == Ch('\f') || c == Ch('\r');
    };
    for (skip_commas(); i < v.size() && is_space(v[i]); skip_commas()) ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == Ch('+') || v[i] == Ch('-'))) negative = v[i++] == Ch('-');
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    bool saturated = false;
    for (skip_commas(); i < v.size() && v[i] >= Ch('0') && v[i] <= Ch('9'); skip_commas()) {
      const unsigned digit = static_cast<unsigned>(v[i++] - Ch('0'));
      if (saturated || magnitude > (limit - digit) / 10) {
        saturated = true;
        continue;
      }
      magnitude = magnitude * 10 + digit;
    }
    if (saturated) magnitude = limit;
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  }

 protected:
  // An ASCII literal in this packet's character type.
  template <size_t N>
  static String Lit(const char (&ascii)[N]) {
    return String(ascii, ascii + N - 1);
  }

  template <class Int>
  static void AppendNumber(String& out, Int value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
  }

  static String Element(View name, View value) {
    String e;
    e.reserve(name.size() * 2 + value.size() + 5);
    e += Ch('<');
    e.append(name);
    e += Ch('>');
    e.append(value);
    e += Ch('<');
    e += Ch('/');
    e.append(name);
    e += Ch('>');
    return e;
  }

  // The value of the first field: from after the ">" that follows the first
  // opening tag up to the first closing tag, both searched from the start of
  // the text; empty when the closing tag stands before the value.
  View Value(View name, bool& found) const {
    found = false;
    const View text = text_;
    String tag;
    tag.reserve(name.size() + 3);
    tag += Ch('<');
    tag.append(name);
    tag += Ch('>');
    const size_t open = zm::FindText<Ch>(text, tag);
    if (open == View::npos) return {};
    const size_t start = zm::FindText<Ch>(text, View(&tag.back(), 1), open) + 1;
    tag.insert(tag.begin() + 1, Ch('/'));
    const size_t close = zm::FindText<Ch>(text, tag);
    if (close == View::npos) return {};
    found = true;
    return close < start ? View() : text.substr(start, close - start);
  }

  String text_;
};
