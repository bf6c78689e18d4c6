// The packet record's operations, exactly as the text says, in both forms.
#include "packet/packet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PacketKind, FormatsAndReadsBack) {
  EXPECT_EQ(Packet(6001).GetText(), "<PKT><GBN>6001</GBN></PKT>");
  EXPECT_EQ(Packet(900000).GetText(), "<PKT><GBN>900000</GBN></PKT>");
  EXPECT_EQ(Packet(-1).GetText(), "<PKT><GBN>-1</GBN></PKT>");
  EXPECT_EQ(Packet(-1).GetInt64("GBN", 0), -1);

  Packet p("<PKT><GBN>1003</GBN><TRNO>5</TRNO></PKT>");
  p.SetInt64("GBN", 8003);
  EXPECT_EQ(p.GetText(), "<PKT><TRNO>5</TRNO><GBN>8003</GBN></PKT>");
  EXPECT_EQ(p.GetInt64("GBN", 0), 8003);
}

TEST(PacketText, PercentAndNulOnlyAtTheEdge) {
  EXPECT_EQ(Packet("50%").GetText(), "50％");
  EXPECT_EQ(Packet("50%").GetText(), "50\xA3\xA5");
  Packet p(std::string_view("<PKT>\0<X>1</X></PKT>", 20));
  EXPECT_EQ(p.GetText(), "<PKT>");
  p.SetText("<PKT>%%</PKT>");
  EXPECT_EQ(p.GetText(), "<PKT>％％</PKT>");

  Packet q(1004);
  q.AddString("R_MSG", "50%");
  EXPECT_EQ(q.GetString("R_MSG", ""), "50%");
  EXPECT_EQ(Packet(static_cast<const char*>(nullptr)).GetText(), "");
}

struct ReadCase {
  const char* text;
  const char* name;
  const char* expected;  // nullptr: the default comes back
};

class GetStringTable : public testing::TestWithParam<ReadCase> {};

TEST_P(GetStringTable, ReadsTheFirstFieldOrTheDefault) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(Packet(c.text).GetString(c.name, "DEF"), c.expected ? c.expected : "DEF") << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, GetStringTable,
    testing::Values(ReadCase{"<PKT><GBN>1</GBN><IDX>7</IDX></PKT>", "IDX", "7"},
                    ReadCase{"<PKT><ODRNO></ODRNO></PKT>", "ODRNO", ""},         // present but empty
                    ReadCase{"<PKT><IDX>7</PKT>", "IDX", nullptr},              // no closing tag
                    ReadCase{"<PKT></IDX><IDX>7</IDX></PKT>", "IDX", ""},        // closing tag first
                    ReadCase{"<PKT><DATA1>x</DATA1></PKT>", "DATA", nullptr},    // names are whole
                    ReadCase{"<PKT><IDX>1</IDX><IDX>2</IDX></PKT>", "IDX", "1"}, // first one wins
                    ReadCase{"<PKT><A>가나</A></PKT>", "A", "가나"},
                    ReadCase{"", "GBN", nullptr}));

TEST(PacketInt, LenientParseWithCommasAndSaturation) {
  const Packet p("<PKT><GBN>1003</GBN><AMNY>1,250,000</AMNY><ODRNO></ODRNO></PKT>");
  EXPECT_EQ(p.GetInt64("GBN", 0), 1003);
  EXPECT_EQ(p.GetInt64("AMNY", 0), 1250000);
  EXPECT_EQ(p.GetInt64("ODRNO", 0), 0);
  EXPECT_EQ(p.GetInt64("TRNO", 0), 0);
  EXPECT_EQ(p.GetInt64("TRNO", 42), 42);

  const struct {
    const char* value;
    int64_t expected;
  } cases[] = {{" 42", 42},
               {"12abc", 12},
               {"-7", -7},
               {"+8", 8},
               {"abc", 0},
               {"", 0},
               {"- 5", 0},
               {"9223372036854775807", INT64_MAX},
               {"9223372036854775808", INT64_MAX},
               {"-9223372036854775808", INT64_MIN},
               {"-99999999999999999999", INT64_MIN},
               {"1,2,3", 123},
               {",\t-1,0", -10}};
  for (const auto& c : cases) {
    Packet q(0);
    q.AddString("V", c.value);
    EXPECT_EQ(q.GetInt64("V", 0), c.expected) << c.value;
  }
}

TEST(PacketWrite, AddInsertsBeforeTheFirstEndMarker) {
  Packet p(6001);
  p.AddInt64("ZMSEQ", 12);
  p.AddString("SF", "ZMX");
  EXPECT_EQ(p.GetText(), "<PKT><GBN>6001</GBN><ZMSEQ>12</ZMSEQ><SF>ZMX</SF></PKT>");

  p.AddInt64("SF", INT64_MIN);  // no check for an existing field
  EXPECT_EQ(p.GetString("SF", ""), "ZMX");

  Packet no_end("<PKT><A>1</A>");
  no_end.AddString("B", "2");
  no_end.AddInt64("C", 3);
  EXPECT_EQ(no_end.GetText(), "<PKT><A>1</A>");
  no_end.SetString("A", "9");  // removes, adds nothing
  EXPECT_EQ(no_end.GetText(), "<PKT>");

  Packet inside(1);
  inside.AddString("V", "a</PKT>b");
  inside.AddString("W", "x");
  EXPECT_EQ(inside.GetText(), "<PKT><GBN>1</GBN><V>a<W>x</W></PKT>b</V></PKT>");
}

TEST(PacketWrite, RemoveAndSet) {
  Packet p("<PKT><A>1</A><B>2</B><A>1</A><A>3</A></PKT>");
  p.RemoveField("A");  // every identical copy; other values survive
  EXPECT_EQ(p.GetText(), "<PKT><B>2</B><A>3</A></PKT>");
  p.RemoveField("Z");
  EXPECT_EQ(p.GetText(), "<PKT><B>2</B><A>3</A></PKT>");

  Packet dup("<PKT><IDX>1</IDX><IDX>2</IDX></PKT>");
  dup.SetString("IDX", "3");
  EXPECT_EQ(dup.GetText(), "<PKT><IDX>2</IDX><IDX>3</IDX></PKT>");
  EXPECT_EQ(dup.GetString("IDX", ""), "2");
}

TEST(PacketWrite, CopyFieldUsesTheBareNameTest) {
  const Packet source("<PKT><XDATA1Y>q</XDATA1Y><AMNY>5</AMNY></PKT>");
  Packet p(1006);
  p.CopyField("DATA1", &source);  // name occurs only inside a longer tag
  p.CopyField("AMNY", &source);
  p.CopyField("ODRNO", &source);  // absent: nothing
  p.CopyField("AMNY", nullptr);
  EXPECT_EQ(p.GetText(), "<PKT><GBN>1006</GBN><DATA1></DATA1><AMNY>5</AMNY></PKT>");
}

TEST(PacketSearch, NeverMatchesATrailByte) {
  // "갂" is 81 41 in code page 949: its trail byte is the letter A.
  Packet p("<PKT><V>\x81\x41</V><A>1</A></PKT>");
  EXPECT_EQ(p.GetString("A", "D"), "1");
  EXPECT_EQ(zm::FindText<char>(std::string_view("\x81\x41" "A"), "A"), 2u);
  EXPECT_EQ(zm::FindText<char>(std::string_view("xx\x81\x41"), "A"), std::string_view::npos);
  EXPECT_EQ(zm::FindText<char>(std::string_view("\x81\x41\x81\x41\x41"), "A"), 4u);
  EXPECT_EQ(zm::ReplaceAll<char>(std::string_view("A\x81\x41" "A"), "A", "-"), "-\x81\x41-");
}

TEST(PacketWire, ToUtf8AndBack) {
  EXPECT_EQ(Packet(900000).ToUtf8(), std::string("<PKT><GBN>900000</GBN></PKT>\0", 29));
  const Packet k("<PKT><N>주마로</N></PKT>");
  const std::string wire = k.ToUtf8();
  EXPECT_EQ(wire, std::string("<PKT><N>\xEC\xA3\xBC\xEB\xA7\x88\xEB\xA1\x9C</N></PKT>\0", 28));
  EXPECT_EQ(zm::WireToText(std::string_view(wire.data(), wire.size() - 1)), k.GetText());
}

TEST(PacketWide, SameGrammarOverUtf16) {
  WPacket w;
  EXPECT_EQ(w.GetText(), L"<PKT><GBN>0</GBN></PKT>");
  w.AddString(L"NAME", L"주마로 50%");
  w.AddInt64(L"QTY", 1250000);
  EXPECT_EQ(w.GetString(L"NAME", L""), L"주마로 50%");
  w.SetInt64(L"GBN", 7);
  EXPECT_EQ(w.GetText(), L"<PKT><NAME>주마로 50%</NAME><QTY>1250000</QTY><GBN>7</GBN></PKT>");
  EXPECT_EQ(WPacket(L"<PKT><Q>1,250</Q></PKT>").GetInt64(L"Q", 0), 1250);

  BasicPacket<char16_t> u(u"<PKT></IDX><IDX>7</IDX></PKT>");
  EXPECT_EQ(u.GetString(u"IDX", u"D"), u"");
  u.RemoveField(u"IDX");
  EXPECT_EQ(u.GetText(), u"<PKT></IDX><IDX>7</IDX></PKT>");
  EXPECT_EQ(BasicPacket<char16_t>(u"50%").GetText(), u"50%");  // no substitution
}

}  // namespace
