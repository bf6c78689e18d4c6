#include "classlib/gdi.h"

#include "classlib/app.h"
#include "classlib/dc.h"

#include <cstdlib>
#include <utility>

// ---- CGdiObject ----

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == m_hObject) return hObject != nullptr;
    DeleteObject();
    m_hObject = hObject;
    return hObject != nullptr;
}

HGDIOBJ CGdiObject::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(std::exchange(m_hObject, nullptr));
}

int CGdiObject::GetObject(int nCount, LPVOID pObject) const {
    return m_hObject ? ::GetObject(m_hObject, nCount, pObject) : 0;
}

// ---- CPen, CBrush ----

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }

BOOL CBrush::CreatePatternBrush(HBITMAP hBitmap) { return Attach(::CreatePatternBrush(hBitmap)); }

// ---- CFont ----

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                               bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                               nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return Attach(::CreateFontIndirect(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName) lstrcpyn(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    HDC hScreen = nullptr;
    HDC hDC = pDC ? pDC->m_hAttribDC : nullptr;
    if (!hDC) hDC = hScreen = ::GetDC(nullptr);
    // Tenths of a point to device pixels, then to the context's logical
    // units, so the size holds in pixels whatever the mapping.
    POINT pt[2] = {{0, 0}, {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720)}};
    ::DPtoLP(hDC, pt, 2);
    if (hScreen) ::ReleaseDC(nullptr, hScreen);
    LOGFONT lf = *lpLogFont;
    lf.lfHeight = -std::abs(static_cast<int>(pt[1].y - pt[0].y));
    return CreateFontIndirect(&lf);
}

BOOL CFont::GetLogFont(LOGFONT* pLogFont) const {
    return GetObject(sizeof(LOGFONT), pLogFont) == sizeof(LOGFONT);
}

// ---- CBitmap ----

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    return Attach(::LoadBitmap(ZmGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadImage(UINT nIDResource, UINT nFlags) {
    return Attach(::LoadImage(ZmGetResourceHandle(), MAKEINTRESOURCE(nIDResource), IMAGE_BITMAP, 0, 0,
                              nFlags & ~LR_LOADFROMFILE));
}

BOOL CBitmap::LoadFromFile(LPCTSTR lpszPath, UINT nFlags) {
    return Attach(::LoadImage(nullptr, lpszPath, IMAGE_BITMAP, 0, 0, nFlags | LR_LOADFROMFILE));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitCount, lpBits));
}

CSize CBitmap::GetSize() const {
    BITMAP bm{};
    if (!GetBitmap(&bm)) return {};
    return {bm.bmWidth, bm.bmHeight};
}

// ---- CRgn ----

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
    return ::CombineRgn(*this, pRgn1 ? static_cast<HRGN>(*pRgn1) : nullptr,
                        pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr, nCombineMode);
}

BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }

int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(*this, lpRect); }
