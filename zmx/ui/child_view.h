// The login view: the only window inside the gateway's frame. Its login
// step takes ID, password and certificate password (and switches itself to
// an automatic-login presentation after 500 ms); its account step, started
// by the gateway once the server has sent the user's accounts, takes the
// account and its trading password. Both requests go to the frame as
// packets by UM_PACKET, sent synchronously.
#pragma once

#include "classlib/classlib.h"
#include "packet/packet.h"

// Plain controls for now; they colour themselves where the view asks.
class CViewEdit : public CEdit {
 public:
  // Background colour and the brush that paints it.
  void SetBackColor(COLORREF cr);
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

 private:
  bool m_bColored = false;
  COLORREF m_crBack = RGB(255, 255, 255);
  CBrush m_brBack;
};

// A button showing its bitmap; without the bitmap a plain face with its caption.
class CViewButton : public CBitmapButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};

class CChildView : public CWnd {
 public:
  // Control identifiers.
  enum : UINT {
    IDC_LOGIN_ID = 101,
    IDC_LOGIN_PWD = 102,
    IDC_LOGIN_CERT = 103,
    IDC_LOGIN_BUTTON = 104,
    IDC_SAVE_ID = 105,
    IDC_AUTO_LOGIN = 106,
    IDC_ACCOUNT_LIST = 107,
    IDC_ACCOUNT_PWD = 108,
    IDC_SAVE_ACCOUNT_PWD = 109,
    IDC_REGISTER_BUTTON = 110,
  };
  static constexpr UINT_PTR kAutoLoginTimer = 10111;
  static constexpr UINT kAutoLoginDelay = 500;
  // UM_PACKET sub-kinds of the two requests.
  static constexpr WPARAM kLoginRequest = 1;
  static constexpr WPARAM kAccountRequest = 2;

  CChildView() = default;

  // The configuration record the account step reads ACCT from (may be null).
  void SetConfig(const Packet* pConfig) { m_pConfig = pConfig; }

  void OnLogin();
  void OnAccount();
  void ShowAccountStep();
  void DrawAutoLoginNotice(CDC* pDC);
  bool IsAccountStep() const { return m_bAccountStep != 0; }

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Members in the order the view has always declared them.
  CBitmap m_bmpLogin;
  CBitmap m_bmpAccount;
  CViewEdit m_editId;
  CViewEdit m_editPwd;
  CViewEdit m_editCert;
  CButton m_chkSaveId;
  CButton m_chkAutoLogin;
  CViewButton m_btnLogin;
  CComboBox m_cboAccount;
  CViewEdit m_editAccountPwd;
  CButton m_chkSaveAccountPwd;
  CViewButton m_btnRegister;
  int m_bAccountStep = 0;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* pDC) override;
  void OnTimer(UINT_PTR nIDEvent) override;
  BOOL HandleCommand(UINT nID, int nCode) override;

 private:
  // The frame that takes the view's requests and commands.
  HWND MainWindow() const;
  const Packet* m_pConfig = nullptr;
};
