#include "zmx/gateway/main_frame.h"

#include <mmsystem.h>

#include <cstdio>

#include "zmx/app/kill_process.h"
#include "zmx/app/zmx_app.h"

namespace {

constexpr char kProgramName[] = "ZMX";
constexpr char kTrayTip[] = "주마로-모의투자";
constexpr std::int64_t kKeepAliveKind = 900000;

}  // namespace

CMainFrame::CMainFrame() : m_pSocket(std::make_unique<CWSocket>()) {}

CMainFrame::~CMainFrame() { Teardown(); }

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.style = WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_THICKFRAME;
  cs.dwExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
  cs.cx = kClientWidth + 2 * ::GetSystemMetrics(SM_CXFRAME);
  cs.cy = kClientHeight + 2 * ::GetSystemMetrics(SM_CYFRAME);
  // A class of its own: no class style, cursor, background or icon.
  cs.lpszClass = RegisterWndClass(0, nullptr, nullptr, nullptr);
  return cs.lpszClass != nullptr;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  m_hFrame = m_hWnd;
  CZMXApp& app = ZmxApp();
  m_wndView.SetConfig(app.m_pConfig.get());
  if (!m_wndView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                        IDW_PANE_FIRST))
    return -1;
  if (m_trayIcon.AddTrayIcon(this, UM_TRAY_NOTIFY, kTrayTip)) m_trayIcon.SetTrayIcon();
  CenterWindow();
  char title[64];
  std::snprintf(title, sizeof title, "주마로V1.5(%d)", app.m_nSeq);
  SetWindowText(title);

  m_pSocket->SetSink(this);
  m_pSocket->SetMainWindow(m_hWnd);
  m_pSocket->SetSequence(app.m_nSeq);

  m_core.Start();
  SetTimer(ID_TIMER_CONNECT, kConnectDelay);
  m_mmTimer.m_pOwner = &m_core;
  m_mmTimer.m_nPeriod = kRequestTickPeriod;
  return 0;
}

// ---- timers

void CMainFrame::ConnectServer() {
  const CZMXApp& app = ZmxApp();
  m_pSocket->ConnectServer(app.m_strServer.c_str(), static_cast<UINT>(app.m_nPort));
}

void CALLBACK CMainFrame::RequestTickProc(UINT, UINT, DWORD_PTR dwUser, DWORD_PTR, DWORD_PTR) {
  auto* record = reinterpret_cast<MMTimerRecord*>(dwUser);
  if (record && record->m_pOwner) record->m_pOwner->OnRequestTick(record->m_nId.load());
}

void CMainFrame::StartRequestTick() {
  // A start the platform refuses is tried again at the next keep-alive tick.
  if (m_mmTimer.EnsureStarted([this](std::uint32_t period) {
        return static_cast<std::uint32_t>(::timeSetEvent(period, kRequestTickResolution, &RequestTickProc,
                                                         reinterpret_cast<DWORD_PTR>(&m_mmTimer),
                                                         TIME_PERIODIC | TIME_CALLBACK_FUNCTION));
      }))
    m_core.SetRequestTick(m_mmTimer.m_nId.load());
}

void CMainFrame::StopRequestTick() {
  m_mmTimer.Stop([](std::uint32_t id) { ::timeKillEvent(id); });
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == ID_TIMER_CONNECT) {
    KillTimer(ID_TIMER_CONNECT);
    ConnectServer();
    SetTimer(ID_TIMER_KEEPALIVE, kKeepAlivePeriod);
    StartRequestTick();
  } else if (nIDEvent == ID_TIMER_KEEPALIVE) {
    if (ZmxApp().m_bReconnect == 1) {
      if (!m_pSocket->IsConnected()) {
        ConnectServer();
      } else {
        const Packet keepAlive(kKeepAliveKind);
        m_pSocket->SendPacket(&keepAlive);  // a failure clears the connected flag
      }
    }
    StartRequestTick();
  }
  CFrameWnd::OnTimer(nIDEvent);
}

// ---- messages

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case UM_PACKET:
      return m_core.OnPacketMessage(wParam, reinterpret_cast<Packet*>(lParam));
    case UM_ADD_OWNED_WND:
      AddOwnedWindow(reinterpret_cast<CWnd*>(wParam));
      return 0;
    case UM_REMOVE_OWNED_WND:
      RemoveOwnedWindow(reinterpret_cast<CWnd*>(wParam));
      break;
    case UM_CLOSE_REQUEST:
      PostMessage(WM_CLOSE);
      return 0;
    case UM_TRAY_NOTIFY:
      return HandleTrayNotify(m_hWnd, reinterpret_cast<HWND>(m_core.ClientWindow()), lParam);
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED:
      return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
    default:
      break;
  }
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

BOOL CMainFrame::OnCopyData(HWND hFromWnd, COPYDATASTRUCT* pCopyDataStruct) {
  if (pCopyDataStruct)
    m_core.OnCopyData(reinterpret_cast<WindowHandle>(hFromWnd), pCopyDataStruct->dwData, pCopyDataStruct->lpData,
                      pCopyDataStruct->cbData);
  return CFrameWnd::OnCopyData(hFromWnd, pCopyDataStruct);
}

BOOL CMainFrame::HandleCommand(UINT nID, int nCode) {
  if (nID == ID_APP_EXIT_REQUEST) {
    m_core.RequestExit();
    return TRUE;
  }
  return CFrameWnd::HandleCommand(nID, nCode);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy) {
  CFrameWnd::OnSize(nType, cx, cy);
  ApplyFrameRegion(*this, nType);
}

void CMainFrame::OnPaint() {
  CPaintDC dc(this);  // validates; the view paints itself
}

void CMainFrame::OnNcPaint() {}

void CMainFrame::OnClose() {
  m_core.StopDelivery();  // the delivery thread ends at its next pass
  m_trayIcon.RemoveTrayIcon();
  KillProcessByName("ZMXLive.exe");
  CFrameWnd::OnClose();
}

void CMainFrame::AddOwnedWindow(CWnd* pWnd) { m_arrOwnedWnd.emplace_back(pWnd); }

void CMainFrame::RemoveOwnedWindow(CWnd* pWnd) {
  if (!pWnd) return;
  const HWND hWnd = pWnd->GetSafeHwnd();
  for (auto it = m_arrOwnedWnd.begin(); it != m_arrOwnedWnd.end(); ++it) {
    const HWND hEntry = *it ? (*it)->GetSafeHwnd() : nullptr;
    if (hEntry != hWnd) continue;
    // The listed object leaves the list; the one named in the message is
    // destroyed, and a different listed one with it, so neither is lost.
    CWnd* listed = it->release();
    m_arrOwnedWnd.erase(it);
    std::unique_ptr<CWnd> given(pWnd);
    if (listed != pWnd) std::unique_ptr<CWnd> other(listed);
    return;
  }
}

void CMainFrame::DestroyOwnedWindows() { m_arrOwnedWnd.clear(); }

void CMainFrame::PostNcDestroy() { Teardown(); }

void CMainFrame::Teardown() {
  if (m_bTornDown) return;
  m_bTornDown = true;
  m_trayIcon.RemoveTrayIcon();
  // Delivery thread, request tick, queues, owned windows, pending requests.
  m_core.Shutdown();
  if (m_pSocket) {
    if (m_pSocket->IsConnected()) m_pSocket->Close();
    m_pSocket.reset();
  }
}

// ---- the core's calls into the world

int CMainFrame::SendPacket(const Packet& packet) { return m_pSocket ? m_pSocket->SendPacket(&packet) : -1; }

bool CMainFrame::IsConnected() const { return m_pSocket && m_pSocket->IsConnected(); }

std::intptr_t CMainFrame::SendCopyData(WindowHandle to, std::uintptr_t dwData, const void* data,
                                       std::uint32_t size) {
  COPYDATASTRUCT cds{};
  cds.dwData = dwData;
  cds.cbData = size;
  cds.lpData = const_cast<void*>(data);
  return ::SendMessageA(reinterpret_cast<HWND>(to), WM_COPYDATA, reinterpret_cast<WPARAM>(m_hFrame.load()),
                        reinterpret_cast<LPARAM>(&cds));
}

bool CMainFrame::IsWindowAlive(WindowHandle window) { return ::IsWindow(reinterpret_cast<HWND>(window)) != FALSE; }

WindowHandle CMainFrame::FindWindowByTitle(const std::string& title) {
  return reinterpret_cast<WindowHandle>(::FindWindowA(nullptr, title.c_str()));
}

int CMainFrame::ShowMessageBox(const std::string& text, int buttons) {
  return ::MessageBoxA(m_hFrame.load(), text.c_str(), kProgramName, static_cast<UINT>(buttons));
}

void CMainFrame::HideFrame() { ::ShowWindow(m_hFrame.load(), SW_HIDE); }

void CMainFrame::PostCloseToFrame() { ::PostMessageA(m_hFrame.load(), WM_CLOSE, 0, 0); }

std::intptr_t CMainFrame::SendCloseRequest(WindowHandle to) {
  return ::SendMessageA(reinterpret_cast<HWND>(to), UM_CLOSE_REQUEST, reinterpret_cast<WPARAM>(m_hFrame.load()), 0);
}

void CMainFrame::AddAccountItem(const std::string& text) { m_wndView.m_cboAccount.AddString(text.c_str()); }

void CMainFrame::ShowAccountStep() { m_wndView.ShowAccountStep(); }

Packet* CMainFrame::Config() { return ZmxApp().m_pConfig.get(); }

void CMainFrame::SaveConfig() { ZmxApp().SaveConfig(); }

bool CMainFrame::XSwitch() const { return ZmxApp().m_bXSwitch == 1; }

void CMainFrame::DispatchPacket(Packet* pPacket) { m_core.DispatchPacket(pPacket, kNoWindow); }
