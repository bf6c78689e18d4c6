// The application object and what belongs to the module.
//
// CWinApp runs the program: WinMain (in the library) calls InitInstance,
// then Run (the message loop) or, when InitInstance fails, ExitInstance.
// Its PreTranslateMessage offers each message to the objects of the target
// window and its parents, innermost first, up to the main window.
//
// One application object per module: the first CWinApp constructed in a
// module is the one ZmGetApp() returns there.
#pragma once

#include "classlib/wnd.h"

class CWinApp : public CCmdTarget {
public:
    // The title of the program's message boxes; null takes the executable's
    // file name without its extension.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Start-up; FALSE ends the program (ExitInstance still runs).
    virtual BOOL InitInstance();
    // Clean-up; returns the process exit code (the quit message's code).
    virtual int ExitInstance();
    // The message loop until WM_QUIT; returns ExitInstance().
    virtual int Run();
    // Takes, pre-translates and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // The walk from the message's window up through its parents: each
    // window's object (where there is one) is offered the message, stopping
    // after the main window; TRUE as soon as one consumes it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // A message box titled with the application's name, owned by the main
    // window when there is one.
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType = MB_OK);
    void SetRegistryKey(LPCTSTR lpszRegistryKey) { m_strRegistryKey = lpszRegistryKey; }
    const TString& GetAppName() const { return m_strAppName; }

    CWnd* m_pMainWnd = nullptr;       // the main window (not owned)
    HINSTANCE m_hInstance = nullptr;  // the module's instance
    LPTSTR m_lpCmdLine = nullptr;     // as WinMain received it
    int m_nCmdShow = SW_SHOWNORMAL;
    TString m_strAppName;
    TString m_strRegistryKey;

protected:
    int m_nExitCode = 0;  // from WM_QUIT
};

// The module's application object, or nullptr.
CWinApp* ZmGetApp();
// The module that holds this copy of the library (the DLL for code in a
// DLL), found from the code's own address.
HINSTANCE ZmGetInstanceHandle();
// Where the module's resources are loaded from: its own instance unless set.
HINSTANCE ZmGetResourceHandle();
void ZmSetResourceHandle(HINSTANCE hResource);
// A string of the resource table; empty when absent.
TString ZmLoadString(UINT nID);
// A message box titled with the application's name (the module's file name
// when there is no application object).
int ZmMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);

// What WinMain does: hand the start data to the application object, run it,
// return the exit code (-1 without an application object).
int ZmWinMain(HINSTANCE hInstance, LPTSTR lpCmdLine, int nCmdShow);
