// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Clock.h"

#include <chrono>

std::int64_t SteadyClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
