// List-valued fields (a table in one field: rows by line feed, cells by "|")
// and the collections that hold the gateway's heap packets.
//
// Ownership: whoever holds a Packet* owns it. Handing the pointer to a
// collection hands ownership to it; taking it out hands ownership to the
// taker. A collection deletes what it still holds when it is cleared or dies.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "packet/text_search.h"

namespace zm {

inline constexpr char kRowSeparator = '\n';
inline constexpr char kCellSeparator = '|';

// The next token of `text` from `pos`: separators are skipped first, so an
// empty token is never produced; nullopt when only separators remain. In
// narrow text a trail byte is never taken as a separator.
template <class Ch>
std::optional<std::basic_string_view<Ch>> NextToken(std::basic_string_view<Ch> text, Ch separator, size_t& pos) {
  while (pos < text.size() && text[pos] == separator) ++pos;
  if (pos >= text.size()) return std::nullopt;
  const size_t start = pos;
  while (pos < text.size() && text[pos] != separator) pos += CharLength(text, pos);
  const auto token = text.substr(start, pos - start);
  if (pos < text.size()) ++pos;
  return token;
}

template <class Ch>
std::vector<std::basic_string_view<Ch>> SplitTokens(std::basic_string_view<Ch> text, Ch separator) {
  std::vector<std::basic_string_view<Ch>> tokens;
  size_t pos = 0;
  while (auto t = NextToken(text, separator, pos)) tokens.push_back(*t);
  return tokens;
}

// Joins with "," and nothing else.
template <class Ch>
std::basic_string<Ch> JoinComma(const std::vector<std::basic_string_view<Ch>>& parts) {
  std::basic_string<Ch> out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += Ch(',');
    out.append(parts[i]);
  }
  return out;
}

// First-in first-out queue for several threads: Push never waits for a
// consumer, TryPop never waits for a producer (the lock is held only for the
// move of one pointer).
template <class T>
class OwningQueue {
 public:
  OwningQueue() = default;
  OwningQueue(const OwningQueue&) = delete;
  OwningQueue& operator=(const OwningQueue&) = delete;

  void Push(T* item) {
    std::unique_ptr<T> owned(item);
    std::lock_guard guard(mutex_);
    items_.push_back(std::move(owned));
  }
  // Moves the oldest item to `out` and returns true, or returns false and
  // leaves `out` untouched when the queue is empty.
  bool TryPop(T*& out) {
    std::lock_guard guard(mutex_);
    if (items_.empty()) return false;
    out = items_.front().release();
    items_.pop_front();
    return true;
  }
  size_t Size() const {
    std::lock_guard guard(mutex_);
    return items_.size();
  }

 private:
  mutable std::mutex mutex_;
  std::deque<std::unique_ptr<T>> items_;
};

// Ordered array used as a first-in first-out list; no lock of its own.
template <class T>
class OwningList {
 public:
  void Append(T* item) { items_.emplace_back(item); }
  // The front item, ownership to the caller; the rest move up. nullptr when empty.
  T* TakeFront() {
    if (items_.empty()) return nullptr;
    T* item = items_.front().release();
    items_.pop_front();
    return item;
  }
  size_t Size() const { return items_.size(); }
  const T& operator[](size_t i) const { return *items_[i]; }
  void Clear() { items_.clear(); }

 private:
  std::deque<std::unique_ptr<T>> items_;
};

// Map from a signed 64-bit key to an owned item; no lock of its own.
template <class T>
class OwningMap {
 public:
  // Insert or replace; a replaced item is deleted.
  void Set(int64_t key, T* item) { items_[key].reset(item); }
  const T* Find(int64_t key) const {
    const auto it = items_.find(key);
    return it == items_.end() ? nullptr : it->second.get();
  }
  // Removes the entry and hands its item to the caller; nullptr when absent.
  T* Take(int64_t key) {
    const auto it = items_.find(key);
    if (it == items_.end()) return nullptr;
    T* item = it->second.release();
    items_.erase(it);
    return item;
  }
  size_t Size() const { return items_.size(); }
  template <class F>
  void ForEach(F&& f) const {
    for (const auto& [key, item] : items_) f(key, *item);
  }
  void Clear() { items_.clear(); }

 private:
  std::unordered_map<int64_t, std::unique_ptr<T>> items_;
};

}  // namespace zm
