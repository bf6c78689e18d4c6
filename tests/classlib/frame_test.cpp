// The frame: creation from a resource set through PreCreateWindow, the pane
// filling the client area, commands offered to the pane first, focus
// passed to the pane.
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

Log g_log;

class CTestView : public CWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.style &= ~WS_BORDER;
        return CWnd::PreCreateWindow(cs);
    }
    BOOL OnCmdMsg(UINT id, int code) override {
        g_log.push_back(Note("view-offered", id));
        return CWnd::OnCmdMsg(id, code);
    }

protected:
    BOOL HandleCommand(UINT id, int) override {
        if (id != 100) return FALSE;
        g_log.push_back(Note("view-handled", id));
        return TRUE;
    }
};

class CTestFrame : public CFrameWnd {
public:
    CTestView m_wndView;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
        cs.style = WS_POPUP | WS_THICKFRAME;
        cs.dwExStyle = WS_EX_TOOLWINDOW;
        cs.cx = 520 + 2 * ::GetSystemMetrics(SM_CXSIZEFRAME);
        cs.cy = 360 + 2 * ::GetSystemMetrics(SM_CYSIZEFRAME);
        return TRUE;
    }

protected:
    int OnCreate(LPCREATESTRUCT cs) override {
        if (CFrameWnd::OnCreate(cs) == -1) return -1;
        return m_wndView.Create(nullptr, nullptr, WS_VISIBLE | WS_BORDER, CRect(), this, IDW_PANE_FIRST) ? 0 : -1;
    }
    BOOL HandleCommand(UINT id, int) override {
        if (id != 100 && id != 200) return FALSE;
        g_log.push_back(Note("frame-handled", id));
        return TRUE;
    }
};

TEST(Frame, LoadFrameTakesTitleAndMenuFromTheResourceSetAndLetsTheFrameShapeItself) {
    CTestFrame frame;
    ASSERT_TRUE(frame.LoadFrame(128, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(frame.GetWindowText(), TEXT("프레임 제목"));
    EXPECT_NE(frame.GetMenu(), nullptr);
    EXPECT_EQ(frame.GetStyle() & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), DWORD(WS_POPUP | WS_THICKFRAME));
    CRect rc;
    frame.GetWindowRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(520 + 2 * ::GetSystemMetrics(SM_CXSIZEFRAME), 360 + 2 * ::GetSystemMetrics(SM_CYSIZEFRAME)));
    EXPECT_FALSE(frame.m_wndView.GetStyle() & WS_BORDER) << "the view's own creation settings hold";

    CTestFrame bare;
    ASSERT_TRUE(bare.LoadFrame(999, WS_POPUP));
    EXPECT_EQ(bare.GetWindowText(), TEXT(""));
    EXPECT_EQ(bare.GetMenu(), nullptr);
}

TEST(Frame, PaneFillsTheClientAreaAfterEveryResize) {
    CTestFrame frame;
    ASSERT_TRUE(frame.LoadFrame(128));
    ASSERT_EQ(frame.GetPane(), &frame.m_wndView);
    const CSize sizes[] = {{600, 400}, {300, 200}, {150, 120}, {800, 500}};
    for (CSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        frame.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect client, pane;
        frame.GetClientRect(&client);
        frame.m_wndView.GetWindowRect(&pane);
        frame.ScreenToClient(&pane);
        EXPECT_EQ(pane, client);
    }
}

TEST(Frame, CommandsAreOfferedToThePaneFirst) {
    CTestFrame frame;
    ASSERT_TRUE(frame.LoadFrame(128));
    const struct {
        UINT id;
        Log expected;
    } cases[] = {
        {100, {"view-offered:100", "view-handled:100"}},
        {200, {"view-offered:200", "frame-handled:200"}},
        {300, {"view-offered:300"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        g_log.clear();
        frame.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(g_log, c.expected);
    }
}

TEST(Frame, FocusGivenToTheFramePassesToThePane) {
    CTestFrame frame;
    ASSERT_TRUE(frame.LoadFrame(128));
    frame.ShowWindow(SW_SHOW);
    frame.SetForegroundWindow();
    PumpPending();
    frame.SetFocus();
    EXPECT_EQ(::GetFocus(), frame.m_wndView.m_hWnd);
    EXPECT_EQ(CWnd::GetFocus(), &frame.m_wndView);
}

}  // namespace
