// Our class library over Win32: the application object, windows with
// message routing, the frame, standard controls, drawing contexts and GDI
// objects, points, sizes and rectangles. Include this header (or the one
// for the part needed) before anything that changes structure packing.
//
// Character form. One source, built twice: zm_classlib_a uses the 8-bit
// calls and CP949 text (ZMX.exe), zm_classlib_w is compiled with
// UNICODE/_UNICODE and uses the UTF-16 calls (ZMZone.dll and its hosts).
// Texts are TString (std::basic_string<TCHAR>); platform names such as
// DefWindowProc, SendMessage or DrawText resolve to their A or W form, for
// the library's own members too (CWnd::DefWindowProc is DefWindowProcW in
// the UTF-16 form). A unit built for one form that links the other fails to
// link.
//
// Module state. Each module (ZMX.exe, ZMZone.dll, a program deriving its
// windows from ZMZone's exported classes) links its own copy of the library
// statically; it is not a shared module. What ties windows to objects lives
// on the windows, not in the library's globals:
//   - a window's object is kept in a window property ("ZMClassLib.A" or
//     "ZMClassLib.W", one per form), so the object is found from the HWND
//     alone, by any copy of the library in any module;
//   - creation hands the object to the window procedure inside the
//     creation parameters, and class names carry the module that
//     registered them, so a window class registered by one module can be
//     created by code of another (the only per-thread state is the hook
//     that subclasses a standard control during its one CreateEx call);
//   - a subclassed control's original procedure is kept in the object and
//     in a second property, so the chain holds whichever copy runs.
// A class exported from a DLL and derived in another module therefore
// works: its virtual functions run from the object's own tables, the
// library's non-virtual code is the same in every copy, and no copy needs to
// know the windows of another. What is per module is only what belongs to
// a module: its instance and resource handle (found from the code's own
// address, so correct inside a DLL), the window classes it registers, and
// its application object. Why not a shared module: ZMX stays one
// self-contained executable, and ZMZone brings nothing its hosts must
// install beside it.
#pragma once

#include "classlib/platform.h"
#include "classlib/object.h"
#include "classlib/geometry.h"
#include "classlib/gdi.h"
#include "classlib/dc.h"
#include "classlib/wnd.h"
#include "classlib/frame.h"
#include "classlib/controls.h"
#include "classlib/app.h"
