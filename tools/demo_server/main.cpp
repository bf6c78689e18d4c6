// zm_demo_server: a stand-in trading server for the gateway, on 127.0.0.1.
// Prints one line per packet received and sent; see --help for the faults
// it can play.
#include <csignal>
#include <cstring>
#include <iostream>

#include "tools/demo_server/options.h"
#include "tools/demo_server/server.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop = true; }

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::cout << demo::Usage();
      return 0;
    }
  }
  demo::Options options;
  std::string error;
  if (!demo::ParseOptions(argc, argv, options, error)) {
    std::cerr << "zm_demo_server: " << error << "\n" << demo::Usage();
    return 2;
  }
  struct sigaction sa {};
  sa.sa_handler = OnSignal;  // no SA_RESTART: poll() returns and the loop ends
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);

  demo::Server server(options, std::cout);
  if (!server.Open(error)) {
    std::cerr << "zm_demo_server: " << error << "\n";
    return 1;
  }
  server.Run(g_stop);
  return 0;
}
