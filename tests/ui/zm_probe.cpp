// zm_probe: looks at and pokes a window of another process, for the
// end-to-end tests of ZMX. The window is found by its title (UTF-8 on the
// command line), optionally then a child by its control id.
//
//   zm_probe.exe --title TEXT [--child ID]... [--timeout MS] ACTION
// Each --child goes one level down, by control id.
// Actions:
//   --post MSG WPARAM LPARAM   PostMessage; prints "posted"
//   --send MSG WPARAM LPARAM   SendMessage; prints "sent RESULT"
//   --state                    prints "state visible V style 0x.. exstyle 0x..
//                              window W H client W H region L T R B|none
//                              frame FX FY"
//   --children                 prints "child ID CLASS visible V L T R B" for
//                              each direct child, in z-order (creation order)
//   --combo                    prints "combo COUNT SEL item|item|..." of a
//                              combo box
// Numbers are decimal or 0x hex. Exit code 0 on success, 1 when the window
// was not found in time, 2 on a bad command line.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void Print(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

long long Number(const wchar_t* text) { return std::wcstoll(text, nullptr, 0); }

int Usage() {
  Print("usage: zm_probe.exe --title TEXT [--child ID] [--timeout MS] (--post|--send MSG WP LP | --state | --combo)");
  return 2;
}

std::string State(HWND wnd) {
  RECT wr{}, cr{};
  GetWindowRect(wnd, &wr);
  GetClientRect(wnd, &cr);
  char buf[256];
  std::string region = "none";
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(wnd, rgn) != ERROR) {
    RECT box{};
    GetRgnBox(rgn, &box);
    std::snprintf(buf, sizeof buf, "%ld %ld %ld %ld", box.left, box.top, box.right, box.bottom);
    region = buf;
  }
  DeleteObject(rgn);
  std::snprintf(buf, sizeof buf, "state visible %d style 0x%08lX exstyle 0x%08lX window %ld %ld client %ld %ld",
                IsWindowVisible(wnd) ? 1 : 0, static_cast<unsigned long>(GetWindowLongW(wnd, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongW(wnd, GWL_EXSTYLE)), wr.right - wr.left, wr.bottom - wr.top,
                cr.right - cr.left, cr.bottom - cr.top);
  std::string out = buf;
  std::snprintf(buf, sizeof buf, " frame %d %d", GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME));
  return out + " region " + region + buf;
}

std::string Combo(HWND combo) {
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  std::string out = "combo " + std::to_string(count) + " " + std::to_string(sel) + " ";
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring text(static_cast<size_t>(len > 0 ? len : 0) + 1, L'\0');
    const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    if (i) out += "|";
    out += Utf8(text);
  }
  return out;
}

BOOL CALLBACK ListChild(HWND child, LPARAM parent) {
  if (GetParent(child) != reinterpret_cast<HWND>(parent)) return TRUE;
  wchar_t cls[64] = L"";
  GetClassNameW(child, cls, 64);
  RECT rc{};
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rc), 2);
  char buf[160];
  std::snprintf(buf, sizeof buf, "child %d %s visible %d %ld %ld %ld %ld", GetDlgCtrlID(child), Utf8(cls).c_str(),
                IsWindowVisible(child) ? 1 : 0, rc.left, rc.top, rc.right, rc.bottom);
  Print(buf);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* title = nullptr;
  std::vector<int> children;
  DWORD timeout = 10000;
  int i = 1;
  for (; i < argc; ++i) {
    if (!std::wcscmp(argv[i], L"--title") && i + 1 < argc) title = argv[++i];
    else if (!std::wcscmp(argv[i], L"--child") && i + 1 < argc) children.push_back(static_cast<int>(Number(argv[++i])));
    else if (!std::wcscmp(argv[i], L"--timeout") && i + 1 < argc) timeout = static_cast<DWORD>(Number(argv[++i]));
    else break;
  }
  if (!title || i >= argc) return Usage();
  const std::wstring action = argv[i];

  HWND wnd = nullptr;
  const DWORD start = GetTickCount();
  for (;;) {
    wnd = FindWindowW(nullptr, title);
    for (int id : children)
      if (wnd) wnd = GetDlgItem(wnd, id);
    if (wnd || GetTickCount() - start >= timeout) break;
    Sleep(50);
  }
  if (!wnd) {
    Print("not-found");
    return 1;
  }

  if ((action == L"--post" || action == L"--send") && i + 3 < argc) {
    const UINT msg = static_cast<UINT>(Number(argv[i + 1]));
    const WPARAM wp = static_cast<WPARAM>(Number(argv[i + 2]));
    const LPARAM lp = static_cast<LPARAM>(Number(argv[i + 3]));
    if (action == L"--post") {
      Print(PostMessageW(wnd, msg, wp, lp) ? "posted" : "post-failed");
    } else {
      DWORD_PTR result = 0;
      SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_NORMAL, 30000, &result);
      Print("sent " + std::to_string(static_cast<long long>(result)));
    }
    return 0;
  }
  if (action == L"--state") {
    Print(State(wnd));
    return 0;
  }
  if (action == L"--children") {
    EnumChildWindows(wnd, &ListChild, reinterpret_cast<LPARAM>(wnd));
    return 0;
  }
  if (action == L"--combo") {
    Print(Combo(wnd));
    return 0;
  }
  return Usage();
}
