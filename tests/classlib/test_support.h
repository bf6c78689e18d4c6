// Shared pieces of the class library's tests.
#pragma once

#include "classlib/classlib.h"

#include <string>
#include <vector>

// Runs the thread's queue until it is empty (sent messages included).
inline void PumpPending() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// What happened, in order, as short texts.
using Log = std::vector<std::string>;

inline std::string Note(const char* what, long long a) { return std::string(what) + ":" + std::to_string(a); }
