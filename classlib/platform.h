// The platform headers as the class library uses them, and the check that a
// translation unit uses the same character form as the library it links.
#pragma once

#if defined(UNICODE) != defined(_UNICODE)
#error "UNICODE and _UNICODE must be set together"
#endif

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
#include <tchar.h>

// Every user of the library refers to the mark of its own form, so a unit
// built for UTF-16 that links the 8-bit library (or the reverse) fails to
// link instead of mixing object layouts.
#ifdef UNICODE
extern "C" const int zm_classlib_form_w;
__attribute__((used)) static const int* const zm_classlib_form_used = &zm_classlib_form_w;
#else
extern "C" const int zm_classlib_form_a;
__attribute__((used)) static const int* const zm_classlib_form_used = &zm_classlib_form_a;
#endif
