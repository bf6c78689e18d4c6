#include "tests/net/win_test_support.h"

#include <gtest/gtest.h>

namespace nettest {

namespace {

// Sockets for the whole test program.
class WinsockEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  }
  void TearDown() override { WSACleanup(); }
};

[[maybe_unused]] testing::Environment* const g_winsock = testing::AddGlobalTestEnvironment(new WinsockEnvironment);

std::atomic<int> g_close_requests{0};

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 2137) {
    ++g_close_requests;
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

sockaddr_in Loopback(int port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<u_short>(port));
  return addr;
}

int BoundPort(SOCKET s) {
  sockaddr_in addr{};
  int len = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  return ntohs(addr.sin_port);
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done && done()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void PumpFor(int ms) { PumpUntil(nullptr, ms); }

Peer::Peer(int rcvbuf, int read_chunk, int pause_ms) {
  listen_ = socket(AF_INET, SOCK_STREAM, 0);
  if (rcvbuf > 0) setsockopt(listen_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&rcvbuf), sizeof rcvbuf);
  const sockaddr_in addr = Loopback(0);
  bind(listen_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
  listen(listen_, 4);
  port_ = BoundPort(listen_);
  thread_ = std::thread([this, read_chunk, pause_ms] { Run(read_chunk, pause_ms); });
}

Peer::~Peer() {
  stop_ = true;
  closesocket(listen_);
  CloseClient();
  thread_.join();
}

void Peer::Run(int read_chunk, int pause_ms) {
  const SOCKET c = accept(listen_, nullptr, nullptr);
  if (c == INVALID_SOCKET) return;
  client_ = c;
  if (read_chunk == 0) {
    while (!stop_) Sleep(10);
    return;
  }
  std::string buf(static_cast<size_t>(read_chunk), '\0');
  for (;;) {
    const int n = recv(c, buf.data(), read_chunk, 0);
    if (n <= 0) return;
    {
      std::lock_guard<std::mutex> guard(lock_);
      received_.append(buf.data(), static_cast<size_t>(n));
    }
    if (pause_ms) Sleep(static_cast<DWORD>(pause_ms));
  }
}

std::string Peer::Received() {
  std::lock_guard<std::mutex> guard(lock_);
  return received_;
}

void Peer::SendBytes(const std::string& bytes) { send(client_, bytes.data(), static_cast<int>(bytes.size()), 0); }

void Peer::CloseClient() {
  const SOCKET c = client_.exchange(INVALID_SOCKET);
  if (c != INVALID_SOCKET) {
    shutdown(c, SD_BOTH);
    closesocket(c);
  }
}

RefusingPort::RefusingPort() {
  socket_ = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in addr = Loopback(0);
  bind(socket_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
  port_ = BoundPort(socket_);
}

RefusingPort::~RefusingPort() { closesocket(socket_); }

MainWindow::MainWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ZmNetTestMain";
  RegisterClassA(&wc);
  hwnd_ = CreateWindowExA(0, wc.lpszClassName, "ZMX test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                          wc.hInstance, nullptr);
  g_close_requests = 0;
}

MainWindow::~MainWindow() { DestroyWindow(hwnd_); }

int MainWindow::CloseRequests() const { return g_close_requests; }

std::string ProgramDirectory() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of("\\/") + 1);
}

ChildProcess::ChildProcess(const std::string& command_line) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE out_write = nullptr;
  if (!CreatePipe(&out_read_, &out_write, &sa, 0)) return;
  SetHandleInformation(out_read_, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out_write;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string cmd = command_line;
  if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    process_ = pi.hProcess;
    CloseHandle(pi.hThread);
  }
  CloseHandle(out_write);
}

ChildProcess::~ChildProcess() {
  if (process_) {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 3);
    CloseHandle(process_);
  }
  if (out_read_) CloseHandle(out_read_);
}

int ChildProcess::Wait(int timeout_ms) {
  if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

std::string ChildProcess::Output() {
  std::string out;
  char buf[4096];
  DWORD n = 0;
  while (out_read_ && ReadFile(out_read_, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
  return out;
}

}  // namespace nettest
