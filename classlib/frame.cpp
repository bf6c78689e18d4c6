#include "classlib/frame.h"

#include "classlib/app.h"

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd) {
    HINSTANCE hRes = ZmGetResourceHandle();
    LPCTSTR id = MAKEINTRESOURCE(nIDResource);
    // The resource string may hold further parts after a line feed; the
    // title is the first.
    TString title = ZmLoadString(nIDResource);
    if (auto nl = title.find(TEXT('\n')); nl != TString::npos) title.resize(nl);
    HMENU hMenu = ::FindResource(hRes, id, RT_MENU) ? ::LoadMenu(hRes, id) : nullptr;
    if (::FindResource(hRes, id, RT_GROUP_ICON)) m_hIcon = ::LoadIcon(hRes, id);

    BOOL ok = CreateEx(0, nullptr, title.empty() ? nullptr : title.c_str(), dwDefaultStyle, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                       hMenu);
    if (!ok) {
        // A window that existed took its menu with it; otherwise it is ours.
        if (hMenu && ::IsMenu(hMenu)) ::DestroyMenu(hMenu);
        return FALSE;
    }
    RecalcLayout();
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), m_hIcon);
    return CWnd::PreCreateWindow(cs);
}

void CFrameWnd::RecalcLayout() {
    HWND hPane = GetPaneHwnd();
    if (!hPane) return;
    RECT rc;
    GetClientRect(&rc);
    ::SetWindowPos(hPane, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode) {
    if (CWnd* pPane = GetPane(); pPane && pPane->OnCmdMsg(nID, nCode)) return TRUE;
    return CWnd::OnCmdMsg(nID, nCode);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(HWND hOldWnd) {
    if (HWND hPane = GetPaneHwnd()) {
        ::SetFocus(hPane);
        return;
    }
    CWnd::OnSetFocus(hOldWnd);
}
