#include "testhost.h"

CTestHost::CTestHost() = default;
CTestHost::~CTestHost() = default;

LPCTSTR CTestHost::HostClass() {
    return RegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
}

BOOL CTestHost::CreateHost(HWND hParent) {
    return CreateEx(0, HostClass(), TEXT("host"), hParent ? WS_CHILD : WS_POPUP, 0, 0, 120, 80, hParent, nullptr);
}

void CTestHost::OnHostEvent(int) { ++m_nHostEvents; }

int CTestHost::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    ++m_nCreates;
    return CWnd::OnCreate(lpCreateStruct);
}

void CTestHost::OnSize(UINT nType, int cx, int cy) {
    ++m_nHostSizes;
    CWnd::OnSize(nType, cx, cy);
}

LRESULT CTestHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UM_HOST_EVENT) {
        OnHostEvent(static_cast<int>(wParam));
        return 1;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

CWnd* TestHostFromHandle(HWND hWnd) { return CWnd::FromHandle(hWnd); }

HINSTANCE TestHostInstance() { return ZmGetInstanceHandle(); }
