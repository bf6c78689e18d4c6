// Routing of every packet by kind and sub-kind: request numbering, the
// translation into the server's kinds, the pending map and the query list.
#include <exception>
#include <optional>

#include "zmx/gateway/gateway_core.h"

namespace {

// Client sub-kind of a data query → the server's sub-kind.
std::optional<std::int64_t> ServerQueryKind(std::int64_t clientIdx) {
  switch (clientIdx) {
    case 113: return 1;  // account check
    case 101: return 2;  // holdings
    case 102: return 4;
    case 103: return 3;
    case 104: return 7;
    case 105: return 5;
    case 110: return 6;
    default: return std::nullopt;
  }
}

constexpr std::int64_t kAccountCheck = 113;

}  // namespace

void CGatewayCore::OnClientPacket(Packet* raw, WindowHandle sender) {
  std::unique_ptr<Packet> p(raw);
  if (!p) return;
  switch (p->GetInt64("GBN", 0)) {
    case 1003:
      AddQuery(std::move(p));
      return;
    case 1007: {
      // Pass-through: only its request number changes.
      Guard guard(m_lock);
      const std::int64_t n = ++m_nTrNo;
      p->SetInt64("TRNO", n);
      if (m_host.SendPacket(*p) >= 1) {
        m_mapPending.Set(n, p.release());
      } else {
        p->SetInt64("ERR", 1);
        PostToClient(p.release());
      }
      return;
    }
    default:
      DispatchPacket(p.release(), sender);
  }
}

// Appends a data query to the query list unless one of its IDX already waits.
void CGatewayCore::AddQuery(std::unique_ptr<Packet> p) {
  Guard guard(m_lock);
  const std::int64_t idx = p->GetInt64("IDX", 0);
  for (size_t i = 0; i < m_arrQuery.Size(); ++i)
    if (m_arrQuery[i].GetInt64("IDX", 0) == idx) return;  // the waiting one answers
  m_arrQuery.Append(p.release());
}

void CGatewayCore::QueueRequest(Packet* raw) {
  std::unique_ptr<Packet> p(raw);
  if (!p) return;
  if (p->GetInt64("GBN", 0) == 1003)
    AddQuery(std::move(p));
  else
    DispatchPacket(p.release(), kNoWindow);
}

void CGatewayCore::OnRequestTick(std::uint32_t id) {
  // The lock is kept from the identifier check to the end of the dispatch,
  // so no tick sends anything once teardown has cleared the identifier.
  Guard guard(m_lock);
  if (id == 0 || id != m_nRequestTick) return;
  Packet* head = m_arrQuery.TakeFront();
  if (!head) return;
  try {
    DispatchPacket(head, kNoWindow);
  } catch (const std::exception&) {
    // Nothing is thrown into the platform's timer thread; the query is lost.
  }
}

void CGatewayCore::DispatchPacket(Packet* raw, WindowHandle sender) {
  std::unique_ptr<Packet> p(raw);
  if (!p) return;
  Guard guard(m_lock);
  switch (p->GetInt64("GBN", 0)) {
    case 1001:  // login state
      m_hClientWnd = sender;
      p->SetInt64("IsLogin", m_bLogin);
      p->SetInt64("CERT", m_bCert);
      PostToClient(p.release());
      return;
    case 1003: {  // data query, sent as 6003
      const std::int64_t idx = p->GetInt64("IDX", 0);
      const auto serverIdx = ServerQueryKind(idx);
      if (!serverIdx) return;  // released, no number taken
      const std::int64_t n = ++m_nTrNo;
      Packet out(6003);
      out.AddInt64("IDX", *serverIdx);
      out.AddInt64("TRNO", n);
      if (idx == kAccountCheck) out.AddString("ACCTNO", m_strAcct);
      Forward(out, std::move(p), n);
      return;
    }
    case 1006: {  // order or setting, sent as a 6002 copy
      const std::int64_t idx = p->GetInt64("IDX", 0);
      if (idx < 1 || idx > 8) return;
      const std::int64_t n = ++m_nTrNo;
      Packet out(p->GetText());
      out.SetInt64("GBN", 6002);
      out.SetInt64("TRNO", n);
      // House code of buy orders under the start-up switch.
      if (idx == 1 && m_host.XSwitch() && out.GetString("HOCODE", "") == "00") out.SetString("HOCODE", "99");
      Forward(out, std::move(p), n);
      return;
    }
    case 1007: {  // the server's answer to a pass-through request
      if (Packet* request = m_mapPending.Take(p->GetInt64("TRNO", 0))) RetirePacket(request);
      PostToClient(p.release());
      return;
    }
    case 6001: OnLoginReply(p.release()); return;
    case 6002: OnOrderReply(p.release()); return;
    case 6003: OnQueryReply(p.release()); return;
    case 6004: OnServerNotice(p.release()); return;
    default:  // 999, 3002 and everything unknown
      RetirePacket(p.release());
  }
}

// Sends the translated request; the client's packet waits in the pending map,
// or comes back at once with ERR 1. The number is used up either way.
void CGatewayCore::Forward(const Packet& outgoing, std::unique_ptr<Packet> request, std::int64_t number) {
  if (m_host.SendPacket(outgoing) >= 1) {
    m_mapPending.Set(number, request.release());
  } else {
    request->SetInt64("ERR", 1);
    PostToClient(request.release());
  }
}
