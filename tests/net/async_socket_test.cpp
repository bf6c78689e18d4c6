// The event-driven socket under Wine: lookups, stale events, the helper window.
#include "zmx/net/async_socket.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/net/win_test_support.h"

namespace {

using nettest::PumpFor;
using nettest::PumpUntil;

struct Event {
  char kind;  // r(eceive) s(end) c(onnect) x (close)
  int error;
  bool operator==(const Event&) const = default;
};

class Recorder : public CAsyncSocketEx {
 public:
  std::vector<Event> events;
  bool Saw(char kind) const {
    for (const Event& e : events)
      if (e.kind == kind) return true;
    return false;
  }

 protected:
  void OnReceive(int e) override { events.push_back({'r', e}); }
  void OnSend(int e) override { events.push_back({'s', e}); }
  void OnConnect(int e) override { events.push_back({'c', e}); }
  void OnClose(int e) override { events.push_back({'x', e}); }
};

TEST(AsyncSocket, ConnectsByAddressAndThroughTheLookup) {
  for (const char* host : {"127.0.0.1", "localhost"}) {
    SCOPED_TRACE(host);
    nettest::Peer peer;
    Recorder s;
    ASSERT_TRUE(s.Create());
    const BOOL started = s.Connect(host, peer.Port());
    const int error = WSAGetLastError();
    // A name lookup reports success with WSAEWOULDBLOCK; a dotted address
    // is connecting and says so with the same code.
    EXPECT_EQ(started, std::string(host) == "localhost");
    EXPECT_EQ(error, WSAEWOULDBLOCK);
    ASSERT_TRUE(PumpUntil([&] { return s.Saw('c'); }));
    EXPECT_EQ(s.events.front(), (Event{'c', 0}));
    EXPECT_TRUE(PumpUntil([&] { return peer.Connected(); }));
  }
}

TEST(AsyncSocket, CloseDuringLookupCancelsIt) {
  nettest::Peer peer;
  Recorder s;
  ASSERT_TRUE(s.Create());
  ASSERT_TRUE(s.Connect("localhost", peer.Port()));
  s.Close();
  PumpFor(1000);
  EXPECT_TRUE(s.events.empty());
  EXPECT_FALSE(peer.Connected());
}

TEST(AsyncSocket, StaleAndEmptyEventsCallNothing) {
  Recorder old_socket, s;
  ASSERT_TRUE(old_socket.Create());
  const SOCKET old_handle = old_socket.GetSocketHandle();
  const UINT old_message = old_socket.GetEventMessage();
  old_socket.Close();
  ASSERT_TRUE(s.Create());
  const HWND helper = s.GetHelperWindow();
  const WPARAM handle = static_cast<WPARAM>(s.GetSocketHandle());

  struct Case {
    const char* what;
    UINT message;
    WPARAM socket;
    LPARAM event;
    std::vector<Event> expected;
  } cases[] = {
      {"entry of a closed socket", old_message, static_cast<WPARAM>(old_handle), WSAMAKESELECTREPLY(FD_CONNECT, 0), {}},
      {"another socket's handle", s.GetEventMessage(), handle + 4,
       WSAMAKESELECTREPLY(FD_CONNECT, 0), {}},
      {"invalid handle", s.GetEventMessage(), static_cast<WPARAM>(INVALID_SOCKET), WSAMAKESELECTREPLY(FD_CLOSE, 0), {}},
      {"read with nothing waiting", s.GetEventMessage(), handle, WSAMAKESELECTREPLY(FD_READ, 0), {}},
      {"read with an error", s.GetEventMessage(), handle, WSAMAKESELECTREPLY(FD_READ, WSAENETDOWN),
       {{'r', WSAENETDOWN}}},
      {"close", s.GetEventMessage(), handle, WSAMAKESELECTREPLY(FD_CLOSE, WSAECONNRESET), {{'x', WSAECONNRESET}}},
      {"write", s.GetEventMessage(), handle, WSAMAKESELECTREPLY(FD_WRITE, 0), {{'s', 0}}},
      {"out-of-band", s.GetEventMessage(), handle, WSAMAKESELECTREPLY(FD_OOB, 0), {}},
  };
  for (const Case& c : cases) {
    s.events.clear();
    PostMessageA(helper, c.message, c.socket, c.event);
    PumpFor(100);
    EXPECT_EQ(s.events, c.expected) << c.what;
  }
}

TEST(AsyncSocket, SocketsOfOneThreadShareOneHelperWindow) {
  auto a = std::make_unique<Recorder>(), b = std::make_unique<Recorder>();
  ASSERT_TRUE(a->Create());
  ASSERT_TRUE(b->Create());
  const HWND helper = a->GetHelperWindow();
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(b->GetHelperWindow(), helper);
  EXPECT_NE(a->GetEventMessage(), b->GetEventMessage());
  EXPECT_GE(a->GetEventMessage(), 1026u);
  EXPECT_EQ(FindWindowA("CAsyncSocketEx Helper Window", "CAsyncSocketEx Helper Window"), helper);
  a.reset();
  EXPECT_TRUE(IsWindow(helper));
  b.reset();
  EXPECT_FALSE(IsWindow(helper));
}

TEST(AsyncSocket, ErrorsAreLeftInTheLastError) {
  Recorder s;
  ASSERT_TRUE(s.Create());
  EXPECT_FALSE(s.Create());
  EXPECT_EQ(WSAGetLastError(), WSAEALREADY);
  EXPECT_FALSE(s.Bind(0, "not-an-address"));
  EXPECT_EQ(WSAGetLastError(), WSAEINVAL);
}

}  // namespace
