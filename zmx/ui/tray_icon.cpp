#include "zmx/ui/tray_icon.h"

#include <algorithm>
#include <cstring>

#include "zmx/app/resource.h"

CTrayIcon::~CTrayIcon() { RemoveTrayIcon(); }

BOOL CTrayIcon::AddTrayIcon(CWnd* pOwner, UINT uCallbackMessage, LPCSTR lpszTip) {
  m_nid = NOTIFYICONDATAA{};
  m_nid.cbSize = kRecordSize;
  m_nid.hWnd = pOwner ? pOwner->GetSafeHwnd() : nullptr;
  m_nid.uID = 0;
  m_nid.uCallbackMessage = uCallbackMessage;
  m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  if (lpszTip) {
    const size_t n = std::min(std::strlen(lpszTip), kTipMax);
    std::memcpy(m_nid.szTip, lpszTip, n);
    m_nid.szTip[n] = '\0';
  }
  m_bAdded = Shell_NotifyIconA(NIM_ADD, &m_nid) != FALSE;
  return m_bAdded;
}

BOOL CTrayIcon::SetTrayIcon() {
  // Shared icons of the module's resources are never destroyed by us.
  m_nid.hIcon = ::LoadIconA(ZmGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  m_nid.uFlags = NIF_ICON;
  return Shell_NotifyIconA(NIM_MODIFY, &m_nid);
}

BOOL CTrayIcon::RemoveTrayIcon() {
  if (!m_bAdded) return FALSE;
  m_bAdded = false;
  m_nid.uFlags = 0;
  return Shell_NotifyIconA(NIM_DELETE, &m_nid);
}

namespace {

struct MenuHandle {
  HMENU h;
  ~MenuHandle() {
    if (h) ::DestroyMenu(h);
  }
};

}  // namespace

LRESULT HandleTrayNotify(HWND hFrame, HWND hClient, LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN:
      // The client's window comes forward; the gateway's own frame stays as it is.
      if (hClient && ::IsWindow(hClient)) {
        if (::IsIconic(hClient))
          ::ShowWindow(hClient, SW_RESTORE);
        else
          ::SetForegroundWindow(hClient);
      }
      break;
    case WM_RBUTTONUP: {
      POINT pt{};
      ::GetCursorPos(&pt);
      const MenuHandle menu{::LoadMenuA(ZmGetResourceHandle(), MAKEINTRESOURCEA(IDR_TRAY_MENU))};
      if (!menu.h) break;
      if (HMENU popup = ::GetSubMenu(menu.h, 0))
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hFrame, nullptr);
      break;
    }
    default:
      break;
  }
  return 1;
}

void ApplyFrameRegion(CWnd& frame, UINT nType) {
  if (nType == SIZE_MINIMIZED) return;
  CRect rc;
  frame.GetWindowRect(&rc);
  const int fx = ::GetSystemMetrics(SM_CXFRAME);
  const int fy = ::GetSystemMetrics(SM_CYFRAME);
  CRgn rgn;
  if (!rgn.CreateRectRgn(fx, fy, rc.Width() - fx, rc.Height() - fy)) return;
  frame.SetWindowRgn(rgn, TRUE);
}
