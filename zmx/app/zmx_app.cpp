#include <winsock2.h>

#include "zmx/app/zmx_app.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstring>

#include "zmx/app/command_line.h"
#include "zmx/app/config_file.h"
#include "zmx/app/kill_process.h"
#include "zmx/app/resource.h"
#include "zmx/gateway/main_frame.h"

namespace {

constexpr char kAppName[] = "ZMX";
constexpr char kMutexName[] = "ZMX_ByMobrane";
constexpr char kAlreadyRunning[] = "주마로가 이미실행중입니다.! 기존실행을 강제 종료하시겠습니까?";
constexpr char kKillFailed[] = "강제종료에 실패 했습니다.! \n프로세스를 강제종료 하시던지 컴퓨터를 재부팅 해주세요!";
constexpr char kNoDecoder[] = "ZMCommDEC.dll 를 찾을수 없습니다.";
constexpr char kNoDecodeFunction[] = "GB_DEC 함수를 찾을수 없습니다.";

CZMXApp theApp;

}  // namespace

CZMXApp& ZmxApp() { return theApp; }

CZMXApp::CZMXApp() : CWinApp(kAppName), m_strServer(zm::kDefaultServer) {
  // The application identifier ("ZMX.AppID.1.0") and restart-manager
  // support belong to the platform's shell registration, which this
  // program does not take part in.
}

CZMXApp::~CZMXApp() = default;

bool CZMXApp::ReadCommandLine() {
  zm::CommandLineSettings settings;
  settings.m_strServer = m_strServer;
  settings.m_nPort = m_nPort;
  settings.m_nSeq = m_nSeq;
  settings.m_bXSwitch = m_bXSwitch;
  const char* line = ::GetCommandLineA();
  const bool ok = zm::ReadCommandLine(line ? line : "", settings);
  m_strServer = settings.m_strServer;
  m_nPort = settings.m_nPort;
  m_nSeq = settings.m_nSeq;
  m_bXSwitch = settings.m_bXSwitch;
  return ok;
}

std::string CZMXApp::GetModuleDir() const {
  char path[300] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, 299);
  return zm::ModuleDirOf(std::string_view(path, n < 300 ? n : 0));
}

bool CZMXApp::SaveConfig() const { return zm::SaveConfig(m_cipher, GetModuleDir(), m_pConfig.get()); }

BOOL CZMXApp::InitInstance() {
  INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
  ::InitCommonControlsEx(&icc);
  CWinApp::InitInstance();

  m_mutex.h = ::CreateMutexA(nullptr, TRUE, kMutexName);
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    if (DoMessageBox(kAlreadyRunning, MB_YESNO) != IDYES) return FALSE;
    if (!KillProcessByName("ZMX.exe")) DoMessageBox(kKillFailed, MB_OK);
  }

  if (!ReadCommandLine()) return FALSE;

  WSADATA wsa{};
  if (::WSAStartup(MAKEWORD(1, 1), &wsa) != 0) {
    DoMessageBox(ZmLoadString(IDP_SOCKETS_INIT_FAILED).c_str(), MB_OK);
    return FALSE;
  }
  m_bSockets = true;
  if (FAILED(::OleInitialize(nullptr))) {
    DoMessageBox(ZmLoadString(IDP_OLE_INIT_FAILED).c_str(), MB_OK);
    return FALSE;
  }
  m_bOle = true;

  // ActiveX hosting and taskbar tabs have no part in this program's own
  // class library; only the reconnect flag is ours.
  m_bReconnect = 1;

  m_pConfig = std::make_unique<Packet>(0);
  m_fontApp.CreatePointFont(90, "굴림");
  SetRegistryKey("ZMX1.0");

  const std::string decoder = GetModuleDir() + "\\ZMCommDEC.dll";
  m_hDecoder = ::LoadLibraryA(decoder.c_str());
  if (!m_hDecoder) {
    DoMessageBox(kNoDecoder, MB_OK);
    return FALSE;
  }
  m_pfnDecode = ::GetProcAddress(m_hDecoder, "GB_DEC_A");
  if (!m_pfnDecode) {
    DoMessageBox(kNoDecodeFunction, MB_OK);
    return FALSE;
  }

  const std::string key = zm::MakeConfigKey(m_nSeq);
  std::memcpy(m_szKey, key.data(), std::min(key.size(), sizeof m_szKey - 1));
  m_cipher.SetKey(m_szKey);
  zm::LoadConfig(m_cipher, GetModuleDir(), m_pConfig.get());

  m_pFrame = std::make_unique<CMainFrame>();
  m_pMainWnd = m_pFrame.get();
  if (!m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr)) {
    m_pMainWnd = nullptr;
    return FALSE;
  }
  // The frame has no menu bar.
  if (HMENU menu = m_pFrame->GetMenu()) {
    m_pFrame->SetMenu(nullptr);
    ::DestroyMenu(menu);
  }
  m_pFrame->ShowWindow(SW_SHOW);
  m_pFrame->UpdateWindow();
  m_pFrame->CenterWindow();
  m_pFrame->SetForegroundWindow();
  return TRUE;
}

int CZMXApp::ExitInstance() {
  // The frame has torn itself down with its window; the object goes first,
  // before the record and the library it used.
  m_pFrame.reset();
  m_pConfig.reset();
  if (m_hDecoder) {
    ::FreeLibrary(m_hDecoder);
    m_hDecoder = nullptr;
    m_pfnDecode = nullptr;
  }
  if (m_bOle) {
    ::OleUninitialize();
    m_bOle = false;
  }
  if (m_bSockets) {
    ::WSACleanup();
    m_bSockets = false;
  }
  return CWinApp::ExitInstance();
}
