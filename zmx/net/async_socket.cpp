#include "zmx/net/async_socket.h"

#include <algorithm>
#include <cstring>
#include <list>
#include <map>
#include <mutex>
#include <vector>

namespace {

constexpr const char* kHelperWindowName = "CAsyncSocketEx Helper Window";
constexpr size_t kTableStep = 512;
// 1026 + index stays below 0xC000, where registered messages begin.
constexpr size_t kTableMax = 48126;
constexpr int kLookupBufferSize = 1024;  // MAXGETHOSTSTRUCT
constexpr int kForcedRead = 0x8000;

}  // namespace

// One per thread that owns sockets: the hidden window Winsock posts the
// sockets' events to, and the table from message number to socket.
class CAsyncSocketExHelperWindow {
 public:
  CAsyncSocketExHelperWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kHelperWindowName;
    RegisterClassExA(&wc);  // fails harmlessly when the class exists already
    m_hWnd = CreateWindowExA(0, kHelperWindowName, kHelperWindowName, 0, 0, 0, 0, 0, nullptr, nullptr, instance,
                             nullptr);
    if (m_hWnd) SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_table.resize(kTableStep);
  }

  ~CAsyncSocketExHelperWindow() {
    if (m_hWnd) {
      SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
      DestroyWindow(m_hWnd);
    }
    // A lookup still running may write its buffer later; let it have it.
    for (auto& [handle, buffer] : m_abandoned) buffer.release();
  }

  CAsyncSocketExHelperWindow(const CAsyncSocketExHelperWindow&) = delete;
  CAsyncSocketExHelperWindow& operator=(const CAsyncSocketExHelperWindow&) = delete;

  HWND GetHwnd() const { return m_hWnd; }

  bool AddSocket(CAsyncSocketEx* socket) {
    if (m_table.empty()) m_table.resize(kTableStep);
    if (socket->m_SocketData.nSocketIndex != -1) return true;
    if (m_nSocketCount + 10 >= m_table.size() && m_table.size() < kTableMax)
      m_table.resize(std::min(m_table.size() + kTableStep, kTableMax));
    const size_t size = m_table.size();
    for (size_t k = 0; k < size; ++k) {
      const size_t i = (m_nWindowDataPos + k) % size;
      if (m_table[i]) continue;
      m_table[i] = socket;
      socket->m_SocketData.nSocketIndex = static_cast<int>(i);
      ++m_nSocketCount;
      m_nWindowDataPos = (i + 1) % size;
      return true;
    }
    return false;
  }

  void RemoveSocket(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_table.size() || !m_table[index]) return;
    m_table[index] = nullptr;
    --m_nSocketCount;
  }

  // A lookup whose socket closed: its buffer lives on until the lookup ends.
  void Abandon(HANDLE lookup, std::unique_ptr<char[]> buffer) { m_abandoned[lookup] = std::move(buffer); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CAsyncSocketExHelperWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self && message >= CAsyncSocketEx::kFirstSocketMessage &&
        message - CAsyncSocketEx::kFirstSocketMessage < self->m_table.size()) {
      self->OnSocketEvent(message - CAsyncSocketEx::kFirstSocketMessage, wParam, lParam);
      return 0;
    }
    if (self && message == CAsyncSocketEx::kLookupMessage) {
      self->OnLookupDone(reinterpret_cast<HANDLE>(wParam), WSAGETASYNCERROR(lParam));
      return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
  }

  void OnSocketEvent(size_t index, WPARAM wParam, LPARAM lParam) {
    CAsyncSocketEx* socket = m_table[index];
    // A late event of a closed socket finds its entry empty or reused.
    if (!socket || static_cast<SOCKET>(wParam) == INVALID_SOCKET ||
        static_cast<SOCKET>(wParam) != socket->m_SocketData.hSocket)
      return;
    int error = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam)) {
      case FD_READ: {
        u_long waiting = 0;
        if (ioctlsocket(socket->m_SocketData.hSocket, FIONREAD, &waiting) == SOCKET_ERROR) error = WSAGetLastError();
        if (waiting > 0 || error != 0) socket->OnReceive(error);  // empty notifications are dropped
        break;
      }
      case kForcedRead:
        socket->OnReceive(error);
        break;
      case FD_WRITE:
        socket->OnSend(error);
        break;
      case FD_ACCEPT:
        socket->OnAccept(error);
        break;
      case FD_CONNECT:
        socket->OnConnect(error);
        break;
      case FD_CLOSE:
        socket->OnClose(error);
        break;
      default:
        break;
    }
  }

  void OnLookupDone(HANDLE lookup, int error) {
    if (m_abandoned.erase(lookup)) return;
    auto it = std::find_if(m_table.begin(), m_table.end(), [&](CAsyncSocketEx* s) {
      return s && s->m_hAsyncGetHostByNameHandle == lookup;
    });
    if (it == m_table.end()) return;
    CAsyncSocketEx* socket = *it;
    std::unique_ptr<char[]> buffer = std::move(socket->m_pAsyncGetHostByNameBuffer);
    socket->m_hAsyncGetHostByNameHandle = nullptr;
    if (error != 0) {
      socket->OnConnect(error);
      return;
    }
    const hostent* host = reinterpret_cast<const hostent*>(buffer.get());
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(socket->m_nAsyncGetHostByNamePort);
    if (!host->h_addr_list || !host->h_addr_list[0]) {
      socket->OnConnect(WSAHOST_NOT_FOUND);
      return;
    }
    std::memcpy(&addr.sin_addr, host->h_addr_list[0], sizeof addr.sin_addr);
    if (!socket->Connect(reinterpret_cast<const SOCKADDR*>(&addr), sizeof addr)) {
      const int e = WSAGetLastError();
      if (e != WSAEWOULDBLOCK) socket->OnConnect(e);
    }
  }

  HWND m_hWnd = nullptr;
  std::vector<CAsyncSocketEx*> m_table;
  size_t m_nSocketCount = 0;
  size_t m_nWindowDataPos = 0;
  std::map<HANDLE, std::unique_ptr<char[]>> m_abandoned;
};

struct CAsyncSocketExThreadData {
  DWORD nThreadId = 0;
  int nInstanceCount = 0;
  std::unique_ptr<CAsyncSocketExHelperWindow> m_pHelperWindow;
};

namespace {

// Every thread's record, under one lock.
std::mutex& ThreadListLock() {
  static std::mutex lock;
  return lock;
}
std::list<std::unique_ptr<CAsyncSocketExThreadData>>& ThreadList() {
  static std::list<std::unique_ptr<CAsyncSocketExThreadData>> list;
  return list;
}

}  // namespace

CAsyncSocketEx::CAsyncSocketEx() = default;

CAsyncSocketEx::~CAsyncSocketEx() {
  CAsyncSocketEx::Close();
  DetachFromThread();
}

bool CAsyncSocketEx::AttachToThread() {
  if (m_pLocalAsyncSocketExThreadData) return true;
  std::lock_guard<std::mutex> guard(ThreadListLock());
  const DWORD id = GetCurrentThreadId();
  auto& list = ThreadList();
  auto it = std::find_if(list.begin(), list.end(), [&](const auto& d) { return d->nThreadId == id; });
  if (it != list.end()) {
    ++(*it)->nInstanceCount;
    m_pLocalAsyncSocketExThreadData = it->get();
    return true;
  }
  auto data = std::make_unique<CAsyncSocketExThreadData>();
  data->nThreadId = id;
  data->nInstanceCount = 1;
  data->m_pHelperWindow = std::make_unique<CAsyncSocketExHelperWindow>();
  if (!data->m_pHelperWindow->GetHwnd()) return false;
  m_pLocalAsyncSocketExThreadData = data.get();
  list.push_front(std::move(data));
  return true;
}

void CAsyncSocketEx::DetachFromThread() {
  if (!m_pLocalAsyncSocketExThreadData) return;
  std::lock_guard<std::mutex> guard(ThreadListLock());
  auto& list = ThreadList();
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const auto& d) { return d.get() == m_pLocalAsyncSocketExThreadData; });
  m_pLocalAsyncSocketExThreadData = nullptr;
  if (it == list.end()) return;
  if (--(*it)->nInstanceCount == 0) list.erase(it);  // destroys the helper window
}

HWND CAsyncSocketEx::GetHelperWindow() const {
  return m_pLocalAsyncSocketExThreadData ? m_pLocalAsyncSocketExThreadData->m_pHelperWindow->GetHwnd() : nullptr;
}

UINT CAsyncSocketEx::GetEventMessage() const {
  return m_SocketData.nSocketIndex < 0 ? 0 : kFirstSocketMessage + m_SocketData.nSocketIndex;
}

bool CAsyncSocketEx::RegisterInTable() {
  return m_pLocalAsyncSocketExThreadData && m_pLocalAsyncSocketExThreadData->m_pHelperWindow->AddSocket(this);
}

BOOL CAsyncSocketEx::Create(UINT nSocketPort, int nSocketType, long lEvent, LPCSTR lpszSocketAddress) {
  if (m_SocketData.hSocket != INVALID_SOCKET) {
    WSASetLastError(WSAEALREADY);
    return FALSE;
  }
  if (!AttachToThread()) {
    WSASetLastError(WSANOTINITIALISED);
    return FALSE;
  }
  const SOCKET s = socket(AF_INET, nSocketType, 0);
  if (s == INVALID_SOCKET) return FALSE;
  m_SocketData.hSocket = s;
  RegisterInTable();
  if (!AsyncSelect(lEvent) || !Bind(nSocketPort, lpszSocketAddress)) {
    const int error = WSAGetLastError();
    Close();
    WSASetLastError(error);
    return FALSE;
  }
  return TRUE;
}

BOOL CAsyncSocketEx::AsyncSelect(long lEvent) {
  m_lEvent = lEvent;
  if (m_SocketData.nSocketIndex < 0) {
    WSASetLastError(WSAENOBUFS);  // the thread's table is full
    return FALSE;
  }
  return WSAAsyncSelect(m_SocketData.hSocket, GetHelperWindow(), GetEventMessage(), lEvent) == 0;
}

BOOL CAsyncSocketEx::Bind(UINT nSocketPort, LPCSTR lpszSocketAddress) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<u_short>(nSocketPort));
  if (!lpszSocketAddress) {
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
  } else {
    addr.sin_addr.s_addr = inet_addr(lpszSocketAddress);
    if (addr.sin_addr.s_addr == INADDR_NONE) {
      WSASetLastError(WSAEINVAL);
      return FALSE;
    }
  }
  return bind(m_SocketData.hSocket, reinterpret_cast<const SOCKADDR*>(&addr), sizeof addr) == 0;
}

BOOL CAsyncSocketEx::Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen) {
  return connect(m_SocketData.hSocket, lpSockAddr, nSockAddrLen) == 0;
}

BOOL CAsyncSocketEx::Connect(LPCSTR lpszHostAddress, UINT nHostPort) {
  if (!lpszHostAddress) {
    WSASetLastError(WSAEINVAL);
    return FALSE;
  }
  const unsigned long ip = inet_addr(lpszHostAddress);
  if (ip != INADDR_NONE) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = ip;
    addr.sin_port = htons(static_cast<u_short>(nHostPort));
    return Connect(reinterpret_cast<const SOCKADDR*>(&addr), sizeof addr);
  }
  FreeLookup();
  m_pAsyncGetHostByNameBuffer = std::make_unique<char[]>(kLookupBufferSize);
  m_nAsyncGetHostByNamePort = static_cast<USHORT>(nHostPort);
  const HANDLE lookup = WSAAsyncGetHostByName(GetHelperWindow(), kLookupMessage, lpszHostAddress,
                                              m_pAsyncGetHostByNameBuffer.get(), kLookupBufferSize);
  if (!lookup) {
    m_pAsyncGetHostByNameBuffer.reset();
    return FALSE;
  }
  m_hAsyncGetHostByNameHandle = lookup;
  WSASetLastError(WSAEWOULDBLOCK);
  return TRUE;
}

void CAsyncSocketEx::FreeLookup() {
  if (m_hAsyncGetHostByNameHandle) {
    WSACancelAsyncRequest(m_hAsyncGetHostByNameHandle);
    // The lookup may finish anyway and write its buffer: keep the buffer
    // until its completion message comes.
    if (m_pLocalAsyncSocketExThreadData)
      m_pLocalAsyncSocketExThreadData->m_pHelperWindow->Abandon(m_hAsyncGetHostByNameHandle,
                                                                 std::move(m_pAsyncGetHostByNameBuffer));
    else
      m_pAsyncGetHostByNameBuffer.release();
    m_hAsyncGetHostByNameHandle = nullptr;
  }
  m_pAsyncGetHostByNameBuffer.reset();
}

void CAsyncSocketEx::Close() {
  if (m_SocketData.hSocket != INVALID_SOCKET) {
    closesocket(m_SocketData.hSocket);
    if (m_pLocalAsyncSocketExThreadData)
      m_pLocalAsyncSocketExThreadData->m_pHelperWindow->RemoveSocket(m_SocketData.nSocketIndex);
    m_SocketData.nSocketIndex = -1;
    m_SocketData.hSocket = INVALID_SOCKET;
  }
  FreeLookup();
}

int CAsyncSocketEx::Receive(void* lpBuf, int nBufLen, int nFlags) {
  return recv(m_SocketData.hSocket, static_cast<char*>(lpBuf), nBufLen, nFlags);
}

int CAsyncSocketEx::Send(const void* lpBuf, int nBufLen, int nFlags) {
  return send(m_SocketData.hSocket, static_cast<const char*>(lpBuf), nBufLen, nFlags);
}

void CAsyncSocketEx::OnAccept(int) {}
void CAsyncSocketEx::OnClose(int) {}
void CAsyncSocketEx::OnConnect(int) {}
void CAsyncSocketEx::OnReceive(int) {}
void CAsyncSocketEx::OnSend(int) {}
