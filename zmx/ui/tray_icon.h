// The notification-area icon of ZMX and the window-shell pieces that go with
// it: the icon's mouse callback, the frame's window region and its close path.
#pragma once

#include "classlib/classlib.h"

#include <shellapi.h>

// Holds one notify-icon record; it never makes a window of its own.
class CTrayIcon : public CWnd {
 public:
  // The record's size field, as the program has always registered it.
  static constexpr DWORD kRecordSize = 508;
  // At most this many tip characters, then a terminating zero.
  static constexpr size_t kTipMax = 127;

  CTrayIcon() = default;
  ~CTrayIcon() override;

  // Adds the entry without an image: owner's window, callback message and
  // tip. True when the platform added it.
  BOOL AddTrayIcon(CWnd* pOwner, UINT uCallbackMessage, LPCSTR lpszTip);
  // Loads the application icon and shows it in the entry.
  BOOL SetTrayIcon();
  // Deletes the entry; harmless when there is none.
  BOOL RemoveTrayIcon();

  bool IsAdded() const { return m_bAdded; }
  const NOTIFYICONDATAA& Record() const { return m_nid; }

 private:
  NOTIFYICONDATAA m_nid{};
  bool m_bAdded = false;
};

// Tray callback of the frame (lParam's low word is the mouse message):
// a left button down brings the client window forward (restoring it when
// minimised), a right button up opens the tray menu owned by the frame.
// Always 1.
LRESULT HandleTrayNotify(HWND hFrame, HWND hClient, LPARAM lParam);

// Cuts the sizing border off the frame: the region keeps the window's inner
// rectangle inset by the system's sizing-frame width and height. Minimised
// frames keep their region.
void ApplyFrameRegion(CWnd& frame, UINT nType);
