#include "zmx/app/kill_process.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

namespace {

// Upper case through the platform, so double-byte characters stay whole.
std::string Upper(const char* text) {
  std::string s(text ? text : "");
  if (!s.empty()) CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

}  // namespace

bool KillProcessByName(const char* name) {
  const std::string wanted = Upper(name);
  const Handle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
  if (snapshot.h == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  const DWORD self = GetCurrentProcessId();
  for (BOOL more = Process32First(snapshot.h, &entry); more; more = Process32Next(snapshot.h, &entry)) {
    if (entry.th32ProcessID == self) continue;
    if (Upper(entry.szExeFile).find(wanted) == std::string::npos) continue;
    const Handle process{OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)};
    if (!process.h) return false;
    TerminateProcess(process.h, 0);
    return true;
  }
  return false;
}
