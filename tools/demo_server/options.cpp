#include "tools/demo_server/options.h"

#include <charconv>
#include <string_view>

#include "packet/packet_list.h"

namespace demo {

namespace {

template <class Int>
bool ReadNumber(std::string_view text, Int& out) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && out >= 0;
}

std::vector<std::string> Split(std::string_view text, char sep) {
  std::vector<std::string> out;
  for (auto token : zm::SplitTokens(text, sep)) out.emplace_back(token);
  return out;
}

}  // namespace

std::string Usage() {
  return "usage: zm_demo_server [options]\n"
         "  --port N            listen on 127.0.0.1:N (default 8484; 0 picks a free port)\n"
         "  --accounts A|B|C    account numbers sent in answer to the announcement\n"
         "  --cash N            starting cash of the mock account (default 10000000)\n"
         "faults:\n"
         "  --refuse            hold the port without listening: every connect is refused\n"
         "  --close-after N     close the link after N packets received\n"
         "  --split             write every frame in 1-byte pieces\n"
         "  --garbage           put text before \"<PKT>\" in every frame\n"
         "  --stray-frames      send a frame without \"<PKT>\" before every answer\n"
         "  --no-end            send answers without \"</PKT>\"\n"
         "  --flood N           start every link with N bytes of a frame that never ends\n"
         "  --delay MS          send answers MS milliseconds late\n"
         "  --no-answer K,...   never answer kinds K (GBN, or GBN/IDX such as 6003/2)\n"
         "  --wrong-trno        answer with a TRNO that matches no request\n"
         "  --refuse-orders     refuse every order and setting (6002); a request field\n"
         "                      ZMDEMO_REFUSE refuses that one with its text\n";
}

bool ParseOptions(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](std::string_view& v) {
      if (i + 1 >= argc) {
        error = std::string(arg) + " needs a value";
        return false;
      }
      v = argv[++i];
      return true;
    };
    auto number = [&](auto& out) {
      std::string_view v;
      if (!value(v)) return false;
      if (ReadNumber(v, out)) return true;
      error = std::string(arg) + ": not a number: " + std::string(v);
      return false;
    };
    std::string_view v;
    bool ok = true;
    if (arg == "--port") ok = number(o.port) && o.port <= 65535;
    else if (arg == "--cash") ok = number(o.cash);
    else if (arg == "--close-after") ok = number(o.close_after);
    else if (arg == "--flood") ok = number(o.flood);
    else if (arg == "--delay") ok = number(o.delay_ms);
    else if (arg == "--accounts") ok = value(v) && !(o.accounts = Split(v, '|')).empty();
    else if (arg == "--no-answer") ok = value(v) && !(o.no_answer = Split(v, ',')).empty();
    else if (arg == "--refuse") o.refuse = true;
    else if (arg == "--split") o.split = true;
    else if (arg == "--garbage") o.garbage = true;
    else if (arg == "--stray-frames") o.stray_frames = true;
    else if (arg == "--no-end") o.no_end = true;
    else if (arg == "--wrong-trno") o.wrong_trno = true;
    else if (arg == "--refuse-orders") o.refuse_orders = true;
    else {
      error = "unknown option " + std::string(arg);
      return false;
    }
    if (!ok) {
      if (error.empty()) error = "bad value for " + std::string(arg);
      return false;
    }
  }
  return true;
}

}  // namespace demo
