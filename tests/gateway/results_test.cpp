#include <gtest/gtest.h>

#include "tests/gateway/fake_host.h"

namespace {

using Texts = std::vector<std::string>;

const std::string kRefreshSent = "<PKT><GBN>6003</GBN><IDX>7</IDX><TRNO>2</TRNO></PKT>";

TEST(Results, OrderResultCompletesTheWaitingRequest) {
  const struct {
    int idx;
    const char* result;
    const char* delivered;
    bool refresh;
  } cases[] = {
      {1, "OK", "<PKT><GBN>1006</GBN><IDX>1</IDX><CODE>A</CODE><AMNY>1,000</AMNY><ODRNO>55</ODRNO><RESULT>OK</RESULT></PKT>", true},
      {1, "잔고부족", "<PKT><IDX>1</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>매수실패</R_CODE><R_MSG>잔고부족</R_MSG></PKT>", true},
      {2, "OK", "<PKT><GBN>1006</GBN><IDX>2</IDX><CODE>A</CODE><AMNY>1,000</AMNY><ODRNO>55</ODRNO><RESULT>OK</RESULT></PKT>", true},
      {2, "no", "<PKT><IDX>2</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>매도실패</R_CODE><R_MSG>no</R_MSG></PKT>", true},
      {3, "OK", "<PKT><IDX>3</IDX><CODE>A</CODE><GBN>1002</GBN><RES>SC2</RES></PKT>", true},
      {3, "no", "<PKT><IDX>3</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>정정실패</R_CODE><R_MSG>no</R_MSG></PKT>", true},
      {4, "OK", "<PKT><IDX>4</IDX><CODE>A</CODE><GBN>1002</GBN><RES>SC3</RES></PKT>", true},
      {4, "", "<PKT><IDX>4</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>취소실패</R_CODE><R_MSG></R_MSG></PKT>", true},
      {5, "OK", "<PKT><GBN>1006</GBN><IDX>5</IDX><CODE>A</CODE><SEQ>9</SEQ></PKT>", false},
      {5, "no", "<PKT><IDX>5</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>전략설정 실패</R_CODE><R_MSG>no</R_MSG></PKT>", false},
      {6, "OK", "<PKT><GBN>1006</GBN><IDX>6</IDX><CODE>A</CODE><SEQ>9</SEQ></PKT>", false},
      {6, "no", "<PKT><IDX>6</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>자동매매설정 실패</R_CODE><R_MSG>no</R_MSG></PKT>", false},
      {7, "OK", "<PKT><GBN>1006</GBN><IDX>7</IDX><CODE>A</CODE><SEQ>9</SEQ></PKT>", false},
      {7, "no", "<PKT><IDX>7</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>종가매매설정 실패</R_CODE><R_MSG>no</R_MSG></PKT>", false},
      {8, "OK", "<PKT><GBN>1006</GBN><IDX>8</IDX><CODE>A</CODE><QTY>3</QTY></PKT>", false},
      {8, "no", "<PKT><IDX>8</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>조회실패</R_CODE><R_MSG>no</R_MSG></PKT>", false},
      // "OK" exactly.
      {1, "ok", "<PKT><IDX>1</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>매수실패</R_CODE><R_MSG>ok</R_MSG></PKT>", true},
      {3, " OK", "<PKT><IDX>3</IDX><CODE>A</CODE><GBN>1004</GBN><R_CODE>정정실패</R_CODE><R_MSG> OK</R_MSG></PKT>", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.idx << " " << c.result);
    Rig rig;
    rig.Client("<PKT><GBN>1006</GBN><IDX>" + std::to_string(c.idx) + "</IDX><CODE>A</CODE></PKT>");
    rig.Server("<PKT><GBN>6002</GBN><IDX>" + std::to_string(c.idx) + "</IDX><TRNO>1</TRNO><RESULT>" + c.result +
               "</RESULT><AMNY>1,000</AMNY><ODRNO>55</ODRNO><SEQ>9</SEQ><QTY>3</QTY></PKT>");
    EXPECT_EQ(rig.Delivered(), Texts{c.delivered});
    EXPECT_EQ(rig.core.PendingCount(), 0u);
    EXPECT_EQ(rig.core.QueryCount(), c.refresh ? 1u : 0u);
    rig.Tick();
    EXPECT_EQ(rig.LastSent(), c.refresh ? kRefreshSent : rig.host.Sent().front());
  }
}

TEST_F(GatewayTest, OrderResultWithAnUnknownSubKindLeavesTheRequestAlone) {
  // In-process code may dispatch an order the client could not send.
  Client("<PKT><GBN>1006</GBN><IDX>1</IDX></PKT>");
  Server("<PKT><GBN>6002</GBN><IDX>0</IDX><TRNO>1</TRNO><RESULT>no</RESULT></PKT>");
  EXPECT_EQ(Delivered(), Texts{"<PKT><GBN>1006</GBN><IDX>1</IDX></PKT>"});
  EXPECT_EQ(core.QueryCount(), 1u) << "IDX below 5";
}

TEST_F(GatewayTest, RefreshQueryWaitsOnceAndCarriesCall) {
  Client("<PKT><GBN>1006</GBN><IDX>1</IDX></PKT>");
  Client("<PKT><GBN>1006</GBN><IDX>2</IDX></PKT>");
  Server("<PKT><GBN>6002</GBN><IDX>1</IDX><TRNO>1</TRNO><RESULT>OK</RESULT></PKT>");
  Server("<PKT><GBN>6002</GBN><IDX>2</IDX><TRNO>2</TRNO><RESULT>OK</RESULT></PKT>");
  EXPECT_EQ(core.QueryCount(), 1u);
  Tick();
  EXPECT_EQ(LastSent(), "<PKT><GBN>6003</GBN><IDX>7</IDX><TRNO>3</TRNO></PKT>");
  Server("<PKT><GBN>6003</GBN><IDX>7</IDX><TRNO>3</TRNO><DATA>K|1</DATA></PKT>");
  EXPECT_EQ(Delivered().back(), "<PKT><GBN>1003</GBN><IDX>104</IDX><CALL>1</CALL><DATA>K|1</DATA></PKT>");
}

TEST_F(GatewayTest, AnswerWithoutWaitingRequestHasNoEffect) {
  Client("<PKT><GBN>1006</GBN><IDX>1</IDX></PKT>");
  Server("<PKT><GBN>6002</GBN><IDX>1</IDX><TRNO>1</TRNO><RESULT>OK</RESULT></PKT>");
  Drain();
  const auto retired = core.RetiredCount();
  for (const char* text : {"<PKT><GBN>6002</GBN><IDX>1</IDX><TRNO>1</TRNO><RESULT>OK</RESULT></PKT>",
                           "<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>9</TRNO><RTN>OK</RTN></PKT>"})
    Server(text);
  EXPECT_EQ(Delivered().size(), 1u);
  EXPECT_EQ(core.QueryCount(), 1u) << "only the first answer's refresh";
  EXPECT_FALSE(core.IsLogin());
  EXPECT_EQ(core.RetiredCount(), retired + 2);
}

TEST(Results, QueryResultCarriesItsDataBack) {
  const std::string data = "<DATA1>T</DATA1><DATA>K1|A\nK2|B\n</DATA>";
  const struct {
    int clientIdx;
    int serverIdx;
    const char* delivered;  // nullptr: nothing comes back
  } cases[] = {
      {102, 4, "<PKT><GBN>1003</GBN><IDX>102</IDX><DATA1>T</DATA1><DATA>K1|A\nK2|B\n</DATA></PKT>"},
      {103, 3, "<PKT><GBN>1003</GBN><IDX>103</IDX><DATA>K1|A\nK2|B\n</DATA></PKT>"},
      {104, 7, "<PKT><GBN>1003</GBN><IDX>104</IDX><DATA>K1|A\nK2|B\n</DATA></PKT>"},
      {105, 5, "<PKT><GBN>1003</GBN><IDX>105</IDX><DATA>K1|A\nK2|B\n</DATA></PKT>"},
      {110, 6, nullptr},
      {105, 8, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clientIdx);
    Rig rig;
    rig.Client("<PKT><GBN>1003</GBN><IDX>" + std::to_string(c.clientIdx) + "</IDX></PKT>");
    rig.Tick();
    rig.Server("<PKT><GBN>6003</GBN><IDX>" + std::to_string(c.serverIdx) + "</IDX><TRNO>1</TRNO>" + data + "</PKT>");
    EXPECT_EQ(rig.Delivered(), c.delivered ? Texts{c.delivered} : Texts{});
    EXPECT_EQ(rig.core.PendingCount(), 0u);
    EXPECT_EQ(rig.core.QueryCount(), 0u);
  }
}

TEST(Results, HoldingsEventListsTheFirstCellOfEveryRow) {
  const struct {
    const char* data;  // nullptr: no DATA field
    const char* holdings;
  } cases[] = {
      {"K1|A|10\nK2|B|5", "K1,K2"},
      {"K1|A|10\n\nK2|B|5\n\n", "K1,K2"},
      {"\nK1||A\n|K2|B\n", "K1,K2"},
      {"삼성|1\n하이닉스|2\n", "삼성,하이닉스"},
      {"", ""},
      {nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data ? c.data : "(none)");
    Rig rig;
    rig.Client("<PKT><GBN>1003</GBN><IDX>101</IDX></PKT>");
    rig.Tick();
    const std::string data = c.data ? std::string("<DATA>") + c.data + "</DATA>" : "";
    rig.Server("<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>1</TRNO>" + data + "</PKT>");
    // The event is sent at once, before the answer leaves the queue.
    const auto early = rig.host.Deliveries();
    ASSERT_EQ(early.size(), 1u);
    EXPECT_EQ(early[0].dwData, CD_EVENT);
    EXPECT_EQ(early[0].text,
              std::string("<PKT><GBN>8003</GBN><EVT_SEQ>1</EVT_SEQ><HOLD_STOCK>") + c.holdings + "</HOLD_STOCK></PKT>");
    rig.Drain();
    const auto all = rig.host.Deliveries();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].dwData, CD_PACKET);
    EXPECT_EQ(all[1].text, "<PKT><GBN>1003</GBN><IDX>101</IDX>" + data + "</PKT>");
  }
}

TEST_F(GatewayTest, AcceptedAccountLogsInHidesTheFrameAndAsksForHoldings) {
  Hello();
  core.OnPacketMessage(2, std::make_unique<Packet>("<PKT><GBN>2</GBN><ACCT>12345</ACCT><SAVEYN>1</SAVEYN></PKT>").get());
  EXPECT_EQ(core.Account(), "12345");
  EXPECT_EQ(LastSent(), "<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><ACCTNO>12345</ACCTNO></PKT>");

  Server("<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><RTN>OK</RTN></PKT>");
  EXPECT_TRUE(core.IsLogin());
  EXPECT_TRUE(core.IsCert());
  EXPECT_EQ(host.Log(), Texts{"hide"});
  EXPECT_EQ(LastSent(), "<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>2</TRNO></PKT>") << "at once, not at a tick";
  EXPECT_TRUE(Delivered().empty());

  Server("<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>2</TRNO><DATA>005930|10\n</DATA></PKT>");
  EXPECT_EQ(Delivered(), (Texts{"<PKT><GBN>8003</GBN><EVT_SEQ>1</EVT_SEQ><HOLD_STOCK>005930</HOLD_STOCK></PKT>",
                                "<PKT><GBN>1003</GBN><IDX>101</IDX><DATA>005930|10\n</DATA></PKT>"}));
}

TEST_F(GatewayTest, RefusedAccountIsToldAndKeepsTheLoginState) {
  const std::string refusal = "box:모의투자에 먼저 참가 신청을 해 주세요!:ok";
  const auto account = std::make_unique<Packet>("<PKT><GBN>2</GBN><ACCT>1</ACCT></PKT>");
  core.OnPacketMessage(2, account.get());
  Server("<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><RTN>NO</RTN></PKT>");
  EXPECT_FALSE(core.IsLogin());
  EXPECT_FALSE(core.IsCert());
  EXPECT_EQ(host.Log(), Texts{refusal});

  core.OnPacketMessage(2, account.get());
  Server("<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>2</TRNO><RTN>OK</RTN></PKT>");
  core.OnPacketMessage(2, account.get());
  Server("<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>4</TRNO><RTN>ok</RTN></PKT>");
  EXPECT_TRUE(core.IsLogin()) << "never cleared";
  EXPECT_FALSE(core.IsCert());
  EXPECT_EQ(host.Log().back(), refusal);
  EXPECT_TRUE(Delivered().empty());
}

TEST(Results, AccountListIsPaddedAndSkipsEmptyTokens) {
  const struct {
    const char* acctno;
    Texts log;
  } cases[] = {
      {"1234|123456789", {"account:000001234", "account:123456789", "step"}},
      {"|1234||1234567890|", {"account:000001234", "account:1234567890", "step"}},
      {"", {"step"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.acctno);
    Rig rig;
    rig.Server(std::string("<PKT><GBN>6001</GBN><ACCTNO>") + c.acctno + "</ACCTNO><ATSMONEY>1</ATSMONEY></PKT>");
    EXPECT_EQ(rig.host.Log(), c.log);
    EXPECT_TRUE(rig.host.Sent().empty());
  }
}

TEST_F(GatewayTest, ReconnectionChecksTheAccountAgainWithoutTheView) {
  const auto account = std::make_unique<Packet>("<PKT><GBN>2</GBN><ACCT>777</ACCT></PKT>");
  core.OnPacketMessage(2, account.get());
  Server("<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><RTN>OK</RTN></PKT>");
  host.ClearRecords();

  Server("<PKT><GBN>6001</GBN><ACCTNO>1|2</ACCTNO></PKT>");
  EXPECT_TRUE(host.Log().empty()) << "no account list, no account step";
  EXPECT_EQ(host.Sent(), Texts{"<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>3</TRNO><ACCTNO>777</ACCTNO></PKT>"});
}

TEST_F(GatewayTest, SingleAccountSubmittedFromTheAccountStepIsCheckedAtOnce) {
  // The view submits a lone account from inside ShowAccountStep.
  host.onShowAccountStep = [this] {
    const auto account = std::make_unique<Packet>("<PKT><GBN>2</GBN><ACCT>000001234</ACCT></PKT>");
    core.OnPacketMessage(2, account.get());
  };
  Server("<PKT><GBN>6001</GBN><ACCTNO>1234</ACCTNO></PKT>");
  EXPECT_EQ(host.Sent(), Texts{"<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><ACCTNO>000001234</ACCTNO></PKT>"});
}

TEST_F(GatewayTest, NoticesBecomeOrderEvents) {
  Hello();
  Server("<PKT><GBN>6004</GBN><IDX>102</IDX><M>a</M></PKT>");
  Server("<PKT><GBN>6004</GBN><IDX>103</IDX></PKT>");
  Server("<PKT><GBN>6004</GBN><IDX>104</IDX></PKT>");
  EXPECT_EQ(Delivered(), (Texts{"<PKT><IDX>102</IDX><M>a</M><GBN>1002</GBN><RES>ZM1</RES></PKT>",
                                "<PKT><IDX>103</IDX><GBN>1002</GBN><RES>ZM1</RES></PKT>"}));
  EXPECT_EQ(core.QueryCount(), 0u);
  EXPECT_TRUE(host.Sent().empty());
}

TEST_F(GatewayTest, TradeNoticeIsFollowedByHoldingsAndBalanceQueries) {
  Hello();
  host.ClearRecords();
  Server("<PKT><GBN>6004</GBN><IDX>101</IDX></PKT>");
  EXPECT_EQ(host.Log(), Texts{"sleep:10"});
  EXPECT_EQ(core.ToClientCount(), 1u) << "posted before the wait";
  EXPECT_EQ(core.QueryCount(), 2u);
  EXPECT_TRUE(host.Sent().empty());
  EXPECT_EQ(Delivered(), Texts{"<PKT><IDX>101</IDX><GBN>1002</GBN><RES>SC1</RES></PKT>"});

  Tick();
  Tick();
  EXPECT_EQ(host.Sent(), (Texts{"<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>1</TRNO></PKT>",
                                "<PKT><GBN>6003</GBN><IDX>7</IDX><TRNO>2</TRNO></PKT>"}));
  Server("<PKT><GBN>6003</GBN><IDX>7</IDX><TRNO>2</TRNO></PKT>");
  EXPECT_EQ(Delivered().back(), "<PKT><GBN>1003</GBN><IDX>104</IDX></PKT>") << "no CALL";
}

TEST(Results, LoginSettingsKeepWhatTheUserChose) {
  const std::string before =
      "<PKT><ZME_ID>old</ZME_ID><ZME_PWD>oldpw</ZME_PWD><ZME_CERT>c0</ZME_CERT><ZME_AUTOLOGIN>1</ZME_AUTOLOGIN>"
      "<OTHER>k</OTHER></PKT>";
  const struct {
    int idSave, autoLogin;
    const char* after;
  } cases[] = {
      {1, 1,
       "<PKT><OTHER>k</OTHER><ZME_ID>kim</ZME_ID><ZME_PWD>pw</ZME_PWD><ZME_CERT>cp</ZME_CERT>"
       "<ZME_AUTOLOGIN>1</ZME_AUTOLOGIN></PKT>"},
      {1, 0, "<PKT><OTHER>k</OTHER><ZME_ID>kim</ZME_ID></PKT>"},
      {0, 1, "<PKT><OTHER>k</OTHER></PKT>"},
      {0, 0, "<PKT><OTHER>k</OTHER></PKT>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.idSave << c.autoLogin);
    Rig rig;
    rig.host.config.SetText(before);
    const auto login = std::make_unique<Packet>(
        "<PKT><GBN>1</GBN><ZME_ID>kim</ZME_ID><ZME_PWD>pw</ZME_PWD><ZME_CERT>cp</ZME_CERT><ZME_IDSAVE>" +
        std::to_string(c.idSave) + "</ZME_IDSAVE><ZME_AUTOLOGIN>" + std::to_string(c.autoLogin) +
        "</ZME_AUTOLOGIN></PKT>");
    EXPECT_EQ(rig.core.OnPacketMessage(1, login.get()), 0);
    EXPECT_EQ(rig.host.config.GetText(), c.after);
    EXPECT_EQ(rig.host.Log(), Texts{"save"});
    EXPECT_TRUE(rig.host.Sent().empty());
  }
}

TEST_F(GatewayTest, FrameMessagesForwardOrDispatchOrIgnore) {
  Hello();
  EXPECT_EQ(core.OnPacketMessage(1002, new Packet("<PKT><GBN>1002</GBN><RES>X</RES></PKT>")), 0);
  EXPECT_EQ(host.Sent(), Texts{"<PKT><GBN>1002</GBN><RES>X</RES></PKT>"});
  EXPECT_EQ(Delivered(), Texts{"<PKT><GBN>1002</GBN><RES>X</RES></PKT>"});

  EXPECT_EQ(core.OnPacketMessage(1006, new Packet("<PKT><GBN>1006</GBN><IDX>2</IDX></PKT>")), 0);
  EXPECT_EQ(LastSent(), "<PKT><IDX>2</IDX><GBN>6002</GBN><TRNO>1</TRNO></PKT>");

  const auto other = std::make_unique<Packet>("<PKT><GBN>1006</GBN><IDX>2</IDX></PKT>");
  EXPECT_EQ(core.OnPacketMessage(7, other.get()), 0);
  EXPECT_EQ(host.Sent().size(), 2u);
  EXPECT_EQ(other->GetText(), "<PKT><GBN>1006</GBN><IDX>2</IDX></PKT>");
}

}  // namespace
