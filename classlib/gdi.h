// GDI objects that own their handle: the handle is deleted when the object
// goes, unless it was handed on with Detach. Objects are movable, not
// copyable. Create... calls on an object that already holds a handle delete
// the old one first.
#pragma once

#include "classlib/geometry.h"
#include "classlib/object.h"

class CDC;

class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of a handle (deleting the one held before).
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership: the caller (or the platform, e.g. SetWindowRgn)
    // now owns the handle.
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int nCount, LPVOID pObject) const;

    HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreatePatternBrush(HBITMAP hBitmap);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    // A font of nPointSize tenths of a point in the given face. The height
    // is worked out for pDC (the screen when null) so the point size holds
    // in device pixels whatever mapping mode pDC uses. Charset: default.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    // The same from a LOGFONT whose lfHeight is in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);
    BOOL GetLogFont(LOGFONT* pLogFont) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    // A bitmap resource of the module's resource handle (ZmGetResourceHandle).
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    // A bitmap resource loaded with the given LoadImage flags.
    BOOL LoadImage(UINT nIDResource, UINT nFlags);
    // A bitmap resource whose greys become the system's 3-D colours (128 →
    // shadow, 192 → face, 223 → light): LoadImage with LR_LOADMAP3DCOLORS.
    // The mapping works on colour tables, so the image must have at most
    // 256 colours.
    BOOL LoadMap3DColors(UINT nIDResource) { return LoadImage(nIDResource, LR_LOADMAP3DCOLORS); }
    // A bitmap file (LoadImage with LR_LOADFROMFILE and the flags given).
    BOOL LoadFromFile(LPCTSTR lpszPath, UINT nFlags = 0);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    // Width and height in pixels; (0, 0) without a bitmap.
    CSize GetSize() const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    // Result of the platform's CombineRgn into this (existing) region.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    BOOL PtInRegion(int x, int y) const;
    int GetRgnBox(LPRECT lpRect) const;
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};
