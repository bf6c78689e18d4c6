// zm_client: a sample trading client, to drive ZMX.exe by hand or from tests.
//
// It opens the client's top-level window "주마로-모의투자", starts ZMX.exe with
// server, port and sequence number, hands it the request packets read from
// standard input as WM_COPYDATA 2027, joins the chunks ZMX delivers back and
// prints each delivery as one line on standard output. It ends on 2137.
//
// Command line:
//   zm_client.exe [--zmx PATH] [--server HOST] [--port N] [--seq N] [--x]
//                 [--args TEXT] [--no-start] [--stay] [--keep-zmx]
//                 [--show-sender]
//   --zmx PATH     the gateway program (default: ZMX.exe beside zm_client.exe)
//   --server HOST  first argument of ZMX (default 127.0.0.1)
//   --port N       second argument (default 8484)
//   --seq N        third argument (default 1); the frame is looked for by the
//                  title "주마로V1.5(N)"
//   --x            adds the fourth argument "X"
//   --args TEXT    everything after the quoted path, as given (replaces the
//                  four above; for command lines ZMX must refuse)
//   --no-start     do not start ZMX (one is started by hand, or a stand-in)
//   --stay         the end of standard input does not end the client; it then
//                  ends on 2137, on closing its window, or when the ZMX it
//                  started ends
//   --keep-zmx     on 2137 just end; by default the client first posts 2137
//                  back to the sender so that ZMX closes with it
//   --show-sender  delivery lines carry the sender's window handle
//
// Standard input, one item per line, UTF-8. Empty lines and lines starting
// with "#" are skipped. In packet texts and !send texts "\n", "\r", "\t",
// "\\" and "\xHH" stand for those bytes (list fields hold line feeds).
//   <PKT>...              sent to the frame as WM_COPYDATA: dwData 2027,
//                         wParam the client window, the text in the ANSI code
//                         page, cbData its length (plus one NUL after !nul on)
//   !send DW WP TEXT      the same with any dwData DW and wParam WP
//   !raw DW WP HEX        bytes given in hex; HEX "empty" sends cbData 0 with
//                         a buffer, "null" cbData 0 and no buffer
//                         (WP is "self", "frame", "0" or a number, 0x for hex)
//   !nul on|off           packet texts with or without a terminating NUL
//                         (default off)
//   !wait-frame [MS]      wait until the ZMX frame exists (default 20000 ms)
//   !send-2137            send 2137 to the frame, wParam the client window
//   !sleep MS             wait, still taking deliveries
//   !echo TEXT            print "echo TEXT" (everything before it is done)
//   !close-window         destroy the client window (the client goes on)
//   !reopen-window        create it again with the same title
//   !minimize             minimise the client window
//   !window-state         print the window's handle and state
//   !wait-zmx-exit [MS]   wait until the started ZMX ends (default 20000 ms)
//   !quit                 end the client (ZMX is left running)
// The end of standard input ends the client too, unless --stay.
//
// Standard output, one line per event, UTF-8, flushed at once:
//   window 0xHWND                   the client window was created
//   started ZMX pid N               ZMX was started
//   frame 0xHWND                    !wait-frame found the frame
//   DW COUNT TEXT                   one delivery: its dwData, the number of
//                                   chunks joined, the text without its NUL
//                                   (escaped as above); with --show-sender
//                                   "DW COUNT 0xHWND TEXT"
//   2137                            the close request arrived; the client ends
//   zmx-exited CODE                 the started ZMX ended
//   echo TEXT, window-state ..., closed
//   error ...                       something failed; the client goes on
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr UINT kCloseRequest = 2137;
constexpr ULONG_PTR kPacketData = 2027;
constexpr DWORD kSendTimeoutMs = 60000;
constexpr DWORD kDefaultWaitMs = 20000;
// After answering 2137 the client waits this long for its ZMX to end.
constexpr DWORD kCloseWaitMs = 10000;
constexpr size_t kShownLines = 40;
const wchar_t kClientTitle[] = L"주마로-모의투자";
const wchar_t kFrameTitlePrefix[] = L"주마로V1.5(";
const wchar_t kWindowClass[] = L"ZmSampleClient";

class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  Handle(Handle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Reset(); }
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset() {
    if (h_) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_ = nullptr;
};

// ---- text forms -----------------------------------------------------------

std::wstring Widen(UINT codepage, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codepage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codepage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Narrow(UINT codepage, std::wstring_view text) {
  if (text.empty()) return {};
  const DWORD flags = codepage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(codepage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codepage, flags, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) { return Narrow(CP_ACP, Widen(CP_UTF8, utf8)); }
std::string AnsiToUtf8(std::string_view ansi) { return Narrow(CP_UTF8, Widen(CP_ACP, ansi)); }

std::string Hex(std::uint64_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value);
  return "0x" + digits;
}

std::string Hex(HWND wnd) { return Hex(reinterpret_cast<std::uintptr_t>(wnd)); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One line per delivery: line breaks and other control bytes are written out.
std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\x";
          out += "0123456789ABCDEF"[c >> 4];
          out += "0123456789ABCDEF"[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

// The reverse for input lines; an unknown escape stays as it stands.
std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[i + 1];
    if (next == '\\') out += '\\';
    else if (next == 'n') out += '\n';
    else if (next == 'r') out += '\r';
    else if (next == 't') out += '\t';
    else if (next == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
      i += 2;
    } else {
      out += '\\';
      continue;
    }
    ++i;
  }
  return out;
}

std::optional<std::string> ParseHexBytes(std::string_view hex) {
  std::string out;
  if (hex.size() % 2) return std::nullopt;
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

std::optional<std::uint64_t> ParseNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const unsigned long long value = std::strtoull(copy.c_str(), &end, 0);
  if (!end || *end) return std::nullopt;
  return value;
}

// Splits off the first blank-separated word; `rest` keeps what follows it.
std::string_view NextWord(std::string_view& rest) {
  size_t start = rest.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const size_t end = rest.find(' ');
  std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  return word;
}

// ---- standard input on its own thread -------------------------------------

// Lives until the process ends (ExitProcess), so the reader thread never sees
// it destroyed.
struct Input {
  std::mutex mutex;
  std::deque<std::string> lines;
  bool ended = false;
  HANDLE ready = nullptr;  // auto-reset, set after every change
};
Input g_input;

DWORD WINAPI ReadInput(void*) {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  std::string partial;
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!in || in == INVALID_HANDLE_VALUE || !ReadFile(in, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
    partial.append(buffer, got);
    std::lock_guard lock(g_input.mutex);
    for (size_t end; (end = partial.find('\n')) != std::string::npos; partial.erase(0, end + 1)) {
      std::string line = partial.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      g_input.lines.push_back(std::move(line));
    }
    SetEvent(g_input.ready);
  }
  std::lock_guard lock(g_input.mutex);
  if (!partial.empty()) g_input.lines.push_back(partial);
  g_input.ended = true;
  SetEvent(g_input.ready);
  return 0;
}

// ---- the client -------------------------------------------------------------

struct Options {
  std::wstring zmx;
  std::wstring server = L"127.0.0.1";
  std::wstring port = L"8484";
  std::wstring seq = L"1";
  bool x = false;
  std::optional<std::wstring> args;
  bool start = true;
  bool stay = false;
  bool keep_zmx = false;
  bool show_sender = false;
};

const char kUsage[] =
    "usage: zm_client.exe [--zmx PATH] [--server HOST] [--port N] [--seq N] [--x]\n"
    "                     [--args TEXT] [--no-start] [--stay] [--keep-zmx] [--show-sender]\n";

class Client {
 public:
  explicit Client(Options options) : options_(std::move(options)) {}

  int Run();
  LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  void Emit(const std::string& line);
  bool CreateClientWindow();
  void StartZmx();
  void WatchZmx();
  void RunMessages();
  bool Pump(DWORD ms, const std::function<bool()>& done);
  HWND FindFrame() const;
  HWND Frame();
  void Execute(const std::string& line);
  void Directive(std::string_view name, std::string_view rest);
  std::optional<WPARAM> ParseWParam(std::string_view word);
  void SendCopyData(ULONG_PTR data, WPARAM wp, const void* bytes, DWORD size);
  void SendText(ULONG_PTR data, WPARAM wp, std::string_view utf8);
  void OnCopyData(HWND sender, const COPYDATASTRUCT* cds);
  void OnCloseRequest(HWND sender);
  void Paint(HWND wnd);

  Options options_;
  HWND wnd_ = nullptr;
  HWND frame_ = nullptr;
  Handle zmx_;
  DWORD zmx_pid_ = 0;
  bool quit_ = false;
  bool close_requested_ = false;
  bool with_nul_ = false;
  // Chunks of the delivery being joined.
  std::string pending_;
  int pending_chunks_ = 0;
  ULONG_PTR pending_data_ = 0;
  std::deque<std::wstring> shown_;
};

Client* g_client = nullptr;

LRESULT CALLBACK ClientWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (g_client) return g_client->WindowProc(wnd, msg, wp, lp);
  return DefWindowProcW(wnd, msg, wp, lp);
}

void Client::Emit(const std::string& line) {
  static HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const std::string bytes = line + "\n";
  DWORD written = 0;
  if (out && out != INVALID_HANDLE_VALUE) WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  // The window shows the latest lines, for a person watching.
  shown_.push_back(Widen(CP_UTF8, line));
  if (shown_.size() > kShownLines) shown_.pop_front();
  if (wnd_) InvalidateRect(wnd_, nullptr, TRUE);
}

bool Client::CreateClientWindow() {
  wnd_ = CreateWindowExW(0, kWindowClass, kClientTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                         CW_USEDEFAULT, 720, 420, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!wnd_) {
    Emit("error create-window " + std::to_string(GetLastError()));
    return false;
  }
  Emit("window " + Hex(wnd_));
  return true;
}

void Client::StartZmx() {
  std::wstring command = L"\"" + options_.zmx + L"\" ";
  if (options_.args) {
    command += *options_.args;
  } else {
    command += options_.server + L" " + options_.port + L" " + options_.seq;
    if (options_.x) command += L" X";
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // No handles inherited: the gateway must not hold our pipes open.
  if (!CreateProcessW(options_.zmx.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    Emit("error start-zmx " + std::to_string(GetLastError()) + " " + Narrow(CP_UTF8, options_.zmx));
    return;
  }
  CloseHandle(info.hThread);
  zmx_ = Handle(info.hProcess);
  zmx_pid_ = info.dwProcessId;
  Emit("started ZMX pid " + std::to_string(zmx_pid_));
}

void Client::WatchZmx() {
  if (!zmx_ || WaitForSingleObject(zmx_.get(), 0) != WAIT_OBJECT_0) return;
  DWORD code = 0;
  GetExitCodeProcess(zmx_.get(), &code);
  zmx_.Reset();
  Emit("zmx-exited " + std::to_string(code));
  std::lock_guard lock(g_input.mutex);
  if (options_.stay && g_input.ended) quit_ = true;
}

void Client::RunMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit_ = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Runs the window's messages until `done` holds, the client is to end, or `ms`
// pass. Waiting input lines stay queued meanwhile.
bool Client::Pump(DWORD ms, const std::function<bool()>& done) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    RunMessages();
    WatchZmx();
    if (done && done()) return true;
    if (quit_) return false;
    const ULONGLONG spent = GetTickCount64() - start;
    if (spent >= ms) return false;
    // Short slices: `done` may watch something that sends no message.
    const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(ms - spent, 50));
    HANDLE process = zmx_.get();
    MsgWaitForMultipleObjectsEx(process ? 1 : 0, &process, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

struct FrameSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchFrame(HWND wnd, LPARAM lp) {
  auto* search = reinterpret_cast<FrameSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (search->pid && pid != search->pid) return TRUE;
  wchar_t title[128] = {};
  GetWindowTextW(wnd, title, 128);
  if (std::wcsncmp(title, kFrameTitlePrefix, std::wcslen(kFrameTitlePrefix)) != 0) return TRUE;
  search->found = wnd;
  return FALSE;
}

// The frame's title carries the sequence number; when the exact title is not
// there (ZMX read the number differently), any window of the started ZMX, or
// any window at all without one, whose title has the frame's prefix serves.
HWND Client::FindFrame() const {
  const std::wstring title = kFrameTitlePrefix + std::to_wstring(_wtoi(options_.seq.c_str())) + L")";
  if (HWND wnd = FindWindowW(nullptr, title.c_str())) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (!zmx_pid_ || pid == zmx_pid_) return wnd;
  }
  FrameSearch search{zmx_pid_, nullptr};
  EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Client::Frame() {
  if (!frame_ || !IsWindow(frame_)) frame_ = FindFrame();
  return frame_;
}

void Client::SendCopyData(ULONG_PTR data, WPARAM wp, const void* bytes, DWORD size) {
  HWND frame = Frame();
  if (!frame) {
    Emit("error no-frame");
    return;
  }
  COPYDATASTRUCT cds{data, size, const_cast<void*>(bytes)};
  DWORD_PTR result = 0;
  // Waits like SendMessage, and like it takes the deliveries sent meanwhile.
  if (!SendMessageTimeoutW(frame, WM_COPYDATA, wp, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, kSendTimeoutMs,
                           &result)) {
    Emit("error send " + std::to_string(GetLastError()));
  }
}

void Client::SendText(ULONG_PTR data, WPARAM wp, std::string_view utf8) {
  std::string bytes = Utf8ToAnsi(Unescape(utf8));
  const DWORD size = static_cast<DWORD>(bytes.size() + (with_nul_ ? 1 : 0));
  SendCopyData(data, wp, bytes.c_str(), size);
}

std::optional<WPARAM> Client::ParseWParam(std::string_view word) {
  if (word == "self") return reinterpret_cast<WPARAM>(wnd_);
  if (word == "frame") return reinterpret_cast<WPARAM>(Frame());
  if (auto value = ParseNumber(word)) return static_cast<WPARAM>(*value);
  return std::nullopt;
}

void Client::Execute(const std::string& line) {
  if (line.empty() || line[0] == '#') return;
  if (line[0] == '!') {
    std::string_view rest(line);
    rest.remove_prefix(1);
    const std::string_view name = NextWord(rest);
    Directive(name, rest);
    return;
  }
  if (line.starts_with("<PKT>")) {
    SendText(kPacketData, reinterpret_cast<WPARAM>(wnd_), line);
    return;
  }
  Emit("error bad-line " + Escape(line));
}

void Client::Directive(std::string_view name, std::string_view rest) {
  const std::string error = "error !" + std::string(name) + " ";
  auto wait_ms = [&](std::string_view word) {
    auto value = ParseNumber(word);
    return value ? static_cast<DWORD>(*value) : kDefaultWaitMs;
  };
  if (name == "send" || name == "raw") {
    const auto data = ParseNumber(NextWord(rest));
    const auto wp = ParseWParam(NextWord(rest));
    if (!data || !wp) {
      Emit(error + "needs DWDATA WPARAM");
      return;
    }
    if (name == "send") {
      SendText(static_cast<ULONG_PTR>(*data), *wp, rest);
      return;
    }
    const std::string_view payload = NextWord(rest);
    if (payload == "null") {
      SendCopyData(static_cast<ULONG_PTR>(*data), *wp, nullptr, 0);
    } else if (payload == "empty") {
      static const char kNothing = 0;
      SendCopyData(static_cast<ULONG_PTR>(*data), *wp, &kNothing, 0);
    } else if (auto bytes = ParseHexBytes(payload)) {
      SendCopyData(static_cast<ULONG_PTR>(*data), *wp, bytes->data(), static_cast<DWORD>(bytes->size()));
    } else {
      Emit(error + "bad hex");
    }
  } else if (name == "nul") {
    const std::string_view word = NextWord(rest);
    if (word == "on" || word == "off") with_nul_ = word == "on";
    else Emit(error + "needs on or off");
  } else if (name == "wait-frame") {
    if (Pump(wait_ms(NextWord(rest)), [&] { return Frame() != nullptr; })) Emit("frame " + Hex(frame_));
    else if (!quit_) Emit(error + "timeout");
  } else if (name == "send-2137") {
    HWND frame = Frame();
    DWORD_PTR result = 0;
    if (!frame) Emit("error no-frame");
    else if (!SendMessageTimeoutW(frame, kCloseRequest, reinterpret_cast<WPARAM>(wnd_), 0, SMTO_NORMAL,
                                  kSendTimeoutMs, &result))
      Emit("error send " + std::to_string(GetLastError()));
  } else if (name == "sleep") {
    const auto ms = ParseNumber(NextWord(rest));
    if (ms) Pump(static_cast<DWORD>(*ms), nullptr);
    else Emit(error + "needs MS");
  } else if (name == "echo") {
    Emit("echo " + std::string(rest));
  } else if (name == "close-window") {
    if (wnd_) DestroyWindow(wnd_);
    wnd_ = nullptr;
  } else if (name == "reopen-window") {
    if (wnd_) Emit(error + "window is open");
    else CreateClientWindow();
  } else if (name == "minimize") {
    if (wnd_) ShowWindow(wnd_, SW_MINIMIZE);
    else Emit(error + "no window");
  } else if (name == "window-state") {
    if (!wnd_) {
      Emit("window-state none");
      return;
    }
    Emit("window-state " + Hex(wnd_) + " visible=" + std::to_string(IsWindowVisible(wnd_) ? 1 : 0) +
         " iconic=" + std::to_string(IsIconic(wnd_) ? 1 : 0) +
         " foreground=" + std::to_string(GetForegroundWindow() == wnd_ ? 1 : 0));
  } else if (name == "wait-zmx-exit") {
    if (!zmx_) Emit(error + "not running");
    else if (!Pump(wait_ms(NextWord(rest)), [&] { return !zmx_; }) && !quit_) Emit(error + "timeout");
  } else if (name == "quit") {
    quit_ = true;
  } else {
    Emit("error unknown-directive " + Escape(std::string(name)));
  }
}

void Client::OnCopyData(HWND sender, const COPYDATASTRUCT* cds) {
  const char* bytes = static_cast<const char*>(cds->lpData);
  const size_t size = bytes ? cds->cbData : 0;
  if (pending_chunks_ && cds->dwData != pending_data_) {
    Emit("error interleaved " + std::to_string(pending_data_) + " " + std::to_string(cds->dwData));
  }
  pending_data_ = cds->dwData;
  ++pending_chunks_;
  pending_.append(bytes ? bytes : "", size);
  // The last chunk of a delivery is the one that ends with NUL.
  if (size == 0 || bytes[size - 1] != '\0') return;
  pending_.pop_back();
  std::string line = std::to_string(pending_data_) + " " + std::to_string(pending_chunks_) + " ";
  if (options_.show_sender) line += Hex(sender) + " ";
  line += Escape(AnsiToUtf8(pending_));
  pending_.clear();
  pending_chunks_ = 0;
  Emit(line);
}

void Client::OnCloseRequest(HWND sender) {
  Emit("2137");
  close_requested_ = true;
  quit_ = true;
  if (options_.keep_zmx) return;
  HWND frame = IsWindow(sender) ? sender : Frame();
  if (frame) PostMessageW(frame, kCloseRequest, reinterpret_cast<WPARAM>(wnd_), 0);
}

void Client::Paint(HWND wnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd, &ps);
  RECT area;
  GetClientRect(wnd, &area);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  int y = 4;
  for (const std::wstring& text : shown_) {
    TextOutW(dc, 4, y, text.c_str(), static_cast<int>(std::min<size_t>(text.size(), 400)));
    y += metrics.tmHeight;
  }
  SelectObject(dc, old);
  EndPaint(wnd, &ps);
}

LRESULT Client::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COPYDATA:
      OnCopyData(reinterpret_cast<HWND>(wp), reinterpret_cast<const COPYDATASTRUCT*>(lp));
      return 1;
    case kCloseRequest:
      OnCloseRequest(reinterpret_cast<HWND>(wp));
      return 0;
    case WM_PAINT:
      Paint(wnd);
      return 0;
    case WM_CLOSE:
      Emit("closed");
      quit_ = true;
      DestroyWindow(wnd);
      return 0;
    case WM_DESTROY:
      if (wnd == wnd_) wnd_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wp, lp);
  }
}

int Client::Run() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ClientWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassW(&wc) || !CreateClientWindow()) return 1;

  g_input.ready = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  Handle reader(CreateThread(nullptr, 0, ReadInput, nullptr, 0, nullptr));
  if (options_.start) StartZmx();

  while (!quit_) {
    std::optional<std::string> line;
    bool ended = false;
    {
      std::lock_guard lock(g_input.mutex);
      if (!g_input.lines.empty()) {
        line = std::move(g_input.lines.front());
        g_input.lines.pop_front();
      }
      ended = g_input.ended;
    }
    if (line) {
      Execute(*line);
      continue;
    }
    if (ended && !options_.stay) break;
    HANDLE handles[2] = {g_input.ready, zmx_.get()};
    MsgWaitForMultipleObjectsEx(zmx_ ? 2 : 1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    RunMessages();
    WatchZmx();
  }

  // Having asked ZMX to close along, see it go so the end can be reported.
  if (close_requested_ && !options_.keep_zmx && zmx_) {
    quit_ = false;
    Pump(kCloseWaitMs, [&] { return !zmx_; });
  }
  if (wnd_) DestroyWindow(wnd_);
  return 0;
}

std::wstring ModuleDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  const size_t slash = dir.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : dir.substr(0, slash);
}

std::optional<Options> ParseOptions(int& exit_code) {
  Options options;
  options.zmx = ModuleDir() + L"\\ZMX.exe";
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv + (argv ? 1 : 0), argv + (argv ? argc : 0));
  if (argv) LocalFree(argv);
  exit_code = 2;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == L"--x") options.x = true;
    else if (a == L"--no-start") options.start = false;
    else if (a == L"--stay") options.stay = true;
    else if (a == L"--keep-zmx") options.keep_zmx = true;
    else if (a == L"--show-sender") options.show_sender = true;
    else if (a == L"--help") {
      exit_code = 0;
      return std::nullopt;
    } else if (has_value && a == L"--zmx") options.zmx = args[++i];
    else if (has_value && a == L"--server") options.server = args[++i];
    else if (has_value && a == L"--port") options.port = args[++i];
    else if (has_value && a == L"--seq") options.seq = args[++i];
    else if (has_value && a == L"--args") options.args = args[++i];
    else return std::nullopt;
  }
  return options;
}

void ConsoleUtf8() {
  // A person at a console types and reads UTF-8 like a pipe carries it.
  DWORD mode = 0;
  if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) SetConsoleCP(CP_UTF8);
  if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) SetConsoleOutputCP(CP_UTF8);
}

}  // namespace

int main() {
  ConsoleUtf8();
  int exit_code = 0;
  std::optional<Options> options = ParseOptions(exit_code);
  if (!options) {
    HANDLE stream = GetStdHandle(exit_code ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD written = 0;
    WriteFile(stream, kUsage, sizeof kUsage - 1, &written, nullptr);
    ExitProcess(static_cast<UINT>(exit_code));
  }
  static Client client(std::move(*options));
  g_client = &client;
  // ExitProcess rather than a return: the input thread may still sit in a
  // read, and the objects it uses must not be torn down under it.
  ExitProcess(static_cast<UINT>(client.Run()));
}
