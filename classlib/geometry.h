// Points, sizes and rectangles over the platform's POINT, SIZE and RECT, so
// they pass straight to the platform's calls. Rectangles are left/top
// inclusive and right/bottom exclusive, as the platform's.
#pragma once

#include "classlib/platform.h"

class CSize : public SIZE {
public:
    constexpr CSize() : SIZE{0, 0} {}
    constexpr CSize(int x, int y) : SIZE{x, y} {}
    constexpr CSize(const SIZE& s) : SIZE(s) {}

    friend constexpr bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
    CSize& operator+=(const SIZE& s) { cx += s.cx; cy += s.cy; return *this; }
    CSize& operator-=(const SIZE& s) { cx -= s.cx; cy -= s.cy; return *this; }
    constexpr CSize operator+(const SIZE& s) const { return {int(cx + s.cx), int(cy + s.cy)}; }
    constexpr CSize operator-(const SIZE& s) const { return {int(cx - s.cx), int(cy - s.cy)}; }
    constexpr CSize operator-() const { return {int(-cx), int(-cy)}; }
};

class CPoint : public POINT {
public:
    constexpr CPoint() : POINT{0, 0} {}
    constexpr CPoint(int px, int py) : POINT{px, py} {}
    constexpr CPoint(const POINT& p) : POINT(p) {}
    constexpr explicit CPoint(const SIZE& s) : POINT{s.cx, s.cy} {}
    // A point packed into an LPARAM (mouse messages): signed 16-bit words.
    explicit CPoint(LPARAM packed)
        : POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))} {}

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(const POINT& p) { Offset(p.x, p.y); }
    void Offset(const SIZE& s) { Offset(s.cx, s.cy); }
    void SetPoint(int px, int py) { x = px; y = py; }

    friend constexpr bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
    CPoint& operator+=(const SIZE& s) { Offset(s); return *this; }
    CPoint& operator-=(const SIZE& s) { Offset(-s.cx, -s.cy); return *this; }
    CPoint& operator+=(const POINT& p) { Offset(p); return *this; }
    CPoint& operator-=(const POINT& p) { Offset(-p.x, -p.y); return *this; }
    constexpr CPoint operator+(const SIZE& s) const { return {int(x + s.cx), int(y + s.cy)}; }
    constexpr CPoint operator-(const SIZE& s) const { return {int(x - s.cx), int(y - s.cy)}; }
    constexpr CPoint operator+(const POINT& p) const { return {int(x + p.x), int(y + p.y)}; }
    // The distance between two points.
    constexpr CSize operator-(const POINT& p) const { return {int(x - p.x), int(y - p.y)}; }
    constexpr CPoint operator-() const { return {int(-x), int(-y)}; }
};

class CRect : public RECT {
public:
    constexpr CRect() : RECT{0, 0, 0, 0} {}
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}
    explicit CRect(const RECT* r) : RECT(r ? *r : RECT{0, 0, 0, 0}) {}
    constexpr CRect(const POINT& topLeft, const SIZE& size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    constexpr CRect(const POINT& topLeft, const POINT& bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {int(left), int(top)}; }
    constexpr CPoint BottomRight() const { return {int(right), int(bottom)}; }
    constexpr CPoint CenterPoint() const { return {int((left + right) / 2), int((top + bottom) / 2)}; }

    // Empty: no area (width or height zero or negative). Null: all four zero.
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(const POINT& p) const { return ::PtInRect(this, p) != FALSE; }

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* src) { *static_cast<RECT*>(this) = *src; }
    bool EqualRect(const RECT* other) const { return ::EqualRect(this, other) != FALSE; }

    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void OffsetRect(const POINT& p) { OffsetRect(p.x, p.y); }
    void OffsetRect(const SIZE& s) { OffsetRect(s.cx, s.cy); }
    // Grows every side outward by the amounts given (negative shrinks).
    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(const SIZE& s) { InflateRect(s.cx, s.cy); }
    void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    void InflateRect(const RECT& by) { InflateRect(by.left, by.top, by.right, by.bottom); }
    // Moves every side inward by the amounts given.
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(const SIZE& s) { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void DeflateRect(const RECT& by) { DeflateRect(by.left, by.top, by.right, by.bottom); }
    // Keeps the size, moves the top-left corner.
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    // Swaps sides so that left <= right and top <= bottom.
    void NormalizeRect();

    // The overlap (empty rectangle and false when none) and the smallest
    // rectangle holding both, as the platform computes them.
    bool IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b) != FALSE; }
    bool UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b) != FALSE; }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    friend bool operator==(const CRect& a, const CRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    CRect& operator+=(const POINT& p) { OffsetRect(p); return *this; }
    CRect& operator-=(const POINT& p) { OffsetRect(-p.x, -p.y); return *this; }
    CRect& operator&=(const RECT& r) { CRect a(*this); IntersectRect(&a, &r); return *this; }
    CRect& operator|=(const RECT& r) { CRect a(*this); UnionRect(&a, &r); return *this; }
    CRect operator&(const RECT& r) const { CRect o(*this); o &= r; return o; }
    CRect operator|(const RECT& r) const { CRect o(*this); o |= r; return o; }
};

inline void CRect::NormalizeRect() {
    if (left > right) { LONG t = left; left = right; right = t; }
    if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
}
