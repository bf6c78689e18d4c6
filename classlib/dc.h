// Drawing contexts. A CDC holds an output context (where drawing goes) and
// an attribute context (which answers queries: mapping, colours, text
// metrics); usually both are the same handle. Setters apply to both.
// A CDC owns what it holds and deletes it (DeleteDC) when it goes, unless
// the handle was taken back with Detach; CPaintDC, CClientDC and CWindowDC
// give their context back to the window instead.
#pragma once

#include "classlib/gdi.h"

class CWnd;

class CDC : public CObject {
public:
    CDC() = default;
    ~CDC() override;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Takes ownership of hDC as both the output and the attribute context.
    BOOL Attach(HDC hDC);
    // Gives the output context back to the caller; both contexts are cleared.
    HDC Detach();
    // Sets one context without taking ownership of it (the previous one of
    // that kind is not deleted). ReleaseXxx clears it again.
    void SetOutputDC(HDC hDC) { m_hDC = hDC; }
    void SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
    void ReleaseOutputDC() { m_hDC = nullptr; }
    void ReleaseAttribDC() { m_hAttribDC = nullptr; }
    BOOL DeleteDC();

    // A memory context compatible with pDC (the screen when null).
    BOOL CreateCompatibleDC(CDC* pDC);

    // True for a printer context: set m_bPrinting, or the device itself is
    // a raster printer.
    BOOL IsPrinting() const;
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

    // Selection returns the object selected before, to select back later.
    HPEN SelectObject(CPen* pPen) { return static_cast<HPEN>(SelectObject(pPen->GetSafeHandle())); }
    HBRUSH SelectObject(CBrush* pBrush) { return static_cast<HBRUSH>(SelectObject(pBrush->GetSafeHandle())); }
    HFONT SelectObject(CFont* pFont) { return static_cast<HFONT>(SelectObject(pFont->GetSafeHandle())); }
    HBITMAP SelectObject(CBitmap* pBitmap) { return static_cast<HBITMAP>(SelectObject(pBitmap->GetSafeHandle())); }
    // A region is copied in as the clip region; the result is its kind
    // (SIMPLEREGION, ...) or ERROR.
    int SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    HGDIOBJ SelectStockObject(int nIndex) { return SelectObject(::GetStockObject(nIndex)); }
    // Null clears the clip region.
    int SelectClipRgn(CRgn* pRgn);
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }

    // Colours and modes.
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
    int SetBkMode(int nBkMode);
    int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
    UINT SetTextAlign(UINT nFlags);

    // Mapping.
    int SetMapMode(int nMapMode);
    int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const;
    // Conversions with the attribute context. A size converts by the
    // extents alone (origins do not move it).
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
    void LPtoDP(LPRECT lpRect) const { LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2); }
    void LPtoDP(LPSIZE lpSize) const;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
    void DPtoLP(LPRECT lpRect) const { DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2); }
    void DPtoLP(LPSIZE lpSize) const;

    // Output.
    // Fills with a plain colour. The context's background colour is left at
    // clr, so opaque text written over the fill blends with it.
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, *pBrush); }
    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, *pBrush); }
    // Outline with the current pen, inside filled with the current brush.
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    // Moves the current position; returns the one before.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    // A line from the current position with the current pen, end point excluded.
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }

    // Text. nCount -1: up to the terminating zero.
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(TStringView str, LPRECT lpRect, UINT nFormat);
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, TStringView str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, TStringView str, const INT* lpDxWidths = nullptr);
    CSize GetTextExtent(TStringView str) const;
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hAttribDC, lpMetrics); }

    HDC m_hDC = nullptr;        // output context
    HDC m_hAttribDC = nullptr;  // attribute context
    BOOL m_bPrinting = FALSE;   // set by whoever made a printer context

protected:
    // True when the two contexts are distinct handles, so setters apply twice.
    bool HasSeparateAttrib() const { return m_hAttribDC && m_hAttribDC != m_hDC; }
};

// The context of a WM_PAINT: BeginPaint on construction, EndPaint when it goes.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};
protected:
    HWND m_hWnd;
};

// The client area's context of a window (the whole screen for null).
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
protected:
    HWND m_hWnd;
};

// The whole window's context, non-client area included.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;
protected:
    HWND m_hWnd;
};
