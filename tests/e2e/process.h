// Child processes for the end-to-end tests: the demo server natively, the
// Windows programs through the Wine runner. Each child gets its own process
// group so that ending it ends what it started.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class Process {
 public:
  // Starts argv[0] (searched in PATH) with pipes on its standard input and
  // output; standard error goes to `stderr_path` (empty: inherited).
  explicit Process(const std::vector<std::string>& argv, const std::string& stderr_path = {});
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t Pid() const { return pid_; }

  // One line to the child's standard input (a line feed is added).
  bool WriteLine(const std::string& line);
  void CloseInput();

  // The next line of its standard output, or nullopt when none came in time
  // (or the output ended). Every line read is kept in History().
  std::optional<std::string> ReadLine(milliseconds timeout);
  // Reads until a line containing `needle` arrives; nullopt on time-out.
  std::optional<std::string> WaitFor(const std::string& needle, milliseconds timeout);
  const std::vector<std::string>& History() const { return history_; }

  // Waits for the exit; nullopt when it is still running at the time-out.
  std::optional<int> Wait(milliseconds timeout);
  bool Running();
  // Ends the whole process group (SIGTERM, then SIGKILL).
  void Kill();

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string pending_;
  bool eof_ = false;
  std::optional<int> status_;
  std::vector<std::string> history_;
};

}  // namespace e2e
