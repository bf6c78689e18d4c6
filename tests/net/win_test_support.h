// Helpers of the Windows socket tests: a loopback peer on its own thread, a
// message pump, a main window that counts close requests, and a child
// process whose output is read back.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace nettest {

// Runs the message loop of this thread until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 10000);
void PumpFor(int ms);

// A listener on 127.0.0.1 that accepts one connection and reads everything
// into a string, optionally slowly.
class Peer {
 public:
  // rcvbuf > 0 makes the accepted socket's receive buffer that small;
  // read_chunk 0 means never read.
  explicit Peer(int rcvbuf = 0, int read_chunk = 65536, int pause_ms = 0);
  ~Peer();
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  int Port() const { return port_; }
  bool Connected() const { return client_ != INVALID_SOCKET; }
  std::string Received();
  void SendBytes(const std::string& bytes);
  void CloseClient();

 private:
  void Run(int read_chunk, int pause_ms);

  SOCKET listen_ = INVALID_SOCKET;
  std::atomic<SOCKET> client_{INVALID_SOCKET};
  int port_ = 0;
  std::mutex lock_;
  std::string received_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// A port on 127.0.0.1 that refuses connections: bound, never listening.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  int Port() const { return port_; }

 private:
  SOCKET socket_ = INVALID_SOCKET;
  int port_ = 0;
};

// A top-level window standing in for the gateway's main frame.
class MainWindow {
 public:
  MainWindow();
  ~MainWindow();
  HWND Handle() const { return hwnd_; }
  int CloseRequests() const;

 private:
  HWND hwnd_ = nullptr;
};

// A program beside this test binary, started with its output on a pipe.
class ChildProcess {
 public:
  explicit ChildProcess(const std::string& command_line);
  ~ChildProcess();
  bool Started() const { return process_ != nullptr; }
  // Waits for the end; its exit code, or -1 on time-out.
  int Wait(int timeout_ms);
  std::string Output();

 private:
  HANDLE process_ = nullptr;
  HANDLE out_read_ = nullptr;
};

std::string ProgramDirectory();

}  // namespace nettest
