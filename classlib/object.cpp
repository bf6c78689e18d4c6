#include "classlib/object.h"

// The mark of this library's character form (see platform.h).
#ifdef UNICODE
extern "C" const int zm_classlib_form_w = 1;
#else
extern "C" const int zm_classlib_form_a = 1;
#endif

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode) { return HandleCommand(nID, nCode); }

BOOL CCmdTarget::HandleCommand(UINT, int) { return FALSE; }
