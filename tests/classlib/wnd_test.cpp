// Window objects: finding them from their windows, creation, routing of
// messages to handlers and to the default procedure, subclassed controls,
// reflection of notifications to the control's object, the pre-translation
// walk and the application's loop.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

constexpr UINT UM_PRIVATE = WM_APP + 7;

// Records every handler it passes through and every message that reaches
// the default procedure.
class CProbeWnd : public CWnd {
public:
    Log log;
    bool closeRunsDefault = false;
    bool failCreate = false;
    LPVOID createParam = nullptr;
    BOOL preTranslateResult = FALSE;
    const char* name = "probe";

    BOOL CreatePopup(LPVOID param = nullptr) {
        return CreateEx(0, nullptr, TEXT("probe"), WS_POPUP, 10, 10, 200, 150, nullptr, nullptr, param);
    }
    BOOL CreateChild(CWnd* parent, UINT id, DWORD style = WS_VISIBLE) {
        return Create(nullptr, nullptr, style, CRect(0, 0, 50, 40), parent, id);
    }
    bool Saw(const std::string& what) const { return std::find(log.begin(), log.end(), what) != log.end(); }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        log.push_back(Note("default", message));
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == UM_PRIVATE) return 77;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) log.push_back(std::string("pretranslate:") + name);
        return preTranslateResult;
    }
    void PostNcDestroy() override { log.push_back("postncdestroy"); }

    int OnCreate(LPCREATESTRUCT cs) override {
        createParam = cs->lpCreateParams;
        log.push_back("create");
        return failCreate ? -1 : CWnd::OnCreate(cs);
    }
    void OnClose() override {
        log.push_back("close");
        if (closeRunsDefault) CWnd::OnClose();
    }
    void OnTimer(UINT_PTR id) override { log.push_back(Note("timer", static_cast<long long>(id))); CWnd::OnTimer(id); }
    void OnSize(UINT type, int cx, int cy) override {
        log.push_back(Note("size", type) + ":" + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(type, cx, cy);
    }
    void OnMove(int x, int y) override { log.push_back(Note("move", x) + "," + std::to_string(y)); CWnd::OnMove(x, y); }
    BOOL OnEraseBkgnd(CDC* pDC) override { log.push_back(pDC->GetSafeHdc() ? "erase" : "erase-nodc"); return TRUE; }
    BOOL OnCopyData(HWND, COPYDATASTRUCT* cds) override {
        log.push_back(Note("copydata", static_cast<long long>(cds->dwData)));
        return 55;
    }
    BOOL OnSetCursor(HWND, UINT hit, UINT message) override {
        log.push_back(Note("setcursor", hit) + ":" + std::to_string(message));
        return CWnd::OnSetCursor(nullptr, hit, message);
    }
    void OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p) override { log.push_back(Note("nccalcsize", calc)); CWnd::OnNcCalcSize(calc, p); }
    void OnNcPaint() override { log.push_back("ncpaint"); }
    BOOL OnNcActivate(BOOL active) override { log.push_back(Note("ncactivate", active)); return CWnd::OnNcActivate(active); }
    LRESULT OnNcHitTest(CPoint) override { log.push_back("nchittest"); return HTCAPTION; }
    void OnLButtonDown(UINT flags, CPoint pt) override {
        log.push_back(Note("lbuttondown", flags) + ":" + std::to_string(pt.x) + "," + std::to_string(pt.y));
        CWnd::OnLButtonDown(flags, pt);
    }
    void OnKeyDown(UINT ch, UINT rep, UINT flags) override { log.push_back(Note("keydown", ch)); CWnd::OnKeyDown(ch, rep, flags); }
    void OnChar(UINT ch, UINT rep, UINT flags) override { log.push_back(Note("char", ch)); CWnd::OnChar(ch, rep, flags); }
    void OnSetFocus(HWND old) override { log.push_back("setfocus"); CWnd::OnSetFocus(old); }
    HBRUSH OnCtlColor(CDC* pDC, HWND hCtl, UINT type) override {
        log.push_back(Note("parent-ctlcolor", type));
        (void)pDC;
        (void)hCtl;
        return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    }
    void OnDrawItem(int id, LPDRAWITEMSTRUCT) override { log.push_back(Note("parent-drawitem", id)); }
    void OnMeasureItem(int, LPMEASUREITEMSTRUCT) override { log.push_back("parent-measureitem"); }

protected:
    BOOL HandleCommand(UINT id, int code) override {
        log.push_back(Note("command", id) + ":" + std::to_string(code));
        return TRUE;
    }
};

// ---- finding the object ----

TEST(WindowObject, FoundFromItsWindowWhileAttached) {
    CProbeWnd created;
    ASSERT_TRUE(created.CreatePopup());
    CEdit control;
    ASSERT_TRUE(control.Create(0, CRect(0, 0, 50, 20), &created, 5));
    HWND raw = ::CreateWindowEx(0, TEXT("STATIC"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND rawEdit = ::CreateWindowEx(0, TEXT("EDIT"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd attached, subclassed;
    ASSERT_TRUE(attached.Attach(raw));
    ASSERT_TRUE(subclassed.SubclassWindow(rawEdit));

    EXPECT_EQ(CWnd::FromHandle(created.m_hWnd), &created);
    EXPECT_EQ(CWnd::FromHandle(control.m_hWnd), &control);
    EXPECT_EQ(CWnd::FromHandle(raw), &attached);
    EXPECT_EQ(CWnd::FromHandle(rawEdit), &subclassed);
    EXPECT_EQ(control.GetParent(), &created);
    EXPECT_EQ(created.GetDlgItem(5), &control);
    EXPECT_EQ(CWnd::FromHandle(::GetDesktopWindow()), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_FALSE(CWnd().Attach(raw)) << "a window has at most one object";

    EXPECT_EQ(attached.Detach(), raw);
    EXPECT_EQ(CWnd::FromHandle(raw), nullptr);
    EXPECT_TRUE(::IsWindow(raw)) << "detaching leaves the window";
    ::DestroyWindow(raw);

    HWND h = created.m_hWnd;
    created.DestroyWindow();
    EXPECT_EQ(created.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(h), nullptr);
    EXPECT_TRUE(created.Saw("postncdestroy"));
}

TEST(WindowObject, DestroyingTheObjectDestroysItsWindow) {
    HWND h;
    {
        CProbeWnd wnd;
        ASSERT_TRUE(wnd.CreatePopup());
        h = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(h));
}

// ---- creation ----

TEST(Creation, CallerParameterReachesOnCreate) {
    int marker = 0;
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(&marker));
    EXPECT_EQ(wnd.createParam, &marker);
    ASSERT_FALSE(wnd.log.empty());
    EXPECT_EQ(wnd.log[0], Note("default", WM_NCCREATE)) << "the object takes the window from its first message";
    EXPECT_TRUE(wnd.Saw("create"));
}

TEST(Creation, FailingOnCreateLeavesNoWindow) {
    CProbeWnd wnd;
    wnd.failCreate = true;
    EXPECT_FALSE(wnd.CreatePopup());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(wnd.Saw("postncdestroy"));
}

class CShapedWnd : public CWnd {
public:
    BOOL allow = TRUE;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        if (!CWnd::PreCreateWindow(cs)) return FALSE;
        cs.style = WS_POPUP | WS_BORDER;
        cs.dwExStyle = WS_EX_TOOLWINDOW;
        cs.cx = 321;
        cs.cy = 123;
        cs.lpszClass = RegisterWndClass(0);
        return allow;
    }
};

TEST(Creation, PreCreateWindowDecidesTheWindow) {
    CShapedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr));
    CRect rc;
    wnd.GetWindowRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(321, 123));
    EXPECT_EQ(wnd.GetStyle() & (WS_POPUP | WS_BORDER | WS_CAPTION), DWORD(WS_POPUP | WS_BORDER));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetClassLongPtr(wnd.m_hWnd, GCL_STYLE), 0);

    CShapedWnd refused;
    refused.allow = FALSE;
    EXPECT_FALSE(refused.CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(refused.m_hWnd, nullptr);
}

TEST(Creation, RegisteredClassIsRegisteredOnce) {
    LPCTSTR a = CWnd::RegisterWndClass(CS_HREDRAW, nullptr, nullptr, nullptr);
    LPCTSTR b = CWnd::RegisterWndClass(CS_HREDRAW, nullptr, nullptr, nullptr);
    LPCTSTR c = CWnd::RegisterWndClass(CS_VREDRAW, nullptr, nullptr, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

// ---- routing ----

struct RouteCase {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string handler;       // what the probe noted, "" for none
    bool reachesDefault;       // the message got to DefWindowProc
    std::optional<LRESULT> result;
};

COPYDATASTRUCT g_copyData{2027, 0, nullptr};

TEST(Routing, MessagesReachTheirHandlersAndDefaultsAsTheHandlerChooses) {
    const RouteCase cases[] = {
        {"timer", WM_TIMER, 3015, 0, "timer:3015", true, {}},
        {"size", WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40), "size:0:30x40", true, {}},
        {"move", WM_MOVE, 0, MAKELPARAM(-3 & 0xFFFF, 4), "move:-3,4", true, {}},
        {"key down", WM_KEYDOWN, VK_ESCAPE, 1, "keydown:27", true, {}},
        {"char", WM_CHAR, 'A', 1, "char:65", true, {}},
        {"left button", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), "lbuttondown:1:5,6", true, {}},
        {"set cursor", WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), "setcursor:1:512", true, {}},
        {"nc activate", WM_NCACTIVATE, TRUE, 0, "ncactivate:1", true, TRUE},
        {"copy data: handler's result", WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&g_copyData), "copydata:2027", false, 55},
        {"nc paint: handled, no default", WM_NCPAINT, 1, 0, "ncpaint", false, 0},
        {"nc hit test: handler's result", WM_NCHITTEST, 0, 0, "nchittest", false, HTCAPTION},
        {"erase: handler's result", WM_ERASEBKGND, 0, 0, "erase-nodc", false, TRUE},
        {"close kept from default", WM_CLOSE, 0, 0, "close", false, 0},
        {"command to own handler", WM_COMMAND, MAKEWPARAM(32772, 0), 0, "command:32772:0", false, 0},
        {"no handler", WM_APP + 99, 1, 2, "", true, {}},
        {"private message in WindowProc", UM_PRIVATE, 0, 0, "", false, 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CProbeWnd wnd;
        ASSERT_TRUE(wnd.CreatePopup());
        wnd.log.clear();
        LRESULT result = wnd.SendMessage(c.message, c.wParam, c.lParam);
        if (!c.handler.empty()) {
            EXPECT_TRUE(wnd.Saw(c.handler)) << testing::PrintToString(wnd.log);
        }
        EXPECT_EQ(wnd.Saw(Note("default", c.message)), c.reachesDefault) << testing::PrintToString(wnd.log);
        if (c.result) {
            EXPECT_EQ(result, *c.result);
        }
        EXPECT_TRUE(wnd.IsWindow());
    }
}

TEST(Routing, CloseWithTheDefaultDestroysTheWindow) {
    CProbeWnd wnd;
    wnd.closeRunsDefault = true;
    ASSERT_TRUE(wnd.CreatePopup());
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(wnd.Saw("postncdestroy"));
}

// ---- subclassed standard controls ----

class CKeyEdit : public CEdit {
public:
    Log log;
    void OnChar(UINT ch, UINT rep, UINT flags) override { log.push_back(Note("char", ch)); CEdit::OnChar(ch, rep, flags); }
    void OnSetFocus(HWND old) override { log.push_back("setfocus"); CEdit::OnSetFocus(old); }
};

TEST(Subclassing, EditKeepsWorkingAndItsMessagesReachTheObject) {
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreatePopup());
    CKeyEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 120, 20), &parent, 101));
    for (TCHAR ch : TString(TEXT("abc\b")))
        edit.SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<std::make_unsigned_t<TCHAR>>(ch)), 1);
    EXPECT_EQ(edit.GetWindowText(), TEXT("ab"));
    EXPECT_EQ(edit.log, (Log{"char:97", "char:98", "char:99", "char:8"}));

    const TString korean = TEXT("모의투자 계좌");
    edit.SetWindowText(korean);
    EXPECT_EQ(edit.GetWindowText(), korean);
    EXPECT_EQ(edit.SendMessage(EM_GETLINECOUNT), 1) << "the control's own messages still answer";
}

class CCreatingEdit : public CEdit {
public:
    int creates = 0;
    LPVOID param = nullptr;
    int OnCreate(LPCREATESTRUCT cs) override {
        ++creates;
        param = cs->lpCreateParams;
        if (CEdit::OnCreate(cs) == -1) return -1;
        SetMargins(5, 5);
        return 0;
    }
};

class CMeasuredCombo : public CComboBox {
public:
    int measured = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
        ++measured;
        mis->itemHeight = 18;
    }
};

TEST(Subclassing, StandardControlsPassTheirCreationThroughTheObject) {
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreatePopup());
    CCreatingEdit edit;
    int marker = 0;
    ASSERT_TRUE(edit.CWnd::Create(TEXT("EDIT"), nullptr, WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 7, &marker));
    EXPECT_EQ(edit.creates, 1);
    EXPECT_EQ(edit.param, &marker);
    EXPECT_EQ(edit.SendMessage(EM_GETMARGINS), MAKELONG(5, 5)) << "the control was complete inside OnCreate";

    CMeasuredCombo combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             CRect(0, 30, 100, 130), &parent, 8));
    EXPECT_GE(combo.measured, 1) << "measuring during creation reaches the combo's own object";
    EXPECT_FALSE(parent.Saw("parent-measureitem"));
    EXPECT_EQ(combo.GetItemHeight(0), 18);
}

TEST(Subclassing, DetachRestoresTheOriginalProcedure) {
    HWND h = ::CreateWindowEx(0, TEXT("EDIT"), TEXT("x"), WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR original = ::GetWindowLongPtr(h, GWLP_WNDPROC);
    CKeyEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(h));
    EXPECT_NE(::GetWindowLongPtr(h, GWLP_WNDPROC), original);
    ::SendMessage(h, WM_CHAR, 'z', 1);
    EXPECT_EQ(edit.log, (Log{"char:122"}));
    EXPECT_EQ(edit.UnsubclassWindow(), h);
    EXPECT_EQ(::GetWindowLongPtr(h, GWLP_WNDPROC), original);
    ::SendMessage(h, WM_CHAR, 'y', 1);
    EXPECT_EQ(edit.log.size(), 1u);
    EXPECT_EQ(CWnd::FromHandle(h), nullptr);
    ::DestroyWindow(h);
}

// ---- reflection ----

class CColourEdit : public CEdit {
public:
    CBrush brush{RGB(238, 238, 238)};
    Log log;
    HBRUSH CtlColor(CDC* pDC, UINT type) override {
        log.push_back(Note("child-ctlcolor", type));
        pDC->SetBkColor(RGB(238, 238, 238));
        return brush;
    }
};

TEST(Reflection, ColourRequestGoesToTheChildObjectFirst) {
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreatePopup());
    CColourEdit coloured;
    CEdit plain;
    ASSERT_TRUE(coloured.Create(WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 1));
    ASSERT_TRUE(plain.Create(WS_VISIBLE, CRect(0, 30, 50, 50), &parent, 2));
    HWND foreign = ::CreateWindowEx(0, TEXT("EDIT"), TEXT(""), WS_CHILD, 0, 60, 50, 20, parent.m_hWnd,
                                    reinterpret_cast<HMENU>(3), nullptr, nullptr);
    CClientDC dc(&parent);
    const HBRUSH parentBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    const struct {
        const char* what;
        HWND child;
        HBRUSH expected;
        bool parentAsked;
    } cases[] = {
        {"child answers", coloured.m_hWnd, coloured.brush, false},
        {"child object without colours", plain.m_hWnd, parentBrush, true},
        {"window without object", foreign, parentBrush, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        parent.log.clear();
        LRESULT r = parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                       reinterpret_cast<LPARAM>(c.child));
        EXPECT_EQ(reinterpret_cast<HBRUSH>(r), c.expected);
        EXPECT_EQ(parent.Saw(Note("parent-ctlcolor", CTLCOLOR_EDIT)), c.parentAsked);
    }
    EXPECT_EQ(coloured.log, (Log{Note("child-ctlcolor", CTLCOLOR_EDIT)}));
    EXPECT_EQ(dc.GetBkColor(), RGB(238, 238, 238)) << "the child drew on the parent's context";
}

class COwnerButton : public CButton {
public:
    Log log;
    void DrawItem(LPDRAWITEMSTRUCT dis) override { log.push_back(Note("child-drawitem", dis->CtlID)); }
};

TEST(Reflection, OwnerDrawRequestGoesToTheChildObject) {
    CProbeWnd parent;
    ASSERT_TRUE(parent.CreatePopup());
    COwnerButton button;
    ASSERT_TRUE(button.Create(TEXT("ours"), WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 60, 20), &parent, 11));
    HWND foreign = ::CreateWindowEx(0, TEXT("BUTTON"), TEXT("theirs"), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 30,
                                    60, 20, parent.m_hWnd, reinterpret_cast<HMENU>(12), nullptr, nullptr);
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    parent.log.clear();
    button.RedrawWindow();
    ::RedrawWindow(foreign, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_FALSE(button.log.empty());
    for (const auto& entry : button.log) EXPECT_EQ(entry, "child-drawitem:11");
    EXPECT_FALSE(parent.Saw("parent-drawitem:11"));
    EXPECT_TRUE(parent.Saw("parent-drawitem:12"));
}

// ---- the check-box push button ----

TEST(CheckBoxButton, KeepsItsOwnStateAndFlipsOnEveryClick) {
    enum Action { Click, DoubleClick, SetChecked, SetUnchecked };
    const struct {
        const char* what;
        DWORD style;
        std::vector<Action> actions;
        int check;
        int clicksSeen;
    } cases[] = {
        {"one click", BS_AUTOCHECKBOX, {Click}, BST_CHECKED, 1},
        {"two clicks", BS_AUTOCHECKBOX, {Click, Click}, BST_UNCHECKED, 2},
        {"click and double-click", BS_AUTOCHECKBOX, {Click, DoubleClick}, BST_UNCHECKED, 2},
        {"set, then click", BS_AUTOCHECKBOX, {SetChecked, Click}, BST_UNCHECKED, 1},
        {"set by message", BS_AUTOCHECKBOX, {SetUnchecked, SetChecked}, BST_CHECKED, 0},
        {"manual check box ignores clicks", BS_CHECKBOX, {Click, SetChecked, Click}, BST_CHECKED, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CProbeWnd parent;
        ASSERT_TRUE(parent.CreatePopup());
        CMFCButton box;
        ASSERT_TRUE(box.Create(TEXT("아이디저장"), WS_VISIBLE | WS_TABSTOP | c.style, CRect(0, 0, 80, 20), &parent, 105));
        EXPECT_TRUE(box.IsCheckBoxMode());
        EXPECT_EQ(box.GetButtonStyle() & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
        EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
        parent.log.clear();
        for (Action a : c.actions) {
            switch (a) {
            case Click:
                box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                break;
            case DoubleClick:
                box.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
                box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                break;
            case SetChecked: box.SetCheck(BST_CHECKED); break;
            case SetUnchecked: box.SetCheck(BST_UNCHECKED); break;
            }
        }
        EXPECT_EQ(box.GetCheck(), c.check);
        EXPECT_EQ(static_cast<int>(box.GetState() & 3), c.check);
        EXPECT_EQ(std::count(parent.log.begin(), parent.log.end(), Note("command", 105) + ":" + std::to_string(BN_CLICKED)),
                  c.clicksSeen);
    }
}

// ---- the application's loop ----

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(TEXT("Probe")) {}
    int exitCalls = 0;
    int ExitInstance() override {
        ++exitCalls;
        return CWinApp::ExitInstance();
    }
};

TEST(Application, PreTranslateWalksFromTheTargetUpToTheMainWindow) {
    const struct {
        const char* what;
        const char* main;      // "frame" or "view"
        const char* consumer;  // whose PreTranslateMessage answers TRUE, "" for none
        Log visited;
        bool dispatched;
    } cases[] = {
        {"nobody consumes", "frame", "", {"pretranslate:edit", "pretranslate:view", "pretranslate:frame"}, true},
        {"the view consumes", "frame", "view", {"pretranslate:edit", "pretranslate:view"}, false},
        {"walk ends at the main window", "view", "", {"pretranslate:edit", "pretranslate:view"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTestApp app;
        ASSERT_EQ(ZmGetApp(), &app);
        Log shared;
        CProbeWnd frame, view, edit;
        frame.name = "frame";
        view.name = "view";
        edit.name = "edit";
        ASSERT_TRUE(frame.CreatePopup());
        ASSERT_TRUE(view.CreateChild(&frame, IDW_PANE_FIRST));
        ASSERT_TRUE(edit.CreateChild(&view, 101));
        for (CProbeWnd* w : {&frame, &view, &edit}) w->preTranslateResult = std::string(w->name) == c.consumer;
        app.m_pMainWnd = std::string(c.main) == "frame" ? static_cast<CWnd*>(&frame) : &view;

        edit.PostMessage(WM_KEYDOWN, VK_F5, 1);
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) app.PumpMessage();

        Log visited;
        for (CProbeWnd* w : {&edit, &view, &frame})
            for (const auto& e : w->log)
                if (e.rfind("pretranslate:", 0) == 0) visited.push_back(e);
        EXPECT_EQ(visited, c.visited);
        EXPECT_EQ(edit.Saw(Note("keydown", VK_F5)), c.dispatched);
        app.m_pMainWnd = nullptr;
    }
}

TEST(Application, RunEndsWithTheMainWindowOrTheQuitCode) {
    {
        CTestApp app;
        CProbeWnd frame;
        frame.closeRunsDefault = true;
        ASSERT_TRUE(frame.CreatePopup());
        app.m_pMainWnd = &frame;
        frame.PostMessage(WM_CLOSE);
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(app.exitCalls, 1);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_EQ(frame.m_hWnd, nullptr);
    }
    {
        CTestApp app;
        ::PostQuitMessage(3);
        EXPECT_EQ(app.Run(), 3);
    }
}

TEST(Application, OneObjectPerModuleAndItsTitle) {
    EXPECT_EQ(ZmGetApp(), nullptr);
    CTestApp first;
    CWinApp second;
    EXPECT_EQ(ZmGetApp(), &first);
    EXPECT_EQ(first.GetAppName(), TEXT("Probe"));
    EXPECT_FALSE(second.GetAppName().empty()) << "defaults to the executable's name";
    EXPECT_EQ(second.GetAppName().find(TEXT('.')), TString::npos);
    EXPECT_EQ(first.m_hInstance, ::GetModuleHandle(nullptr));
}

}  // namespace
