#include "zmx/ui/child_view.h"

#include "zmx/app/resource.h"
#include "zmx/gateway/gateway_core.h"

namespace {

constexpr COLORREF kLoginEditBack = RGB(238, 238, 238);
constexpr COLORREF kNoticeBack = RGB(216, 216, 216);
constexpr RECT kNoticeRect{170, 156, 415, 241};
constexpr UINT kExitCommand = 32772;

// Buttons keep these sizes when their picture is missing.
constexpr SIZE kLoginButtonSize{82, 80};
constexpr SIZE kRegisterButtonSize{83, 52};

// An off-screen picture of the client area, copied to the screen in one go
// when it goes out of scope.
class OffscreenDC : public CDC {
 public:
  OffscreenDC(CDC* pScreen, const CRect& rc) : m_pScreen(pScreen), m_rc(rc) {
    if (!CreateCompatibleDC(pScreen)) return;
    if (!m_bitmap.CreateCompatibleBitmap(pScreen, rc.Width(), rc.Height())) {
      DeleteDC();
      return;
    }
    m_hOld = SelectObject(m_bitmap.GetSafeHandle());
  }
  ~OffscreenDC() override {
    if (!GetSafeHdc()) return;
    m_pScreen->BitBlt(m_rc.left, m_rc.top, m_rc.Width(), m_rc.Height(), this, 0, 0, SRCCOPY);
    SelectObject(m_hOld);
  }
  bool Ok() const { return GetSafeHdc() != nullptr; }

 private:
  CDC* m_pScreen;
  CRect m_rc;
  CBitmap m_bitmap;
  HGDIOBJ m_hOld = nullptr;
};

CRect RectAt(int x, int y, SIZE size) { return CRect(x, y, x + size.cx, y + size.cy); }

TString TextOf(const CWnd& wnd) { return wnd.GetWindowText(); }

}  // namespace

// ---- plain controls ----

void CViewEdit::SetBackColor(COLORREF cr) {
  m_crBack = cr;
  m_bColored = true;
  m_brBack.CreateSolidBrush(cr);
  if (m_hWnd) Invalidate();
}

HBRUSH CViewEdit::CtlColor(CDC* pDC, UINT) {
  if (!m_bColored || !m_brBack.GetSafeHandle()) return nullptr;
  pDC->SetBkColor(m_crBack);
  return m_brBack;
}

void CViewButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (m_bitmap.GetSafeHandle()) {
    CBitmapButton::DrawItem(dis);
    return;
  }
  RECT rc = dis->rcItem;
  UINT state = DFCS_BUTTONPUSH;
  if (dis->itemState & ODS_SELECTED) state |= DFCS_PUSHED;
  ::DrawFrameControl(dis->hDC, &rc, DFC_BUTTON, state);
  const TString caption = GetWindowText();
  ::SetBkMode(dis->hDC, TRANSPARENT);
  ::DrawText(dis->hDC, caption.c_str(), static_cast<int>(caption.size()), &rc,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---- the view ----

BOOL CChildView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  // The library's default class: redraw on resize, double-clicks, arrow
  // cursor, window colour. The frame's border request is dropped.
  cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  cs.style &= ~static_cast<DWORD>(WS_BORDER);
  return TRUE;
}

HWND CChildView::MainWindow() const { return ::GetParent(m_hWnd); }

int CChildView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;

  m_bmpLogin.LoadBitmap(IDB_LOGIN_BG);
  m_bmpAccount.LoadBitmap(IDB_ACCOUNT_BG);

  const DWORD edit = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
  m_editId.Create(edit, CRect(172, 159, 315, 179), this, IDC_LOGIN_ID);
  m_editId.SetBackColor(kLoginEditBack);
  m_editPwd.Create(edit | ES_PASSWORD, CRect(172, 188, 315, 208), this, IDC_LOGIN_PWD);
  m_editPwd.SetBackColor(kLoginEditBack);
  m_editCert.Create(edit | ES_PASSWORD, CRect(172, 216, 315, 236), this, IDC_LOGIN_CERT);
  m_editCert.SetBackColor(kLoginEditBack);

  m_chkSaveId.Create("아이디저장", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(158, 260, 241, 280), this,
                     IDC_SAVE_ID);
  m_chkAutoLogin.Create("자동로그인", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(299, 260, 382, 280), this,
                        IDC_AUTO_LOGIN);

  m_btnLogin.Create("LOGIN", WS_VISIBLE | WS_TABSTOP, RectAt(327, 157, kLoginButtonSize), this, IDC_LOGIN_BUTTON);
  if (m_btnLogin.LoadBitmaps(IDB_LOGIN_BUTTON)) m_btnLogin.SizeToContent();

  m_cboAccount.Create(CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, CRect(191, 198, 318, 198 + 100), this,
                      IDC_ACCOUNT_LIST);
  m_editAccountPwd.Create(WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, CRect(192, 227, 317, 248), this,
                          IDC_ACCOUNT_PWD);

  m_btnRegister.Create("등록", 0, RectAt(327, 198, kRegisterButtonSize), this, IDC_REGISTER_BUTTON);
  if (m_btnRegister.LoadBitmaps(IDB_REGISTER_BUTTON)) m_btnRegister.SizeToContent();

  m_chkSaveAccountPwd.Create("거래비밀번호저장", BS_AUTOCHECKBOX, CRect(157, 261, 282, 282), this,
                             IDC_SAVE_ACCOUNT_PWD);

  SetTimer(kAutoLoginTimer, kAutoLoginDelay);
  return 0;
}

BOOL CChildView::OnEraseBkgnd(CDC*) { return TRUE; }  // the paint covers everything

void CChildView::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  OffscreenDC mem(&dc, rc);
  CDC* target = mem.Ok() ? static_cast<CDC*>(&mem) : static_cast<CDC*>(&dc);
  CBitmap& bg = m_bAccountStep == 1 ? m_bmpAccount : m_bmpLogin;
  bool painted = false;
  if (bg.GetSafeHandle()) {
    CDC src;
    if (src.CreateCompatibleDC(target)) {
      HGDIOBJ old = src.SelectObject(bg.GetSafeHandle());
      target->BitBlt(0, 0, rc.Width(), rc.Height(), &src, 0, 0, SRCCOPY);
      src.SelectObject(old);
      painted = true;
    }
  }
  if (!painted) target->FillSolidRect(&rc, ::GetSysColor(COLOR_WINDOW));
  DrawAutoLoginNotice(target);
}

void CChildView::DrawAutoLoginNotice(CDC* pDC) {
  if (!pDC || m_chkAutoLogin.GetCheck() != BST_CHECKED) return;
  if (m_editAccountPwd.IsWindowVisible()) return;
  RECT rc = kNoticeRect;
  pDC->FillSolidRect(&rc, kNoticeBack);
  pDC->DrawText("자동로그인 중...", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CChildView::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kAutoLoginTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kAutoLoginTimer);
  m_chkSaveId.SetCheck(BST_CHECKED);
  m_chkAutoLogin.SetCheck(BST_CHECKED);
  m_editPwd.SetWindowText("*********");
  m_editCert.SetWindowText("*********");
  m_editId.ShowWindow(SW_HIDE);
  m_editPwd.ShowWindow(SW_HIDE);
  m_editCert.ShowWindow(SW_HIDE);
  {
    CClientDC dc(this);
    DrawAutoLoginNotice(&dc);
  }
  OnLogin();
}

void CChildView::OnLogin() {
  const TString id = TextOf(m_editId);
  if (id.empty()) {
    m_editId.SetFocus();
    return;
  }
  const TString pwd = TextOf(m_editPwd);
  if (pwd.empty()) {
    m_editPwd.SetFocus();
    return;
  }
  const TString cert = TextOf(m_editCert);
  if (cert.empty()) {
    m_editCert.SetFocus();
    return;
  }
  Packet login(1);
  login.AddString("ZME_ID", id);
  login.AddString("ZME_PWD", pwd);
  login.AddString("ZME_CERT", cert);
  login.AddInt64("ZME_IDSAVE", m_chkSaveId.GetCheck() == BST_CHECKED ? 1 : 0);
  login.AddInt64("ZME_AUTOLOGIN", m_chkAutoLogin.GetCheck() == BST_CHECKED ? 1 : 0);
  ::SendMessage(MainWindow(), UM_PACKET, kLoginRequest, reinterpret_cast<LPARAM>(&login));
}

void CChildView::OnAccount() {
  // With nothing selected (an empty list) the account is sent empty; the
  // server's check refuses it.
  const int sel = m_cboAccount.GetCurSel();
  const TString account = sel == CB_ERR ? TString() : m_cboAccount.GetLBText(sel);
  const TString pwd = TextOf(m_editAccountPwd);
  if (pwd.empty()) {
    m_editAccountPwd.SetFocus();
    return;
  }
  Packet request(2);
  request.AddString("ACCT", account);
  request.AddString("ACCTPWD", pwd);
  request.AddInt64("SAVEYN", m_chkSaveAccountPwd.GetCheck() == BST_CHECKED ? 1 : 0);
  ::SendMessage(MainWindow(), UM_PACKET, kAccountRequest, reinterpret_cast<LPARAM>(&request));
}

void CChildView::ShowAccountStep() {
  m_bAccountStep = 1;
  for (CWnd* w : {static_cast<CWnd*>(&m_editId), static_cast<CWnd*>(&m_editPwd), static_cast<CWnd*>(&m_editCert),
                  static_cast<CWnd*>(&m_chkSaveId), static_cast<CWnd*>(&m_chkAutoLogin),
                  static_cast<CWnd*>(&m_btnLogin)})
    w->ShowWindow(SW_HIDE);
  for (CWnd* w : {static_cast<CWnd*>(&m_cboAccount), static_cast<CWnd*>(&m_editAccountPwd),
                  static_cast<CWnd*>(&m_chkSaveAccountPwd), static_cast<CWnd*>(&m_btnRegister)})
    w->ShowWindow(SW_SHOW);

  const int count = m_cboAccount.GetCount();
  if (count > 0) {
    m_cboAccount.SetCurSel(0);
    const std::string wanted = m_pConfig ? m_pConfig->GetString("ACCT", "") : std::string();
    // Exact and case-sensitive, unlike the list's own search.
    for (int i = 0; i < count; ++i) {
      if (m_cboAccount.GetLBText(i) == wanted) {
        m_cboAccount.SetCurSel(i);
        break;
      }
    }
  }
  m_editAccountPwd.SetWindowText("*****");
  if (count == 1) {
    m_chkSaveAccountPwd.SetCheck(BST_CHECKED);
    OnAccount();
  }
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL CChildView::HandleCommand(UINT nID, int nCode) {
  if (nCode == BN_CLICKED && nID == IDC_LOGIN_BUTTON) {
    OnLogin();
    return TRUE;
  }
  if (nCode == BN_CLICKED && nID == IDC_REGISTER_BUTTON) {
    OnAccount();
    return TRUE;
  }
  return CWnd::HandleCommand(nID, nCode);
}

BOOL CChildView::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    ::PostMessage(MainWindow(), WM_COMMAND, kExitCommand, 0);
    return TRUE;
  }
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    if (m_editCert.IsWindowVisible())
      OnLogin();
    else if (m_editAccountPwd.IsWindowVisible())
      OnAccount();
  }
  if (pMsg->message == WM_LBUTTONDOWN && pMsg->hwnd == m_hWnd) {
    // Dragging the background moves the borderless frame; a non-client
    // message carries the cursor in screen coordinates.
    ::PostMessage(MainWindow(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pMsg->pt.x, pMsg->pt.y));
  }
  // Tab and the like among the view's controls.
  if ((pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) && IsDialogMessage(pMsg)) return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}
