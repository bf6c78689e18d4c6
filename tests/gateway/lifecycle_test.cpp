#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "tests/gateway/fake_host.h"

namespace {

using Texts = std::vector<std::string>;
using namespace std::chrono_literals;

TEST_F(GatewayTest, DeliveredPacketsAreRetiredAndReleasedOnePerPassBeyond100) {
  Hello();
  core.PostToClient(new Packet("<PKT><GBN>1002</GBN></PKT>"));
  core.DeliveryPass();
  EXPECT_EQ(host.Delivered().size(), 1u);
  EXPECT_EQ(core.ToClientCount(), 0u);
  EXPECT_EQ(core.RetiredCount(), 2u) << "the delivered one and the empty first message";

  for (int i = 0; i < 998; ++i) core.RetirePacket(new Packet(1002));
  ASSERT_EQ(core.RetiredCount(), 1000u);
  for (size_t expected = 999; expected >= 100; --expected) {
    core.DeliveryPass();
    ASSERT_EQ(core.RetiredCount(), expected);
  }
  core.DeliveryPass();
  EXPECT_EQ(core.RetiredCount(), 100u);
}

TEST_F(GatewayTest, TeardownReleasesEveryCollectionAndDeliversNothingAfterwards) {
  Hello();
  Client("<PKT><GBN>1003</GBN><IDX>101</IDX></PKT>");
  Client("<PKT><GBN>1003</GBN><IDX>102</IDX></PKT>");
  Client("<PKT><GBN>1006</GBN><IDX>1</IDX></PKT>");
  Client("<PKT><GBN>1007</GBN></PKT>");
  Client("<PKT><GBN>1001</GBN></PKT>");
  Server("<PKT><GBN>999</GBN></PKT>");
  ASSERT_EQ(core.QueryCount(), 2u);
  ASSERT_EQ(core.PendingCount(), 2u);
  ASSERT_EQ(core.ToClientCount(), 1u);
  ASSERT_EQ(core.RetiredCount(), 2u);
  host.ClearRecords();

  core.Shutdown();
  EXPECT_EQ(host.Log(), (Texts{"tick-stopped", "windows-destroyed"}));
  EXPECT_EQ(core.QueryCount(), 0u);
  EXPECT_EQ(core.PendingCount(), 0u);
  EXPECT_EQ(core.ToClientCount(), 0u);
  EXPECT_EQ(core.RetiredCount(), 0u);

  // Afterwards nothing is sent to the server or reaches the client.
  Client("<PKT><GBN>1003</GBN><IDX>103</IDX></PKT>");
  Tick();
  Client("<PKT><GBN>1001</GBN></PKT>");
  EXPECT_EQ(core.SendEventToClient(Packet(8003)), -1);
  core.DeliveryPass();
  EXPECT_TRUE(host.Sent().empty());
  EXPECT_TRUE(host.Deliveries().empty());
  EXPECT_EQ(core.ToClientCount(), 0u);
}

TEST_F(GatewayTest, DeliveryThreadDeliversUntilShutdown) {
  host.realSleep = true;
  Hello();
  core.Start();
  EXPECT_TRUE(core.IsRunning());
  for (int i = 0; i < 5; ++i) Client("<PKT><GBN>1001</GBN></PKT>");
  for (auto deadline = std::chrono::steady_clock::now() + 10s;
       host.Deliveries().size() < 5 && std::chrono::steady_clock::now() < deadline;)
    std::this_thread::sleep_for(1ms);
  EXPECT_EQ(host.Deliveries().size(), 5u);
  core.Shutdown();
  EXPECT_FALSE(core.IsRunning());
  core.PostToClient(new Packet(1002));
  std::this_thread::sleep_for(5ms);
  EXPECT_EQ(host.Deliveries().size(), 5u);
}

TEST(Lifecycle, CoreLeftRunningStopsItsThreadWhenDestroyed) {
  FakeHost host;
  host.realSleep = true;
  {
    CGatewayCore core(host);
    core.Start();
    core.PostToClient(new Packet(1002));
    core.RetirePacket(new Packet(1002));
  }
  SUCCEED();
}

// The user-interface side (client requests and server answers), the request
// tick and the delivery thread all at once.
TEST(Lifecycle, ThreeThreadsAtOnce) {
  constexpr std::uint32_t kTick = 9;
  constexpr int kRounds = 40;
  FakeHost host;
  host.realSleep = true;
  CGatewayCore core(host);
  core.SetRequestTick(kTick);
  core.OnCopyData(kClient, CD_PACKET, nullptr, 0);
  core.Start();

  std::atomic<bool> ticking{true};
  std::thread tick([&] {
    while (ticking) {
      core.OnRequestTick(kTick);
      std::this_thread::sleep_for(1ms);
    }
  });

  // Rows enough that the holdings event and its answer take several chunks.
  std::string rows;
  for (int i = 0; i < 800; ++i) rows += "K" + std::to_string(100000 + i) + "|x|1\n";

  size_t answered = 0;
  auto answerSent = [&] {
    const auto sent = host.Sent();
    for (; answered < sent.size(); ++answered) {
      const Packet out(sent[answered]);
      const std::string trno = std::to_string(out.GetInt64("TRNO", 0));
      const std::string idx = std::to_string(out.GetInt64("IDX", 0));
      if (out.GetInt64("GBN", 0) == 6002)
        core.DispatchPacket(new Packet("<PKT><GBN>6002</GBN><IDX>" + idx + "</IDX><TRNO>" + trno +
                                       "</TRNO><RESULT>OK</RESULT><AMNY>1</AMNY><ODRNO>2</ODRNO></PKT>"));
      else
        core.DispatchPacket(new Packet("<PKT><GBN>6003</GBN><IDX>" + idx + "</IDX><TRNO>" + trno + "</TRNO><DATA>" +
                                       rows + "</DATA></PKT>"));
    }
  };

  const int queries[] = {101, 102, 103};
  for (int round = 0; round < kRounds; ++round) {
    core.OnCopyData(kClient, CD_PACKET, "<PKT><GBN>1006</GBN><IDX>1</IDX></PKT>", 39);
    const std::string query = "<PKT><GBN>1003</GBN><IDX>" + std::to_string(queries[round % 3]) + "</IDX></PKT>";
    core.OnCopyData(kClient, CD_PACKET, query.c_str(), query.size() + 1);
    answerSent();
    if (round % 8 == 0) core.DispatchPacket(new Packet("<PKT><GBN>6004</GBN><IDX>101</IDX></PKT>"));
    std::this_thread::sleep_for(1ms);
  }
  for (auto deadline = std::chrono::steady_clock::now() + 60s;
       (core.QueryCount() || core.PendingCount() || core.ToClientCount()) &&
       std::chrono::steady_clock::now() < deadline;) {
    answerSent();
    std::this_thread::sleep_for(2ms);
  }
  ticking = false;
  tick.join();
  core.Shutdown();

  EXPECT_EQ(core.PendingCount(), 0u);
  EXPECT_FALSE(host.Interleaved());
  size_t orders = 0, events = 0, holdings = 0;
  for (const auto& d : host.Deliveries()) {
    const Packet p(d.text);
    EXPECT_EQ(d.text.rfind("<PKT>", 0), 0u);
    EXPECT_EQ(d.text.size() - d.text.rfind("</PKT>"), 6u);
    if (d.dwData == CD_EVENT) ++events;
    if (p.GetInt64("GBN", 0) == 1006) ++orders;
    if (p.GetInt64("GBN", 0) == 1003 && p.GetInt64("IDX", 0) == 101) ++holdings;
  }
  EXPECT_EQ(orders, static_cast<size_t>(kRounds));
  EXPECT_GT(events, 0u);
  EXPECT_EQ(events, holdings) << "every holdings answer has its event";
}

}  // namespace
