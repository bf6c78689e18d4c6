// The gateway's one connection to the trading server: connects and
// reconnects on request, announces itself, sends packets as UTF-8 plus one
// 0x00 byte, and hands every packet cut out of the received stream to the
// gateway's dispatcher. Runs on the user-interface thread; SendPacket may
// also be called from other threads.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

#include "packet/packet.h"
#include "zmx/net/async_socket.h"
#include "zmx/net/framing.h"

// Where received packets go: the gateway's dispatcher.
class IServerPacketSink {
 public:
  // Takes ownership of the packet. Called on the socket's thread, in order.
  virtual void DispatchPacket(Packet* pPacket) = 0;

 protected:
  ~IServerPacketSink() = default;
};

class CWSocket : public CAsyncSocketEx {
 public:
  // Asks the main window to close the application after a failed connect.
  static constexpr UINT UM_CLOSE_REQUEST = 2137;
  // Bytes accepted for sending while the socket cannot take them; past this
  // the link counts as broken.
  static constexpr size_t kMaxUnsent = size_t{4} << 20;
  static constexpr int kBufferSize = 16384;  // SO_SNDBUF and SO_RCVBUF
  static constexpr int kReceiveSize = 4096;  // the most read at one time

  CWSocket() = default;
  ~CWSocket() override;

  void SetSink(IServerPacketSink* pSink) { m_pSink = pSink; }
  void SetMainWindow(HWND hMainWnd) { m_hMainWnd = hMainWnd; }
  void SetSequence(int nSeq) { m_nSeq = nSeq; }

  // Drops any previous socket and buffered bytes and starts connecting.
  // -1 when no socket could be made, else the result of Connect; the outcome
  // arrives through OnConnect.
  int ConnectServer(const char* lpszHost, UINT nPort);

  // The packet's wire length (UTF-8 plus the terminator) when it was sent or
  // queued behind bytes the socket could not take yet; -1 when the link is
  // broken. The packet stays the caller's.
  int SendPacket(const Packet* pPacket);

  bool IsConnected() const { return m_bConnected; }
  size_t GetBufferedSize() const { return m_buffer.Size(); }
  size_t GetUnsentSize();

 protected:
  void OnClose(int nErrorCode) override;
  void OnConnect(int nErrorCode) override;
  void OnReceive(int nErrorCode) override;
  void OnSend(int nErrorCode) override;

 private:
  // Writes what is waiting, then `bytes`; keeps what the socket does not
  // take. False on a real socket error or too much waiting. Under m_sendLock.
  bool SendLocked(std::string_view bytes);
  void MarkBrokenLocked();

  std::atomic<bool> m_bConnected{false};
  char m_szRecvBuf[kReceiveSize];
  zm::net::FrameBuffer m_buffer;
  std::mutex m_extractLock;  // held while a packet is cut out of m_buffer
  std::mutex m_sendLock;     // one packet at a time on the wire
  std::string m_strUnsent;
  IServerPacketSink* m_pSink = nullptr;
  HWND m_hMainWnd = nullptr;
  int m_nSeq = 0;
};
