// answer_box: answers a message box from outside its process, as a person
// would. Waits for a top-level dialog with the given title, prints its text
// as UTF-8, and presses one of its buttons.
//
//   answer_box.exe [ok|cancel|yes|no] [--title TEXT] [--timeout SECONDS]
//
// Defaults: ok, title "ZMX", 30 seconds. Exit code 0 when the button was
// pressed, 1 when no such dialog appeared in time, 2 on a bad command line
// or a dialog without that button.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
  const wchar_t* title;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  wchar_t cls[16] = L"", text[256] = L"";
  GetClassNameW(hwnd, cls, 16);
  GetWindowTextW(hwnd, text, 256);
  if (std::wcscmp(cls, L"#32770") == 0 && std::wcscmp(text, s->title) == 0 && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The texts of the dialog's static controls: the message (the icon has none).
BOOL CALLBACK CollectText(HWND hwnd, LPARAM lParam) {
  auto* out = reinterpret_cast<std::wstring*>(lParam);
  wchar_t cls[16] = L"";
  GetClassNameW(hwnd, cls, 16);
  if (_wcsicmp(cls, L"Static") != 0) return TRUE;
  const int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return TRUE;
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), n + 1)));
  if (!out->empty()) out->push_back(L'\n');
  *out += text;
  return TRUE;
}

void PrintUtf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
  utf8 += '\n';
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

int Usage() {
  std::fputs("usage: answer_box.exe [ok|cancel|yes|no] [--title TEXT] [--timeout SECONDS]\n", stderr);
  return 2;
}

}  // namespace

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring title = L"ZMX";
  int button = IDOK;
  double timeout_s = 30;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"ok") button = IDOK;
    else if (a == L"cancel") button = IDCANCEL;
    else if (a == L"yes") button = IDYES;
    else if (a == L"no") button = IDNO;
    else if (a == L"--title" && i + 1 < argc) title = argv[++i];
    else if (a == L"--timeout" && i + 1 < argc) timeout_s = _wtof(argv[++i]);
    else return Usage();
  }
  LocalFree(argv);

  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_s * 1000);
  Search search{title.c_str()};
  HWND button_wnd = nullptr;
  for (;;) {
    search.found = nullptr;
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    // The box is ready once its buttons exist.
    if (search.found && (button_wnd = GetDlgItem(search.found, button)) != nullptr) break;
    if (search.found && GetDlgItem(search.found, IDOK) == nullptr && GetDlgItem(search.found, IDCANCEL) == nullptr &&
        GetDlgItem(search.found, IDYES) == nullptr) {
      // still being built
    } else if (search.found) {
      std::fputs("answer_box: the dialog has no such button\n", stderr);
      return 2;
    }
    if (GetTickCount64() >= deadline) {
      std::fputs("answer_box: no dialog appeared\n", stderr);
      return 1;
    }
    Sleep(50);
  }
  std::wstring text;
  EnumChildWindows(search.found, CollectText, reinterpret_cast<LPARAM>(&text));
  PrintUtf8(text);
  PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(button_wnd));
  return 0;
}
