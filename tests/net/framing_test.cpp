// Cutting the server's byte stream into packets.
#include "zmx/net/framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zm::net::FrameBuffer;
using namespace std::string_literals;

// UTF-8 bytes as they come from the wire (narrow literals here are CP949).
std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::vector<std::string> Drain(FrameBuffer& buf) {
  std::vector<std::string> out;
  while (auto p = buf.ExtractPacket()) out.push_back(p->GetText());
  return out;
}

struct Step {
  std::string bytes;                  // one read
  std::vector<std::string> packets;   // what that read completes
};

struct FramingCase {
  const char* name;
  std::vector<Step> steps;
  size_t left = 0;  // bytes still waiting at the end
};

class Framing : public testing::TestWithParam<FramingCase> {};

TEST_P(Framing, YieldsEachCompletePacketOnceInOrder) {
  FrameBuffer buf;
  for (const Step& s : GetParam().steps) {
    buf.Append(s.bytes);
    EXPECT_EQ(Drain(buf), s.packets) << "after reading " << testing::PrintToString(s.bytes);
  }
  EXPECT_EQ(buf.Size(), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(
    Stream, Framing,
    testing::Values(
        FramingCase{"TwoInOneRead",
                    {{"<PKT><GBN>1</GBN></PKT>\0<PKT><GBN>2</GBN></PKT>\0"s,
                      {"<PKT><GBN>1</GBN></PKT>", "<PKT><GBN>2</GBN></PKT>"}}}},
        FramingCase{"SplitInsideUtf8Sequence",
                    {{U8(u8"<PKT><NM>삼").substr(0, 10), {}},
                     {U8(u8"삼").substr(1, 1), {}},
                     {U8(u8"삼</NM></PKT>").substr(2), {}},
                     {"\0"s, {"<PKT><NM>삼</NM></PKT>"}}}},
        FramingCase{"TerminatorArrivesLate",
                    {{"<PKT><GBN>1</GBN></PK", {}}, {"T>", {}}, {"\0<PKT>"s, {"<PKT><GBN>1</GBN></PKT>"}}},
                    5},
        FramingCase{"TextBeforePktDropped", {{"xyz<PKT><GBN>1</GBN></PKT>\0"s, {"<PKT><GBN>1</GBN></PKT>"}}}},
        FramingCase{"FrameWithoutPktDropped",
                    {{"abc</PKT>\0<PKT><GBN>2</GBN></PKT>\0"s, {"<PKT><GBN>2</GBN></PKT>"}}}},
        FramingCase{"EndAtOffsetZeroDoesNotEndAFrame",
                    {{"</PKT><PKT><GBN>3</GBN></PKT>\0"s, {"<PKT><GBN>3</GBN></PKT>"}}}},
        FramingCase{"TerminatorValueNotChecked",
                    {{"<PKT><GBN>1</GBN></PKT>X<PKT><GBN>2</GBN></PKT>\n"s,
                      {"<PKT><GBN>1</GBN></PKT>", "<PKT><GBN>2</GBN></PKT>"}}}},
        FramingCase{"PercentBecomesFullWidth", {{"<PKT><R>50%</R></PKT>\0"s, {"<PKT><R>50％</R></PKT>"}}}},
        FramingCase{"MalformedUtf8BecomesDefaultChar", {{"<PKT><A>\xFF</A></PKT>\0"s, {"<PKT><A>?</A></PKT>"}}}},
        FramingCase{"TextEndsAtEmbeddedNul", {{"<PKT><A>x\0y</A></PKT>\0"s, {"<PKT><A>x"}}}},
        FramingCase{"ShortBufferWaits", {{"</PKT>\0"s, {}}}, 7}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever way the stream is cut into reads, the same packets come out.
TEST(Framing, ReadBoundariesDoNotMatter) {
  const std::string stream = "zz<PKT><GBN>1</GBN></PKT>\0abc</PKT>\0"s + U8(u8"<PKT><NM>삼성전자</NM></PKT>") + "\0"s +
                             "</PKT><PKT><GBN>2</GBN></PKT>\0<PKT>"s;
  FrameBuffer whole;
  whole.Append(stream);
  const std::vector<std::string> expected = Drain(whole);
  ASSERT_EQ(expected.size(), 3u);

  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    FrameBuffer buf;
    buf.Append(stream.substr(0, cut));
    std::vector<std::string> got = Drain(buf);
    buf.Append(stream.substr(cut));
    for (auto& p : Drain(buf)) got.push_back(p);
    EXPECT_EQ(got, expected) << "cut at " << cut;
    EXPECT_EQ(buf.Size(), 5u);
  }
  FrameBuffer bytewise;
  std::vector<std::string> got;
  for (char c : stream) {
    bytewise.Append(std::string_view(&c, 1));
    for (auto& p : Drain(bytewise)) got.push_back(p);
  }
  EXPECT_EQ(got, expected);
}

TEST(Framing, KoreanArrivesInAnsiAndGoesBackAsTheSameBytes) {
  const std::string wire = U8(u8"<PKT><GBN>6003</GBN><DATA>005930|삼성전자|10|71,500</DATA></PKT>");
  FrameBuffer buf;
  buf.Append(wire + '\0');
  auto p = buf.ExtractPacket();
  ASSERT_TRUE(p);
  EXPECT_EQ(p->GetText(), "<PKT><GBN>6003</GBN><DATA>005930|삼성전자|10|71,500</DATA></PKT>");
  EXPECT_EQ(p->ToUtf8(), wire + '\0');
}

// A frame that never ends is dropped at the limit; the link recovers at the
// next "</PKT>", whose frame (the tail of the oversize one) has no "<PKT>".
TEST(Framing, OversizeFrameIsDroppedAndFramingRecovers) {
  const std::string piece(4096, 'x');
  FrameBuffer buf;
  buf.Append("<PKT><DATA>");
  size_t fed = 11, drops = 0;
  while (fed <= zm::net::kReassemblyLimit + piece.size()) {
    buf.Append(piece);
    fed += piece.size();
    EXPECT_FALSE(buf.ExtractPacket());
    if (buf.EnforceLimit()) {
      ++drops;
      EXPECT_GT(fed, zm::net::kReassemblyLimit);
      EXPECT_EQ(buf.Size(), 0u);
    }
  }
  EXPECT_EQ(drops, 1u);
  buf.Append(piece + "</DATA></PKT>\0<PKT><GBN>7</GBN></PKT>\0"s);
  EXPECT_EQ(Drain(buf), std::vector<std::string>{"<PKT><GBN>7</GBN></PKT>"});
  EXPECT_EQ(buf.Size(), 0u);
}

// A packet just below the limit, arriving in pieces, is delivered whole.
TEST(Framing, LargePacketBelowTheLimitArrivesWhole) {
  const size_t value_size = zm::net::kReassemblyLimit - 64;
  const std::string head = "<PKT><DATA>", tail = "</DATA></PKT>\0"s;
  FrameBuffer buf;
  buf.Append(head);
  const std::string piece(4096, 'y');
  for (size_t left = value_size; left > 0;) {
    const size_t n = std::min(left, piece.size());
    buf.Append(std::string_view(piece).substr(0, n));
    left -= n;
    EXPECT_FALSE(buf.ExtractPacket());
    EXPECT_FALSE(buf.EnforceLimit());
  }
  buf.Append(tail);
  auto p = buf.ExtractPacket();
  ASSERT_TRUE(p);
  EXPECT_EQ(p->GetString("DATA", "").size(), value_size);
  EXPECT_EQ(buf.Size(), 0u);
}

}  // namespace
