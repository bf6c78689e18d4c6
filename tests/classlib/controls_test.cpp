// Standard controls through their objects.
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, TEXT("parent"), WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    }
    CWnd parent;
};

TEST_F(ControlsTest, ComboBoxListsFindsAndSelects) {
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 10, 140, 110), &parent, 107));
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetLBText(0), TEXT("")) << "no item yet";
    for (LPCTSTR item : {TEXT("5012-3456-01"), TEXT("모의계좌 02"), TEXT("5012-3456-03")}) combo.AddString(item);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetLBText(1), TEXT("모의계좌 02"));
    TString out;
    combo.GetLBText(2, out);
    EXPECT_EQ(out, TEXT("5012-3456-03"));

    const struct {
        int start;
        LPCTSTR text;
        int expected;
    } finds[] = {
        {-1, TEXT("5012-3456-03"), 2},
        {-1, TEXT("모의계좌 02"), 1},
        {-1, TEXT("5012-3456"), CB_ERR},  // a prefix is not a match
        {0, TEXT("5012-3456-01"), 0},     // searching after item 0 wraps round to it
    };
    for (const auto& f : finds) EXPECT_EQ(combo.FindStringExact(f.start, f.text), f.expected) << f.start;

    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
}

TEST_F(ControlsTest, ButtonCheckStateAndEditMargins) {
    CButton box;
    ASSERT_TRUE(box.Create(TEXT("자동로그인"), WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 80, 20), &parent, 106));
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(box.GetCheck(), BST_CHECKED);
    EXPECT_EQ(box.GetWindowText(), TEXT("자동로그인"));

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_PASSWORD, CRect(0, 30, 140, 50), &parent, 102));
    edit.SetMargins(5, 5);
    EXPECT_EQ(edit.SendMessage(EM_GETMARGINS), MAKELONG(5, 5));
    edit.SetWindowText(TEXT("secret"));
    int start = -1, end = -1;
    edit.SetSel(1, 4);
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 4);
}

TEST_F(ControlsTest, BitmapButtonIsOwnerDrawnAndSizesToItsBitmap) {
    CBitmapButton button;
    ASSERT_TRUE(button.Create(TEXT("LOGIN"), WS_VISIBLE | BS_PUSHBUTTON, CRect(327, 157, 337, 167), &parent, 104));
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
    ASSERT_TRUE(button.LoadBitmaps(200));
    button.SizeToContent();
    CRect rc;
    button.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(327, 157, 331, 158));
}

TEST_F(ControlsTest, ScrollBarRangeAndPosition) {
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(380, 0, 396, 200), &parent, 9));
    bar.SetScrollRange(0, 50);
    bar.SetScrollPos(20);
    int lo = -1, hi = -1;
    bar.GetScrollRange(&lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 50);
    EXPECT_EQ(bar.GetScrollPos(), 20);
}

}  // namespace
