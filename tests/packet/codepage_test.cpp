// One table of conversions that both builds pass: CP949 through iconv
// natively, the platform's CP_ACP (949 under the test runner) on Windows.
#include "packet/codepage.h"

#include <gtest/gtest.h>

#include "packet/packet.h"

namespace {

using namespace zm::codepage;

TEST(Codepage, KoreanRoundTrip) {
  const std::string ansi = "\xC1\xD6\xB8\xB6\xB7\xCE";  // 주마로
  const std::string utf8 = "\xEC\xA3\xBC\xEB\xA7\x88\xEB\xA1\x9C";
  EXPECT_EQ(std::string("주마로"), ansi);  // literals are compiled to code page 949
  EXPECT_EQ(AnsiToUtf16(ansi), u"주마로");
  EXPECT_EQ(Utf16ToAnsi(u"주마로"), ansi);
  EXPECT_EQ(Utf8ToUtf16(utf8), u"주마로");
  EXPECT_EQ(Utf16ToUtf8(u"주마로"), utf8);
  EXPECT_EQ(Utf16ToAnsi(u"％"), "\xA3\xA5");
  EXPECT_TRUE(IsLeadByte(0xC1));
  EXPECT_FALSE(IsLeadByte('A'));
}

TEST(Codepage, MalformedAndUnrepresentable) {
  const struct {
    const char* name;
    std::string utf8;
    std::u16string wide;
  } cases[] = {
      {"lone FF", "a\xFF" "b", u"a\uFFFD" "b"},
      {"lone continuation", "\x80", u"\uFFFD"},
      {"truncated three-byte", "\xEC\xA3", u"\uFFFD"},
      {"truncated then ASCII", "\xEC\xA3" "A", u"\uFFFD" "A"},
      {"overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"four-byte", "\xF0\x9F\x98\x80", u"\U0001F600"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.wide) << c.name;
  // An encoded surrogate is rejected; how many replacements it gives differs
  // between platforms, but nothing of it survives and what follows does.
  const std::u16string surrogate = Utf8ToUtf16("\xED\xA0\x80" "A");
  ASSERT_GE(surrogate.size(), 2u);
  EXPECT_EQ(surrogate.back(), u'A');
  EXPECT_EQ(surrogate.find_first_not_of(u'\uFFFD'), surrogate.size() - 1);

  EXPECT_EQ(Utf16ToAnsi(u"a\u00E9b"), "a?b");  // no é in code page 949
  EXPECT_EQ(Utf16ToAnsi(u"\uFFFD"), "?");
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST(Codepage, FrameConversion) {
  EXPECT_EQ(zm::WireToText("<PKT>\xFF</PKT>"), "<PKT>?</PKT>");
  EXPECT_EQ(zm::WireToText(std::string_view("<PKT>\xEC\xA3\xBC\0tail</PKT>", 18)), "<PKT>주");
  EXPECT_EQ(zm::WireToText(std::string_view("<PKT>a\0b", 8)), "<PKT>a");
  EXPECT_EQ(zm::WireToText(""), "");
}

}  // namespace
