#include "classlib/app.h"

#include <vector>

// The image base of the module this code is linked into: the DLL's for a
// copy of the library inside a DLL.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;

// The module's file name without directory and extension.
TString ModuleBaseName() {
    TCHAR path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileName(ZmGetInstanceHandle(), path, MAX_PATH);
    TString name(path, n < MAX_PATH ? n : 0);
    if (auto slash = name.find_last_of(TEXT("\\/")); slash != TString::npos) name.erase(0, slash + 1);
    if (auto dot = name.rfind(TEXT('.')); dot != TString::npos) name.resize(dot);
    return name;
}

}  // namespace

HINSTANCE ZmGetInstanceHandle() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

HINSTANCE ZmGetResourceHandle() { return g_hResource ? g_hResource : ZmGetInstanceHandle(); }

void ZmSetResourceHandle(HINSTANCE hResource) { g_hResource = hResource; }

CWinApp* ZmGetApp() { return g_pApp; }

TString ZmLoadString(UINT nID) {
    std::vector<TCHAR> buf(256);
    for (;;) {
        int n = ::LoadString(ZmGetResourceHandle(), nID, buf.data(), static_cast<int>(buf.size()));
        if (n <= 0) return {};
        // A full buffer may have cut the string: try a larger one.
        if (static_cast<size_t>(n) < buf.size() - 1) return TString(buf.data(), static_cast<size_t>(n));
        buf.resize(buf.size() * 2);
    }
}

int ZmMessageBox(LPCTSTR lpszText, UINT nType) {
    if (CWinApp* app = ZmGetApp()) return app->DoMessageBox(lpszText, nType);
    return ::MessageBox(nullptr, lpszText, ModuleBaseName().c_str(), nType);
}

// ---- CWinApp ----

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(ZmGetInstanceHandle()), m_strAppName(lpszAppName ? lpszAppName : ModuleBaseName()) {
    if (!g_pApp) g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_nExitCode; }

int CWinApp::Run() {
    while (PumpMessage()) {
    }
    return ExitInstance();
}

BOOL CWinApp::PumpMessage() {
    MSG msg;
    BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) {
        m_nExitCode = -1;
        return FALSE;
    }
    if (!got) {
        m_nExitCode = static_cast<int>(msg.wParam);
        return FALSE;
    }
    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    // A main window whose class lives in another module is destroyed
    // without this module hearing of it: end the loop all the same.
    if (hMain && m_pMainWnd && !::IsWindow(hMain)) {
        m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = CWnd::FromHandle(hWnd); pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hMain) break;
    }
    return FALSE;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType) {
    HWND hOwner = m_pMainWnd && m_pMainWnd->IsWindow() ? m_pMainWnd->m_hWnd : nullptr;
    return ::MessageBox(hOwner, lpszPrompt, m_strAppName.c_str(), nType);
}

// ---- program entry ----

int ZmWinMain(HINSTANCE hInstance, LPTSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = ZmGetApp();
    if (!app) return -1;
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->IsWindow()) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

// In the same unit as CWinApp, so every program with an application object
// gets it; the UNICODE form is the wide entry (link with -municode).
#ifdef UNICODE
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow) {
    return ZmWinMain(hInstance, lpCmdLine, nCmdShow);
}
#else
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    return ZmWinMain(hInstance, lpCmdLine, nCmdShow);
}
#endif
