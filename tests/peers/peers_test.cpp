// The outside peers: the sample client against a stand-in gateway frame made
// here, the ZMXLive.exe stand-in it starts in place of ZMX, and the decoder
// library with and without its export.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr UINT kCloseRequest = 2137;
// Distinct from the sequence numbers other tests start ZMX with.
const wchar_t kFrameTitle[] = L"주마로V1.5(48151)";
const wchar_t kSeqArgs[] = L"--no-start --seq 48151";

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Hex(HWND wnd) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(wnd)));
  return text;
}

HWND ParseHwnd(std::string_view text) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(std::string(text).c_str(), nullptr, 16)));
}

std::wstring ModuleDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  return dir.substr(0, dir.find_last_of(L'\\'));
}

class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    std::swap(h_, other.h_);
    return *this;
  }
  ~Handle() {
    if (h_) CloseHandle(h_);
  }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

void RunMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Stands in for the gateway frame: a top-level window with the frame's title
// that records every WM_COPYDATA and every 2137 it gets.
class FakeFrame {
 public:
  struct Copy {
    ULONG_PTR data;
    HWND sender;
    std::string bytes;
  };

  FakeFrame() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZmPeersTestFrame";
    RegisterClassW(&wc);  // a second registration fails harmlessly
    wnd_ = CreateWindowExW(0, wc.lpszClassName, kFrameTitle, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
    SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~FakeFrame() { DestroyWindow(wnd_); }
  FakeFrame(const FakeFrame&) = delete;
  FakeFrame& operator=(const FakeFrame&) = delete;

  HWND wnd() const { return wnd_; }
  std::vector<Copy> copies;
  std::vector<HWND> close_requests;

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FakeFrame*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (self && msg == WM_COPYDATA) {
      const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
      const char* bytes = static_cast<const char*>(cds->lpData);
      self->copies.push_back({cds->dwData, reinterpret_cast<HWND>(wp), bytes ? std::string(bytes, cds->cbData) : ""});
      return 0;
    }
    if (self && msg == kCloseRequest) {
      self->close_requests.push_back(reinterpret_cast<HWND>(wp));
      return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
  }

  HWND wnd_;
};

// zm_client.exe with pipes on its standard input and output. Waiting for its
// lines keeps this thread's messages flowing, so the fake frame answers.
class Client {
 public:
  explicit Client(const std::wstring& args) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE in_read, in_write, out_read, out_write;
    CreatePipe(&in_read, &in_write, &inherit, 0);
    CreatePipe(&out_read, &out_write, &inherit, 0);
    SetHandleInformation(in_write, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    stdin_ = Handle(in_write);
    stdout_ = Handle(out_read);
    Handle child_in(in_read), child_out(out_write);

    const std::wstring exe = ModuleDir() + L"\\zm_client.exe";
    std::wstring command = L"\"" + exe + L"\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = child_in.get();
    startup.hStdOutput = child_out.get();
    startup.hStdError = child_out.get();
    PROCESS_INFORMATION info{};
    started_ = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                              &info);
    if (started_) {
      CloseHandle(info.hThread);
      process_ = Handle(info.hProcess);
    }
    reader_ = std::thread([this] { Read(); });
  }

  ~Client() {
    stdin_ = Handle();  // end of input ends the client
    if (process_.get() && WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), 5000);
    }
    reader_.join();
  }

  bool started() const { return started_; }

  void Send(const std::string& line) {
    const std::string bytes = line + "\n";
    DWORD written = 0;
    WriteFile(stdin_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }

  // The next line that starts with `prefix`; lines before it are passed over.
  std::optional<std::string> WaitLine(std::string_view prefix, DWORD ms = 15000) {
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < ms) {
      RunMessages();
      {
        std::lock_guard lock(mutex_);
        for (; next_ < lines_.size(); ++next_) {
          if (lines_[next_].starts_with(prefix)) return lines_[next_++];
        }
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return std::nullopt;
  }

  // The client's window handle, from its first line.
  HWND Window() {
    const auto line = WaitLine("window ");
    return line ? ParseHwnd(line->substr(7)) : nullptr;
  }

  std::optional<DWORD> WaitExit(DWORD ms = 15000) {
    const ULONGLONG start = GetTickCount64();
    while (WaitForSingleObject(process_.get(), 10) == WAIT_TIMEOUT) {
      RunMessages();
      if (GetTickCount64() - start > ms) return std::nullopt;
    }
    RunMessages();
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
  }

  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  void Read() {
    std::string partial;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(stdout_.get(), buffer, sizeof buffer, &got, nullptr) && got) {
      partial.append(buffer, got);
      std::lock_guard lock(mutex_);
      for (size_t end; (end = partial.find('\n')) != std::string::npos; partial.erase(0, end + 1)) {
        lines_.push_back(partial.substr(0, end));
      }
    }
  }

  bool started_ = false;
  Handle process_, stdin_, stdout_;
  std::thread reader_;
  std::mutex mutex_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
};

// The gateway's way of delivering: text plus NUL in chunks of at most 4096.
void Deliver(HWND to, HWND from, ULONG_PTR data, const std::string& text, size_t chunk = 4096) {
  const std::string bytes = text + '\0';
  for (size_t at = 0; at < bytes.size(); at += chunk) {
    std::string piece = bytes.substr(at, chunk);
    COPYDATASTRUCT cds{data, static_cast<DWORD>(piece.size()), piece.data()};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&cds),
                        SMTO_NORMAL, 10000, &result);
  }
}

TEST(SampleClient, SendsEachLineAsOneCopyDataToTheFrame) {
  FakeFrame frame;
  Client client(kSeqArgs);
  ASSERT_TRUE(client.started());
  const HWND window = client.Window();
  ASSERT_NE(window, nullptr);
  client.Send("!wait-frame 10000");
  EXPECT_EQ(client.WaitLine("frame "), "frame " + Hex(frame.wnd()));

  struct Case {
    const char* what;
    std::vector<std::string> lines;
    ULONG_PTR data;
    bool from_client;  // wParam the client window, else 0
    std::string bytes;
  };
  // Narrow literals are code page 949: the bytes the frame must see.
  const Case cases[] = {
      {"packet line, UTF-8 in, CP949 out, no NUL",
       {Utf8(u8"<PKT><GBN>1006</GBN><R_CODE>매수실패</R_CODE></PKT>")}, 2027, true,
       "<PKT><GBN>1006</GBN><R_CODE>매수실패</R_CODE></PKT>"},
      {"escapes in a line", {"<PKT><DATA>a|b\\nc\\\\d</DATA></PKT>"}, 2027, true, "<PKT><DATA>a|b\nc\\d</DATA></PKT>"},
      {"with a terminating NUL", {"!nul on", "<PKT>x</PKT>", "!nul off"}, 2027, true, std::string("<PKT>x</PKT>\0", 13)},
      {"other dwData, wParam 0", {"!send 2028 0 <PKT>y</PKT>"}, 2028, false, "<PKT>y</PKT>"},
      {"raw bytes with an inner NUL", {"!raw 2027 self 3C504B543E00414243"}, 2027, true, std::string("<PKT>\0ABC", 9)},
      {"empty buffer", {"!raw 2027 self empty"}, 2027, true, ""},
      {"no buffer", {"!raw 2027 self null"}, 2027, true, ""},
  };
  int mark = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    frame.copies.clear();
    for (const std::string& line : c.lines) client.Send(line);
    // Sends wait for the frame, so the echo comes after the copy arrived.
    const std::string echo = "echo " + std::to_string(++mark);
    client.Send("!" + echo);
    ASSERT_EQ(client.WaitLine(echo), echo);
    ASSERT_EQ(frame.copies.size(), 1u);
    EXPECT_EQ(frame.copies[0].data, c.data);
    EXPECT_EQ(frame.copies[0].sender, c.from_client ? window : nullptr);
    EXPECT_EQ(frame.copies[0].bytes, c.bytes);
  }
  for (const std::string& line : client.Lines()) EXPECT_FALSE(line.starts_with("error")) << line;
}

// The gateway finds the client again by its title, in CP949 through the
// 8-bit call; closing and reopening the window gives it a new handle.
TEST(SampleClient, WindowIsFoundByTitleAfterReopening) {
  Client client(kSeqArgs);
  const HWND first = client.Window();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "주마로-모의투자"), first);
  EXPECT_EQ(FindWindowW(nullptr, L"주마로-모의투자"), first);

  client.Send("!close-window");
  client.Send("!echo closed");
  ASSERT_EQ(client.WaitLine("echo closed"), "echo closed");
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(FindWindowA(nullptr, "주마로-모의투자"), nullptr);

  client.Send("!reopen-window");
  const HWND second = client.Window();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "주마로-모의투자"), second);
}

TEST(SampleClient, JoinsChunkedDeliveries) {
  FakeFrame frame;
  Client client(kSeqArgs);
  const HWND window = client.Window();
  ASSERT_NE(window, nullptr);

  // "매" (CP949 B8 C5) starting at byte 4095 is cut between two chunks.
  const std::string split_ansi = "<PKT>" + std::string(4090, 'A') + "매수</PKT>";
  const std::string split_utf8 = "<PKT>" + std::string(4090, 'A') + Utf8(u8"매수") + "</PKT>";
  const std::string exact(4096, 'B');
  const std::string long_text = "<PKT>" + std::string(9989, 'C') + "</PKT>";
  struct Case {
    const char* what;
    ULONG_PTR data;
    std::string text;
    std::string line;
  };
  const Case cases[] = {
      {"one chunk", 2027, "<PKT><GBN>1002</GBN></PKT>", "2027 1 <PKT><GBN>1002</GBN></PKT>"},
      {"4096 bytes: a second chunk with the NUL alone", 2027, exact, "2027 2 " + exact},
      {"10000 bytes in three chunks", 2027, long_text, "2027 3 " + long_text},
      {"event, character cut between chunks", 2144, split_ansi, "2144 2 " + split_utf8},
      {"list field rows escaped", 2027, "<PKT><DATA>1|2\n3|4\\</DATA></PKT>",
       "2027 1 <PKT><DATA>1|2\\n3|4\\\\</DATA></PKT>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Deliver(window, frame.wnd(), c.data, c.text);
    EXPECT_EQ(client.WaitLine(std::to_string(c.data) + " "), c.line);
  }

  // A delivery cut into by another one is reported, not passed as whole.
  std::string start = "<PKT>ab";
  COPYDATASTRUCT cds{2027, static_cast<DWORD>(start.size()), start.data()};
  SendMessageW(window, WM_COPYDATA, reinterpret_cast<WPARAM>(frame.wnd()), reinterpret_cast<LPARAM>(&cds));
  Deliver(window, frame.wnd(), 2144, "<PKT>c</PKT>");
  EXPECT_EQ(client.WaitLine("error"), "error interleaved 2027 2144");
}

TEST(SampleClient, EndsOnCloseRequest) {
  struct Case {
    const wchar_t* extra;
    bool closes_zmx_too;
  };
  for (const Case& c : {Case{L"", true}, Case{L" --keep-zmx", false}}) {
    SCOPED_TRACE(Utf8(std::wstring(c.extra)));
    FakeFrame frame;
    Client client(std::wstring(kSeqArgs) + L" --stay" + c.extra);
    const HWND window = client.Window();
    ASSERT_NE(window, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, kCloseRequest, reinterpret_cast<WPARAM>(frame.wnd()), 0, SMTO_NORMAL, 10000, &result);
    EXPECT_EQ(client.WaitLine("2137"), "2137");
    EXPECT_EQ(client.WaitExit(), 0u);
    // The answer was posted before the client ended, so it is queued by now.
    if (c.closes_zmx_too) {
      EXPECT_EQ(frame.close_requests, std::vector<HWND>{window});
    } else {
      EXPECT_TRUE(frame.close_requests.empty());
    }
  }
}

TEST(SampleClient, StartsZmxWithItsCommandLine) {
  // ZMXLive.exe plays ZMX here and writes down how it was started.
  const std::wstring stand_in = ModuleDir() + L"\\ZMXLive.exe";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring mark = std::wstring(temp) + L"zm_peers_mark.txt";
  SetEnvironmentVariableW(L"ZMXLIVE_MARK", mark.c_str());
  const std::wstring zmx = L" --zmx \"" + stand_in + L"\"";
  const std::string quoted = "\"" + Utf8(stand_in) + "\"";

  struct Case {
    std::wstring args;
    std::optional<std::string> command;  // none: not started
  };
  const Case cases[] = {
      {L"--server 127.0.0.1 --port 8484 --seq 12 --x" + zmx, quoted + " 127.0.0.1 8484 12 X"},
      {L"--seq 12" + zmx, quoted + " 127.0.0.1 8484 12"},
      {L"--args \"127.0.0.1 8484\"" + zmx, quoted + " 127.0.0.1 8484"},
      {L"--seq 12 --no-start" + zmx, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.args));
    DeleteFileW(mark.c_str());
    Client client(c.args);
    client.Send("!echo ready");
    ASSERT_EQ(client.WaitLine("echo ready"), "echo ready");
    const auto started = [&] {
      for (const std::string& line : client.Lines())
        if (line.starts_with("started ZMX pid ")) return std::optional<DWORD>(std::stoul(line.substr(16)));
      return std::optional<DWORD>();
    }();
    if (!c.command) {
      EXPECT_FALSE(started);
      EXPECT_EQ(GetFileAttributesW(mark.c_str()), INVALID_FILE_ATTRIBUTES);
      continue;
    }
    ASSERT_TRUE(started);
    Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, *started));
    ASSERT_NE(process.get(), nullptr);

    std::string written;
    for (int i = 0; i < 500 && written.find('\n', written.find('\n') + 1) == std::string::npos; ++i) {
      Sleep(20);
      Handle file(CreateFileW(mark.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr));
      char buffer[2048];
      DWORD got = 0;
      if (file.get() && ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) written.assign(buffer, got);
    }
    EXPECT_EQ(written, "started " + std::to_string(*started) + "\n" + *c.command + "\n");

    // It waits until it is ended, and the client sees it go.
    EXPECT_EQ(WaitForSingleObject(process.get(), 300), static_cast<DWORD>(WAIT_TIMEOUT));
    TerminateProcess(process.get(), 3);
    EXPECT_EQ(client.WaitLine("zmx-exited"), "zmx-exited 3");
  }
  SetEnvironmentVariableW(L"ZMXLIVE_MARK", nullptr);
  DeleteFileW(mark.c_str());
}

TEST(DecoderLibrary, ExportsGbDecAOnlyInTheRealBuild) {
  struct Case {
    std::wstring path;
    bool exported;
  };
  const Case cases[] = {
      {ModuleDir() + L"\\ZMCommDEC.dll", true},
      {ModuleDir() + L"\\..\\fixtures\\no_export\\ZMCommDEC.dll", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.path));
    HMODULE module = LoadLibraryW(c.path.c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetProcAddress(module, "GB_DEC_A") != nullptr, c.exported);
    FreeLibrary(module);
  }
}

}  // namespace
