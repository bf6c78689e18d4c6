#include "classlib/controls.h"

// ---- CEdit ----

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(TEXT("EDIT"), nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::SetMargins(UINT nLeft, UINT nRight) {
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}

// ---- CButton ----

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(TEXT("BUTTON"), lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CBitmapButton ----

BOOL CBitmapButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CButton::Create(lpszCaption, (dwStyle & ~BS_TYPEMASK) | BS_OWNERDRAW, rect, pParentWnd, nID);
}

void CBitmapButton::SizeToContent() {
    CSize size = m_bitmap.GetSize();
    if (size.cx > 0 && size.cy > 0)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (!m_bitmap.GetSafeHandle()) return;
    CDC mem;
    if (!mem.Attach(::CreateCompatibleDC(lpDrawItemStruct->hDC))) return;
    HBITMAP hOld = mem.SelectObject(&m_bitmap);
    CSize size = m_bitmap.GetSize();
    ::BitBlt(lpDrawItemStruct->hDC, 0, 0, size.cx, size.cy, mem, 0, 0, SRCCOPY);
    mem.SelectObject(hOld);
}

// ---- CMFCButton ----

BOOL CMFCButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    const DWORD type = dwStyle & BS_TYPEMASK;
    m_bCheckBox = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
    m_bAutoCheck = type == BS_AUTOCHECKBOX;
    return CButton::Create(lpszCaption, (dwStyle & ~BS_TYPEMASK) | BS_OWNERDRAW, rect, pParentWnd, nID);
}

LRESULT CMFCButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_bCheckBox) {
        switch (message) {
        case BM_GETCHECK:
            return m_nCheck;
        case BM_SETCHECK: {
            int next = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? static_cast<int>(wParam)
                                                                               : BST_UNCHECKED;
            if (next != m_nCheck) {
                m_nCheck = next;
                Invalidate(FALSE);
            }
            return 0;
        }
        case BM_GETSTATE:
            return (CButton::WindowProc(message, wParam, lParam) & ~LRESULT{3}) | m_nCheck;
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button reports a double-click instead of the
            // second click; a check box takes it as the click it is.
            return CButton::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
        default:
            break;
        }
    }
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CMFCButton::OnReflectedCommand(UINT nCode) {
    if (m_bAutoCheck && nCode == BN_CLICKED) {
        m_nCheck = m_nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        Invalidate(FALSE);
    }
    return FALSE;  // the parent still gets the click
}

// ---- CComboBox ----

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(TEXT("COMBOBOX"), nullptr, dwStyle, rect, pParentWnd, nID);
}

TString CComboBox::GetLBText(int nIndex) const {
    int len = GetLBTextLen(nIndex);
    if (len == CB_ERR || len < 0) return {};
    TString text(static_cast<size_t>(len) + 1, TEXT('\0'));
    LRESULT got = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR || got < 0 ? 0 : static_cast<size_t>(got));
    return text;
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    default:
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
}

// ---- CScrollBar ----

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(TEXT("SCROLLBAR"), nullptr, dwStyle, rect, pParentWnd, nID);
}
