#include "zmx/app/command_line.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "packet/text_search.h"

namespace zm {

namespace {

// The next blank-separated token at or after `pos`; empty when none is left.
std::string_view NextArg(std::string_view text, size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  const size_t start = pos;
  while (pos < text.size() && text[pos] != ' ') ++pos;
  return text.substr(start, pos - start);
}

// The decimal value of the token's leading digits (after white space and a
// sign), 0 when there are none, held within the range of int.
int LeadingNumber(std::string_view token) {
  size_t i = 0;
  while (i < token.size() && (token[i] == '\t' || token[i] == '\n' || token[i] == '\v' || token[i] == '\f' ||
                              token[i] == '\r'))
    ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  long long value = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    value = value * 10 + (token[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

}  // namespace

bool ReadCommandLine(std::string_view commandLine, CommandLineSettings& settings) {
  if (commandLine.empty()) return false;
  const size_t exe = commandLine.find(".exe");
  if (exe == std::string_view::npos) return false;
  // Past ".exe" and the closing quote or blank after it.
  size_t pos = std::min(exe + 5, commandLine.size());
  std::string_view arg = NextArg(commandLine, pos);
  if (arg.empty()) return false;
  settings.m_strServer = arg;
  arg = NextArg(commandLine, pos);
  if (arg.empty()) return false;
  settings.m_nPort = LeadingNumber(arg);
  arg = NextArg(commandLine, pos);
  if (arg.empty()) return false;
  settings.m_nSeq = LeadingNumber(arg);
  if (NextArg(commandLine, pos) == "X") settings.m_bXSwitch = 1;
  return true;
}

std::string ModuleDirOf(std::string_view path) {
  // Only a backslash that starts a character counts, not a trail byte.
  size_t cut = std::string_view::npos;
  for (size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (path[i] == '\\') cut = i;
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

std::string MakeConfigKey(int seq) {
  char key[32];
  const int n = std::snprintf(key, sizeof key, "%.*s%010d", static_cast<int>(kConfigKeyPrefix.size()),
                              kConfigKeyPrefix.data(), seq);
  return std::string(key, n < 0 ? 0 : std::min<size_t>(static_cast<size_t>(n), kConfigKeyLength));
}

}  // namespace zm
