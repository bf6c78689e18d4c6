// The server connection under Wine against a loopback peer in the test.
#include "zmx/net/wsocket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/net/win_test_support.h"

namespace {

using namespace std::string_literals;
using nettest::PumpFor;
using nettest::PumpUntil;

class Sink : public IServerPacketSink {
 public:
  std::vector<std::unique_ptr<Packet>> packets;
  void DispatchPacket(Packet* p) override { packets.emplace_back(p); }
};

const std::string kAnnouncement = "<PKT><GBN>6001</GBN><ZMSEQ>12</ZMSEQ><SF>ZMX</SF></PKT>\0"s;

class Connection : public testing::Test {
 protected:
  Connection() {
    socket_.SetSink(&sink_);
    socket_.SetSequence(12);
    socket_.SetMainWindow(main_.Handle());
  }

  // Connects to the peer and waits for the announcement.
  void ConnectTo(nettest::Peer& peer, const char* host = "127.0.0.1") {
    socket_.ConnectServer(host, peer.Port());
    ASSERT_TRUE(PumpUntil([&] { return peer.Received().size() >= kAnnouncement.size(); }));
    ASSERT_TRUE(socket_.IsConnected());
  }

  nettest::MainWindow main_;
  Sink sink_;
  CWSocket socket_;
};

TEST_F(Connection, AnnouncesItselfSendsAndHandsOverPacketsInOrder) {
  nettest::Peer peer;
  ConnectTo(peer);
  EXPECT_EQ(peer.Received(), kAnnouncement);

  Packet keep_alive(900000);
  EXPECT_EQ(socket_.SendPacket(&keep_alive), 29);
  ASSERT_TRUE(PumpUntil([&] { return peer.Received().size() == kAnnouncement.size() + 29; }));
  EXPECT_EQ(peer.Received().substr(kAnnouncement.size()), "<PKT><GBN>900000</GBN></PKT>\0"s);

  // Two packets in one write, the second with Korean UTF-8.
  peer.SendBytes("<PKT><GBN>1</GBN></PKT>\0"s + reinterpret_cast<const char*>(u8"<PKT><NM>삼성전자</NM></PKT>") + "\0"s);
  ASSERT_TRUE(PumpUntil([&] { return sink_.packets.size() == 2; }));
  EXPECT_EQ(sink_.packets[0]->GetText(), "<PKT><GBN>1</GBN></PKT>");
  EXPECT_EQ(sink_.packets[1]->GetText(), "<PKT><NM>삼성전자</NM></PKT>");
}

TEST_F(Connection, ConnectsByHostName) {
  nettest::Peer peer;
  ConnectTo(peer, "localhost");
  EXPECT_EQ(peer.Received(), kAnnouncement);
}

// The box is answered by answer_box.exe, a separate process, as a person would.
TEST_F(Connection, RefusedConnectionShowsTheBoxThenAsksToClose) {
  nettest::RefusingPort refusing;
  nettest::ChildProcess answerer('"' + nettest::ProgramDirectory() + "answer_box.exe\" ok --timeout 30");
  ASSERT_TRUE(answerer.Started());
  socket_.ConnectServer("127.0.0.1", refusing.Port());
  ASSERT_TRUE(PumpUntil([&] { return main_.CloseRequests() == 1; }, 40000));
  EXPECT_FALSE(socket_.IsConnected());
  EXPECT_EQ(answerer.Wait(10000), 0);
  EXPECT_EQ(answerer.Output(), reinterpret_cast<const char*>(u8"에러 서버접속 실패 방화벽등을 확인해 주세요\n"));
}

TEST_F(Connection, PeerCloseClearsTheFlagAndReconnectEmptiesTheBuffer) {
  auto peer = std::make_unique<nettest::Peer>();
  ConnectTo(*peer);
  peer->SendBytes("<PKT><GBN>1");
  ASSERT_TRUE(PumpUntil([&] { return socket_.GetBufferedSize() == 11; }));
  peer->CloseClient();
  ASSERT_TRUE(PumpUntil([&] { return !socket_.IsConnected(); }));
  EXPECT_EQ(socket_.GetBufferedSize(), 11u);  // kept until the next connect

  nettest::Peer next;
  socket_.ConnectServer("127.0.0.1", next.Port());
  EXPECT_EQ(socket_.GetBufferedSize(), 0u);
  ASSERT_TRUE(PumpUntil([&] { return next.Received() == kAnnouncement; }));
  EXPECT_TRUE(sink_.packets.empty());
}

// What the socket cannot take at once goes out later, before later packets.
TEST_F(Connection, LargePacketArrivesWholeWhileThePeerReadsSlowly) {
  nettest::Peer peer(4096, 4096, 1);
  ConnectTo(peer);
  Packet big(6003);
  big.AddString("DATA", std::string(1 << 20, 'x'));
  const std::string big_wire = big.ToUtf8();
  Packet keep_alive(900000);
  EXPECT_EQ(socket_.SendPacket(&big), static_cast<int>(big_wire.size()));
  EXPECT_GT(socket_.GetUnsentSize(), 0u);
  EXPECT_EQ(socket_.SendPacket(&keep_alive), 29);
  const std::string expected = kAnnouncement + big_wire + keep_alive.ToUtf8();
  ASSERT_TRUE(PumpUntil([&] { return peer.Received().size() >= expected.size(); }, 60000));
  EXPECT_TRUE(peer.Received() == expected);
  EXPECT_TRUE(socket_.IsConnected());
  EXPECT_EQ(socket_.GetUnsentSize(), 0u);
}

TEST_F(Connection, TooMuchWaitingUnsentBreaksTheLink) {
  nettest::Peer peer(4096, 0);  // accepts, never reads
  socket_.ConnectServer("127.0.0.1", peer.Port());
  ASSERT_TRUE(PumpUntil([&] { return socket_.IsConnected(); }));
  Packet big(6003);
  big.AddString("DATA", std::string((4 << 20) + 65536, 'x'));
  EXPECT_EQ(socket_.SendPacket(&big), -1);
  EXPECT_FALSE(socket_.IsConnected());
}

// SendPacket from two threads: every packet reaches the wire whole.
TEST_F(Connection, PacketsFromTwoThreadsNeverInterleave) {
  nettest::Peer peer;
  ConnectTo(peer);
  Packet a(1), b(2);
  a.AddString("A", std::string(3000, 'a'));
  b.AddString("B", std::string(7000, 'b'));
  constexpr int kEach = 100;
  std::atomic<int> failures{0};
  auto sender = [&](const Packet& p) {
    for (int i = 0; i < kEach; ++i)
      if (socket_.SendPacket(&p) < 1) ++failures;
  };
  std::thread t1(sender, std::cref(a)), t2(sender, std::cref(b));
  const size_t total = kAnnouncement.size() + kEach * (a.ToUtf8().size() + b.ToUtf8().size());
  PumpUntil([&] { return peer.Received().size() >= total; }, 60000);
  t1.join();
  t2.join();
  PumpUntil([&] { return peer.Received().size() >= total; }, 10000);
  EXPECT_EQ(failures, 0);

  const std::string got = peer.Received().substr(kAnnouncement.size());
  int as = 0, bs = 0, others = 0;
  for (size_t at = 0; at < got.size();) {
    const size_t end = got.find('\0', at);
    ASSERT_NE(end, std::string::npos);
    const std::string_view one(got.data() + at, end - at);
    (one == a.GetText() ? as : one == b.GetText() ? bs : others)++;
    at = end + 1;
  }
  EXPECT_EQ(as, kEach);
  EXPECT_EQ(bs, kEach);
  EXPECT_EQ(others, 0);
}

}  // namespace
