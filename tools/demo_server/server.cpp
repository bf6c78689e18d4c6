#include "tools/demo_server/server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace demo {

namespace {

constexpr int64_t kSplitGapMs = 2;
constexpr int64_t kWrongTrnoOffset = 1'000'000;

// Milliseconds of the monotonic clock.
int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

std::string Escape(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\0') out += "\\0";
    else out += c;
  }
  return out;
}

}  // namespace

std::string LogText(const Packet& p) {
  std::string wire = p.ToUtf8();
  wire.pop_back();
  return Escape(wire);
}

Server::Server(const Options& options, std::ostream& log) : options_(options), log_(log), exchange_(options) {}

Server::~Server() {
  if (client_fd_ >= 0) close(client_fd_);
  if (listen_fd_ >= 0) close(listen_fd_);
}

void Server::Line(const std::string& text) { log_ << text << std::endl; }

bool Server::Open(std::string& error) {
  listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listen_fd_ < 0) return error = std::strerror(errno), false;
  const int on = 1;
  setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(options_.port));
  if (bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) < 0)
    return error = "bind: " + std::string(std::strerror(errno)), false;
  socklen_t len = sizeof addr;
  getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  // A bound socket that never listens keeps the port and refuses every connect.
  if (options_.refuse) {
    Line("refusing 127.0.0.1:" + std::to_string(port_));
    return true;
  }
  if (listen(listen_fd_, 4) < 0) return error = "listen: " + std::string(std::strerror(errno)), false;
  Line("listening 127.0.0.1:" + std::to_string(port_));
  return true;
}

void Server::Run(const std::atomic<bool>& stop) {
  while (!stop) {
    pollfd fds[2];
    int n = 0;
    if (!options_.refuse) fds[n++] = {listen_fd_, POLLIN, 0};
    const bool want_write = !out_.empty() && out_.front().due <= NowMs();
    if (client_fd_ >= 0) fds[n++] = {client_fd_, short(POLLIN | (want_write ? POLLOUT : 0)), 0};
    if (poll(fds, n, PollTimeoutMs()) < 0 && errno != EINTR) break;
    for (int i = 0; i < n; ++i) {
      if (fds[i].fd == listen_fd_ && (fds[i].revents & POLLIN)) Accept();
      if (fds[i].fd == client_fd_ && client_fd_ >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
        ReadClient();
    }
    if (client_fd_ >= 0) WriteDue();
  }
}

int Server::PollTimeoutMs() const {
  int ms = 50;  // also how often `stop` is looked at
  if (!out_.empty()) {
    ms = static_cast<int>(std::clamp<int64_t>(out_.front().due - NowMs(), 0, ms));
  }
  return ms;
}

void Server::Accept() {
  sockaddr_in peer{};
  socklen_t len = sizeof peer;
  const int fd = accept4(listen_fd_, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  if (client_fd_ >= 0) CloseClient("replaced by a new connection");
  client_fd_ = fd;
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  char ip[INET_ADDRSTRLEN] = "";
  inet_ntop(AF_INET, &peer.sin_addr, ip, sizeof ip);
  Line("connected " + std::string(ip) + ":" + std::to_string(ntohs(peer.sin_port)));
  if (options_.flood > 0) {
    // One frame that never ends; its filler holds no "<PKT>" or "</PKT>".
    std::string flood = "<PKT><DATA>";
    flood.resize(static_cast<size_t>(options_.flood), 'x');
    Queue(std::move(flood), "send " + std::to_string(options_.flood) + " bytes of a frame without end",
          NowMs());
  }
}

void Server::CloseClient(const std::string& why) {
  close(client_fd_);
  client_fd_ = -1;
  in_.Clear();
  out_.clear();
  received_ = 0;
  close_when_flushed_ = false;
  Line("closed (" + why + ")");
}

void Server::ReadClient() {
  char buf[4096];
  const ssize_t n = recv(client_fd_, buf, sizeof buf, 0);
  if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
    CloseClient(n == 0 ? "by the client" : std::strerror(errno));
    return;
  }
  if (n < 0) return;
  in_.Append(std::string_view(buf, static_cast<size_t>(n)));
  while (auto p = in_.ExtractPacket()) {
    Handle(*p);
    if (close_when_flushed_ || client_fd_ < 0) break;
  }
  in_.EnforceLimit();
}

bool Server::Unanswered(const Packet& request) const {
  const std::string kind = std::to_string(request.GetInt64("GBN", 0));
  const std::string sub = kind + "/" + std::to_string(request.GetInt64("IDX", 0));
  return std::any_of(options_.no_answer.begin(), options_.no_answer.end(),
                     [&](const std::string& k) { return k == kind || k == sub; });
}

void Server::Handle(const Packet& request) {
  ++received_;
  std::string line = "recv " + LogText(request);
  const bool keep_alive = request.GetInt64("GBN", 0) == 900000;
  std::vector<Packet> answers = exchange_.Answer(request);
  if (keep_alive) line += " (keep-alive " + std::to_string(exchange_.KeepAlives()) + ")";
  else if (Unanswered(request)) line += " (left unanswered)", answers.clear();
  Line(line);
  for (Packet& a : answers) QueueAnswer(std::move(a));
  if (options_.close_after > 0 && received_ >= options_.close_after) close_when_flushed_ = true;
}

void Server::QueueAnswer(Packet answer) {
  if (options_.wrong_trno && !answer.GetString("TRNO", "").empty())
    answer.SetInt64("TRNO", answer.GetInt64("TRNO", 0) + kWrongTrnoOffset);
  std::string wire = answer.ToUtf8();
  std::string log = "send " + LogText(answer);
  if (options_.no_end) {
    wire.erase(wire.size() - 7, 6);  // "</PKT>" before the terminator
    log += " (without </PKT>)";
  }
  if (options_.garbage) {
    wire.insert(0, "junk");
    log += " (after junk)";
  }
  const int64_t earliest = NowMs() + options_.delay_ms;
  if (options_.stray_frames) Queue(std::string("abc</PKT>\0", 10), "send abc</PKT>\\0 (frame without <PKT>)", earliest);
  Queue(std::move(wire), std::move(log), earliest);
}

void Server::Queue(std::string frame, std::string log, int64_t earliest) {
  int64_t due = std::max(earliest, last_due_);
  if (!options_.split) {
    out_.push_back({due, std::move(frame), std::move(log)});
    last_due_ = due;
    return;
  }
  for (size_t i = 0; i < frame.size(); ++i, due += kSplitGapMs)
    out_.push_back({due, frame.substr(i, 1), i == 0 ? log + " (in 1-byte writes)" : std::string()});
  last_due_ = due;
}

void Server::WriteDue() {
  while (!out_.empty() && out_.front().due <= NowMs()) {
    Chunk& c = out_.front();
    if (!c.log.empty()) Line(std::exchange(c.log, std::string()));
    const ssize_t n = send(client_fd_, c.bytes.data(), c.bytes.size(), MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) return;
      CloseClient(std::strerror(errno));
      return;
    }
    c.bytes.erase(0, static_cast<size_t>(n));
    if (!c.bytes.empty()) return;
    out_.pop_front();
  }
  if (out_.empty() && close_when_flushed_) CloseClient("after " + std::to_string(received_) + " packets");
}

}  // namespace demo
