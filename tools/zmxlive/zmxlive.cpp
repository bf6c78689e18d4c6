// Companion program stand-in: a windowless process that does nothing but wait
// until somebody ends it (the gateway does so by name when it closes).
//
//   ZMXLive.exe [--mark FILE] [--max-ms N]
//
// --mark FILE   on start, write "started <pid>" and the command line (UTF-8)
//               to FILE, so a test can see that it ran and how it was called;
//               the environment variable ZMXLIVE_MARK names such a file too,
//               for when somebody else chooses the arguments
// --max-ms N    end by itself after N ms (exit code 0), so a test that fails
//               before it ends the process leaves nothing behind
// A line "ZMXLive started pid <pid>" also goes to standard output when there
// is one.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

std::string ToUtf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

void WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void WriteMark(const wchar_t* path, const std::string& text) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  WriteAll(file, text);
  CloseHandle(file);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string pid = std::to_string(GetCurrentProcessId());
  DWORD wait = INFINITE;

  wchar_t env_mark[MAX_PATH] = {};
  const DWORD env_length = GetEnvironmentVariableW(L"ZMXLIVE_MARK", env_mark, MAX_PATH);
  if (env_length > 0 && env_length < MAX_PATH) {
    WriteMark(env_mark, "started " + pid + "\n" + ToUtf8(GetCommandLineW()) + "\n");
  }

  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--mark") == 0) {
      WriteMark(argv[++i], "started " + pid + "\n" + ToUtf8(GetCommandLineW()) + "\n");
    } else if (std::wcscmp(argv[i], L"--max-ms") == 0) {
      wait = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
    }
  }
  if (argv) LocalFree(argv);

  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out && out != INVALID_HANDLE_VALUE) WriteAll(out, "ZMXLive started pid " + pid + "\n");

  // Nothing to do until ended from outside.
  if (wait == INFINITE) {
    for (;;) Sleep(INFINITE);
  }
  Sleep(wait);
  return 0;
}
