#pragma once
// A clock for tests: every timer created while it exists is driven by Advance(),
// which fires due ticks in time order, so timing can be checked without sleeping.

#include <cstdint>
#include <set>

class TManualClock {
 public:
  TManualClock();
  ~TManualClock();
  TManualClock(const TManualClock&) = delete;
  TManualClock& operator=(const TManualClock&) = delete;

  // Moves time forward by ms, firing every tick that falls due on the way.
  void Advance(std::uint64_t ms);
  std::uint64_t Now() const { return now_; }

  class Driver;

 private:
  friend class Driver;
  std::uint64_t now_ = 0;
  std::set<Driver*> drivers_;
};
