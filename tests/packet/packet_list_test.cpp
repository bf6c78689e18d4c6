#include "packet/packet_list.h"

#include <gtest/gtest.h>

#include <thread>

#include "packet/packet.h"

namespace {

using zm::SplitTokens;

std::string FirstCellsJoined(std::string_view data) {
  std::vector<std::string_view> firsts;
  for (auto row : SplitTokens(data, zm::kRowSeparator)) {
    size_t pos = 0;
    if (auto cell = zm::NextToken(row, zm::kCellSeparator, pos)) firsts.push_back(*cell);
  }
  return zm::JoinComma(firsts);
}

TEST(PacketListText, SeparatorsAreSkipped) {
  const struct {
    const char* data;
    const char* firsts;
  } cases[] = {
      {"K1|A|10\n\nK2|B|5\n", "K1,K2"},
      {"K1|A|10\nK2|B|5", "K1,K2"},
      {"\n\nK1||A\n\n\nK2|B\n\n", "K1,K2"},
      {"|X|Y", "X"},
      {"", ""},
      {"\n\n|\n", ""},
      {"가|나\n다", "가,다"},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstCellsJoined(c.data), c.firsts) << c.data;

  // A trail byte equal to "|" would end a cell in a plain scan; code page 949
  // has none, so show the rule with the row separator's neighbour bytes.
  EXPECT_EQ(SplitTokens<char>("a||b|", '|'), (std::vector<std::string_view>{"a", "b"}));
  EXPECT_EQ(SplitTokens<char>("\x81\x41" "A\x81\x41", 'A'), (std::vector<std::string_view>{"\x81\x41", "\x81\x41"}));
  EXPECT_EQ(SplitTokens<char16_t>(u"|가||나|", u'|'), (std::vector<std::u16string_view>{u"가", u"나"}));
}

TEST(PacketCollections, OwnershipMovesWithThePointer) {
  zm::OwningQueue<Packet> queue;
  Packet* out = reinterpret_cast<Packet*>(0x1);
  EXPECT_FALSE(queue.TryPop(out));
  EXPECT_EQ(out, reinterpret_cast<Packet*>(0x1));  // untouched
  queue.Push(new Packet(1));
  queue.Push(new Packet(2));
  ASSERT_TRUE(queue.TryPop(out));
  EXPECT_EQ(out->GetInt64("GBN", 0), 1);
  delete out;
  EXPECT_EQ(queue.Size(), 1u);  // the rest is deleted with the queue

  zm::OwningList<Packet> list;
  EXPECT_EQ(list.TakeFront(), nullptr);
  for (int k = 1; k <= 3; ++k) list.Append(new Packet(k));
  std::unique_ptr<Packet> front(list.TakeFront());
  EXPECT_EQ(front->GetInt64("GBN", 0), 1);
  EXPECT_EQ(list.Size(), 2u);
  EXPECT_EQ(list[0].GetInt64("GBN", 0), 2);

  zm::OwningMap<Packet> map;
  map.Set(-5, new Packet(5));
  map.Set(INT64_MAX, new Packet(6));
  map.Set(INT64_MAX, new Packet(7));  // replaced one is deleted
  EXPECT_EQ(map.Find(INT64_MAX)->GetInt64("GBN", 0), 7);
  EXPECT_EQ(map.Take(99), nullptr);
  std::unique_ptr<Packet> taken(map.Take(-5));
  EXPECT_EQ(taken->GetInt64("GBN", 0), 5);
  EXPECT_EQ(map.Size(), 1u);
}

TEST(PacketCollections, QueueAcrossThreadsLosesNothing) {
  zm::OwningQueue<Packet> queue;
  constexpr int kPerThread = 2000;
  std::thread a([&] { for (int i = 0; i < kPerThread; ++i) queue.Push(new Packet(i)); });
  std::thread b([&] { for (int i = 0; i < kPerThread; ++i) queue.Push(new Packet(kPerThread + i)); });
  int taken = 0;
  int64_t sum = 0;
  while (taken < 2 * kPerThread) {
    Packet* p = nullptr;
    if (!queue.TryPop(p)) continue;
    sum += p->GetInt64("GBN", 0);
    delete p;
    ++taken;
  }
  a.join();
  b.join();
  EXPECT_EQ(sum, int64_t{2 * kPerThread} * (2 * kPerThread - 1) / 2);
}

}  // namespace
