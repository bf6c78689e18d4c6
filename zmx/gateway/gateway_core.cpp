// Lifecycle of the gateway core: the delivery thread, the two queues, the
// request tick's identifier and the teardown order.
#include "zmx/gateway/gateway_core.h"

#include <exception>

CGatewayCore::CGatewayCore(IGatewayHost& host) : m_host(host) {}

CGatewayCore::~CGatewayCore() {
  // The owner should have called Shutdown(); the host may be gone by now, so
  // only the thread is stopped here and the collections free what they hold.
  m_bClosed = true;
  m_bRunning = 0;
  if (m_pWorker && m_pWorker->joinable()) m_pWorker->join();
}

void CGatewayCore::Start() {
  if (m_pWorker || m_bClosed) return;
  m_bRunning = 1;
  m_pWorker = std::make_unique<std::thread>([this] { DeliveryThread(); });
}

void CGatewayCore::DeliveryThread() {
  while (m_bRunning.load() == 1) DeliveryPass();
}

void CGatewayCore::DeliveryPass() {
  Packet* raw = nullptr;
  if (m_queueToClient.TryPop(raw)) {
    std::unique_ptr<Packet> packet(raw);
    try {
      SendToClient(*packet);
    } catch (const std::exception&) {
      // A delivery that failed on the way is retired all the same.
    }
    m_queueRetired.Push(packet.release());
  }
  if (m_queueRetired.Size() > kRetiredKept) {
    Packet* oldest = nullptr;
    if (m_queueRetired.TryPop(oldest)) delete oldest;
  }
  m_host.SleepMs(1);
}

void CGatewayCore::StopDelivery() {
  m_bClosed = true;
  m_bRunning = 0;
  if (!m_pWorker) return;
  m_host.SleepMs(10);
  if (m_pWorker->joinable()) m_pWorker->join();
  m_pWorker.reset();
}

void CGatewayCore::SetRequestTick(std::uint32_t id) {
  Guard guard(m_lock);
  m_nRequestTick = id;
}

void CGatewayCore::ReleaseQueued() {
  {
    Guard guard(m_lock);
    while (Packet* p = m_arrQuery.TakeFront()) delete p;
  }
  Packet* p = nullptr;
  while (m_queueRetired.TryPop(p)) delete p;
  while (m_queueToClient.TryPop(p)) delete p;
}

void CGatewayCore::ReleasePending() {
  Guard guard(m_lock);
  m_mapPending.Clear();
}

void CGatewayCore::Shutdown() {
  StopDelivery();
  m_host.StopRequestTick();
  SetRequestTick(0);
  ReleaseQueued();
  m_host.DestroyOwnedWindows();
  ReleasePending();
}

void CGatewayCore::PostToClient(Packet* packet) {
  if (!packet) return;
  if (m_bClosed) {
    delete packet;  // never delivered now; nothing keeps it
    return;
  }
  m_queueToClient.Push(packet);
}

void CGatewayCore::RetirePacket(Packet* packet) {
  if (!packet) return;
  if (m_bClosed) {
    delete packet;
    return;
  }
  m_queueRetired.Push(packet);
}

bool CGatewayCore::IsLogin() const {
  Guard guard(m_lock);
  return m_bLogin == 1;
}

bool CGatewayCore::IsCert() const {
  Guard guard(m_lock);
  return m_bCert == 1;
}

std::string CGatewayCore::Account() const {
  Guard guard(m_lock);
  return m_strAcct;
}

std::int64_t CGatewayCore::LastRequestNumber() const {
  Guard guard(m_lock);
  return m_nTrNo;
}

size_t CGatewayCore::QueryCount() const {
  Guard guard(m_lock);
  return m_arrQuery.Size();
}

size_t CGatewayCore::PendingCount() const {
  Guard guard(m_lock);
  return m_mapPending.Size();
}
