#include "tools/demo_server/trading.h"

#include <algorithm>

namespace demo {

namespace {

const char* const kRefused = "주문이 거부되었습니다";

std::string Row(std::initializer_list<std::string> cells) {
  std::string row;
  for (const auto& c : cells) {
    if (!row.empty()) row += '|';
    row += c;
  }
  return row;
}

std::string Str(int64_t n) { return std::to_string(n); }

}  // namespace

std::string PadAccount(const std::string& account) {
  return account.size() >= 9 ? account : std::string(9 - account.size(), '0') + account;
}

MockExchange::MockExchange(const Options& options) : options_(options), cash_(options.cash) {
  holdings_["005930"] = 10;
}

const MockExchange::Stock* MockExchange::FindStock(const std::string& code) {
  static const Stock kStocks[] = {
      {"005930", "삼성전자", 71'500},
      {"000660", "SK하이닉스", 128'000},
      {"035420", "NAVER", 215'000},
      {"005380", "현대차", 187'000},
  };
  for (const Stock& s : kStocks)
    if (code == s.code) return &s;
  return nullptr;
}

int64_t MockExchange::Holding(const std::string& code) const {
  auto it = holdings_.find(code);
  return it == holdings_.end() ? 0 : it->second;
}

std::vector<Packet> MockExchange::Answer(const Packet& request) {
  switch (request.GetInt64("GBN", 0)) {
    case 6001:
      return Announcement();
    case 6003:
      return Query(request);
    case 6002:
      return Order(request);
    case 1007:
      return {request};  // pass-through: echoed with its TRNO
    case 900000:
      ++keep_alives_;
      return {};
    default:
      return {};
  }
}

std::vector<Packet> MockExchange::Announcement() const {
  Packet p(6001);
  std::string accounts;
  for (const auto& a : options_.accounts) accounts += (accounts.empty() ? "" : "|") + a;
  p.AddString("ACCTNO", accounts);
  p.AddInt64("ATSMONEY", cash_);
  return {p};
}

std::string MockExchange::HoldingRows() const {
  std::string rows;
  for (const auto& [code, qty] : holdings_) {
    if (qty <= 0) continue;
    const Stock* s = FindStock(code);
    rows += Row({code, s->name, Str(qty), Str(s->price)}) + '\n';
  }
  return rows;
}

std::string MockExchange::OrderRows() const {
  std::string rows;
  for (const auto& o : orders_)
    rows += Row({Str(o.odrno), o.code, FindStock(o.code)->name, o.buy ? "매수" : "매도", Str(o.qty), Str(o.price)}) +
            '\n';
  return rows;
}

// cash | value of the holdings | total
std::string MockExchange::SummaryRow() const {
  int64_t value = 0;
  for (const auto& [code, qty] : holdings_) value += qty * FindStock(code)->price;
  return Row({Str(cash_), Str(value), Str(cash_ + value)});
}

std::vector<Packet> MockExchange::Query(const Packet& request) const {
  const int64_t idx = request.GetInt64("IDX", 0);
  Packet p(6003);
  p.AddInt64("IDX", idx);
  p.AddString("TRNO", request.GetString("TRNO", ""));
  switch (idx) {
    case 1: {  // account check
      const std::string acct = request.GetString("ACCTNO", "");
      const bool known = std::any_of(options_.accounts.begin(), options_.accounts.end(),
                                     [&](const std::string& a) { return PadAccount(a) == acct || a == acct; });
      p.AddString("RTN", known ? "OK" : "등록되지 않은 계좌입니다");
      break;
    }
    case 2:  // holdings
      p.AddString("DATA", HoldingRows());
      p.AddString("DATA1", SummaryRow());
      break;
    case 3:  // orders of the day
      p.AddString("DATA", OrderRows());
      break;
    case 4:  // fills, with the account summary
      p.AddString("DATA", OrderRows());
      p.AddString("DATA1", SummaryRow());
      break;
    case 5: {  // settings
      std::string rows;
      for (const auto& s : settings_) rows += s + '\n';
      p.AddString("DATA", rows);
      break;
    }
    case 7: {  // balance
      const std::string acct = options_.accounts.empty() ? "" : PadAccount(options_.accounts.front());
      p.AddString("DATA", acct + '|' + SummaryRow() + '\n');
      break;
    }
    default:
      break;
  }
  return {p};
}

std::string MockExchange::Fill(bool buy, const std::string& code, int64_t qty) {
  const Stock* s = FindStock(code);
  if (!s) return "종목코드를 확인해 주세요";
  if (qty <= 0) return "주문수량을 확인해 주세요";
  if (buy && qty > cash_ / s->price) return "주문가능금액이 부족합니다";
  if (!buy && qty > Holding(code)) return "매도가능수량이 부족합니다";
  cash_ += buy ? -qty * s->price : qty * s->price;
  holdings_[code] += buy ? qty : -qty;
  if (holdings_[code] == 0) holdings_.erase(code);
  orders_.push_back({next_odrno_++, code, buy, qty, s->price});
  return {};
}

std::vector<Packet> MockExchange::Order(const Packet& request) {
  const int64_t idx = request.GetInt64("IDX", 0);
  Packet p(6002);
  p.AddInt64("IDX", idx);
  p.AddString("TRNO", request.GetString("TRNO", ""));
  std::string refusal = request.GetString("ZMDEMO_REFUSE", "");
  if (refusal.empty() && options_.refuse_orders) refusal = kRefused;

  const std::string code = request.GetString("CODE", "005930");
  const int64_t qty = request.GetInt64("QTY", 0);
  std::vector<Packet> out;
  if (refusal.empty()) {
    switch (idx) {
      case 1:
      case 2: {
        refusal = Fill(idx == 1, code, qty);
        if (!refusal.empty()) break;
        const auto& o = orders_.back();
        p.AddInt64("AMNY", o.qty * o.price);
        p.AddInt64("ODRNO", o.odrno);
        Packet notice(6004);  // the fill, pushed right after the result
        notice.AddInt64("IDX", 101);
        notice.AddInt64("ODRNO", o.odrno);
        notice.AddString("CODE", o.code);
        notice.AddString("GUBUN", o.buy ? "매수" : "매도");
        notice.AddInt64("QTY", o.qty);
        notice.AddInt64("PRICE", o.price);
        out.push_back(notice);
        break;
      }
      case 3:
      case 4:
        p.AddString("ODRNO", request.GetString("ODRNO", ""));
        break;
      case 5:
      case 6:
      case 7:
        settings_.push_back(Row({Str(next_seq_), Str(idx), code}));
        p.AddInt64("SEQ", next_seq_++);
        break;
      case 8: {  // how many the cash buys
        const Stock* s = FindStock(code);
        p.AddInt64("QTY", s ? cash_ / s->price : 0);
        break;
      }
      default:
        refusal = "지원하지 않는 요청입니다";
        break;
    }
  }
  p.AddString("RESULT", refusal.empty() ? "OK" : refusal);
  out.insert(out.begin(), p);
  return out;
}

}  // namespace demo
