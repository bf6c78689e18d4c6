#include <gtest/gtest.h>

#include <thread>

#include "tests/gateway/fake_host.h"

namespace {

using Texts = std::vector<std::string>;

// A packet whose text is exactly `size` bytes long.
Packet PacketOfSize(size_t size) {
  const std::string head = "<PKT><GBN>1003</GBN><DATA>", tail = "</DATA></PKT>";
  return Packet(head + std::string(size - head.size() - tail.size(), 'x') + tail);
}

TEST(ClientLink, IncomingMessageBecomesOnePacket) {
  const std::string passThrough = "<PKT><GBN>1007</GBN></PKT>";
  const struct {
    const char* name;
    std::uintptr_t dwData;
    std::string bytes;  // the message's bytes, exactly cbData of them
    bool nullData;
    WindowHandle sender;
    bool taken;
    const char* sent;  // what reaches the server; nullptr: nothing
  } cases[] = {
      {"with NUL", CD_PACKET, passThrough + '\0', false, kClient, true,
       "<PKT><GBN>1007</GBN><TRNO>1</TRNO></PKT>"},
      {"without NUL", CD_PACKET, passThrough, false, kClient, true, "<PKT><GBN>1007</GBN><TRNO>1</TRNO></PKT>"},
      {"text ends at first NUL", CD_PACKET, passThrough + std::string("\0<X>1</X>garbage", 16), false, kClient, true,
       "<PKT><GBN>1007</GBN><TRNO>1</TRNO></PKT>"},
      {"percent", CD_PACKET, "<PKT><GBN>1007</GBN><R>50%</R></PKT>", false, kClient, true,
       "<PKT><GBN>1007</GBN><R>50\xA3\xA5</R><TRNO>1</TRNO></PKT>"},
      {"sender 0", CD_PACKET, passThrough, false, kNoWindow, true, "<PKT><GBN>1007</GBN><TRNO>1</TRNO></PKT>"},
      {"no data pointer", CD_PACKET, passThrough, true, kClient, true, nullptr},
      {"no bytes", CD_PACKET, "", false, kClient, true, nullptr},
      {"other dwData", 2028, passThrough, false, kClient, false, nullptr},
      {"event value", CD_EVENT, passThrough, false, kClient, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    const WindowHandle before = 0x77;
    rig.core.OnCopyData(before, CD_PACKET, nullptr, 0);
    // A buffer of exactly cbData bytes, so reading past it is caught.
    std::vector<char> buffer(c.bytes.begin(), c.bytes.end());
    const void* data = c.nullData ? nullptr : buffer.data();
    const std::uint32_t size = c.nullData ? 10 : static_cast<std::uint32_t>(buffer.size());
    EXPECT_EQ(rig.core.OnCopyData(c.sender, c.dwData, data, size), c.taken);
    EXPECT_EQ(rig.core.ClientWindow(), c.taken ? c.sender : before);
    EXPECT_EQ(rig.host.Sent(), c.sent ? Texts{c.sent} : Texts{});
  }
}

TEST(ClientLink, PacketGoesInChunksOfAtMost4096BytesEndingWithNul) {
  const struct {
    size_t textSize;
    std::vector<std::uint32_t> chunks;
  } cases[] = {
      {100, {101}},
      {4095, {4096}},
      {4096, {4096, 1}},
      {10000, {4096, 4096, 1809}},
  };
  for (const auto& c : cases) {
    for (const std::uintptr_t kind : {CD_PACKET, CD_EVENT}) {
      SCOPED_TRACE(testing::Message() << c.textSize << " bytes, dwData " << kind);
      Rig rig;
      rig.Hello();
      const Packet p = PacketOfSize(c.textSize);
      const auto result = kind == CD_PACKET ? rig.core.SendToClient(p) : rig.core.SendEventToClient(p);
      EXPECT_EQ(result, 7) << "the client's result for the last chunk";
      const auto deliveries = rig.host.Deliveries();
      ASSERT_EQ(deliveries.size(), 1u);
      EXPECT_EQ(deliveries[0].window, kClient);
      EXPECT_EQ(deliveries[0].dwData, kind);
      EXPECT_EQ(deliveries[0].chunks, c.chunks);
      EXPECT_EQ(deliveries[0].text, p.GetText());
      // 1 ms after every chunk.
      Texts expected;
      for (auto size : c.chunks) {
        expected.push_back("chunk:" + std::to_string(kind) + ":" + std::to_string(size));
        expected.push_back("sleep:1");
      }
      EXPECT_EQ(rig.host.Log(), expected);
      EXPECT_FALSE(rig.host.Interleaved());
    }
  }
}

TEST(ClientLink, LostClientWindowIsFoundAgainByItsTitle) {
  constexpr WindowHandle kReopened = 0x2000;
  const struct {
    const char* name;
    WindowHandle known;
    bool knownAlive;
    WindowHandle titled;
    WindowHandle deliveredTo;  // kNoWindow: dropped
    WindowHandle knownAfter;
  } cases[] = {
      {"alive", kClient, true, kReopened, kClient, kClient},
      {"gone, reopened", kClient, false, kReopened, kReopened, kReopened},
      {"gone, no window of that title", kClient, false, kNoWindow, kNoWindow, kClient},
      {"none known", kNoWindow, false, kReopened, kNoWindow, kNoWindow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.core.OnCopyData(c.known, CD_PACKET, nullptr, 0);
    rig.host.SetAlive(kClient, c.knownAlive);
    rig.host.SetAlive(kReopened, true);
    rig.host.SetTitled(c.titled);
    const Packet p("<PKT><GBN>1002</GBN></PKT>");
    EXPECT_EQ(rig.core.SendToClient(p), c.deliveredTo ? 7 : -1);
    const auto deliveries = rig.host.Deliveries();
    if (c.deliveredTo) {
      ASSERT_EQ(deliveries.size(), 1u);
      EXPECT_EQ(deliveries[0].window, c.deliveredTo);
      EXPECT_EQ(deliveries[0].text, p.GetText());
    } else {
      EXPECT_TRUE(deliveries.empty());
    }
    EXPECT_EQ(rig.core.ClientWindow(), c.knownAfter);
  }
}

TEST_F(GatewayTest, AnswerToARequestWithoutSenderIsDropped) {
  host.SetTitled(kClient);
  core.OnCopyData(kNoWindow, CD_PACKET, "<PKT><GBN>1001</GBN></PKT>", 27);
  EXPECT_TRUE(Delivered().empty());
  EXPECT_EQ(core.ClientWindow(), kNoWindow);
}

TEST(ClientLink, ExitAsksTheClientOrTheUser) {
  const std::string question = "box:주마로-모의투자 접속을 종료하시겠습니까?:okcancel";
  const struct {
    const char* name;
    WindowHandle known;
    bool alive;
    int answer;
    Texts log;
  } cases[] = {
      {"client running", kClient, true, IGatewayHost::kAnswerOk, {"close-request:" + std::to_string(kClient)}},
      {"no client, OK", kNoWindow, false, IGatewayHost::kAnswerOk, {question, "close"}},
      {"no client, Cancel", kNoWindow, false, 2, {question}},
      {"client gone, OK", kClient, false, IGatewayHost::kAnswerOk, {question, "close"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.core.OnCopyData(c.known, CD_PACKET, nullptr, 0);
    rig.host.SetAlive(kClient, c.alive);
    rig.host.boxAnswer = c.answer;
    rig.core.RequestExit();
    EXPECT_EQ(rig.host.Log(), c.log);
  }
}

TEST_F(GatewayTest, DeliveriesFromTwoThreadsNeverInterleave) {
  host.realSleep = true;
  Hello();
  constexpr int kEach = 20;
  const Packet big = PacketOfSize(9000);
  core.Start();
  for (int i = 0; i < kEach; ++i) core.PostToClient(new Packet(big));
  for (int i = 0; i < kEach; ++i) core.SendEventToClient(big);
  while (core.ToClientCount()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  core.Shutdown();

  const auto deliveries = host.Deliveries();
  ASSERT_EQ(deliveries.size(), 2u * kEach);
  EXPECT_FALSE(host.Interleaved());
  for (const auto& d : deliveries) EXPECT_EQ(d.text, big.GetText());
}

}  // namespace
