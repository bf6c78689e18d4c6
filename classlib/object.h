// Base pieces of the class library: the text type of the character form in
// use, the root object and the command target.
#pragma once

#include "classlib/platform.h"

#include <string>
#include <string_view>

// Texts of the library in the form it is built for: CP949 bytes in the
// 8-bit form, UTF-16 in the UNICODE form.
using TString = std::basic_string<TCHAR>;
using TStringView = std::basic_string_view<TCHAR>;

// Root of every class with virtual operations.
class CObject {
public:
    CObject() = default;
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// Something that takes commands (menu items, accelerators, control
// notifications). OnCmdMsg is the route a command takes; HandleCommand is
// this object's own handlers. Both return TRUE when the command was handled.
class CCmdTarget : public CObject {
public:
    // The route: the base offers the command only to this object's own
    // handlers. A frame offers it to its pane first (CFrameWnd).
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    // This object's own command handlers; the base handles nothing.
    // nCode is 0 for menu items, 1 for accelerators, otherwise the
    // control's notification code (BN_CLICKED, CBN_SELCHANGE, ...).
    virtual BOOL HandleCommand(UINT nID, int nCode);
};
