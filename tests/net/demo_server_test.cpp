// The demo trading server: its mock account, and its faults as a client sees
// them through the gateway's own framing.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tools/demo_server/server.h"
#include "tools/demo_server/trading.h"

namespace {

using demo::MockExchange;
using demo::Options;

std::vector<std::string> Texts(const std::vector<Packet>& packets) {
  std::vector<std::string> out;
  for (const auto& p : packets) out.push_back(p.GetText());
  return out;
}

TEST(DemoExchange, AnswersEachKindOfRequest) {
  Options o;
  o.accounts = {"1234", "987654321"};
  MockExchange x(o);
  struct Case {
    const char* request;
    std::vector<std::string> answers;
  } cases[] = {
      {"<PKT><GBN>6001</GBN><ZMSEQ>1</ZMSEQ><SF>ZMX</SF></PKT>",
       {"<PKT><GBN>6001</GBN><ACCTNO>1234|987654321</ACCTNO><ATSMONEY>10000000</ATSMONEY></PKT>"}},
      {"<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><ACCTNO>000001234</ACCTNO></PKT>",
       {"<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><RTN>OK</RTN></PKT>"}},
      {"<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>2</TRNO><ACCTNO>000005555</ACCTNO></PKT>",
       {"<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>2</TRNO><RTN>등록되지 않은 계좌입니다</RTN></PKT>"}},
      {"<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>3</TRNO></PKT>",
       {"<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>3</TRNO><DATA>005930|삼성전자|10|71500\n</DATA>"
        "<DATA1>10000000|715000|10715000</DATA1></PKT>"}},
      {"<PKT><IDX>1</IDX><CODE>000660</CODE><QTY>2</QTY><GBN>6002</GBN><TRNO>4</TRNO></PKT>",
       {"<PKT><GBN>6002</GBN><IDX>1</IDX><TRNO>4</TRNO><AMNY>256000</AMNY><ODRNO>1001</ODRNO><RESULT>OK</RESULT></PKT>",
        "<PKT><GBN>6004</GBN><IDX>101</IDX><ODRNO>1001</ODRNO><CODE>000660</CODE><GUBUN>매수</GUBUN><QTY>2</QTY>"
        "<PRICE>128000</PRICE></PKT>"}},
      {"<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>5</TRNO></PKT>",
       {"<PKT><GBN>6003</GBN><IDX>2</IDX><TRNO>5</TRNO><DATA>000660|SK하이닉스|2|128000\n005930|삼성전자|10|71500\n"
        "</DATA><DATA1>9744000|971000|10715000</DATA1></PKT>"}},
      {"<PKT><IDX>2</IDX><CODE>005930</CODE><QTY>11</QTY><GBN>6002</GBN><TRNO>6</TRNO></PKT>",
       {"<PKT><GBN>6002</GBN><IDX>2</IDX><TRNO>6</TRNO><RESULT>매도가능수량이 부족합니다</RESULT></PKT>"}},
      {"<PKT><IDX>1</IDX><QTY>1</QTY><ZMDEMO_REFUSE>거부</ZMDEMO_REFUSE><GBN>6002</GBN><TRNO>7</TRNO></PKT>",
       {"<PKT><GBN>6002</GBN><IDX>1</IDX><TRNO>7</TRNO><RESULT>거부</RESULT></PKT>"}},
      {"<PKT><IDX>6</IDX><GBN>6002</GBN><TRNO>8</TRNO></PKT>",
       {"<PKT><GBN>6002</GBN><IDX>6</IDX><TRNO>8</TRNO><SEQ>1</SEQ><RESULT>OK</RESULT></PKT>"}},
      {"<PKT><IDX>8</IDX><CODE>005930</CODE><GBN>6002</GBN><TRNO>9</TRNO></PKT>",
       {"<PKT><GBN>6002</GBN><IDX>8</IDX><TRNO>9</TRNO><QTY>136</QTY><RESULT>OK</RESULT></PKT>"}},
      {"<PKT><GBN>1007</GBN><X>y</X><TRNO>10</TRNO></PKT>", {"<PKT><GBN>1007</GBN><X>y</X><TRNO>10</TRNO></PKT>"}},
      {"<PKT><GBN>900000</GBN></PKT>", {}},
      {"<PKT><GBN>3002</GBN></PKT>", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Texts(x.Answer(Packet(c.request))), c.answers) << c.request;
  EXPECT_EQ(x.Holding("000660"), 2);
  EXPECT_EQ(x.KeepAlives(), 1);
}

TEST(DemoExchange, RefusesEveryOrderWhenToldTo) {
  Options o;
  o.refuse_orders = true;
  MockExchange x(o);
  const auto answers = x.Answer(Packet("<PKT><IDX>1</IDX><QTY>1</QTY><GBN>6002</GBN><TRNO>1</TRNO></PKT>"));
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].GetString("RESULT", ""), "주문이 거부되었습니다");
  EXPECT_EQ(x.Holding("005930"), 10);
}

// The server on a free port on its own thread.
class RunningServer {
 public:
  explicit RunningServer(const Options& o) : options_(o), server_(options_, log_) {
    std::string error;
    opened_ = server_.Open(error);
    if (opened_) thread_ = std::thread([this] { server_.Run(stop_); });
  }
  ~RunningServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool Opened() const { return opened_; }
  int Port() const { return server_.Port(); }

 private:
  Options options_;
  std::ostringstream log_;
  demo::Server server_;
  std::atomic<bool> stop_{false};
  bool opened_ = false;
  std::thread thread_;
};

int ConnectTo(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(port));
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return fd;
  close(fd);
  return -1;
}

struct Exchange {
  std::vector<std::string> packets;
  size_t reads = 0;
  bool closed = false;
};

// Sends the requests and frames what comes back for `ms` milliseconds.
Exchange Talk(int port, const std::vector<std::string>& requests, int ms = 600) {
  Exchange e;
  const int fd = ConnectTo(port);
  if (fd < 0) return e;
  for (const auto& r : requests) send(fd, r.c_str(), r.size() + 1, MSG_NOSIGNAL);
  zm::net::FrameBuffer buf;
  // <chrono> does not build with CP949 literals; the monotonic clock does.
  auto now_ms = [] {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
  };
  const int64_t deadline = now_ms() + ms;
  while (now_ms() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 10) <= 0) continue;
    char bytes[4096];
    const ssize_t n = recv(fd, bytes, sizeof bytes, 0);
    if (n <= 0) {
      e.closed = true;
      break;
    }
    ++e.reads;
    buf.Append(std::string_view(bytes, static_cast<size_t>(n)));
    while (auto pk = buf.ExtractPacket()) e.packets.push_back(pk->GetText());
  }
  close(fd);
  return e;
}

const std::vector<std::string> kLogin = {
    "<PKT><GBN>6001</GBN><ZMSEQ>1</ZMSEQ><SF>ZMX</SF></PKT>",
    "<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><ACCTNO>012345678</ACCTNO></PKT>",
};
const std::string kAccounts = "<PKT><GBN>6001</GBN><ACCTNO>12345678</ACCTNO><ATSMONEY>10000000</ATSMONEY></PKT>";
const std::string kAccepted = "<PKT><GBN>6003</GBN><IDX>1</IDX><TRNO>1</TRNO><RTN>OK</RTN></PKT>";

TEST(DemoServer, FaultsAsTheGatewaySeesThem) {
  struct Case {
    const char* name;
    std::function<void(Options&)> fault;
    std::vector<std::string> packets;
    bool closed = false;
  } cases[] = {
      {"plain", [](Options&) {}, {kAccounts, kAccepted}},
      {"split", [](Options& o) { o.split = true; }, {kAccounts, kAccepted}},
      {"garbage", [](Options& o) { o.garbage = true; }, {kAccounts, kAccepted}},
      {"stray frames", [](Options& o) { o.stray_frames = true; }, {kAccounts, kAccepted}},
      {"delay", [](Options& o) { o.delay_ms = 200; }, {kAccounts, kAccepted}},
      {"no end", [](Options& o) { o.no_end = true; }, {}},
      {"no answer", [](Options& o) { o.no_answer = {"6003/1"}; }, {kAccounts}},
      {"wrong trno", [](Options& o) { o.wrong_trno = true; },
       {kAccounts, "<PKT><GBN>6003</GBN><IDX>1</IDX><RTN>OK</RTN><TRNO>1000001</TRNO></PKT>"}},
      {"close after one", [](Options& o) { o.close_after = 1; }, {kAccounts}, true},
      // A frame that never ends swallows the first answer.
      {"flood", [](Options& o) { o.flood = 100; }, {"<PKT><DATA>" + std::string(89, 'x') + kAccounts, kAccepted}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Options o;
    o.port = 0;
    c.fault(o);
    RunningServer server(o);
    ASSERT_TRUE(server.Opened());
    const Exchange e = Talk(server.Port(), kLogin);
    EXPECT_EQ(e.packets, c.packets);
    EXPECT_EQ(e.closed, c.closed);
    if (std::string(c.name) == "split") {
      EXPECT_GT(e.reads, 20u);
    }
    // The next connection is served too.
    if (c.closed) {
      EXPECT_EQ(Talk(server.Port(), kLogin).packets.size(), 1u);
    }
  }
}

TEST(DemoServer, RefuseKeepsThePortWithoutListening) {
  Options o;
  o.port = 0;
  o.refuse = true;
  RunningServer server(o);
  ASSERT_TRUE(server.Opened());
  EXPECT_EQ(ConnectTo(server.Port()), -1);
}

}  // namespace
