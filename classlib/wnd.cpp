#include "classlib/wnd.h"

#include "classlib/app.h"

#include <cstdint>
#include <mutex>
#include <set>
#include <utility>

namespace {

// One pair of property names per character form, so a copy of the library
// never takes an object of the other form for its own.
#ifdef UNICODE
constexpr TCHAR kObjectProp[] = TEXT("ZMClassLib.W");
constexpr TCHAR kSuperProp[] = TEXT("ZMClassLib.W.Super");
constexpr std::uint32_t kRecordMagic = 0x574C435Au;  // "ZCLW"
#else
constexpr TCHAR kObjectProp[] = TEXT("ZMClassLib.A");
constexpr TCHAR kSuperProp[] = TEXT("ZMClassLib.A.Super");
constexpr std::uint32_t kRecordMagic = 0x414C435Au;  // "ZCLA"
#endif

// Handed to the window procedure as the creation parameter: the object to
// attach and the caller's own parameter, which OnCreate sees instead.
struct CreationRecord {
    std::uint32_t magic;
    CWnd* wnd;
    LPVOID userParam;

    static CreationRecord* From(LPVOID p) {
        auto* rec = static_cast<CreationRecord*>(p);
        return rec && rec->magic == kRecordMagic ? rec : nullptr;
    }
};

// A context the platform lends for one message; never deleted here.
class BorrowedDC : public CDC {
public:
    explicit BorrowedDC(HDC hDC) { m_hDC = m_hAttribDC = hDC; }
    ~BorrowedDC() override { Detach(); }
};

void AppendHex(TString& s, std::uintptr_t v) {
    static constexpr TCHAR digits[] = TEXT("0123456789ABCDEF");
    TCHAR buf[2 * sizeof v];
    int n = 0;
    do {
        buf[n++] = digits[v & 0xF];
        v >>= 4;
    } while (v);
    while (n) s.push_back(buf[--n]);
}

constexpr TCHAR kClassPrefix[] = TEXT("ZMWnd:");

// The module whose instance is written in a class name of RegisterWndClass,
// nullptr for any other class.
HINSTANCE ClassOwner(LPCTSTR lpszClass) {
    if (IS_INTRESOURCE(lpszClass)) return nullptr;
    TStringView name(lpszClass);
    TStringView prefix(kClassPrefix);
    if (name.substr(0, prefix.size()) != prefix) return nullptr;
    std::uintptr_t v = 0;
    for (TCHAR ch : name.substr(prefix.size())) {
        if (ch == TEXT(':')) return reinterpret_cast<HINSTANCE>(v);
        int digit = ch >= TEXT('0') && ch <= TEXT('9') ? ch - TEXT('0')
                    : ch >= TEXT('A') && ch <= TEXT('F') ? ch - TEXT('A') + 10
                                                         : -1;
        if (digit < 0) return nullptr;
        v = v * 16 + static_cast<std::uintptr_t>(digit);
    }
    return nullptr;
}

bool IsLibraryClass(HWND hWnd) {
    TCHAR name[64] = {};
    int n = ::GetClassName(hWnd, name, 64);
    TStringView prefix(kClassPrefix);
    return n >= static_cast<int>(prefix.size()) && TStringView(name, prefix.size()) == prefix;
}

// While CreateEx makes a window of a class with its own procedure (a
// standard control), the record of that one call and the hook that
// subclasses the window as it is born, so its WM_NCCREATE and WM_CREATE
// already pass through the object.
thread_local CreationRecord* t_pendingRecord = nullptr;
thread_local HHOOK t_creationHook = nullptr;

WNDPROC CurrentProc(HWND hWnd) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
}

}  // namespace

// ---- the window and its object ----

CWnd::~CWnd() {
    if (!m_hWnd) return;
    if (::IsWindow(m_hWnd) && ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId())
        ::DestroyWindow(m_hWnd);  // WM_NCDESTROY detaches the object
    if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    return static_cast<CWnd*>(::GetProp(hWnd, kObjectProp));
}

void CWnd::AttachProperty(HWND hWnd) {
    ::SetProp(hWnd, kObjectProp, this);
    m_hWnd = hWnd;
}

void CWnd::DetachProperty() {
    ::RemoveProp(m_hWnd, kObjectProp);
    ::RemoveProp(m_hWnd, kSuperProp);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

BOOL CWnd::Attach(HWND hWnd) {
    if (m_hWnd || !hWnd || !::IsWindow(hWnd) || FromHandle(hWnd)) return FALSE;
    AttachProperty(hWnd);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (!hWnd) return nullptr;
    if (m_pfnSuper) {
        if (CurrentProc(hWnd) == &WndProc) {
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
            ::RemoveProp(hWnd, kSuperProp);
        }
        // Otherwise someone subclassed over us: our procedure stays in their
        // chain and forwards through the kept property.
    }
    ::RemoveProp(hWnd, kObjectProp);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc)));
    if (!old) {
        Detach();
        return FALSE;
    }
    // A window of our own class needs no original procedure.
    m_pfnSuper = old == &WndProc ? nullptr : old;
    if (m_pfnSuper) ::SetProp(hWnd, kSuperProp, reinterpret_cast<HANDLE>(m_pfnSuper));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    return pParent && SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

// ---- creation ----

LPCTSTR CWnd::RegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    // Names of this module's classes, kept for the life of the module
    // (node-based, so the texts never move).
    static std::mutex s_lock;
    static std::set<TString> s_names;

    HINSTANCE hInst = ZmGetInstanceHandle();
    TString name = kClassPrefix;
    for (std::uintptr_t v : {reinterpret_cast<std::uintptr_t>(hInst), std::uintptr_t{nClassStyle},
                             reinterpret_cast<std::uintptr_t>(hCursor),
                             reinterpret_cast<std::uintptr_t>(hbrBackground),
                             reinterpret_cast<std::uintptr_t>(hIcon)}) {
        AppendHex(name, v);
        name.push_back(TEXT(':'));
    }
    std::lock_guard<std::mutex> guard(s_lock);
    auto [it, added] = s_names.insert(name);
    if (!added) return it->c_str();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoEx(hInst, name.c_str(), &wc)) {
        wc = WNDCLASSEX{};
        wc.cbSize = sizeof wc;
        wc.style = nClassStyle;
        wc.lpfnWndProc = &WndProc;
        wc.hInstance = hInst;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = it->c_str();
        if (!::RegisterClassEx(&wc)) {
            s_names.erase(it);
            return nullptr;
        }
    }
    return it->c_str();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ZmGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) return FALSE;
    if (!cs.lpszClass) CWnd::PreCreateWindow(cs);
    // A class registered by the library belongs to the module named in it,
    // which may be another module than this copy's.
    if (HINSTANCE owner = ClassOwner(cs.lpszClass)) cs.hInstance = owner;

    CreationRecord record{kRecordMagic, this, cs.lpCreateParams};
    CreationRecord* outerRecord = t_pendingRecord;
    bool hooked = false;
    if (!ClassOwner(cs.lpszClass)) {
        t_pendingRecord = &record;
        if (!t_creationHook) {
            t_creationHook = ::SetWindowsHookEx(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
            hooked = t_creationHook != nullptr;
        }
    }
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                 cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, &record);
    if (hooked) {
        ::UnhookWindowsHookEx(t_creationHook);
        t_creationHook = nullptr;
    }
    t_pendingRecord = outerRecord;
    if (!hWnd) return FALSE;
    if (m_hWnd == hWnd) return TRUE;
    // A class with a procedure of its own (a standard control): route it
    // through the object from now on.
    if (SubclassWindow(hWnd)) return TRUE;
    ::DestroyWindow(hWnd);
    return FALSE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    if (pParentWnd) dwStyle |= WS_CHILD;
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, lpParam);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return cs.lpszClass != nullptr;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::PostNcDestroy() {}

// ---- the window procedure ----

LRESULT CALLBACK CWnd::CreationHook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND && t_pendingRecord) {
        auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam);
        auto hWnd = reinterpret_cast<HWND>(wParam);
        CreationRecord* rec = t_pendingRecord;
        if (create->lpcs->lpCreateParams == rec) {
            t_pendingRecord = nullptr;  // windows the control makes itself are not ours
            // The library's own classes attach in their window procedure.
            if (!IsLibraryClass(hWnd) && !rec->wnd->m_hWnd) rec->wnd->SubclassWindow(hWnd);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandle(hWnd);
    if (message == WM_NCCREATE || message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        if (CreationRecord* rec = CreationRecord::From(cs->lpCreateParams)) {
            if (!pWnd && message == WM_NCCREATE && rec->wnd && !rec->wnd->m_hWnd) {
                rec->wnd->AttachProperty(hWnd);
                pWnd = rec->wnd;
            }
            cs->lpCreateParams = rec->userParam;
        }
    }
    if (!pWnd) {
        // No object (yet, or any more): the original procedure if the window
        // was subclassed, else the platform's default.
        auto super = reinterpret_cast<WNDPROC>(::GetProp(hWnd, kSuperProp));
        LRESULT result = super ? ::CallWindowProc(super, hWnd, message, wParam, lParam)
                               : ::DefWindowProc(hWnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) ::RemoveProp(hWnd, kSuperProp);
        return result;
    }
    MSG saved = pWnd->m_msgCur;
    LRESULT savedDefault = pWnd->m_lDefResult;
    pWnd->m_msgCur = MSG{hWnd, message, wParam, lParam, 0, {}};
    pWnd->m_lDefResult = 0;
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_msgCur = saved;
    pWnd->m_lDefResult = savedDefault;
    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) pWnd->OnFinalNcDestroy();
    return result;
}

void CWnd::OnFinalNcDestroy() {
    HWND hWnd = m_hWnd;
    if (m_pfnSuper && CurrentProc(hWnd) == &WndProc)
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    DetachProperty();
    if (CWinApp* app = ZmGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG saved = m_msgCur;
    LRESULT savedDefault = m_lDefResult;
    m_msgCur = MSG{m_hWnd, message, wParam, lParam, 0, {}};
    m_lDefResult = 0;
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    m_msgCur = saved;
    m_lDefResult = savedDefault;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    m_lDefResult = DefWindowProc(m_msgCur.message, m_msgCur.wParam, m_msgCur.lParam);
    return m_lDefResult;
}

BOOL CWnd::ReflectToChild(HWND hChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!hChild || hChild == m_hWnd) return FALSE;
    CWnd* pChild = FromHandle(hChild);
    return pChild && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const CPoint pt(lParam);
    switch (message) {
    case WM_CREATE:
        *pResult = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
        return TRUE;
    case WM_DESTROY: OnDestroy(); break;
    case WM_CLOSE: OnClose(); break;
    case WM_PAINT: OnPaint(); break;
    case WM_ERASEBKGND: {
        BorrowedDC dc(reinterpret_cast<HDC>(wParam));
        *pResult = OnEraseBkgnd(&dc);
        return TRUE;
    }
    case WM_TIMER: OnTimer(wParam); break;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_MOVE: OnMove(pt.x, pt.y); break;
    case WM_SETFOCUS: OnSetFocus(reinterpret_cast<HWND>(wParam)); break;
    case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<HWND>(wParam)); break;
    case WM_COPYDATA:
        *pResult = OnCopyData(reinterpret_cast<HWND>(wParam), reinterpret_cast<COPYDATASTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        if (ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult)) return TRUE;
        BorrowedDC dc(reinterpret_cast<HDC>(wParam));
        *pResult = reinterpret_cast<LRESULT>(
            OnCtlColor(&dc, reinterpret_cast<HWND>(lParam), message - WM_CTLCOLORMSGBOX));
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (dis->CtlType != ODT_MENU && ReflectToChild(dis->hwndItem, message, wParam, lParam, pResult))
            return TRUE;
        OnDrawItem(static_cast<int>(wParam), dis);
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (mis->CtlType != ODT_MENU &&
            ReflectToChild(::GetDlgItem(m_hWnd, static_cast<int>(mis->CtlID)), message, wParam, lParam, pResult))
            return TRUE;
        OnMeasureItem(static_cast<int>(wParam), mis);
        break;
    }
    case WM_COMMAND: OnCommand(wParam, lParam); break;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<LPNMHDR>(lParam);
        return hdr && ReflectToChild(hdr->hwndFrom, message, wParam, lParam, pResult);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        return lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult);
    case WM_SETCURSOR:
        *pResult = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NCCALCSIZE:
        OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case WM_NCPAINT: OnNcPaint(); break;
    case WM_NCACTIVATE:
        *pResult = OnNcActivate(static_cast<BOOL>(wParam));
        return TRUE;
    case WM_NCHITTEST:
        *pResult = OnNcHitTest(pt);
        return TRUE;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); break;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), pt); break;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), pt); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), pt); break;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), pt); break;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), pt); break;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), pt); break;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    default: return FALSE;
    }
    // Handlers without a result of their own answer what the default
    // processing answered (zero when they skipped it).
    *pResult = m_lDefResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, &result)) return TRUE;
    if (OnCmdMsg(LOWORD(wParam), HIWORD(wParam))) return TRUE;
    Default();
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        BorrowedDC dc(reinterpret_cast<HDC>(wParam));
        HBRUSH hBrush = CtlColor(&dc, message - WM_CTLCOLORMSGBOX);
        if (!hBrush) return FALSE;
        *pResult = reinterpret_cast<LRESULT>(hBrush);
        return TRUE;
    }
    if (message == WM_COMMAND && OnReflectedCommand(HIWORD(wParam))) {
        *pResult = 0;
        return TRUE;
    }
    return FALSE;
}

HBRUSH CWnd::CtlColor(CDC*, UINT) { return nullptr; }
BOOL CWnd::OnReflectedCommand(UINT) { return FALSE; }

// ---- handlers: the default processing ----

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSetFocus(HWND) { Default(); }
void CWnd::OnKillFocus(HWND) { Default(); }
BOOL CWnd::OnCopyData(HWND, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
BOOL CWnd::OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }

// ---- helpers ----

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD style = GetStyle();
    DWORD next = (style & ~dwRemove) | dwAdd;
    if (next == style) return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(next));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD style = GetExStyle();
    DWORD next = (style & ~dwRemove) | dwAdd;
    if (next == style) return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(next));
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    const bool child = (GetStyle() & WS_CHILD) != 0;
    HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                   : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CRect rcArea, rcCenter;
    if (child) {
        HWND hParent = ::GetParent(m_hWnd);
        ::GetClientRect(hParent, &rcArea);
        if (hCenter && hCenter != hParent) {
            ::GetWindowRect(hCenter, &rcCenter);
            ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
        } else {
            rcCenter = rcArea;
        }
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rcWnd), 2);
    } else {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfo(::MonitorFromWindow(hCenter ? hCenter : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
        rcArea = mi.rcWork;
        if (hCenter && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter))
            ::GetWindowRect(hCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - rcWnd.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcWnd.Height() / 2;
    if (!child) {
        // Keep a top-level window on the work area.
        if (x + rcWnd.Width() > rcArea.right) x = rcArea.right - rcWnd.Width();
        if (x < rcArea.left) x = rcArea.left;
        if (y + rcWnd.Height() > rcArea.bottom) y = rcArea.bottom - rcWnd.Height();
        if (y < rcArea.top) y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }

int CWnd::SetWindowRgn(CRgn& rgn, BOOL bRedraw) {
    int result = ::SetWindowRgn(m_hWnd, rgn, bRedraw);
    if (result) rgn.Detach();
    return result;
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

TString CWnd::GetWindowText() const {
    int len = ::GetWindowTextLength(m_hWnd);
    if (len <= 0) return {};
    TString text(static_cast<size_t>(len) + 1, TEXT('\0'));
    int got = ::GetWindowText(m_hWnd, text.data(), len + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
