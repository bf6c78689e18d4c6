// A host for the gateway core that records what the core does to the world.
// Thread-safe, so the threaded tests can use it too.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "zmx/gateway/gateway_core.h"

inline constexpr WindowHandle kClient = 0x1000;

class FakeHost : public IGatewayHost {
 public:
  // One packet as the client window received it: its chunks joined.
  struct Delivery {
    WindowHandle window;
    std::uintptr_t dwData;
    std::string text;
    std::vector<std::uint32_t> chunks;  // cbData of each chunk
  };

  // --- configuration of the fake
  bool connected = true;    // SendPacket fails while false
  bool xSwitch = false;
  bool realSleep = false;   // sleep for real instead of logging the pause
  int boxAnswer = kAnswerOk;
  std::function<void()> onShowAccountStep;
  Packet config{"<PKT></PKT>"};

  FakeHost() { alive_.insert(kClient); }

  void SetAlive(WindowHandle w, bool alive) {
    std::lock_guard g(m_);
    if (alive)
      alive_.insert(w);
    else
      alive_.erase(w);
  }
  void SetTitled(WindowHandle w) {
    std::lock_guard g(m_);
    titled_ = w;
  }

  // --- what happened
  // Packets sent to the server, in order.
  std::vector<std::string> Sent() const {
    std::lock_guard g(m_);
    return sent_;
  }
  std::vector<Delivery> Deliveries() const {
    std::lock_guard g(m_);
    return deliveries_;
  }
  // Texts of the complete deliveries to the client, in order.
  std::vector<std::string> Delivered() const {
    std::lock_guard g(m_);
    std::vector<std::string> texts;
    for (const auto& d : deliveries_) texts.push_back(d.text);
    return texts;
  }
  // Everything else, in order: "box:<text>", "hide", "account:<text>",
  // "step", "save", "close", "close-request:<window>", "sleep:<ms>",
  // "chunk:<dwData>:<size>", "tick-stopped", "windows-destroyed".
  std::vector<std::string> Log() const {
    std::lock_guard g(m_);
    return log_;
  }
  // A delivery whose chunks were interleaved with another's.
  bool Interleaved() const {
    std::lock_guard g(m_);
    return interleaved_;
  }
  void ClearRecords() {
    std::lock_guard g(m_);
    sent_.clear();
    deliveries_.clear();
    log_.clear();
  }

  // --- IGatewayHost
  int SendPacket(const Packet& packet) override {
    std::lock_guard g(m_);
    sent_.push_back(packet.GetText());
    return connected ? static_cast<int>(packet.ToUtf8().size()) : -1;
  }
  bool IsConnected() const override { return connected; }

  std::intptr_t SendCopyData(WindowHandle to, std::uintptr_t dwData, const void* data,
                             std::uint32_t size) override {
    std::lock_guard g(m_);
    const auto* bytes = static_cast<const char*>(data);
    if (!open_) {
      deliveries_.push_back({to, dwData, {}, {}});
      open_ = true;
      openThread_ = std::this_thread::get_id();
    } else if (openThread_ != std::this_thread::get_id()) {
      interleaved_ = true;
    }
    Delivery& d = deliveries_.back();
    if (d.window != to || d.dwData != dwData) interleaved_ = true;
    d.chunks.push_back(size);
    // The buffer holds one zero byte more than cbData.
    if (bytes[size] != '\0') interleaved_ = true;
    if (size && bytes[size - 1] == '\0') {
      d.text.append(bytes, size - 1);
      open_ = false;
    } else {
      d.text.append(bytes, size);
    }
    if (!realSleep) log_.push_back("chunk:" + std::to_string(dwData) + ":" + std::to_string(size));
    return 7;
  }
  bool IsWindowAlive(WindowHandle w) override {
    std::lock_guard g(m_);
    return alive_.count(w) != 0;
  }
  WindowHandle FindWindowByTitle(const std::string& title) override {
    std::lock_guard g(m_);
    return title == kClientWindowTitle ? titled_ : kNoWindow;
  }
  int ShowMessageBox(const std::string& text, int buttons) override {
    Record("box:" + text + (buttons == kBoxOkCancel ? ":okcancel" : ":ok"));
    return boxAnswer;
  }
  void HideFrame() override { Record("hide"); }
  void PostCloseToFrame() override { Record("close"); }
  std::intptr_t SendCloseRequest(WindowHandle to) override {
    Record("close-request:" + std::to_string(to));
    return 0;
  }
  void AddAccountItem(const std::string& text) override { Record("account:" + text); }
  void ShowAccountStep() override {
    Record("step");
    if (onShowAccountStep) onShowAccountStep();
  }
  Packet* Config() override { return &config; }
  void SaveConfig() override { Record("save"); }
  bool XSwitch() const override { return xSwitch; }
  void SleepMs(int ms) override {
    if (realSleep)
      IGatewayHost::SleepMs(ms);
    else
      Record("sleep:" + std::to_string(ms));
  }
  void StopRequestTick() override { Record("tick-stopped"); }
  void DestroyOwnedWindows() override { Record("windows-destroyed"); }

 private:
  void Record(std::string what) {
    std::lock_guard g(m_);
    log_.push_back(std::move(what));
  }

  mutable std::mutex m_;
  std::set<WindowHandle> alive_;
  WindowHandle titled_ = kNoWindow;
  std::vector<std::string> sent_;
  std::vector<Delivery> deliveries_;
  std::vector<std::string> log_;
  bool open_ = false;
  std::thread::id openThread_;
  bool interleaved_ = false;
};

// A core with a fake host and helpers that play the client and the server.
struct Rig {
  static constexpr std::uint32_t kTick = 42;

  Rig() { core.SetRequestTick(kTick); }

  // A request of the client window kClient, as WM_COPYDATA with its NUL.
  void Client(const std::string& text) { core.OnCopyData(kClient, CD_PACKET, text.c_str(), text.size() + 1); }
  // Makes kClient the known client window without a request of any kind.
  void Hello() { core.OnCopyData(kClient, CD_PACKET, nullptr, 0); }
  void Server(const std::string& text) { core.DispatchPacket(new Packet(text), kNoWindow); }
  void Tick() { core.OnRequestTick(kTick); }
  // Runs delivery passes until the to-client queue is empty.
  void Drain() {
    while (core.ToClientCount()) core.DeliveryPass();
  }
  std::vector<std::string> Delivered() {
    Drain();
    return host.Delivered();
  }
  std::string LastSent() const {
    const auto sent = host.Sent();
    return sent.empty() ? std::string() : sent.back();
  }

  FakeHost host;
  CGatewayCore core{host};
};

class GatewayTest : public ::testing::Test, protected Rig {};
