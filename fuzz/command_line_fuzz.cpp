// The command line, the module-directory rule and the key on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "zmx/app/command_line.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  zm::CommandLineSettings s;
  const bool ok = zm::ReadCommandLine(text, s);
  Check(s.m_bXSwitch == 0 || s.m_bXSwitch == 1);
  if (text.find(".exe") == std::string_view::npos) {
    Check(!ok && s.m_strServer == zm::kDefaultServer && s.m_nPort == zm::kDefaultPort && s.m_nSeq == 0);
  }
  if (ok) Check(!s.m_strServer.empty() && s.m_strServer.find(' ') == std::string::npos);

  const std::string dir = zm::ModuleDirOf(text);
  Check(dir.size() < text.size() || text.empty());
  Check(text.substr(0, dir.size()) == dir);
  if (!dir.empty()) Check(text[dir.size()] == '\\');

  int seq = 0;
  if (size) std::memcpy(&seq, data, size < sizeof seq ? size : sizeof seq);
  const std::string key = zm::MakeConfigKey(seq);
  Check(key.size() == zm::kConfigKeyLength && key.compare(0, 6, zm::kConfigKeyPrefix) == 0);
  return 0;
}
