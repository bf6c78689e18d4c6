// ZMX.exe end to end, as real processes: the demo trading server (native),
// and under Wine the sample client that starts ZMX, ZMXLive.exe, and the
// helpers that answer message boxes (answer_box) and look at ZMX's windows
// from outside (zm_probe). Each test runs in a directory of its own holding
// copies of the programs, since ZMX reads config.dat and ZMCommDEC.dll from
// beside itself.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "packet/packet.h"
#include "tests/e2e/process.h"
#include "zmx/app/command_line.h"
#include "zmx/app/config_file.h"
#include "zmx/app/rijndael.h"

namespace fs = std::filesystem;
using e2e::Process;
using std::chrono::milliseconds;
using std::chrono::seconds;

namespace {

// What the Windows programs print and read is UTF-8.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const fs::path kWindowsBuild = ZM_WINDOWS_BUILD;
const fs::path kDemoServer = ZM_DEMO_SERVER;

constexpr auto kStart = seconds(60);  // a Wine program's start, generous under load
constexpr auto kStep = seconds(20);

std::string FrameTitle(int seq) { return U8(u8"주마로V1.5(") + std::to_string(seq) + ")"; }

// A display for Wine's windows when the caller gave none.
class DisplayEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) return;
    int fds[2];
    if (pipe(fds) != 0) return;
    xvfb_ = fork();
    if (xvfb_ == 0) {
      setpgid(0, 0);
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char buf[32] = {};
    const ssize_t n = read(fds[0], buf, sizeof buf - 1);
    close(fds[0]);
    if (n > 0) setenv("DISPLAY", (":" + std::string(buf, static_cast<size_t>(n) - (buf[n - 1] == '\n'))).c_str(), 1);
  }
  void TearDown() override {
    if (xvfb_ <= 0) return;
    kill(xvfb_, SIGTERM);
    waitpid(xvfb_, nullptr, 0);
  }

 private:
  pid_t xvfb_ = -1;
};

const auto* const kDisplay = ::testing::AddGlobalTestEnvironment(new DisplayEnvironment);

// What a finished helper printed, and how it ended.
struct ToolResult {
  std::optional<int> code;
  std::vector<std::string> lines;
  std::string Text() const {
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
  }
};

class ZmxEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kWindowsBuild / "bin" / "ZMX.exe"))
      GTEST_SKIP() << "no Windows build at " << kWindowsBuild << " (set ZM_WINDOWS_BUILD)";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    dir_ = fs::path(ZM_E2E_WORK) / name;
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const char* file :
         {"ZMX.exe", "ZMCommDEC.dll", "ZMXLive.exe", "zm_client.exe", "zm_probe.exe", "answer_box.exe"})
      fs::copy_file(kWindowsBuild / "bin" / file, dir_ / file, fs::copy_options::overwrite_existing);
  }

  void TearDown() override {
    for (auto& p : owned_) p->Kill();
    KillLeftovers();
  }

  // Wine starts a program's children in sessions of their own, so a ZMX that
  // the client started is not in the client's process group. Whatever still
  // runs from this test's directory was started here: it is ended by its id,
  // before it can hold the single-instance mutex against the next test.
  void KillLeftovers() {
    const std::string linuxDir = dir_.string() + "/";
    const std::string winDir = WinPath(dir_) + "\\";
    for (const auto& entry : fs::directory_iterator("/proc")) {
      const std::string name = entry.path().filename().string();
      if (name.find_first_not_of("0123456789") != std::string::npos) continue;
      std::ifstream in(entry.path() / "cmdline", std::ios::binary);
      const std::string cmdline((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (cmdline.find(linuxDir) == std::string::npos && cmdline.find(winDir) == std::string::npos) continue;
      const pid_t pid = static_cast<pid_t>(std::stol(name));
      if (pid != getpid()) kill(pid, SIGKILL);
    }
  }

  // The path as a Windows program sees it (Wine's drive Z: is the root).
  static std::string WinPath(const fs::path& p) {
    std::string s = "Z:" + fs::absolute(p).string();
    for (char& c : s)
      if (c == '/') c = '\\';
    return s;
  }

  Process& Own(std::unique_ptr<Process> p) {
    owned_.push_back(std::move(p));
    return *owned_.back();
  }

  Process& StartWine(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> argv{(kWindowsBuild / "wine-run").string(), (dir_ / program).string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return Own(std::make_unique<Process>(argv, (dir_ / "stderr.log").string()));
  }

  // A demo server on a free port; its port is read from its first line.
  Process& StartServer(std::vector<std::string> args = {}) {
    std::vector<std::string> argv{kDemoServer.string(), "--port", "0"};
    argv.insert(argv.end(), args.begin(), args.end());
    Process& server = Own(std::make_unique<Process>(argv));
    const auto line = server.WaitFor(" 127.0.0.1:", seconds(10));  // listening or refusing
    if (!line) {
      ADD_FAILURE() << "the demo server did not start";
      return server;
    }
    port_ = line->substr(line->rfind(':') + 1);
    return server;
  }

  // The sample client, starting ZMX with the demo server's port and `seq`.
  Process& StartClient(int seq, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--port", port_, "--seq", std::to_string(seq), "--stay"};
    args.insert(args.end(), extra.begin(), extra.end());
    return StartWine("zm_client.exe", args);
  }

  // ZMX started on its own, without a client.
  Process& StartZmx(int seq) { return StartWine("ZMX.exe", {"127.0.0.1", port_, std::to_string(seq)}); }

  // A helper run to its end.
  ToolResult RunTool(const std::string& program, const std::vector<std::string>& args,
                     milliseconds timeout = kStart) {
    Process& p = StartWine(program, args);
    ToolResult r;
    const auto deadline = e2e::Clock::now() + timeout;
    while (auto line = p.ReadLine(std::chrono::duration_cast<milliseconds>(deadline - e2e::Clock::now())))
      r.lines.push_back(*line);
    r.code = p.Wait(seconds(5));
    return r;
  }

  // Presses `button` on the box titled "ZMX"; the box's text.
  std::string AnswerBox(const std::string& button) {
    const ToolResult r = RunTool("answer_box.exe", {button, "--timeout", "45"});
    EXPECT_EQ(r.code, 0) << "no box answered: " << r.Text();
    return r.Text();
  }

  ToolResult Probe(int seq, const std::vector<std::string>& args) {
    std::vector<std::string> all{"--title", FrameTitle(seq)};
    all.insert(all.end(), args.begin(), args.end());
    return RunTool("zm_probe.exe", all);
  }

  // Waits for the frame of `seq` through the client and registers the
  // client's window with the gateway by asking for the login state.
  void WaitFrameAndRegister(Process& client) {
    client.WriteLine("!wait-frame 45000");
    ASSERT_TRUE(client.WaitFor("frame 0x", kStart)) << "no ZMX frame";
    client.WriteLine("<PKT><GBN>1001</GBN></PKT>");
    ASSERT_TRUE(client.WaitFor("<GBN>1001</GBN>", kStep));
  }

  fs::path dir_;
  std::string port_ = "8484";
  std::vector<std::unique_ptr<Process>> owned_;
};

// ---- start-up

struct SilentCase {
  const char* name;
  const char* exe;   // the name ZMX is started under
  const char* args;  // everything after its quoted path
};

class SilentExit : public ZmxEndToEnd, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(SilentExit, EndsWithoutWindowOrMessage) {
  const SilentCase& c = GetParam();
  if (std::string(c.exe) != "ZMX.exe") fs::rename(dir_ / "ZMX.exe", dir_ / c.exe);
  StartServer();
  Process& client = StartWine("zm_client.exe", {"--zmx", WinPath(dir_ / c.exe), "--args", c.args, "--stay"});
  // A box would hold the program open: ending on its own proves there was none.
  client.WriteLine("!wait-zmx-exit 45000");
  ASSERT_TRUE(client.WaitFor("zmx-exited", kStart)) << "ZMX did not end";
  for (const auto& line : client.History()) EXPECT_EQ(line.find("frame 0x"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(CommandLine, SilentExit,
                         ::testing::Values(SilentCase{"NoArguments", "ZMX.exe", ""},
                                           SilentCase{"AddressAndPortOnly", "ZMX.exe", "127.0.0.1 8484"},
                                           SilentCase{"UpperCaseExtension", "ZMX.EXE", "127.0.0.1 8484 5"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DecoderCase {
  const char* name;
  bool present;  // a ZMCommDEC.dll lies beside ZMX, without the export
  const char8_t* message;
};

class DecoderLibrary : public ZmxEndToEnd, public ::testing::WithParamInterface<DecoderCase> {};

TEST_P(DecoderLibrary, BoxThenEnd) {
  const DecoderCase& c = GetParam();
  fs::remove(dir_ / "ZMCommDEC.dll");
  if (c.present)
    fs::copy_file(kWindowsBuild / "fixtures" / "no_export" / "ZMCommDEC.dll", dir_ / "ZMCommDEC.dll");
  StartServer();
  Process& zmx = StartZmx(11);
  EXPECT_NE(AnswerBox("ok").find(U8(c.message)), std::string::npos);
  EXPECT_TRUE(zmx.Wait(kStep).has_value()) << "ZMX still runs after the box";
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, DecoderLibrary,
    ::testing::Values(DecoderCase{"Missing", false, u8"ZMCommDEC.dll 를 찾을수 없습니다."},
                      DecoderCase{"WithoutExport", true, u8"GB_DEC 함수를 찾을수 없습니다."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZmxEndToEnd, SecondCopyAsksAndEndsTheFirstOnYes) {
  StartServer({"--no-answer", "6001"});
  Process& first = StartClient(21);
  first.WriteLine("!wait-frame 45000");
  ASSERT_TRUE(first.WaitFor("frame 0x", kStart));
  const std::string question = U8(u8"주마로가 이미실행중입니다.! 기존실행을 강제 종료하시겠습니까?");

  Process& declined = StartZmx(22);
  EXPECT_NE(AnswerBox("no").find(question), std::string::npos);
  EXPECT_TRUE(declined.Wait(kStep).has_value()) << "the second copy did not end on No";
  EXPECT_EQ(Probe(21, {"--timeout", "0", "--state"}).code, 0) << "the first copy has gone";

  StartZmx(23);
  EXPECT_NE(AnswerBox("yes").find(question), std::string::npos);
  first.WriteLine("!wait-zmx-exit 30000");
  EXPECT_TRUE(first.WaitFor("zmx-exited", kStart)) << "the first copy was not ended";
  EXPECT_EQ(Probe(23, {"--timeout", "45000", "--state"}).code, 0) << "the second copy did not start";
  Probe(23, {"--post", "2137", "0", "0"});
}

// ---- the frame

TEST_F(ZmxEndToEnd, FrameTitleSizeAndRegion) {
  // No account check answer: the frame stays on screen.
  StartServer({"--no-answer", "6003/1"});
  Process& client = StartClient(31);
  client.WriteLine("!wait-frame 45000");
  ASSERT_TRUE(client.WaitFor("frame 0x", kStart));
  const ToolResult r = Probe(31, {"--state"});
  ASSERT_EQ(r.code, 0) << r.Text();
  std::smatch m;
  const std::string state = r.Text();
  ASSERT_TRUE(std::regex_search(state, m,
                                std::regex("visible (\\d) style 0x(\\w+) exstyle 0x(\\w+) window (\\d+) (\\d+) "
                                           "client (\\d+) (\\d+) region (\\d+) (\\d+) (\\d+) (\\d+) frame (\\d+) (\\d+)")))
      << state;
  const int fx = std::stoi(m[12]), fy = std::stoi(m[13]);
  const int w = std::stoi(m[4]), h = std::stoi(m[5]);
  EXPECT_EQ(m[1], "1");
  const unsigned long style = std::stoul(m[2], nullptr, 16), exstyle = std::stoul(m[3], nullptr, 16);
  // The platform adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(style & ~0x04000000ul, 0x80000000ul | 0x10000000ul | 0x00080000ul | 0x00040000ul)
      << "exactly WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_THICKFRAME";
  EXPECT_EQ(exstyle & 0x9ul, 0x9ul) << "WS_EX_DLGMODALFRAME | WS_EX_TOPMOST";
  EXPECT_EQ(w, 520 + 2 * fx);
  EXPECT_EQ(h, 360 + 2 * fy);
  EXPECT_EQ(std::stoi(m[8]), fx);
  EXPECT_EQ(std::stoi(m[9]), fy);
  EXPECT_EQ(std::stoi(m[10]), w - fx);
  EXPECT_EQ(std::stoi(m[11]), h - fy);
  client.WriteLine("!send-2137");
}

// ---- login, queries, orders, exit

TEST_F(ZmxEndToEnd, LoginWithOneAccountThenOrdersAndExitThrough2137) {
  // Answers a little late, so the client is known before the login ends.
  Process& server = StartServer({"--accounts", "12345678", "--delay", "300"});
  Process& live = StartWine("ZMXLive.exe", {"--max-ms", "180000"});
  Process& client = StartClient(41);
  client.WriteLine("!wait-frame 45000");
  ASSERT_TRUE(client.WaitFor("frame 0x", kStart));
  client.WriteLine("<PKT><GBN>1001</GBN></PKT>");
  EXPECT_TRUE(client.WaitFor("2027 1 <PKT><GBN>1001</GBN><IsLogin>0</IsLogin><CERT>0</CERT></PKT>", kStep));

  EXPECT_TRUE(server.WaitFor("recv <PKT><GBN>6001</GBN><ZMSEQ>41</ZMSEQ><SF>ZMX</SF></PKT>", kStep));
  EXPECT_TRUE(server.WaitFor("<IDX>1</IDX><TRNO>1</TRNO><ACCTNO>012345678</ACCTNO>", kStep))
      << "the account check with the padded account";
  // The holdings event comes before the holdings answer.
  EXPECT_TRUE(client.WaitFor("2144 1 <PKT><GBN>8003</GBN><EVT_SEQ>1</EVT_SEQ><HOLD_STOCK>", kStep));
  EXPECT_TRUE(client.WaitFor("2027 1 <PKT><GBN>1003</GBN><IDX>101</IDX><DATA1>", kStep));
  const ToolResult frame = Probe(41, {"--state"});
  EXPECT_NE(frame.Text().find("state visible 0"), std::string::npos) << "frame not hidden: " << frame.Text();

  client.WriteLine("<PKT><GBN>1001</GBN></PKT>");
  EXPECT_TRUE(client.WaitFor("<GBN>1001</GBN><IsLogin>1</IsLogin><CERT>1</CERT>", kStep));

  client.WriteLine("<PKT><GBN>1006</GBN><IDX>1</IDX><CODE>005930</CODE><QTY>2</QTY><HOCODE>00</HOCODE></PKT>");
  const auto bought = client.WaitFor("<GBN>1006</GBN><IDX>1</IDX><CODE>005930</CODE>", kStep);
  ASSERT_TRUE(bought);
  EXPECT_NE(bought->find("<RESULT>OK</RESULT>"), std::string::npos) << *bought;
  EXPECT_NE(bought->find("<ODRNO>"), std::string::npos) << *bought;
  EXPECT_NE(bought->find("<AMNY>"), std::string::npos) << *bought;

  client.WriteLine(U8(u8"<PKT><GBN>1006</GBN><IDX>1</IDX><CODE>005930</CODE><QTY>1</QTY>"
                      u8"<ZMDEMO_REFUSE>주문가능금액 부족</ZMDEMO_REFUSE></PKT>"));
  const auto refused = client.WaitFor("<GBN>1004</GBN>", kStep);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find(U8(u8"<R_CODE>매수실패</R_CODE><R_MSG>주문가능금액 부족</R_MSG>")), std::string::npos)
      << *refused;

  client.WriteLine("<PKT><GBN>1007</GBN><ZMQ>echo me</ZMQ></PKT>");
  const auto passed = client.WaitFor("<GBN>1007</GBN><ZMQ>echo me</ZMQ>", kStep);
  ASSERT_TRUE(passed);
  EXPECT_NE(passed->find("<TRNO>"), std::string::npos) << *passed;

  client.WriteLine("!send-2137");
  client.WriteLine("!wait-zmx-exit 30000");
  EXPECT_TRUE(client.WaitFor("zmx-exited", kStart));
  EXPECT_TRUE(live.Wait(kStep).has_value()) << "ZMXLive.exe was not ended";
  // Events and answers came whole, never mixed chunk by chunk.
  for (const auto& line : client.History()) EXPECT_EQ(line.find("error"), std::string::npos) << line;
}

TEST_F(ZmxEndToEnd, ThreeAccountsPreselectFromConfigAndEnterSubmits) {
  constexpr int kSeq = 51;
  // config.dat as the program writes it, with the third account chosen before.
  CRijndael cipher;
  cipher.SetKey(zm::MakeConfigKey(kSeq).c_str());
  Packet record(0);
  record.AddString("ACCT", "000003333");
  ASSERT_TRUE(zm::SaveConfig(cipher, dir_.string(), &record));

  Process& server = StartServer({"--accounts", "1111|2222|3333"});
  Process& client = StartClient(kSeq);
  WaitFrameAndRegister(client);
  ASSERT_TRUE(server.WaitFor("send <PKT><GBN>6001</GBN><ACCTNO>", kStep));

  // The account step waits: three accounts are never submitted by themselves.
  ToolResult combo;
  for (int i = 0; i < 10; ++i) {
    combo = Probe(kSeq, {"--timeout", "2000", "--child", "59648", "--child", "107", "--combo"});
    if (combo.Text().find("combo 3 ") != std::string::npos) break;
    std::this_thread::sleep_for(milliseconds(250));
  }
  EXPECT_NE(combo.Text().find("combo 3 2 000001111|000002222|000003333"), std::string::npos) << combo.Text();

  // Enter in the account step (WM_KEYDOWN, VK_RETURN to the view).
  EXPECT_EQ(Probe(kSeq, {"--child", "59648", "--post", "256", "13", "0"}).code, 0);
  EXPECT_TRUE(server.WaitFor("<IDX>1</IDX><TRNO>1</TRNO><ACCTNO>000003333</ACCTNO>", kStep));
  EXPECT_TRUE(client.WaitFor("2144 1 <PKT><GBN>8003</GBN>", kStep));
  client.WriteLine("!send-2137");
}

struct ChunkCase {
  size_t text_size;
  int chunks;
};

class ResponseChunks : public ZmxEndToEnd, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(ResponseChunks, TextPlusNulInChunksOf4096) {
  StartServer({"--no-answer", "6001"});
  Process& client = StartClient(61);
  WaitFrameAndRegister(client);
  // The answer to 1001 is the request plus the login state; size the padding
  // from what that adds.
  const std::string shortRequest = "<PKT><GBN>1001</GBN><PAD></PAD></PKT>";
  client.WriteLine(shortRequest);
  const auto shortAnswer = client.WaitFor("<PAD></PAD>", kStep);
  ASSERT_TRUE(shortAnswer);
  const size_t overhead = shortAnswer->size() - std::string("2027 1 ").size() - shortRequest.size();
  const size_t pad = GetParam().text_size - overhead - shortRequest.size();
  client.WriteLine("<PKT><GBN>1001</GBN><PAD>" + std::string(pad, 'x') + "</PAD></PKT>");
  const auto answer = client.WaitFor("xxx</PAD>", kStep);
  ASSERT_TRUE(answer);
  const std::string head = "2027 " + std::to_string(GetParam().chunks) + " ";
  EXPECT_EQ(answer->substr(0, head.size()), head);
  EXPECT_EQ(answer->size() - head.size(), GetParam().text_size);
  client.WriteLine("!send-2137");
}

INSTANTIATE_TEST_SUITE_P(ClientLink, ResponseChunks,
                         ::testing::Values(ChunkCase{4095, 1}, ChunkCase{4096, 2}, ChunkCase{8192, 3}),
                         [](const auto& info) { return "Text" + std::to_string(info.param.text_size); });

TEST_F(ZmxEndToEnd, QueriesLeaveOnePerTick) {
  Process& server = StartServer();
  Process& client = StartClient(71);
  WaitFrameAndRegister(client);
  ASSERT_TRUE(server.WaitFor("recv <PKT><GBN>6003</GBN><IDX>2</IDX>", kStep));  // the start-up holdings query
  ASSERT_TRUE(client.WaitFor("2144 1 ", kStep));
  // Three queries at once, and one that is already waiting (dropped).
  for (const char* idx : {"102", "103", "105", "103"})
    client.WriteLine(std::string("<PKT><GBN>1003</GBN><IDX>") + idx + "</IDX></PKT>");
  std::vector<e2e::Clock::time_point> sent;
  std::vector<std::string> kinds;
  while (sent.size() < 3) {
    const auto line = server.WaitFor("recv <PKT><GBN>6003</GBN>", kStep);
    ASSERT_TRUE(line) << "only " << sent.size() << " queries reached the server";
    sent.push_back(e2e::Clock::now());
    kinds.push_back(line->substr(0, line->find("<TRNO>")));
  }
  EXPECT_NE(kinds[0].find("<IDX>4</IDX>"), std::string::npos);
  EXPECT_NE(kinds[1].find("<IDX>3</IDX>"), std::string::npos);
  EXPECT_NE(kinds[2].find("<IDX>5</IDX>"), std::string::npos);
  // Paced by the 500 ms tick; only a lower bound, since a busy machine only
  // makes the gaps longer.
  for (size_t i = 1; i < sent.size(); ++i)
    EXPECT_GE(std::chrono::duration_cast<milliseconds>(sent[i] - sent[i - 1]).count(), 300);
  for (const char* idx : {"<IDX>102</IDX>", "<IDX>103</IDX>", "<IDX>105</IDX>"})
    EXPECT_TRUE(client.WaitFor(idx, kStep)) << idx;
  EXPECT_FALSE(server.WaitFor("recv <PKT><GBN>6003</GBN><IDX>3</IDX>", seconds(2))) << "the repeated query was sent";
  client.WriteLine("!send-2137");
}

// ---- the server link over time

TEST_F(ZmxEndToEnd, KeepAliveEveryTenSeconds) {
  Process& server = StartServer();
  Process& client = StartClient(81);
  WaitFrameAndRegister(client);
  ASSERT_TRUE(server.WaitFor("recv <PKT><GBN>6001</GBN>", kStep));
  EXPECT_TRUE(server.WaitFor("recv <PKT><GBN>900000</GBN></PKT>", seconds(25)));
  client.WriteLine("!send-2137");
}

TEST_F(ZmxEndToEnd, ReconnectsAfterTheServerDropsTheLinkAndChecksTheAccountAgain) {
  // The link closes after the announcement, the account check and the
  // holdings query.
  Process& server = StartServer({"--close-after", "3"});
  Process& client = StartClient(91);
  WaitFrameAndRegister(client);
  ASSERT_TRUE(server.WaitFor("<ACCTNO>012345678</ACCTNO>", kStep));
  ASSERT_TRUE(server.WaitFor("closed", kStep));
  EXPECT_TRUE(server.WaitFor("connected", seconds(25))) << "no new connection";
  EXPECT_TRUE(server.WaitFor("recv <PKT><GBN>6001</GBN><ZMSEQ>91</ZMSEQ>", kStep));
  EXPECT_TRUE(server.WaitFor("<IDX>1</IDX><TRNO>", kStep)) << "the account was not checked again";
  client.WriteLine("!send-2137");
}

TEST_F(ZmxEndToEnd, RefusedConnectionShowsBoxThenEnds) {
  StartServer({"--refuse"});
  Process& client = StartClient(101);
  EXPECT_NE(AnswerBox("ok").find(U8(u8"에러 서버접속 실패 방화벽등을 확인해 주세요")), std::string::npos);
  client.WriteLine("!wait-zmx-exit 30000");
  EXPECT_TRUE(client.WaitFor("zmx-exited", kStart));
}

// ---- the shell

TEST_F(ZmxEndToEnd, TrayClickRestoresClientAndExitCommandClosesThroughTheClient) {
  StartServer();
  Process& live = StartWine("ZMXLive.exe", {"--max-ms", "180000"});
  Process& client = StartClient(111);
  WaitFrameAndRegister(client);
  ASSERT_TRUE(client.WaitFor("2144 1 ", kStep));

  // A left click on the icon restores the minimised client window.
  client.WriteLine("!minimize");
  client.WriteLine("!window-state");
  ASSERT_TRUE(client.WaitFor("iconic=1", kStep));
  EXPECT_EQ(Probe(111, {"--post", "2136", "0", "0x201"}).code, 0);  // WM_LBUTTONDOWN
  std::this_thread::sleep_for(milliseconds(500));
  client.WriteLine("!window-state");
  EXPECT_TRUE(client.WaitFor("iconic=0", kStep));
  EXPECT_NE(Probe(111, {"--state"}).Text().find("state visible 0"), std::string::npos) << "the frame showed";

  // The menu's command asks the client, which answers 2137: ZMX closes.
  EXPECT_EQ(Probe(111, {"--post", "273", "32772", "0"}).code, 0);  // WM_COMMAND
  EXPECT_TRUE(client.WaitFor("2137", kStep));
  EXPECT_TRUE(live.Wait(kStart).has_value()) << "ZMXLive.exe was not ended";
}

TEST_F(ZmxEndToEnd, ExitCommandAndEscapeWithoutClientAskFirst) {
  StartServer({"--no-answer", "6001"});
  Process& zmx = StartZmx(121);
  ASSERT_EQ(Probe(121, {"--timeout", "45000", "--state"}).code, 0);
  const std::string question = U8(u8"주마로-모의투자 접속을 종료하시겠습니까?");
  // Esc in the login view is the exit command too.
  Probe(121, {"--child", "59648", "--post", "256", "27", "0"});  // WM_KEYDOWN, VK_ESCAPE
  EXPECT_NE(AnswerBox("cancel").find(question), std::string::npos);
  EXPECT_FALSE(zmx.Wait(seconds(2)).has_value()) << "Cancel closed ZMX";
  Probe(121, {"--post", "273", "32772", "0"});
  EXPECT_NE(AnswerBox("ok").find(question), std::string::npos);
  EXPECT_TRUE(zmx.Wait(kStep).has_value()) << "OK did not close ZMX";
}

}  // namespace
