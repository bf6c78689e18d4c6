// Command line of the demo trading server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace demo {

struct Options {
  int port = 8484;                              // 0: any free port, printed at start
  std::vector<std::string> accounts{"12345678"};
  int64_t cash = 10'000'000;                    // starting cash of the mock account

  // Faults, each for a test of the gateway.
  bool refuse = false;          // bind the port but never listen: connects are refused
  int close_after = 0;          // close the link after this many packets received (0: never)
  bool split = false;           // write every frame one byte at a time
  bool garbage = false;         // text before "<PKT>" in every frame
  bool stray_frames = false;    // a frame without "<PKT>" before every answer
  bool no_end = false;          // answers without "</PKT>": the stream never ends a frame
  int64_t flood = 0;            // this many bytes of a never-ending frame first on every link
  int delay_ms = 0;             // answers wait this long
  std::vector<std::string> no_answer;  // "GBN" or "GBN/IDX" of requests left unanswered
  bool wrong_trno = false;      // answers carry a TRNO that matches no request
  bool refuse_orders = false;   // every order and setting is refused
};

// Fills `out` from the arguments; false with a message in `error` on a bad one.
bool ParseOptions(int argc, char** argv, Options& out, std::string& error);
std::string Usage();

}  // namespace demo
