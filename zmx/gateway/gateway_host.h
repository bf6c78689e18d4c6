// What the gateway core needs of the world around it: the server link, the
// client window, message boxes, the frame and its login view, the
// configuration record. The Win32 main frame implements it; tests use fakes.
#pragma once

#include <cstdint>
#include <string>
#include <thread>

#include "packet/packet.h"

// A window handle as an integer; 0 is no window.
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

class IGatewayHost {
 public:
  // Message box buttons and answer, with the platform's values.
  static constexpr int kBoxOk = 0x0;        // MB_OK
  static constexpr int kBoxOkCancel = 0x1;  // MB_OKCANCEL
  static constexpr int kAnswerOk = 1;       // IDOK

  virtual ~IGatewayHost() = default;

  // The server link: bytes handed to the socket, below 1 on failure. The
  // packet stays the caller's.
  virtual int SendPacket(const Packet& packet) = 0;
  virtual bool IsConnected() const = 0;

  // One WM_COPYDATA to `to`, sent and waited for, wParam the frame's window;
  // the client's result.
  virtual std::intptr_t SendCopyData(WindowHandle to, std::uintptr_t dwData, const void* data,
                                     std::uint32_t size) = 0;
  virtual bool IsWindowAlive(WindowHandle window) = 0;
  // A top-level window of that title (any class), or kNoWindow.
  virtual WindowHandle FindWindowByTitle(const std::string& title) = 0;
  // Modal box titled with the program's name; returns the button pressed.
  virtual int ShowMessageBox(const std::string& text, int buttons) = 0;

  virtual void HideFrame() = 0;
  // WM_CLOSE posted to the frame.
  virtual void PostCloseToFrame() = 0;
  // Message 2137 sent to `to` and waited for, wParam the frame's window.
  virtual std::intptr_t SendCloseRequest(WindowHandle to) = 0;

  // The login view: one item appended to its account list, and its account step.
  virtual void AddAccountItem(const std::string& text) = 0;
  virtual void ShowAccountStep() = 0;

  // The application's configuration record and its writing to config.dat.
  virtual Packet* Config() = 0;
  virtual void SaveConfig() = 0;
  // The start-up switch "X".
  virtual bool XSwitch() const = 0;

  virtual void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  // Teardown steps that belong to the frame, called by CGatewayCore::Shutdown
  // at their place: stop the multimedia timer, destroy the owned windows.
  virtual void StopRequestTick() {}
  virtual void DestroyOwnedWindows() {}
};
