// An event-driven, non-blocking TCP socket for a thread that runs a message
// loop. Winsock reports the socket's network events as window messages to a
// hidden helper window of the socket's thread, whose procedure turns each
// message into a call of one of the callbacks below. Host names are looked up
// asynchronously the same way. Every callback runs on the socket's thread.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <memory>

class CAsyncSocketExHelperWindow;
struct CAsyncSocketExThreadData;

class CAsyncSocketEx {
 public:
  // The events this program selects: read, write, out-of-band, accept,
  // connect and close.
  static constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
  // Helper-window messages: name lookups done, and the first socket's events.
  static constexpr UINT kLookupMessage = WM_USER + 1;
  static constexpr UINT kFirstSocketMessage = WM_USER + 2;

  CAsyncSocketEx();
  virtual ~CAsyncSocketEx();
  CAsyncSocketEx(const CAsyncSocketEx&) = delete;
  CAsyncSocketEx& operator=(const CAsyncSocketEx&) = delete;

  // Opens a stream socket bound to the port and address (any when null),
  // registered with the thread's helper window for the events of lEvent.
  // False with the reason in the Winsock last error.
  BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM, long lEvent = kAllEvents,
              LPCSTR lpszSocketAddress = nullptr);
  virtual void Close();
  virtual BOOL Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen);
  // A dotted IPv4 address connects at once; a host name starts a lookup and
  // returns TRUE with WSAEWOULDBLOCK in the last error.
  virtual BOOL Connect(LPCSTR lpszHostAddress, UINT nHostPort);
  virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
  virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);

  BOOL AsyncSelect(long lEvent = kAllEvents);
  BOOL Bind(UINT nSocketPort, LPCSTR lpszSocketAddress = nullptr);

  SOCKET GetSocketHandle() const { return m_SocketData.hSocket; }
  // The helper window and the message number of this socket's events (0
  // while it has no table entry).
  HWND GetHelperWindow() const;
  UINT GetEventMessage() const;

 protected:
  // Event callbacks with the event's Winsock error code (0: success).
  virtual void OnAccept(int nErrorCode);
  virtual void OnClose(int nErrorCode);
  virtual void OnConnect(int nErrorCode);
  virtual void OnReceive(int nErrorCode);
  virtual void OnSend(int nErrorCode);

 private:
  friend class CAsyncSocketExHelperWindow;

  bool AttachToThread();
  void DetachFromThread();
  bool RegisterInTable();
  void FreeLookup();

  struct SocketData {
    SOCKET hSocket = INVALID_SOCKET;
    int nSocketIndex = -1;
  } m_SocketData;
  long m_lEvent = 0;
  std::unique_ptr<char[]> m_pAsyncGetHostByNameBuffer;  // the host entry of a lookup
  HANDLE m_hAsyncGetHostByNameHandle = nullptr;
  USHORT m_nAsyncGetHostByNamePort = 0;
  CAsyncSocketExThreadData* m_pLocalAsyncSocketExThreadData = nullptr;
};
