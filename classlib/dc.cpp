#include "classlib/dc.h"

#include "classlib/wnd.h"

#include <utility>

CDC::~CDC() { DeleteDC(); }

BOOL CDC::Attach(HDC hDC) {
    if (!hDC) return FALSE;
    if (hDC != m_hDC) DeleteDC();
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach() {
    m_hAttribDC = nullptr;
    return std::exchange(m_hDC, nullptr);
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    m_hAttribDC = nullptr;
    return ::DeleteDC(std::exchange(m_hDC, nullptr));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    HDC hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (!hDC) return FALSE;
    DeleteDC();
    return Attach(hDC);
}

BOOL CDC::IsPrinting() const {
    return m_bPrinting || (m_hAttribDC && ::GetDeviceCaps(m_hAttribDC, TECHNOLOGY) == DT_RASPRINTER);
}

int CDC::SaveDC() {
    int nAttrib = 0;
    if (HasSeparateAttrib()) nAttrib = ::SaveDC(m_hAttribDC);
    int nOut = m_hDC ? ::SaveDC(m_hDC) : 0;
    return m_hDC ? nOut : nAttrib;
}

BOOL CDC::RestoreDC(int nSavedDC) {
    BOOL ok = TRUE;
    if (HasSeparateAttrib()) ok = ::RestoreDC(m_hAttribDC, nSavedDC);
    if (m_hDC) ok = ::RestoreDC(m_hDC, nSavedDC) && ok;
    return ok;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
    if (!hObject) return nullptr;
    HGDIOBJ hOld = nullptr;
    if (HasSeparateAttrib()) hOld = ::SelectObject(m_hAttribDC, hObject);
    if (m_hDC) hOld = ::SelectObject(m_hDC, hObject);
    return hOld;
}

int CDC::SelectClipRgn(CRgn* pRgn) {
    HRGN hRgn = pRgn ? static_cast<HRGN>(*pRgn) : nullptr;
    int result = ERROR;
    if (HasSeparateAttrib()) result = ::SelectClipRgn(m_hAttribDC, hRgn);
    if (m_hDC) result = ::SelectClipRgn(m_hDC, hRgn);
    return result;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    int result = ERROR;
    if (HasSeparateAttrib()) result = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
    if (m_hDC) result = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
    return result;
}

// Setters: the output context first when it is separate, the answer from
// the attribute context.

COLORREF CDC::SetBkColor(COLORREF crColor) {
    COLORREF old = CLR_INVALID;
    if (m_hDC && m_hDC != m_hAttribDC) old = ::SetBkColor(m_hDC, crColor);
    if (m_hAttribDC) old = ::SetBkColor(m_hAttribDC, crColor);
    return old;
}

int CDC::SetBkMode(int nBkMode) {
    int old = 0;
    if (m_hDC && m_hDC != m_hAttribDC) old = ::SetBkMode(m_hDC, nBkMode);
    if (m_hAttribDC) old = ::SetBkMode(m_hAttribDC, nBkMode);
    return old;
}

COLORREF CDC::SetTextColor(COLORREF crColor) {
    COLORREF old = CLR_INVALID;
    if (m_hDC && m_hDC != m_hAttribDC) old = ::SetTextColor(m_hDC, crColor);
    if (m_hAttribDC) old = ::SetTextColor(m_hAttribDC, crColor);
    return old;
}

UINT CDC::SetTextAlign(UINT nFlags) {
    UINT old = GDI_ERROR;
    if (m_hDC && m_hDC != m_hAttribDC) old = ::SetTextAlign(m_hDC, nFlags);
    if (m_hAttribDC) old = ::SetTextAlign(m_hAttribDC, nFlags);
    return old;
}

int CDC::SetMapMode(int nMapMode) {
    int old = 0;
    if (m_hDC && m_hDC != m_hAttribDC) old = ::SetMapMode(m_hDC, nMapMode);
    if (m_hAttribDC) old = ::SetMapMode(m_hAttribDC, nMapMode);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    SIZE old{};
    if (m_hDC && m_hDC != m_hAttribDC) ::SetWindowExtEx(m_hDC, cx, cy, &old);
    if (m_hAttribDC) ::SetWindowExtEx(m_hAttribDC, cx, cy, &old);
    return old;
}

CSize CDC::GetWindowExt() const {
    SIZE s{};
    ::GetWindowExtEx(m_hAttribDC, &s);
    return s;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    SIZE old{};
    if (m_hDC && m_hDC != m_hAttribDC) ::SetViewportExtEx(m_hDC, cx, cy, &old);
    if (m_hAttribDC) ::SetViewportExtEx(m_hAttribDC, cx, cy, &old);
    return old;
}

CSize CDC::GetViewportExt() const {
    SIZE s{};
    ::GetViewportExtEx(m_hAttribDC, &s);
    return s;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old{};
    if (m_hDC && m_hDC != m_hAttribDC) ::SetWindowOrgEx(m_hDC, x, y, &old);
    if (m_hAttribDC) ::SetWindowOrgEx(m_hAttribDC, x, y, &old);
    return old;
}

CPoint CDC::GetWindowOrg() const {
    POINT p{};
    ::GetWindowOrgEx(m_hAttribDC, &p);
    return p;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT old{};
    if (m_hDC && m_hDC != m_hAttribDC) ::SetViewportOrgEx(m_hDC, x, y, &old);
    if (m_hAttribDC) ::SetViewportOrgEx(m_hAttribDC, x, y, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const {
    POINT p{};
    ::GetViewportOrgEx(m_hAttribDC, &p);
    return p;
}

void CDC::LPtoDP(LPSIZE lpSize) const {
    POINT pt[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::LPtoDP(m_hAttribDC, pt, 2);
    lpSize->cx = pt[1].x - pt[0].x;
    lpSize->cy = pt[1].y - pt[0].y;
}

void CDC::DPtoLP(LPSIZE lpSize) const {
    POINT pt[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::DPtoLP(m_hAttribDC, pt, 2);
    lpSize->cx = pt[1].x - pt[0].x;
    lpSize->cy = pt[1].y - pt[0].y;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    if (HasSeparateAttrib()) ::SetBkColor(m_hAttribDC, clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT rc{x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old{};
    if (HasSeparateAttrib()) ::MoveToEx(m_hAttribDC, x, y, &old);
    if (m_hDC) ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

BOOL CDC::LineTo(int x, int y) {
    if (HasSeparateAttrib()) ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

CPoint CDC::GetCurrentPosition() const {
    POINT p{};
    ::GetCurrentPositionEx(m_hAttribDC, &p);
    return p;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(TStringView str, LPRECT lpRect, UINT nFormat) {
    return ::DrawText(m_hDC, str.data(), static_cast<int>(str.size()), lpRect, nFormat);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
    if (nCount < 0) nCount = lstrlen(lpszString);
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, TStringView str) {
    return ::TextOut(m_hDC, x, y, str.data(), static_cast<int>(str.size()));
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, TStringView str, const INT* lpDxWidths) {
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, str.data(), static_cast<UINT>(str.size()), lpDxWidths);
}

CSize CDC::GetTextExtent(TStringView str) const {
    SIZE s{};
    ::GetTextExtentPoint32(m_hAttribDC, str.data(), static_cast<int>(str.size()), &s);
    return s;
}

// ---- contexts borrowed from a window ----

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
    HDC hDC = ::BeginPaint(m_hWnd, &m_ps);
    m_hDC = m_hAttribDC = hDC;
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    HDC hDC = ::GetDC(m_hWnd);
    m_hDC = m_hAttribDC = hDC;
}

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    Detach();
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    HDC hDC = ::GetWindowDC(m_hWnd);
    m_hDC = m_hAttribDC = hDC;
}

CWindowDC::~CWindowDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
    Detach();
}
