// The gateway: routes every packet between the client program and the trading
// server. Requests are numbered and translated, remembered until answered,
// data queries paced by the request tick; answers and notices complete the
// client's requests and go back through the to-client queue, which a
// delivery thread drains into WM_COPYDATA chunks.
//
// Threads: the user-interface thread (client messages, server packets, the
// frame's messages), the request-tick thread and the delivery thread. One
// recursive lock, m_lock, covers every whole dispatch and every whole
// delivery; dispatch re-enters itself on the same thread.
//
// Ownership: every operation taking a Packet* takes ownership of it.
//
// Life: construct, Start() (delivery thread), SetRequestTick(id) once the
// frame's multimedia timer runs. Teardown is Shutdown(), which runs in order:
//   1. StopDelivery(): the delivery thread ends; nothing is delivered after it;
//   2. host StopRequestTick(), then SetRequestTick(0): no tick dispatches after it;
//   3.-4. ReleaseQueued(): query list, retired queue, to-client queue;
//   5. host DestroyOwnedWindows();
//   6. ReleasePending(): the pending map.
// The frame closes its connection afterwards, and must call Shutdown() before
// anything the host's operations use is destroyed.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "packet/packet.h"
#include "packet/packet_list.h"
#include "zmx/gateway/gateway_host.h"

// WM_COPYDATA values of the client link.
inline constexpr std::uintptr_t CD_PACKET = 2027;
inline constexpr std::uintptr_t CD_EVENT = 2144;
// Private window messages of the frame.
inline constexpr unsigned UM_PACKET = 2027;
inline constexpr unsigned UM_CLOSE_REQUEST = 2137;

// Title of the client program's main window.
inline constexpr const char* kClientWindowTitle = "주마로-모의투자";

class CGatewayCore {
 public:
  using Lock = std::recursive_mutex;
  using Guard = std::lock_guard<Lock>;

  // More retired packets than this are released, one per delivery pass.
  static constexpr size_t kRetiredKept = 100;
  // Largest WM_COPYDATA chunk of an outgoing packet.
  static constexpr size_t kChunkSize = 4096;

  explicit CGatewayCore(IGatewayHost& host);
  // Stops a delivery thread still running, without calling the host, and
  // releases what the collections hold.
  ~CGatewayCore();
  CGatewayCore(const CGatewayCore&) = delete;
  CGatewayCore& operator=(const CGatewayCore&) = delete;

  // --- lifecycle, queues, delivery thread
  void Start();
  void StopDelivery();
  void ReleaseQueued();
  void ReleasePending();
  void Shutdown();
  // One pass of the delivery thread: at most one packet delivered and
  // retired, at most one retired packet released, 1 ms sleep.
  void DeliveryPass();
  // The identifier of the running request tick; 0 when none runs.
  void SetRequestTick(std::uint32_t id);

  void PostToClient(Packet* packet);
  void RetirePacket(Packet* packet);

  // --- dispatch
  void OnClientPacket(Packet* packet, WindowHandle sender);
  void DispatchPacket(Packet* packet, WindowHandle sender = kNoWindow);
  void QueueRequest(Packet* packet);
  void OnRequestTick(std::uint32_t id);

  // --- client link
  // A WM_COPYDATA from `sender` (its wParam). False when it is no request
  // (dwData other than CD_PACKET): the frame then does the default handling.
  bool OnCopyData(WindowHandle sender, std::uintptr_t dwData, const void* data, std::size_t size);
  // Deliver as CD_PACKET / CD_EVENT; the client's result for the last chunk
  // sent, or -1. The packet stays the caller's.
  std::int32_t SendToClient(const Packet& packet);
  std::int32_t SendEventToClient(const Packet& packet);
  // The exit command: ask the client to end it, or ask the user.
  void RequestExit();

  // --- results and events (called by DispatchPacket under the lock)
  void OnLoginReply(Packet* packet);
  void OnOrderReply(Packet* packet);
  void OnQueryReply(Packet* packet);
  void OnServerNotice(Packet* packet);
  // UM_PACKET: wParam 1 and 2 only read the packet, 1002 and 1006 take it,
  // any other leaves it with the sender. Always 0.
  std::intptr_t OnPacketMessage(std::uintptr_t wParam, Packet* packet);

  // --- state, for the frame and for tests
  Lock& GatewayLock() { return m_lock; }
  WindowHandle ClientWindow() const { return m_hClientWnd.load(); }
  bool IsLogin() const;
  bool IsCert() const;
  std::string Account() const;
  std::int64_t LastRequestNumber() const;
  size_t QueryCount() const;
  size_t PendingCount() const;
  size_t ToClientCount() const { return m_queueToClient.Size(); }
  size_t RetiredCount() const { return m_queueRetired.Size(); }
  bool IsRunning() const { return m_bRunning.load() == 1; }

 private:
  void DeliveryThread();
  void AddQuery(std::unique_ptr<Packet> packet);
  void Forward(const Packet& outgoing, std::unique_ptr<Packet> request, std::int64_t number);
  std::int32_t Deliver(const Packet& packet, std::uintptr_t dwData);
  void SendHoldingsEvent(const Packet& answer);
  void SaveLoginSettings(const Packet& login);
  void ChooseAccount(const Packet& account);

  IGatewayHost& m_host;
  mutable Lock m_lock;

  // Dispatch state, guarded by m_lock.
  std::int64_t m_nTrNo = 0;
  zm::OwningMap<Packet> m_mapPending;
  zm::OwningList<Packet> m_arrQuery;
  std::int32_t m_bLogin = 0;
  std::int32_t m_bCert = 0;
  std::string m_strAcct;
  std::uint32_t m_nRequestTick = 0;
  // Written by client messages on the user-interface thread, read by
  // deliveries on others.
  std::atomic<WindowHandle> m_hClientWnd{kNoWindow};

  zm::OwningQueue<Packet> m_queueToClient;
  zm::OwningQueue<Packet> m_queueRetired;
  std::atomic<std::int32_t> m_bRunning{0};
  // Set once delivery has stopped for good: nothing reaches the client after it.
  std::atomic<bool> m_bClosed{false};
  std::unique_ptr<std::thread> m_pWorker;
};
