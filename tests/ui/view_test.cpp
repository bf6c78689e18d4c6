// The login view inside a stand-in frame that records what the view sends
// and posts to it; the tray icon's record, its click and the frame region;
// the request tick's start and retry.
#include "classlib/classlib.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zmx/gateway/gateway_core.h"
#include "zmx/gateway/request_tick.h"
#include "zmx/ui/child_view.h"
#include "zmx/ui/tray_icon.h"

namespace {

void Pump() {
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
}

// Runs messages for about `ms` milliseconds.
void PumpFor(DWORD ms) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < ms) {
    Pump();
    ::Sleep(10);
  }
  Pump();
}

// Plays the gateway frame: keeps the text of every request the view sends
// and every command or non-client click posted to it.
class StandInFrame : public CFrameWnd {
 public:
  struct Request {
    WPARAM kind;
    std::string text;
  };
  std::vector<Request> requests;
  std::vector<WPARAM> commands;
  std::vector<WPARAM> ncClicks;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == UM_PACKET) {
      requests.push_back({wParam, reinterpret_cast<const Packet*>(lParam)->GetText()});
      return 0;
    }
    if (message == WM_COMMAND && lParam == 0) commands.push_back(wParam);
    if (message == WM_NCLBUTTONDOWN) {
      ncClicks.push_back(wParam);
      return 0;  // no move loop in a test
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
};

class LoginView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, 0, 0, 520, 360, nullptr, nullptr));
    view.SetConfig(&config);
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 520, 360), &frame,
                            IDW_PANE_FIRST));
  }

  // A key or click as the message loop would offer it to the view.
  BOOL Offer(HWND target, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    MSG msg{target, message, wParam, lParam, ::GetTickCount(), {}};
    ::GetCursorPos(&msg.pt);
    return view.PreTranslateMessage(&msg);
  }

  void AddAccounts(std::initializer_list<const char*> accounts) {
    for (const char* a : accounts) view.m_cboAccount.AddString(a);
  }

  StandInFrame frame;
  Packet config{0};
  CChildView view;
};

TEST_F(LoginView, ControlsInOrderWithTheirRectanglesAndVisibility) {
  struct Expected {
    int id;
    const char* cls;
    RECT rc;
    bool visible;
    DWORD style;  // bits that must be set; the button type exactly for owner-drawn buttons
  };
  const Expected expected[] = {
      {101, "Edit", {172, 159, 315, 179}, true, WS_TABSTOP | ES_AUTOHSCROLL},
      {102, "Edit", {172, 188, 315, 208}, true, ES_PASSWORD},
      {103, "Edit", {172, 216, 315, 236}, true, ES_PASSWORD},
      {105, "Button", {158, 260, 241, 280}, true, WS_TABSTOP | BS_AUTOCHECKBOX},
      {106, "Button", {299, 260, 382, 280}, true, WS_TABSTOP | BS_AUTOCHECKBOX},
      {104, "Button", {327, 157, 409, 237}, true, WS_TABSTOP | BS_OWNERDRAW},
      // The combo box hands WS_VSCROLL on to its list.
      {107, "ComboBox", {191, 198, 318, 0}, false, CBS_DROPDOWNLIST | WS_TABSTOP},
      {108, "Edit", {192, 227, 317, 248}, false, ES_PASSWORD},
      {110, "Button", {327, 198, 410, 250}, false, BS_OWNERDRAW},
      {109, "Button", {157, 261, 282, 282}, false, BS_AUTOCHECKBOX},
  };
  // Creation order is the order of the children from the top.
  HWND child = ::GetWindow(view, GW_CHILD);
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(child), e.id);
    char cls[32] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    EXPECT_STRCASEEQ(cls, e.cls);
    CRect rc;
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, e.rc.left);
    EXPECT_EQ(rc.top, e.rc.top);
    EXPECT_EQ(rc.right, e.rc.right);
    if (e.rc.bottom) {  // a closed combo box takes its font's height
      EXPECT_EQ(rc.bottom, e.rc.bottom);
    }
    EXPECT_EQ(::IsWindowVisible(child) != FALSE, e.visible);
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(child, GWL_STYLE));
    if (e.style == BS_OWNERDRAW || e.style == (WS_TABSTOP | BS_OWNERDRAW)) {
      EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    } else {
      EXPECT_EQ(style & e.style, e.style);
    }
    child = ::GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(view.GetStyle() & WS_BORDER, 0u);
  EXPECT_EQ(view.m_chkSaveId.GetWindowText(), "아이디저장");
  EXPECT_EQ(view.m_chkSaveAccountPwd.GetWindowText(), "거래비밀번호저장");
}

TEST_F(LoginView, AutoLoginPresentationSendsNothingWithoutAnId) {
  PumpFor(900);
  EXPECT_EQ(view.m_chkSaveId.GetCheck(), BST_CHECKED);
  EXPECT_EQ(view.m_chkAutoLogin.GetCheck(), BST_CHECKED);
  EXPECT_FALSE(view.m_editId.IsWindowVisible());
  EXPECT_FALSE(view.m_editPwd.IsWindowVisible());
  EXPECT_FALSE(view.m_editCert.IsWindowVisible());
  EXPECT_EQ(view.m_editPwd.GetWindowText(), "*********");
  EXPECT_TRUE(frame.requests.empty());
}

TEST_F(LoginView, EnterBeforeTheTimerSendsTypedLoginThenTheTimerSendsAgain) {
  view.m_editId.SetWindowText("user1");
  view.m_editPwd.SetWindowText("pw");
  view.m_editCert.SetWindowText("cert");
  view.m_chkSaveId.SetCheck(BST_CHECKED);
  Offer(view.m_editCert, WM_KEYDOWN, VK_RETURN);
  ASSERT_EQ(frame.requests.size(), 1u);
  EXPECT_EQ(frame.requests[0].kind, 1u);
  EXPECT_EQ(frame.requests[0].text,
            "<PKT><GBN>1</GBN><ZME_ID>user1</ZME_ID><ZME_PWD>pw</ZME_PWD><ZME_CERT>cert</ZME_CERT>"
            "<ZME_IDSAVE>1</ZME_IDSAVE><ZME_AUTOLOGIN>0</ZME_AUTOLOGIN></PKT>");
  PumpFor(900);
  ASSERT_EQ(frame.requests.size(), 2u);
  EXPECT_EQ(frame.requests[1].text,
            "<PKT><GBN>1</GBN><ZME_ID>user1</ZME_ID><ZME_PWD>*********</ZME_PWD><ZME_CERT>*********</ZME_CERT>"
            "<ZME_IDSAVE>1</ZME_IDSAVE><ZME_AUTOLOGIN>1</ZME_AUTOLOGIN></PKT>");
}

TEST_F(LoginView, OneAccountIsSubmittedAtOnce) {
  AddAccounts({"012345678"});
  view.ShowAccountStep();
  EXPECT_TRUE(view.IsAccountStep());
  EXPECT_TRUE(view.m_cboAccount.IsWindowVisible());
  EXPECT_FALSE(view.m_btnLogin.IsWindowVisible());
  ASSERT_EQ(frame.requests.size(), 1u);
  EXPECT_EQ(frame.requests[0].kind, 2u);
  EXPECT_EQ(frame.requests[0].text,
            "<PKT><GBN>2</GBN><ACCT>012345678</ACCT><ACCTPWD>*****</ACCTPWD><SAVEYN>1</SAVEYN></PKT>");
}

TEST_F(LoginView, SavedAccountIsPreselectedAndEnterSubmitsIt) {
  struct Case {
    const char* acct;  // ACCT of the configuration record, null for none
    int selected;
  };
  for (const Case& c : {Case{"000003333", 2}, Case{nullptr, 0}, Case{"000003", 0}}) {
    SCOPED_TRACE(c.acct ? c.acct : "no ACCT");
    view.m_cboAccount.ResetContent();
    frame.requests.clear();
    config = Packet(0);
    if (c.acct) config.AddString("ACCT", c.acct);
    AddAccounts({"000001111", "000002222", "000003333"});
    view.ShowAccountStep();
    EXPECT_EQ(view.m_cboAccount.GetCurSel(), c.selected);
    EXPECT_TRUE(frame.requests.empty()) << "several accounts wait for the user";
  }
  Offer(view.m_editAccountPwd, WM_KEYDOWN, VK_RETURN);
  ASSERT_EQ(frame.requests.size(), 1u);
  EXPECT_EQ(frame.requests[0].text,
            "<PKT><GBN>2</GBN><ACCT>000001111</ACCT><ACCTPWD>*****</ACCTPWD><SAVEYN>0</SAVEYN></PKT>");
}

TEST_F(LoginView, EscapePostsTheExitCommandAndBackgroundClicksMoveTheFrame) {
  EXPECT_TRUE(Offer(view.m_editId, WM_KEYDOWN, VK_ESCAPE));
  Offer(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  Offer(view.m_editId, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));  // on a control: no drag
  Pump();
  EXPECT_EQ(frame.commands, std::vector<WPARAM>{32772});
  EXPECT_EQ(frame.ncClicks, std::vector<WPARAM>{HTCAPTION});
}

// ---- tray icon and shell

TEST(TrayIcon, RecordAsRegistered) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  CTrayIcon tray;
  tray.AddTrayIcon(&owner, 2136, "주마로-모의투자");
  const NOTIFYICONDATAA& r = tray.Record();
  EXPECT_EQ(r.cbSize, 508u);
  EXPECT_EQ(r.hWnd, owner.GetSafeHwnd());
  EXPECT_EQ(r.uID, 0u);
  EXPECT_EQ(r.uCallbackMessage, 2136u);
  EXPECT_EQ(r.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_STREQ(r.szTip, "주마로-모의투자");
  EXPECT_EQ(r.hIcon, nullptr);

  const std::string longTip(300, 'a');
  tray.AddTrayIcon(nullptr, 2136, longTip.c_str());
  EXPECT_EQ(std::string(tray.Record().szTip), longTip.substr(0, 127));
  EXPECT_EQ(tray.Record().hWnd, nullptr);
}

TEST(TrayIcon, LeftClickRestoresAMinimisedClientAndAnswersOne) {
  CWnd client;
  ASSERT_TRUE(client.CreateEx(0, nullptr, "client", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr));
  client.ShowWindow(SW_MINIMIZE);
  ASSERT_TRUE(client.IsIconic());
  EXPECT_EQ(HandleTrayNotify(nullptr, client, WM_LBUTTONDOWN), 1);
  EXPECT_FALSE(client.IsIconic());
  // No client, or one that has gone: nothing happens.
  EXPECT_EQ(HandleTrayNotify(nullptr, nullptr, WM_LBUTTONDOWN), 1);
  const HWND gone = client.GetSafeHwnd();
  client.DestroyWindow();
  EXPECT_EQ(HandleTrayNotify(nullptr, gone, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(HandleTrayNotify(nullptr, nullptr, WM_MOUSEMOVE), 1);
}

TEST(FrameRegion, KeepsTheInnerRectangleAndSurvivesMinimising) {
  CWnd frame;
  const int fx = ::GetSystemMetrics(SM_CXFRAME), fy = ::GetSystemMetrics(SM_CYFRAME);
  ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_THICKFRAME | WS_VISIBLE, 0, 0, 300 + 2 * fx,
                             200 + 2 * fy, nullptr, nullptr));
  for (const SIZE size : {SIZE{300, 200}, SIZE{450, 120}}) {
    frame.SetWindowPos(nullptr, 0, 0, size.cx + 2 * fx, size.cy + 2 * fy, SWP_NOMOVE | SWP_NOZORDER);
    ApplyFrameRegion(frame, SIZE_RESTORED);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(frame.GetWindowRgn(rgn), ERROR);
    CRect box;
    rgn.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(fx, fy, size.cx + fx, size.cy + fy));
  }
  frame.SetWindowPos(nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
  ApplyFrameRegion(frame, SIZE_MINIMIZED);
  CRgn rgn;
  rgn.CreateRectRgn(0, 0, 0, 0);
  frame.GetWindowRgn(rgn);
  CRect box;
  rgn.GetRgnBox(&box);
  EXPECT_EQ(box.Width(), 450) << "a minimised frame keeps its region";
}

// ---- request tick

TEST(RequestTick, RefusedStartLeavesItInactiveAndTheNextAttemptStartsIt) {
  MMTimerRecord record;
  record.m_nPeriod = 500;
  std::vector<std::uint32_t> periods;
  std::uint32_t answer = 0;
  auto start = [&](std::uint32_t period) {
    periods.push_back(period);
    return answer;
  };
  EXPECT_FALSE(record.EnsureStarted(start));
  EXPECT_EQ(record.m_bActive.load(), 0);
  EXPECT_EQ(record.m_nId.load(), 0u);
  answer = 7;
  EXPECT_TRUE(record.EnsureStarted(start));
  EXPECT_TRUE(record.EnsureStarted(start));  // running: not started twice
  EXPECT_EQ(periods, (std::vector<std::uint32_t>{500, 500}));
  EXPECT_EQ(record.m_nId.load(), 7u);

  std::vector<std::uint32_t> stopped;
  record.Stop([&](std::uint32_t id) { stopped.push_back(id); });
  record.Stop([&](std::uint32_t id) { stopped.push_back(id); });
  EXPECT_EQ(stopped, std::vector<std::uint32_t>{7});
  EXPECT_EQ(record.m_bActive.load(), 0);
}

}  // namespace
