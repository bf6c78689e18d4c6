#include "zmx/net/wsocket.h"

#include <exception>
#include <memory>

namespace {

const char* const kConnectFailed = "에러 서버접속 실패 방화벽등을 확인해 주세요";
const char* const kProgramName = "ZMX";

}  // namespace

CWSocket::~CWSocket() {
  if (m_bConnected) Close();
}

int CWSocket::ConnectServer(const char* lpszHost, UINT nPort) {
  Close();
  m_buffer.Clear();
  {
    std::lock_guard<std::mutex> guard(m_sendLock);
    m_strUnsent.clear();  // bytes of the old link never go to a new one
  }
  if (!Create()) return -1;
  const int size = kBufferSize;
  setsockopt(GetSocketHandle(), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&size), sizeof size);
  setsockopt(GetSocketHandle(), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
  AsyncSelect(kAllEvents);
  return Connect(lpszHost, nPort);
}

void CWSocket::MarkBrokenLocked() {
  m_bConnected = false;
  m_strUnsent.clear();
}

bool CWSocket::SendLocked(std::string_view bytes) {
  if (!m_strUnsent.empty()) {
    // Earlier bytes wait for FD_WRITE: these go behind them.
    if (m_strUnsent.size() + bytes.size() > kMaxUnsent) return false;
    m_strUnsent.append(bytes);
    return true;
  }
  while (!bytes.empty()) {
    const int n = Send(bytes.data(), static_cast<int>(bytes.size()));
    if (n == SOCKET_ERROR) {
      if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
      break;  // FD_WRITE follows when the socket can take more
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  if (bytes.size() > kMaxUnsent) return false;
  m_strUnsent.assign(bytes);
  return true;
}

int CWSocket::SendPacket(const Packet* pPacket) {
  if (!pPacket) return -1;
  const std::string wire = pPacket->ToUtf8();
  std::lock_guard<std::mutex> guard(m_sendLock);
  if (!SendLocked(wire)) {
    MarkBrokenLocked();
    return -1;
  }
  return static_cast<int>(wire.size());
}

size_t CWSocket::GetUnsentSize() {
  std::lock_guard<std::mutex> guard(m_sendLock);
  return m_strUnsent.size();
}

void CWSocket::OnConnect(int nErrorCode) {
  if (nErrorCode != 0) {
    m_bConnected = false;
    MessageBoxA(m_hMainWnd, kConnectFailed, kProgramName, MB_OK);
    if (m_hMainWnd) PostMessageA(m_hMainWnd, UM_CLOSE_REQUEST, 0, 0);
    return;
  }
  m_bConnected = true;
  Packet announcement(6001);
  announcement.AddInt64("ZMSEQ", m_nSeq);
  announcement.AddString("SF", kProgramName);
  std::lock_guard<std::mutex> guard(m_sendLock);
  if (!SendLocked(announcement.ToUtf8())) MarkBrokenLocked();
}

void CWSocket::OnReceive(int nErrorCode) {
  if (nErrorCode == -1) {
    m_bConnected = false;
    return;
  }
  const int n = Receive(m_szRecvBuf, sizeof m_szRecvBuf);
  if (n <= 0) return;  // a closed or failed link is reported by OnClose
  try {
    m_buffer.Append(std::string_view(m_szRecvBuf, static_cast<size_t>(n)));
    for (;;) {
      std::unique_ptr<Packet> packet;
      {
        std::lock_guard<std::mutex> guard(m_extractLock);
        packet = m_buffer.ExtractPacket();
      }
      if (!packet) break;
      if (m_pSink) m_pSink->DispatchPacket(packet.release());
    }
    m_buffer.EnforceLimit();
  } catch (const std::exception&) {
    // Out of memory or a bad argument while framing or dispatching: the
    // partly received packet is lost, the link goes on.
    m_buffer.Clear();
  }
}

void CWSocket::OnSend(int nErrorCode) {
  std::lock_guard<std::mutex> guard(m_sendLock);
  if (nErrorCode != 0) {
    MarkBrokenLocked();
    return;
  }
  if (m_strUnsent.empty()) return;
  const std::string waiting = std::move(m_strUnsent);
  m_strUnsent.clear();
  if (!SendLocked(waiting)) MarkBrokenLocked();
}

void CWSocket::OnClose(int) {
  m_bConnected = false;
  std::lock_guard<std::mutex> guard(m_sendLock);
  m_strUnsent.clear();
}
