// The demo server's socket side: one client at a time on 127.0.0.1, packets
// framed as the gateway frames them, answers written with the chosen faults,
// one log line per packet received and sent.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <ostream>
#include <string>

#include "tools/demo_server/options.h"
#include "tools/demo_server/trading.h"
#include "zmx/net/framing.h"

namespace demo {

class Server {
 public:
  Server(const Options& options, std::ostream& log);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Binds 127.0.0.1 and, unless refusing, listens. Prints the port.
  bool Open(std::string& error);
  int Port() const { return port_; }
  // Serves clients until `stop` becomes true.
  void Run(const std::atomic<bool>& stop);

 private:
  struct Chunk {
    int64_t due;  // monotonic milliseconds
    std::string bytes;
    std::string log;  // printed when the first byte goes out
  };

  void Accept();
  void CloseClient(const std::string& why);
  void ReadClient();
  void Handle(const Packet& request);
  bool Unanswered(const Packet& request) const;
  void Queue(std::string frame, std::string log, int64_t earliest);
  void QueueAnswer(Packet answer);
  void WriteDue();
  int PollTimeoutMs() const;
  void Line(const std::string& text);

  const Options& options_;
  std::ostream& log_;
  MockExchange exchange_;
  int listen_fd_ = -1;
  int client_fd_ = -1;
  int port_ = 0;
  zm::net::FrameBuffer in_;
  std::deque<Chunk> out_;
  int64_t last_due_ = 0;
  int received_ = 0;
  bool close_when_flushed_ = false;
};

// A packet's text as one readable UTF-8 line (line feeds shown as \n).
std::string LogText(const Packet& p);

}  // namespace demo
