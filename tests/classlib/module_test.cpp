// A window class exported from a DLL (with its own copy of the library)
// and derived from here: the object is found from its window by both
// copies, and messages reach the handlers of both modules whichever copy
// created the window.
#include "test_support.h"
#include "testhost.h"

#include <gtest/gtest.h>

namespace {

class CDerivedHost : public CTestHost {
public:
    int m_nExeSizes = 0;
    int m_nLastEvent = 0;
    void OnHostEvent(int nEvent) override {
        m_nLastEvent = nEvent;
        CTestHost::OnHostEvent(nEvent);
    }

protected:
    void OnSize(UINT nType, int cx, int cy) override {
        ++m_nExeSizes;
        CTestHost::OnSize(nType, cx, cy);
    }
};

HMODULE ModuleOf(const void* address) {
    HMODULE h = nullptr;
    ::GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                        static_cast<LPCTSTR>(address), &h);
    return h;
}

TEST(Modules, EachCopyKnowsItsOwnModule) {
    HMODULE dll = ModuleOf(reinterpret_cast<const void*>(&TestHostFromHandle));
    ASSERT_NE(dll, nullptr);
    EXPECT_NE(dll, ::GetModuleHandle(nullptr));
    EXPECT_EQ(TestHostInstance(), dll);
    EXPECT_EQ(ZmGetInstanceHandle(), ::GetModuleHandle(nullptr));
}

TEST(Modules, ClassFromADllDerivedHereWorksWhoeverCreatesIt) {
    const struct {
        const char* what;
        BOOL (*create)(CDerivedHost&);
    } routes[] = {
        {"the DLL creates it with its own class",
         [](CDerivedHost& w) { return w.CreateHost(nullptr); }},
        {"this module creates it with the DLL's class",
         [](CDerivedHost& w) {
             return w.CreateEx(0, CTestHost::HostClass(), nullptr, WS_POPUP, 0, 0, 120, 80, nullptr, nullptr);
         }},
        {"this module creates it with its own class",
         [](CDerivedHost& w) { return w.CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 120, 80, nullptr, nullptr); }},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.what);
        CDerivedHost host;
        ASSERT_TRUE(route.create(host));
        HWND h = host.m_hWnd;
        EXPECT_EQ(host.m_nCreates, 1) << "the DLL's OnCreate ran";
        EXPECT_EQ(CWnd::FromHandle(h), &host);
        EXPECT_EQ(TestHostFromHandle(h), &host);

        const int exeSizes = host.m_nExeSizes, dllSizes = host.m_nHostSizes;
        host.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
        EXPECT_EQ(host.m_nExeSizes, exeSizes + 1);
        EXPECT_EQ(host.m_nHostSizes, dllSizes + 1);

        EXPECT_EQ(host.SendMessage(UM_HOST_EVENT, 5), 1);
        EXPECT_EQ(host.m_nLastEvent, 5);
        EXPECT_EQ(host.m_nHostEvents, 1);

        host.DestroyWindow();
        EXPECT_EQ(host.m_hWnd, nullptr);
        EXPECT_EQ(CWnd::FromHandle(h), nullptr);
        EXPECT_EQ(TestHostFromHandle(h), nullptr);
    }
}

TEST(Modules, ChildOfTheDllClassTakesPartInThisModulesLoop) {
    class CApp : public CWinApp {} app;
    class CTop : public CWnd {
    public:
        int offered = 0;
        BOOL PreTranslateMessage(MSG* pMsg) override {
            if (pMsg->message == WM_KEYDOWN) ++offered;
            return FALSE;
        }
    } top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CDerivedHost host;
    ASSERT_TRUE(host.CreateHost(top.m_hWnd));
    app.m_pMainWnd = &top;
    host.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) app.PumpMessage();
    EXPECT_EQ(top.offered, 1);
    app.m_pMainWnd = nullptr;
}

}  // namespace
