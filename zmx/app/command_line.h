// What ZMX takes from its command line, the directory rule for the files
// beside the executable, and the configuration key.
#pragma once

#include <string>
#include <string_view>

namespace zm {

inline constexpr std::string_view kDefaultServer = "127.0.0.1";
inline constexpr int kDefaultPort = 8484;
// Opens every configuration key; files written under one prefix read only
// under the same.
inline constexpr std::string_view kConfigKeyPrefix = "zumaro";
inline constexpr size_t kConfigKeyLength = 16;

struct CommandLineSettings {
  std::string m_strServer{kDefaultServer};
  int m_nPort = kDefaultPort;
  int m_nSeq = 0;
  int m_bXSwitch = 0;
};

// "<path>.exe<one character> server port seq [X]": true when server, port and
// sequence number are all present. Each value is stored as it is read, so a
// failing step keeps what was stored before it; m_bXSwitch only ever becomes 1.
bool ReadCommandLine(std::string_view commandLine, CommandLineSettings& settings);

// The path cut before its last backslash; empty when it has none.
std::string ModuleDirOf(std::string_view path);

// The prefix, then seq as "%010d", cut to 16 characters.
std::string MakeConfigKey(int seq);

}  // namespace zm
