#include "tests/e2e/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace e2e {

Process::Process(const std::vector<std::string>& argv, const std::string& stderr_path) {
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    setpgid(0, 0);
    dup2(in[0], 0);
    dup2(out[1], 1);
    if (!stderr_path.empty()) {
      const int err = open(stderr_path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
      if (err >= 0) dup2(err, 2);
    }
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  setpgid(pid_, pid_);
  close(in[0]);
  close(out[1]);
  in_ = in[1];
  out_ = out[0];
  signal(SIGPIPE, SIG_IGN);
}

Process::~Process() {
  Kill();
  if (in_ >= 0) close(in_);
  if (out_ >= 0) close(out_);
}

bool Process::WriteLine(const std::string& line) {
  if (in_ < 0) return false;
  const std::string data = line + "\n";
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(in_, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void Process::CloseInput() {
  if (in_ >= 0) close(in_);
  in_ = -1;
}

std::optional<std::string> Process::ReadLine(milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const size_t nl = pending_.find('\n');
    if (nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      pending_.erase(0, nl + 1);
      history_.push_back(line);
      return line;
    }
    if (eof_) return std::nullopt;
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    pollfd p{out_, POLLIN, 0};
    const int r = poll(&p, 1, static_cast<int>(left));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return std::nullopt;
    char buf[65536];
    const ssize_t n = read(out_, buf, sizeof buf);
    if (n <= 0) {
      eof_ = true;
      continue;
    }
    pending_.append(buf, static_cast<size_t>(n));
  }
}

std::optional<std::string> Process::WaitFor(const std::string& needle, milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    auto line = ReadLine(left);
    if (!line) return std::nullopt;
    if (line->find(needle) != std::string::npos) return line;
  }
}

std::optional<int> Process::Wait(milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  while (!status_) {
    int st = 0;
    const pid_t r = waitpid(pid_, &st, WNOHANG);
    if (r == pid_) {
      status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
      break;
    }
    if (r < 0) {
      status_ = -1;
      break;
    }
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(milliseconds(20));
  }
  return status_;
}

bool Process::Running() { return !Wait(milliseconds(0)).has_value(); }

void Process::Kill() {
  if (pid_ <= 0 || status_) return;
  kill(-pid_, SIGTERM);
  if (!Wait(milliseconds(2000))) {
    kill(-pid_, SIGKILL);
    Wait(milliseconds(5000));
  }
}

}  // namespace e2e
