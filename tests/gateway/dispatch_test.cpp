#include <gtest/gtest.h>

#include "tests/gateway/fake_host.h"

namespace {

using Texts = std::vector<std::string>;

TEST(Dispatch, DataQueryGoesOutAtItsTickInTheServersForm) {
  const struct {
    int clientIdx;
    const char* sent;  // nullptr: nothing goes out
  } cases[] = {
      {113, "<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><ACCTNO></ACCTNO></PKT>"},
      {101, "<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>1</TRNO></PKT>"},
      {102, "<PKT><GBN>6003</GBN><IDX>4</IDX><TRNO>1</TRNO></PKT>"},
      {103, "<PKT><GBN>6003</GBN><IDX>3</IDX><TRNO>1</TRNO></PKT>"},
      {104, "<PKT><GBN>6003</GBN><IDX>7</IDX><TRNO>1</TRNO></PKT>"},
      {105, "<PKT><GBN>6003</GBN><IDX>5</IDX><TRNO>1</TRNO></PKT>"},
      {110, "<PKT><GBN>6003</GBN><IDX>6</IDX><TRNO>1</TRNO></PKT>"},
      {999, nullptr},
      {0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clientIdx);
    Rig rig;
    rig.Client("<PKT><GBN>1003</GBN><IDX>" + std::to_string(c.clientIdx) + "</IDX><JONG>005930</JONG></PKT>");
    EXPECT_TRUE(rig.host.Sent().empty()) << "queries wait for the tick";
    rig.Tick();
    if (c.sent) {
      EXPECT_EQ(rig.host.Sent(), Texts{c.sent});
      EXPECT_EQ(rig.core.PendingCount(), 1u);
    } else {
      EXPECT_TRUE(rig.host.Sent().empty());
      EXPECT_EQ(rig.core.LastRequestNumber(), 0) << "no number taken";
      EXPECT_EQ(rig.core.PendingCount(), 0u);
    }
    EXPECT_EQ(rig.core.QueryCount(), 0u);
    EXPECT_TRUE(rig.Delivered().empty());
  }
}

TEST(Dispatch, OrderGoesOutAsCopyWithKindAndNumberLast) {
  const std::string order = "<PKT><GBN>1006</GBN><IDX>%d</IDX><HOCODE>%s</HOCODE><QTY>10</QTY></PKT>";
  const struct {
    int idx;
    const char* hocode;
    bool xSwitch;
    const char* sent;
  } cases[] = {
      {1, "00", true, "<PKT><IDX>1</IDX><QTY>10</QTY><GBN>6002</GBN><TRNO>1</TRNO><HOCODE>99</HOCODE></PKT>"},
      {1, "00", false, "<PKT><IDX>1</IDX><HOCODE>00</HOCODE><QTY>10</QTY><GBN>6002</GBN><TRNO>1</TRNO></PKT>"},
      {2, "00", true, "<PKT><IDX>2</IDX><HOCODE>00</HOCODE><QTY>10</QTY><GBN>6002</GBN><TRNO>1</TRNO></PKT>"},
      {1, "01", true, "<PKT><IDX>1</IDX><HOCODE>01</HOCODE><QTY>10</QTY><GBN>6002</GBN><TRNO>1</TRNO></PKT>"},
      {1, "000", true, "<PKT><IDX>1</IDX><HOCODE>000</HOCODE><QTY>10</QTY><GBN>6002</GBN><TRNO>1</TRNO></PKT>"},
      {8, "00", true, "<PKT><IDX>8</IDX><HOCODE>00</HOCODE><QTY>10</QTY><GBN>6002</GBN><TRNO>1</TRNO></PKT>"},
      {9, "00", true, nullptr},
      {0, "00", true, nullptr},
  };
  for (const auto& c : cases) {
    char text[200];
    std::snprintf(text, sizeof text, order.c_str(), c.idx, c.hocode);
    SCOPED_TRACE(text);
    Rig rig;
    rig.host.xSwitch = c.xSwitch;
    rig.Client(text);
    if (c.sent) {
      EXPECT_EQ(rig.host.Sent(), Texts{c.sent}) << "sent at once";
      EXPECT_EQ(rig.core.PendingCount(), 1u);
    } else {
      EXPECT_TRUE(rig.host.Sent().empty());
      EXPECT_EQ(rig.core.LastRequestNumber(), 0);
    }
    EXPECT_TRUE(rig.Delivered().empty());
  }
}

TEST_F(GatewayTest, FailedSendReturnsTheClientsOwnPacketAndUsesUpItsNumber) {
  host.xSwitch = true;
  host.connected = false;
  Client("<PKT><GBN>1006</GBN><IDX>1</IDX><HOCODE>00</HOCODE></PKT>");
  EXPECT_EQ(Delivered(), Texts{"<PKT><GBN>1006</GBN><IDX>1</IDX><HOCODE>00</HOCODE><ERR>1</ERR></PKT>"});
  EXPECT_EQ(core.PendingCount(), 0u);

  host.connected = true;
  Client("<PKT><GBN>1006</GBN><IDX>2</IDX></PKT>");
  EXPECT_EQ(LastSent(), "<PKT><IDX>2</IDX><GBN>6002</GBN><TRNO>2</TRNO></PKT>");

  host.connected = false;
  Client("<PKT><GBN>1003</GBN><IDX>105</IDX></PKT>");
  Tick();
  EXPECT_EQ(LastSent(), "<PKT><GBN>6003</GBN><IDX>5</IDX><TRNO>3</TRNO></PKT>");
  EXPECT_EQ(Delivered().back(), "<PKT><GBN>1003</GBN><IDX>105</IDX><ERR>1</ERR></PKT>");
}

TEST_F(GatewayTest, PassThroughGetsANewNumberAndItsAnswerGoesBackAsItCame) {
  Client("<PKT><GBN>1007</GBN><TRNO>77</TRNO><Q>a</Q></PKT>");
  EXPECT_EQ(LastSent(), "<PKT><GBN>1007</GBN><Q>a</Q><TRNO>1</TRNO></PKT>");
  EXPECT_EQ(core.PendingCount(), 1u);

  Server("<PKT><GBN>1007</GBN><TRNO>1</TRNO><A>b</A></PKT>");
  EXPECT_EQ(core.PendingCount(), 0u);
  // No request waits for this one; it is delivered all the same.
  Server("<PKT><GBN>1007</GBN><TRNO>55</TRNO></PKT>");
  EXPECT_EQ(Delivered(), (Texts{"<PKT><GBN>1007</GBN><TRNO>1</TRNO><A>b</A></PKT>",
                                "<PKT><GBN>1007</GBN><TRNO>55</TRNO></PKT>"}));

  host.connected = false;
  Client("<PKT><GBN>1007</GBN><Q>c</Q></PKT>");
  EXPECT_EQ(Delivered().back(), "<PKT><GBN>1007</GBN><Q>c</Q><TRNO>2</TRNO><ERR>1</ERR></PKT>");
  EXPECT_EQ(core.PendingCount(), 0u);
}

TEST_F(GatewayTest, QueriesLeaveOnePerTickOldestFirstAndDuplicatesAreDropped) {
  Client("<PKT><GBN>1003</GBN><IDX>103</IDX></PKT>");
  Client("<PKT><GBN>1003</GBN><IDX>101</IDX><N>1</N></PKT>");
  Client("<PKT><GBN>1003</GBN><IDX>101</IDX><N>2</N></PKT>");  // waits already: dropped
  Client("<PKT><GBN>1003</GBN><IDX>102</IDX></PKT>");
  EXPECT_EQ(core.QueryCount(), 3u);

  const char* perTick[] = {
      "<PKT><GBN>6003</GBN><IDX>3</IDX><TRNO>1</TRNO></PKT>",
      "<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>2</TRNO></PKT>",
      "<PKT><GBN>6003</GBN><IDX>4</IDX><TRNO>3</TRNO></PKT>",
  };
  for (size_t i = 0; i < std::size(perTick); ++i) {
    Tick();
    ASSERT_EQ(host.Sent().size(), i + 1);
    EXPECT_EQ(LastSent(), perTick[i]);
  }
  Tick();
  EXPECT_EQ(host.Sent().size(), 3u);

  // The one that waited is the one answered.
  Server("<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>2</TRNO><DATA>K|1</DATA></PKT>");
  Drain();
  EXPECT_EQ(host.Deliveries().back().text, "<PKT><GBN>1003</GBN><IDX>101</IDX><N>1</N><DATA>K|1</DATA></PKT>");
}

TEST_F(GatewayTest, UnknownQueryPassesTheListAndIsDroppedAtItsTick) {
  Client("<PKT><GBN>1003</GBN><IDX>999</IDX></PKT>");
  Client("<PKT><GBN>1003</GBN><IDX>101</IDX></PKT>");
  EXPECT_EQ(core.QueryCount(), 2u);
  Tick();
  EXPECT_TRUE(host.Sent().empty());
  EXPECT_EQ(core.QueryCount(), 1u);
  Tick();
  EXPECT_EQ(host.Sent(), Texts{"<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>1</TRNO></PKT>"});
  EXPECT_TRUE(Delivered().empty());
}

TEST_F(GatewayTest, OnlyTheRunningTickSendsQueries) {
  Client("<PKT><GBN>1003</GBN><IDX>101</IDX></PKT>");
  core.OnRequestTick(kTick + 1);
  core.OnRequestTick(0);
  EXPECT_TRUE(host.Sent().empty());
  core.SetRequestTick(0);
  Tick();
  EXPECT_TRUE(host.Sent().empty());
  core.SetRequestTick(7);
  core.OnRequestTick(7);
  EXPECT_EQ(host.Sent().size(), 1u);
}

TEST_F(GatewayTest, LoginStateIsAnsweredAtOnce) {
  Client("<PKT><GBN>1001</GBN><IsLogin>1</IsLogin></PKT>");
  EXPECT_EQ(Delivered(), Texts{"<PKT><GBN>1001</GBN><IsLogin>0</IsLogin><CERT>0</CERT></PKT>"});
  EXPECT_TRUE(host.Sent().empty());

  core.OnPacketMessage(2, std::make_unique<Packet>("<PKT><GBN>2</GBN><ACCT>1</ACCT></PKT>").get());
  Server("<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><RTN>OK</RTN></PKT>");
  Client("<PKT><GBN>1001</GBN></PKT>");
  EXPECT_EQ(Delivered().back(), "<PKT><GBN>1001</GBN><IsLogin>1</IsLogin><CERT>1</CERT></PKT>");
}

TEST_F(GatewayTest, KindsWithoutMeaningAreRetiredUnseen) {
  Hello();
  for (const char* text : {"<PKT><GBN>999</GBN></PKT>", "<PKT><GBN>3002</GBN><TRNO>1</TRNO></PKT>",
                           "<PKT><GBN>abc</GBN></PKT>", "<PKT></PKT>", "<PKT><GBN>900000</GBN></PKT>"}) {
    const size_t before = core.RetiredCount();
    Server(text);
    EXPECT_EQ(core.RetiredCount(), before + 1) << text;
  }
  EXPECT_TRUE(Delivered().empty());
  EXPECT_TRUE(host.Sent().empty());
}

}  // namespace
