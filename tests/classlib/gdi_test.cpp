// GDI objects and drawing contexts: ownership and release of handles,
// selection, fonts sized for their context, region hand-over, mapping,
// bitmaps from resources, and the geometry types.
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Made {
    HGDIOBJ handle;
    DWORD typeWhileAlive;
};

TEST(GdiObjects, EveryWrapperDeletesWhatItHolds) {
    const struct {
        const char* what;
        std::function<Made()> makeAndDrop;
        DWORD type;
    } cases[] = {
        {"pen", [] { CPen p(PS_SOLID, 1, RGB(1, 2, 3)); return Made{p.m_hObject, ::GetObjectType(p)}; }, OBJ_PEN},
        {"brush", [] { CBrush b(RGB(238, 238, 238)); return Made{b.m_hObject, ::GetObjectType(b)}; }, OBJ_BRUSH},
        {"point font", [] { CFont f; f.CreatePointFont(90, TEXT("굴림")); return Made{f.m_hObject, ::GetObjectType(f)}; }, OBJ_FONT},
        {"font", [] {
             CFont f;
             f.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, TEXT("굴림"));
             return Made{f.m_hObject, ::GetObjectType(f)};
         }, OBJ_FONT},
        {"compatible bitmap", [] {
             CClientDC screen(nullptr);
             CBitmap b;
             b.CreateCompatibleBitmap(&screen, 20, 10);
             return Made{b.m_hObject, ::GetObjectType(b)};
         }, OBJ_BITMAP},
        {"resource bitmap", [] { CBitmap b; b.LoadMap3DColors(200); return Made{b.m_hObject, ::GetObjectType(b)}; }, OBJ_BITMAP},
        {"region", [] { CRgn r; r.CreateRectRgn(0, 0, 5, 5); return Made{r.m_hObject, ::GetObjectType(r)}; }, OBJ_REGION},
        {"memory context", [] { CDC dc; dc.CreateCompatibleDC(nullptr); return Made{dc.m_hDC, ::GetObjectType(dc.m_hDC)}; }, OBJ_MEMDC},
        {"pen made twice: the first goes at once", [] {
             CPen p(PS_SOLID, 1, 0);
             HGDIOBJ first = p.m_hObject;
             p.CreatePen(PS_DASH, 1, 0);
             return Made{first, ::GetObjectType(p)};
         }, OBJ_PEN},
        {"brush moved out and dropped", [] {
             CBrush a(RGB(9, 9, 9));
             CBrush b(std::move(a));
             return Made{b.m_hObject, a.m_hObject ? 0u : ::GetObjectType(b)};
         }, OBJ_BRUSH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Made made = c.makeAndDrop();
        ASSERT_NE(made.handle, nullptr);
        EXPECT_EQ(made.typeWhileAlive, c.type);
        EXPECT_EQ(::GetObjectType(made.handle), 0u) << "handle still alive";
    }
}

TEST(GdiObjects, DetachHandsTheHandleOn) {
    HGDIOBJ h;
    {
        CBrush b(RGB(1, 1, 1));
        h = b.Detach();
        EXPECT_EQ(b.GetSafeHandle(), nullptr);
    }
    EXPECT_EQ(::GetObjectType(h), DWORD(OBJ_BRUSH));
    ::DeleteObject(h);
}

class CPaintProbe : public CWnd {
public:
    HDC painted = nullptr;
    void OnPaint() override {
        CPaintDC dc(this);
        painted = dc.GetSafeHdc();
    }
};

TEST(DrawingContexts, WindowContextsAreGivenBack) {
    CPaintProbe wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr));
    HDC client, window;
    { CClientDC dc(&wnd); client = dc.GetSafeHdc(); }
    { CWindowDC dc(&wnd); window = dc.GetSafeHdc(); }
    wnd.Invalidate();
    wnd.UpdateWindow();
    ASSERT_NE(client, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(wnd.painted, nullptr);
    // A context still held answers 1; one given back answers 0.
    EXPECT_EQ(::ReleaseDC(wnd.m_hWnd, client), 0);
    EXPECT_EQ(::ReleaseDC(wnd.m_hWnd, window), 0);
    EXPECT_EQ(::ReleaseDC(wnd.m_hWnd, wnd.painted), 0);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE)) << "the paint context validated the window";
}

TEST(DrawingContexts, SelectionReturnsWhatWasSelectedBefore) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen red(PS_SOLID, 1, RGB(255, 0, 0)), blue(PS_SOLID, 1, RGB(0, 0, 255));
    HPEN original = dc.SelectObject(&red);
    EXPECT_EQ(original, ::GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&blue), static_cast<HPEN>(red));
    EXPECT_EQ(dc.SelectObject(original), static_cast<HGDIOBJ>(blue));
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), original);
}

TEST(DrawingContexts, FillAndLinesReachTheBitmap) {
    CClientDC screen(nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 20, 20));
    HBITMAP old = dc.SelectObject(&bmp);
    dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(216, 216, 216));
    EXPECT_EQ(dc.GetBkColor(), RGB(216, 216, 216)) << "opaque text written on the fill blends";
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    HPEN oldPen = dc.SelectObject(&pen);
    dc.MoveTo(2, 5);
    dc.LineTo(10, 5);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10, 5));
    dc.SelectObject(oldPen);
    EXPECT_EQ(dc.GetPixel(1, 5), RGB(216, 216, 216));
    EXPECT_EQ(dc.GetPixel(2, 5), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(9, 5), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(10, 5), RGB(216, 216, 216)) << "the end point is not drawn";
    dc.SelectObject(old);
}

TEST(DrawingContexts, MappingConvertsPointsRectanglesAndSizes) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(150, 200);
    dc.SetWindowOrg(10, 20);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), CSize(100, 100));
    EXPECT_EQ(dc.GetViewportExt(), CSize(150, 200));
    EXPECT_EQ(dc.GetWindowOrg(), CPoint(10, 20));

    CRect rc(10, 20, 110, 120);
    dc.LPtoDP(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 150, 200));
    dc.DPtoLP(&rc);
    EXPECT_EQ(rc, CRect(10, 20, 110, 120));
    CSize size(100, 50);
    dc.LPtoDP(&size);
    EXPECT_EQ(size, CSize(150, 100)) << "origins do not move a size";
    CPoint pt(60, 70);
    dc.LPtoDP(&pt);
    EXPECT_EQ(pt, CPoint(75, 100));

    int saved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.RestoreDC(saved);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
}

TEST(DrawingContexts, PrinterContextIsRecognised) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_FALSE(dc.IsPrinting());
    dc.m_bPrinting = TRUE;
    EXPECT_TRUE(dc.IsPrinting());
}

TEST(Fonts, PointSizeHoldsInPixelsWhateverTheMapping) {
    CDC plain, scaled;
    ASSERT_TRUE(plain.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(scaled.CreateCompatibleDC(nullptr));
    scaled.SetMapMode(MM_ANISOTROPIC);
    scaled.SetWindowExt(100, 100);
    scaled.SetViewportExt(200, 200);
    const int pixels = ::MulDiv(plain.GetDeviceCaps(LOGPIXELSY), 90, 720);
    const struct {
        const char* what;
        CDC* dc;
        int height;  // |lfHeight| in the context's logical units
    } cases[] = {
        {"no context: the screen", nullptr, pixels},
        {"plain context", &plain, pixels},
        {"context drawn at twice the size", &scaled, pixels / 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(90, TEXT("굴림"), c.dc));
        LOGFONT lf{};
        ASSERT_TRUE(font.GetLogFont(&lf));
        EXPECT_EQ(lf.lfHeight, -c.height);
        EXPECT_EQ(TString(lf.lfFaceName), TEXT("굴림"));
    }
}

TEST(Regions, WindowTakesTheRegionOnlyWhenTheCallSucceeds) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 100, 80, nullptr, nullptr));
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(4, 4, 96, 76));
    EXPECT_NE(wnd.SetWindowRgn(rgn, TRUE), 0);
    EXPECT_EQ(rgn.GetSafeHandle(), nullptr);
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(wnd.GetWindowRgn(copy), ERROR);
    CRect box;
    copy.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(4, 4, 96, 76));

    CWnd none;
    CRgn kept;
    ASSERT_TRUE(kept.CreateRectRgn(0, 0, 5, 5));
    EXPECT_EQ(none.SetWindowRgn(kept, TRUE), 0);
    EXPECT_NE(kept.GetSafeHandle(), nullptr) << "a refused region stays ours to delete";
}

TEST(Bitmaps, ThreeDimensionalColourMappingOfResourceGreys) {
    CBitmap mapped, plain;
    ASSERT_TRUE(mapped.LoadMap3DColors(200));
    ASSERT_TRUE(plain.LoadBitmap(200));
    EXPECT_EQ(mapped.GetSize(), CSize(4, 1));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const struct {
        int x;
        COLORREF plain;
        COLORREF mapped;
    } pixels[] = {
        {0, RGB(128, 128, 128), ::GetSysColor(COLOR_3DSHADOW)},
        {1, RGB(192, 192, 192), ::GetSysColor(COLOR_3DFACE)},
        {2, RGB(223, 223, 223), ::GetSysColor(COLOR_3DLIGHT)},
        {3, RGB(255, 0, 0), RGB(255, 0, 0)},
    };
    HBITMAP old = dc.SelectObject(&plain);
    for (const auto& p : pixels) EXPECT_EQ(dc.GetPixel(p.x, 0), p.plain) << p.x;
    dc.SelectObject(&mapped);
    for (const auto& p : pixels) EXPECT_EQ(dc.GetPixel(p.x, 0), p.mapped) << p.x;
    dc.SelectObject(old);
    EXPECT_FALSE(CBitmap().LoadBitmap(999));
}

TEST(Geometry, RectangleOperations) {
    const struct {
        const char* what;
        std::function<CRect()> op;
        CRect expected;
    } cases[] = {
        {"offset", [] { CRect r(0, 0, 10, 5); r.OffsetRect(3, -2); return r; }, {3, -2, 13, 3}},
        {"inflate", [] { CRect r(10, 10, 20, 20); r.InflateRect(2, 3); return r; }, {8, 7, 22, 23}},
        {"deflate per side", [] { CRect r(0, 0, 100, 50); r.DeflateRect(1, 2, 3, 4); return r; }, {1, 2, 97, 46}},
        {"move keeps size", [] { CRect r(5, 5, 15, 25); r.MoveToXY(0, 100); return r; }, {0, 100, 10, 120}},
        {"normalize", [] { CRect r(10, 20, 0, 5); r.NormalizeRect(); return r; }, {0, 5, 10, 20}},
        {"intersect", [] { return CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20); }, {5, 5, 10, 10}},
        {"no overlap is empty", [] { return CRect(0, 0, 5, 5) & CRect(6, 6, 9, 9); }, {0, 0, 0, 0}},
        {"union", [] { return CRect(0, 0, 5, 5) | CRect(3, 4, 9, 12); }, {0, 0, 9, 12}},
        {"from point and size", [] { return CRect(CPoint(327, 157), CSize(82, 80)); }, {327, 157, 409, 237}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.op(), c.expected) << c.what;

    CRect r(170, 156, 415, 241);
    EXPECT_EQ(r.Width(), 245);
    EXPECT_EQ(r.Height(), 85);
    EXPECT_EQ(r.CenterPoint(), CPoint(292, 198));
    EXPECT_TRUE(r.PtInRect(CPoint(170, 156)));
    EXPECT_FALSE(r.PtInRect(CPoint(415, 200))) << "right edge is outside";
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 9).IsRectNull());
    EXPECT_EQ(CPoint(MAKELPARAM(-5 & 0xFFFF, 7)), CPoint(-5, 7));
    EXPECT_EQ(CPoint(10, 10) - CPoint(3, 4), CSize(7, 6));
}

}  // namespace
