// Answers and notices of the server: completing the waiting requests, the
// failure texts, the holdings event, the follow-up queries, the login state;
// and the login view's two requests.
#include <string_view>
#include <vector>

#include "zmx/gateway/gateway_core.h"

namespace {

std::unique_ptr<Packet> MakeQuery(std::int64_t idx) {
  auto q = std::make_unique<Packet>(1003);
  q->AddInt64("IDX", idx);
  return q;
}

// "%09s": right-aligned in 9 characters, zero digits on the left.
std::string PadAccount(std::string_view token) {
  std::string out;
  if (token.size() < 9) out.assign(9 - token.size(), '0');
  out.append(token);
  return out;
}

// The fixed failure text of a refused order or setting.
const char* OrderFailureText(std::int64_t idx) {
  switch (idx) {
    case 1: return "매수실패";
    case 2: return "매도실패";
    case 3: return "정정실패";
    case 4: return "취소실패";
    case 5: return "전략설정 실패";
    case 6: return "자동매매설정 실패";
    case 7: return "종가매매설정 실패";
    case 8: return "조회실패";
    default: return nullptr;
  }
}

// Fills the request of an accepted order or setting.
void CompleteOrder(Packet& r, const Packet& answer, std::int64_t idx) {
  switch (idx) {
    case 1:
    case 2:
      r.CopyField("AMNY", &answer);
      r.CopyField("ODRNO", &answer);
      r.CopyField("RESULT", &answer);
      break;
    case 3:
      r.SetInt64("GBN", 1002);
      r.SetString("RES", "SC2");
      break;
    case 4:
      r.SetInt64("GBN", 1002);
      r.SetString("RES", "SC3");
      break;
    case 5:
    case 6:
    case 7:
      r.CopyField("SEQ", &answer);
      break;
    case 8:
      r.CopyField("QTY", &answer);
      break;
    default:
      break;
  }
}

}  // namespace

void CGatewayCore::OnLoginReply(Packet* raw) {
  std::unique_ptr<Packet> p(raw);
  if (!p) return;
  Guard guard(m_lock);
  if (m_bCert == 1) {
    // A reconnection: the accepted account is checked again without the user.
    DispatchPacket(MakeQuery(113).release(), kNoWindow);
  } else {
    const std::string accounts = p->GetString("ACCTNO", "");
    for (auto token : zm::SplitTokens<char>(accounts, zm::kCellSeparator)) m_host.AddAccountItem(PadAccount(token));
    m_host.ShowAccountStep();
  }
  RetirePacket(p.release());
}

void CGatewayCore::OnOrderReply(Packet* raw) {
  std::unique_ptr<Packet> p(raw);
  if (!p) return;
  Guard guard(m_lock);
  const std::int64_t idx = p->GetInt64("IDX", 0);
  const std::string result = p->GetString("RESULT", "");
  std::unique_ptr<Packet> r(m_mapPending.Take(p->GetInt64("TRNO", 0)));
  if (!r) {
    RetirePacket(p.release());
    return;
  }
  if (result == "OK") {
    CompleteOrder(*r, *p, idx);
  } else if (const char* failure = OrderFailureText(idx)) {
    r->SetInt64("GBN", 1004);
    r->SetString("R_CODE", failure);
    r->SetString("R_MSG", result);
  }
  PostToClient(r.release());
  if (idx < 5) {
    // Orders change the balance: a refresh query waits its turn.
    auto refresh = MakeQuery(104);
    refresh->AddInt64("CALL", 1);
    QueueRequest(refresh.release());
  }
  RetirePacket(p.release());
}

void CGatewayCore::OnQueryReply(Packet* raw) {
  std::unique_ptr<Packet> p(raw);
  if (!p) return;
  Guard guard(m_lock);
  const std::int64_t idx = p->GetInt64("IDX", 0);
  std::unique_ptr<Packet> r(m_mapPending.Take(p->GetInt64("TRNO", 0)));
  if (!r) {
    RetirePacket(p.release());
    return;
  }
  switch (idx) {
    case 1:  // the account check; nothing goes back to the client
      if (p->GetString("RTN", "") == "OK") {
        m_bCert = 1;
        m_bLogin = 1;
        m_host.HideFrame();
        DispatchPacket(MakeQuery(101).release(), kNoWindow);
      } else {
        m_bCert = 0;
        m_host.ShowMessageBox("모의투자에 먼저 참가 신청을 해 주세요!", IGatewayHost::kBoxOk);
      }
      break;
    case 2:  // holdings: the event goes out first, the answer through the queue
      r->CopyField("DATA1", p.get());
      r->CopyField("DATA", p.get());
      SendHoldingsEvent(*p);
      PostToClient(r.release());
      break;
    case 4:
      r->CopyField("DATA1", p.get());
      r->CopyField("DATA", p.get());
      PostToClient(r.release());
      break;
    case 3:
    case 5:
    case 7:
      r->CopyField("DATA", p.get());
      PostToClient(r.release());
      break;
    default:  // 6 and unknown: no answer
      break;
  }
  RetirePacket(p.release());
}

// Event 8003: the first cell of every DATA row, joined by ",".
void CGatewayCore::SendHoldingsEvent(const Packet& answer) {
  const std::string data = answer.GetString("DATA", "");
  std::vector<std::string_view> firsts;
  for (auto row : zm::SplitTokens<char>(data, zm::kRowSeparator)) {
    size_t pos = 0;
    if (auto cell = zm::NextToken(row, zm::kCellSeparator, pos)) firsts.push_back(*cell);
  }
  Packet event(8003);
  event.AddInt64("EVT_SEQ", 1);
  event.AddString("HOLD_STOCK", zm::JoinComma(firsts));
  SendEventToClient(event);
}

void CGatewayCore::OnServerNotice(Packet* raw) {
  std::unique_ptr<Packet> p(raw);
  if (!p) return;
  Guard guard(m_lock);
  switch (p->GetInt64("IDX", 0)) {
    case 101:
      p->SetInt64("GBN", 1002);
      p->SetString("RES", "SC1");
      PostToClient(p.release());
      m_host.SleepMs(10);
      QueueRequest(MakeQuery(101).release());
      QueueRequest(MakeQuery(104).release());
      break;
    case 102:
    case 103:
      p->SetInt64("GBN", 1002);
      p->SetString("RES", "ZM1");
      PostToClient(p.release());
      break;
    default:
      break;  // released
  }
}

std::intptr_t CGatewayCore::OnPacketMessage(std::uintptr_t wParam, Packet* packet) {
  if (!packet) return 0;
  switch (wParam) {
    case 1:
      SaveLoginSettings(*packet);
      break;
    case 2:
      ChooseAccount(*packet);
      break;
    case 1002: {
      std::unique_ptr<Packet> p(packet);
      Guard guard(m_lock);  // sends to the server are serialised by the gateway lock
      m_host.SendPacket(*p);
      PostToClient(p.release());
      break;
    }
    case 1006:
      DispatchPacket(packet, kNoWindow);
      break;
    default:
      break;
  }
  return 0;
}

// What of the login the user asked to keep goes into config.dat.
void CGatewayCore::SaveLoginSettings(const Packet& login) {
  if (Packet* config = m_host.Config()) {
    if (login.GetInt64("ZME_IDSAVE", 0) == 1) {
      config->CopyField("ZME_ID", &login);
      if (login.GetInt64("ZME_AUTOLOGIN", 0) == 1) {
        config->CopyField("ZME_PWD", &login);
        config->CopyField("ZME_CERT", &login);
        config->CopyField("ZME_AUTOLOGIN", &login);
      } else {
        config->RemoveField("ZME_PWD");
        config->RemoveField("ZME_CERT");
        config->RemoveField("ZME_AUTOLOGIN");
      }
    } else {
      config->RemoveField("ZME_ID");
      config->RemoveField("ZME_PWD");
      config->RemoveField("ZME_CERT");
      config->RemoveField("ZME_AUTOLOGIN");
    }
  }
  m_host.SaveConfig();
}

// The account chosen in the login view, checked with the server at once.
void CGatewayCore::ChooseAccount(const Packet& account) {
  Guard guard(m_lock);
  m_strAcct = account.GetString("ACCT", "");
  DispatchPacket(MakeQuery(113).release(), kNoWindow);
}
