// The state of the gateway's request tick (the periodic multimedia timer
// that sends one waiting data query per period). A start that the platform
// refuses leaves the tick inactive, so the next attempt tries again instead
// of leaving queries waiting for good.
#pragma once

#include <atomic>
#include <cstdint>

class CGatewayCore;

struct MMTimerRecord {
  std::atomic<std::uint32_t> m_nId{0};  // the platform's identifier; 0 until started
  std::uint32_t m_nPeriod = 0;          // milliseconds
  std::atomic<int> m_bActive{0};
  CGatewayCore* m_pOwner = nullptr;     // whose OnRequestTick the callback calls

  // Unless active: marks it active and calls start(period), which returns the
  // platform's identifier or 0 when the timer could not be started; on 0 the
  // record is inactive again. True when the tick runs afterwards.
  template <class StartFn>
  bool EnsureStarted(StartFn&& start) {
    if (m_bActive.load()) return true;
    m_bActive = 1;
    const std::uint32_t id = start(m_nPeriod);
    if (id == 0) {
      m_bActive = 0;
      return false;
    }
    m_nId = id;
    return true;
  }

  // When active: stop(id), then inactive with identifier 0.
  template <class StopFn>
  void Stop(StopFn&& stop) {
    if (!m_bActive.load()) return;
    stop(m_nId.load());
    m_bActive = 0;
    m_nId = 0;
  }
};
