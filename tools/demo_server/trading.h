// The demo server's mock-investment account and its answers to each kind of
// request the gateway sends. Orders fill at once at a fixed price per stock.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "packet/packet.h"
#include "tools/demo_server/options.h"

namespace demo {

class MockExchange {
 public:
  explicit MockExchange(const Options& options);

  // The packets to send back for one request, in order; none for kinds the
  // server does not answer (the keep-alive among them).
  std::vector<Packet> Answer(const Packet& request);

  int64_t Cash() const { return cash_; }
  int64_t Holding(const std::string& code) const;
  int64_t KeepAlives() const { return keep_alives_; }

 private:
  struct Stock {
    const char* code;
    const char* name;
    int64_t price;
  };
  struct Order {
    int64_t odrno;
    std::string code;
    bool buy;
    int64_t qty;
    int64_t price;
  };

  static const Stock* FindStock(const std::string& code);
  std::vector<Packet> Announcement() const;
  std::vector<Packet> Query(const Packet& request) const;
  std::vector<Packet> Order(const Packet& request);
  // Empty when the order can be filled, else the refusal text.
  std::string Fill(bool buy, const std::string& code, int64_t qty);

  std::string HoldingRows() const;
  std::string OrderRows() const;
  std::string SummaryRow() const;

  const Options& options_;
  int64_t cash_;
  std::map<std::string, int64_t> holdings_;  // code → quantity
  std::vector<struct Order> orders_;
  std::vector<std::string> settings_;        // rows of accepted settings (IDX 5–7)
  int64_t next_odrno_ = 1001;
  int64_t next_seq_ = 1;
  int64_t keep_alives_ = 0;
};

// An account as the gateway sends it: right-aligned in 9 digits, zero-padded.
std::string PadAccount(const std::string& account);

}  // namespace demo
