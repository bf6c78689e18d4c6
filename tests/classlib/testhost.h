// A window class defined in a DLL with its own copy of the class library,
// for programs that derive from it.
#pragma once

#include "classlib/classlib.h"

#ifdef ZM_TESTHOST_BUILD
#define TESTHOST_API __declspec(dllexport)
#else
#define TESTHOST_API __declspec(dllimport)
#endif

constexpr UINT UM_HOST_EVENT = WM_APP + 40;

class TESTHOST_API CTestHost : public CWnd {
public:
    CTestHost();
    ~CTestHost() override;
    // Created by the DLL's code with the class the DLL registers.
    BOOL CreateHost(HWND hParent);
    static LPCTSTR HostClass();
    // Called by the DLL on UM_HOST_EVENT.
    virtual void OnHostEvent(int nEvent);

    int m_nCreates = 0;
    int m_nHostSizes = 0;
    int m_nHostEvents = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The DLL's own view: its copy's FromHandle and its module handle.
extern "C" TESTHOST_API CWnd* TestHostFromHandle(HWND hWnd);
extern "C" TESTHOST_API HINSTANCE TestHostInstance();
