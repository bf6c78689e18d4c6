// The main window of ZMX and the gateway itself: it owns the login view, the
// notification-area icon, the server connection and the gateway core, runs
// the connect and keep-alive timers and the request tick, answers the
// private window messages, and gives the core its real Win32 calls.
#pragma once

// Winsock before the class library's windows.h.
#include "zmx/net/wsocket.h"
#include "classlib/classlib.h"

#include <memory>
#include <vector>

#include "zmx/gateway/gateway_core.h"
#include "zmx/gateway/gateway_host.h"
#include "zmx/gateway/request_tick.h"
#include "zmx/net/wsocket.h"
#include "zmx/ui/child_view.h"
#include "zmx/ui/tray_icon.h"

// Private messages of the frame besides those of the gateway core.
inline constexpr UINT UM_ADD_OWNED_WND = 2033;
inline constexpr UINT UM_REMOVE_OWNED_WND = 2124;
inline constexpr UINT UM_TRAY_NOTIFY = 2136;

class CMainFrame : public CFrameWnd, public IGatewayHost, public IServerPacketSink {
 public:
  static constexpr UINT_PTR ID_TIMER_CONNECT = 3015;
  static constexpr UINT_PTR ID_TIMER_KEEPALIVE = 3016;
  static constexpr UINT kConnectDelay = 100;
  static constexpr UINT kKeepAlivePeriod = 10000;
  static constexpr UINT kRequestTickPeriod = 500;
  static constexpr UINT kRequestTickResolution = 10;
  static constexpr int kClientWidth = 520;
  static constexpr int kClientHeight = 360;
  static constexpr UINT ID_APP_EXIT_REQUEST = 32772;

  CMainFrame();
  ~CMainFrame() override;

  CGatewayCore& Core() { return m_core; }

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // ---- IGatewayHost
  int SendPacket(const Packet& packet) override;
  bool IsConnected() const override;
  std::intptr_t SendCopyData(WindowHandle to, std::uintptr_t dwData, const void* data, std::uint32_t size) override;
  bool IsWindowAlive(WindowHandle window) override;
  WindowHandle FindWindowByTitle(const std::string& title) override;
  int ShowMessageBox(const std::string& text, int buttons) override;
  void HideFrame() override;
  void PostCloseToFrame() override;
  std::intptr_t SendCloseRequest(WindowHandle to) override;
  void AddAccountItem(const std::string& text) override;
  void ShowAccountStep() override;
  Packet* Config() override;
  void SaveConfig() override;
  bool XSwitch() const override;
  void StopRequestTick() override;
  void DestroyOwnedWindows() override;

  // ---- IServerPacketSink: every packet the server connection cuts out.
  void DispatchPacket(Packet* pPacket) override;

  CChildView m_wndView;
  CTrayIcon m_trayIcon;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  BOOL OnCopyData(HWND hFromWnd, COPYDATASTRUCT* pCopyDataStruct) override;
  void OnTimer(UINT_PTR nIDEvent) override;
  void OnClose() override;
  void OnSize(UINT nType, int cx, int cy) override;
  void OnPaint() override;
  void OnNcPaint() override;
  void PostNcDestroy() override;
  BOOL HandleCommand(UINT nID, int nCode) override;

 private:
  static void CALLBACK RequestTickProc(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1, DWORD_PTR dw2);
  void ConnectServer();
  void StartRequestTick();
  void AddOwnedWindow(CWnd* pWnd);
  void RemoveOwnedWindow(CWnd* pWnd);
  // The teardown after the window has gone; runs once.
  void Teardown();

  std::unique_ptr<CWSocket> m_pSocket;
  // The frame's window for the delivery thread, which must not touch m_hWnd.
  std::atomic<HWND> m_hFrame{nullptr};
  MMTimerRecord m_mmTimer;
  std::vector<std::unique_ptr<CWnd>> m_arrOwnedWnd;
  bool m_bTornDown = false;
  // Last: its destructor stops a delivery thread that may still call the host.
  CGatewayCore m_core{*this};
};
