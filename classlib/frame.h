// CFrameWnd: a top-level window whose client area is filled by one pane,
// the child with id IDW_PANE_FIRST (the view).
//
// - LoadFrame builds the creation data from a resource set (title from the
//   string nIDResource up to its first '\n', menu and class icon
//   nIDResource when they exist) and passes it through PreCreateWindow, so
//   a derived frame decides styles, size and window class there.
// - On WM_SIZE (and once after creation) the pane is moved over the whole
//   client area.
// - Commands go to the pane first (its OnCmdMsg), then to the frame's own
//   HandleCommand.
// - The focus given to the frame passes to the pane.
#pragma once

#include "classlib/wnd.h"

class CFrameWnd : public CWnd {
public:
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW,
                   CWnd* pParentWnd = nullptr);

    // The pane's window (any window with id IDW_PANE_FIRST) and its object.
    HWND GetPaneHwnd() const { return ::GetDlgItem(m_hWnd, IDW_PANE_FIRST); }
    CWnd* GetPane() const { return FromHandle(GetPaneHwnd()); }
    // Moves the pane over the client area.
    virtual void RecalcLayout();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode) override;

protected:
    void OnSize(UINT nType, int cx, int cy) override;
    void OnSetFocus(HWND hOldWnd) override;

    HICON m_hIcon = nullptr;  // icon of the resource set, for the default class
};
