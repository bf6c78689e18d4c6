#include "zmx/app/command_line.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using zm::CommandLineSettings;

struct Case {
  const char* line;
  bool ok;
  const char* server;
  int port;
  int seq;
  int x;
};

const Case kCases[] = {
    {"", false, "127.0.0.1", 8484, 0, 0},
    {"C:\\ZMX\\ZMX.exe", false, "127.0.0.1", 8484, 0, 0},
    {"C:\\ZMX\\ZMX.exe ", false, "127.0.0.1", 8484, 0, 0},
    {"C:\\ZMX\\ZMX.exe trade.local", false, "trade.local", 8484, 0, 0},
    // What was read before the failing step stays.
    {"C:\\ZMX\\ZMX.exe 127.0.0.5 9000", false, "127.0.0.5", 9000, 0, 0},
    {"C:\\ZMX\\ZMX.EXE 127.0.0.5 9000 7", false, "127.0.0.1", 8484, 0, 0},
    {"C:\\ZMX\\ZMX.exe 127.0.0.5 9000 7", true, "127.0.0.5", 9000, 7, 0},
    {"\"C:\\Program Files\\ZMX\\ZMX.exe\" 127.0.0.5 9000 7 X", true, "127.0.0.5", 9000, 7, 1},
    {"ZMX.exe   127.0.0.5    9000  7   X  ", true, "127.0.0.5", 9000, 7, 1},
    {"ZMX.exe h 9000 7 x", true, "h", 9000, 7, 0},
    {"ZMX.exe h 9000 7 XX", true, "h", 9000, 7, 0},
    {"ZMX.exe h 9000 7 Y X", true, "h", 9000, 7, 0},
    {"ZMX.exe h port 7", true, "h", 0, 7, 0},
    {"ZMX.exe h 9000 seq", true, "h", 9000, 0, 0},
    {"ZMX.exe h 80ab 12abc", true, "h", 80, 12, 0},
    {"ZMX.exe h +80 -5", true, "h", 80, -5, 0},
    {"ZMX.exe h 99999999999 -99999999999", true, "h", INT_MAX, INT_MIN, 0},
    // The one character after ".exe" is skipped, whatever it is.
    {"ZMX.exeAhost 1 2", true, "host", 1, 2, 0},
};

TEST(ReadCommandLine, ReadsTheTable) {
  for (const Case& c : kCases) {
    CommandLineSettings s;
    EXPECT_EQ(zm::ReadCommandLine(c.line, s), c.ok) << c.line;
    EXPECT_EQ(s.m_strServer, c.server) << c.line;
    EXPECT_EQ(s.m_nPort, c.port) << c.line;
    EXPECT_EQ(s.m_nSeq, c.seq) << c.line;
    EXPECT_EQ(s.m_bXSwitch, c.x) << c.line;
  }
}

TEST(ModuleDirOf, CutsBeforeTheLastBackslash) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\ZMX\\ZMX.exe", "C:\\ZMX"},
      {"C:\\ZMX.exe", "C:"},
      {"C:\\주마로\\모의투자\\ZMX.exe", "C:\\주마로\\모의투자"},
      {"\\\\host\\share\\ZMX.exe", "\\\\host\\share"},
      {"ZMX.exe", ""},
      {"", ""},
  };
  for (auto [path, dir] : cases) EXPECT_EQ(zm::ModuleDirOf(path), dir) << path;
}

TEST(MakeConfigKey, IsPrefixAndTenDigitsCutToSixteen) {
  const std::pair<int, const char*> cases[] = {
      {0, "zumaro0000000000"},        {42, "zumaro0000000042"},        {1234567890, "zumaro1234567890"},
      {INT_MAX, "zumaro2147483647"},  {-1, "zumaro-000000001"},        {INT_MIN, "zumaro-214748364"},
  };
  for (auto [seq, key] : cases) EXPECT_EQ(zm::MakeConfigKey(seq), key) << seq;
}

}  // namespace
