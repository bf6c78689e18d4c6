// The application object of ZMX: one running copy, the settings of the
// command line, the platform's start-up (common controls, sockets, OLE), the
// decoder library check, the configuration key and record, and the main
// frame. Everything here runs on the main thread.
#pragma once

#include "classlib/classlib.h"

#include <memory>
#include <string>

#include "packet/packet.h"
#include "zmx/app/rijndael.h"

class CMainFrame;

class CZMXApp : public CWinApp {
 public:
  CZMXApp();
  ~CZMXApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // Server, port, sequence number and the switch "X" from the process's
  // command line; true when the first three were there.
  bool ReadCommandLine();
  // The running executable's directory, without a trailing backslash.
  std::string GetModuleDir() const;
  // Writes the configuration record to config.dat beside the program.
  bool SaveConfig() const;

  HMODULE m_hDecoder = nullptr;
  FARPROC m_pfnDecode = nullptr;  // proves the library is usable; never called
  CRijndael m_cipher;
  char m_szKey[17] = {};
  CFont m_fontApp;
  int m_nSeq = 0;
  std::unique_ptr<Packet> m_pConfig;
  std::string m_strServer;
  int m_nPort = 8484;
  int m_bReconnect = 0;
  int m_bXSwitch = 0;

 private:
  struct KernelHandle {
    HANDLE h = nullptr;
    ~KernelHandle() {
      if (h) ::CloseHandle(h);
    }
  };
  KernelHandle m_mutex;  // "ZMX_ByMobrane", open while the process lives
  bool m_bSockets = false;
  bool m_bOle = false;
  std::unique_ptr<CMainFrame> m_pFrame;
};

// The program's one application object.
CZMXApp& ZmxApp();
