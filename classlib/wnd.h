// CWnd: an object attached to one window.
//
// Finding the object: the object's address is kept in a property of the
// window itself, so CWnd::FromHandle finds it from the HWND alone, from any
// module. Windows the library does not know answer nullptr (no temporary
// objects are made).
//
// Message flow, for windows of the library's own classes and for standard
// controls it has subclassed:
//   window procedure → WindowProc (virtual)
//     → control notifications offered to the child's own object first
//       (OnChildNotify: WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM,
//        WM_COMMAND, WM_NOTIFY, WM_HSCROLL/WM_VSCROLL from controls)
//     → the virtual handler of the message (OnCreate, OnPaint, ...)
//     → messages without a handler: DefWindowProc (virtual), which calls
//       the control's original procedure for a subclassed control and the
//       platform's default procedure otherwise.
// A handler's base version performs the default processing (Default()), so
// an override calls the base when it wants it and leaves it out to stop it.
// Any other message is handled by overriding WindowProc:
//     LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
//         if (m == UM_MINE) return 0;
//         return CFrameWnd::WindowProc(m, w, l);
//     }
//
// Creation passes the object to the window procedure in the creation
// parameters (the caller's own lpParam is handed on to OnCreate unchanged).
// A window of the library's classes is attached at its WM_NCCREATE; the
// messages a top-level window receives before that (WM_GETMINMAXINFO) reach
// only the default procedure. A standard control (a class with a procedure
// of its own) is subclassed as it is born, by a hook on this thread that
// lives only for the one CreateEx call, so its WM_NCCREATE and WM_CREATE
// (OnCreate) already pass through the object. MDI client windows, whose
// creation parameter the platform reads, are not supported.
//
// Lifetime: destroying the object destroys its window. When the window goes
// first, the object is detached at WM_NCDESTROY and PostNcDestroy runs; if
// it was the application's main window, the message loop is told to end.
#pragma once

#include "classlib/dc.h"

// The control id of a frame's first pane, which fills the frame's client area.
constexpr UINT IDW_PANE_FIRST = 59648;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    // Destroys the window if it still exists (on another thread, where that
    // cannot be done, the window is detached instead).
    ~CWnd() override;

    // ---- the window and its object ----
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The object of a window, or nullptr when the library does not know it.
    static CWnd* FromHandle(HWND hWnd);
    // Makes hWnd findable from this object without taking its messages.
    BOOL Attach(HWND hWnd);
    // Undoes Attach or SubclassWindow (restoring the original procedure) and
    // returns the window, which lives on.
    HWND Detach();
    // Routes the messages of an existing window (e.g. a standard control)
    // through this object; its original procedure becomes the default.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow() { return Detach(); }

    // ---- creation ----
    // A window class of this module with the given look, registered on
    // first use. The name stays valid for the life of the module; it names
    // the module, so CreateEx of any module's copy finds the class.
    static LPCTSTR RegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                    HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
    // All creation goes through PreCreateWindow. A null class name means
    // the library's default class (double-clicks, redraw on resize, arrow
    // cursor, window colour). A standard class is subclassed as the window
    // is born.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // A child window (WS_CHILD is added when a parent is given).
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    BOOL DestroyWindow();

    // ---- overridables ----
    // Last word on the creation data (class, styles, position, size). The
    // base fills in the default class when none is set.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Offered every message the application's loop takes for this window or
    // one of its descendants, before it is translated and dispatched. TRUE
    // consumes the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: a control's notification is offered to the control's own
    // object first, then the command goes to OnCmdMsg(id, code). TRUE when
    // either handled it; otherwise the default processing runs.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification this window's parent received from it, offered back
    // before the parent handles it. TRUE (with *pResult) ends it there. The
    // base answers WM_CTLCOLOR* through CtlColor and WM_COMMAND through
    // OnReflectedCommand.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The colour request for this control: a brush ends it there, nullptr
    // lets the parent answer. nCtlColor is CTLCOLOR_EDIT, CTLCOLOR_BTN, ...
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    // This control's own WM_COMMAND notification; TRUE ends it there, FALSE
    // lets the parent see it as usual.
    virtual BOOL OnReflectedCommand(UINT nCode);
    // After WM_NCDESTROY, when the object no longer has a window.
    virtual void PostNcDestroy();

    // ---- message handlers (base: default processing) ----
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);   // -1 fails the creation
    virtual void OnDestroy();
    virtual void OnClose();                                 // base destroys the window
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);                    // nonzero: background done
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnSetFocus(HWND hOldWnd);
    virtual void OnKillFocus(HWND hNewWnd);
    virtual BOOL OnCopyData(HWND hFromWnd, COPYDATASTRUCT* pCopyDataStruct);
    virtual HBRUSH OnCtlColor(CDC* pDC, HWND hCtl, UINT nCtlColor);
    virtual void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    virtual void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    virtual void OnNcPaint();
    virtual BOOL OnNcActivate(BOOL bActive);
    virtual LRESULT OnNcHitTest(CPoint point);              // screen coordinates
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);  // client coordinates
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    // The default processing of the message being handled now.
    LRESULT Default();
    // The message being handled now (zero when none).
    const MSG* GetCurrentMessage() const { return &m_msgCur; }

    // ---- helpers over the platform's calls ----
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
    // Changes styles; with nFlags, the frame is recalculated (SetWindowPos).
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    // The object of a child control or the parent, nullptr when there is
    // none or the library does not know it.
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    HWND GetParentHwnd() const { return ::GetParent(m_hWnd); }
    BOOL IsChild(HWND hWnd) const { return ::IsChild(m_hWnd, hWnd); }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    BOOL BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }

    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // Centres the window on pAlternateOwner, else on its owner (its parent
    // for a child), or on the work area when that is hidden, minimised or
    // absent; a top-level window is kept inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    // The window owns hRgn after a successful call.
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    // Hands the region over: rgn is detached when the window took it and
    // keeps it (to delete it) when the call failed.
    int SetWindowRgn(CRgn& rgn, BOOL bRedraw);
    int GetWindowRgn(HRGN hRgn) const { return ::GetWindowRgn(m_hWnd, hRgn); }

    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);

    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    void SetWindowText(const TString& str) { SetWindowText(str.c_str()); }
    TString GetWindowText() const;
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const { return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount); }
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE) { SetFont(pFont ? static_cast<HFONT>(*pFont) : nullptr, bRedraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetMenu(HMENU hMenu) { return ::SetMenu(m_hWnd, hMenu); }

    // The previous focus window.
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    // The object of the focus window, nullptr when none or not ours.
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessage(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessage(m_hWnd, message, wParam, lParam); }
    // Dialog-style keyboard handling (Tab between tab stops, ...) among this
    // window's children; TRUE when the message was used.
    BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessage(m_hWnd, lpMsg); }

protected:
    // The window procedure of the library's classes and subclassed controls.
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Subclasses a standard control at its birth (see CreateEx).
    static LRESULT CALLBACK CreationHook(int nCode, WPARAM wParam, LPARAM lParam);
    // Dispatch to the handlers; FALSE when the message has none.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers a notification from a child control to that child's object.
    BOOL ReflectToChild(HWND hChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    WNDPROC m_pfnSuper = nullptr;  // original procedure of a subclassed window
    MSG m_msgCur{};                // message being handled now
    LRESULT m_lDefResult = 0;      // what Default() gave for it

private:
    void AttachProperty(HWND hWnd);
    void DetachProperty();
    void OnFinalNcDestroy();
};
