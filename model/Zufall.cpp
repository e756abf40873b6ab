#include "Zufall.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max, not the macros
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <chrono>
#endif

namespace kwt {

void Zufallsgenerator::ZufallInitialisieren() {
#ifdef _WIN32
  // The performance counter, and the milliseconds since system start where there is none.
  LARGE_INTEGER zaehler;
  Zufallszustand = QueryPerformanceCounter(&zaehler) ? static_cast<std::uint32_t>(zaehler.QuadPart)
                                                     : static_cast<std::uint32_t>(GetTickCount());
#else
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  Zufallszustand = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
#endif
}

} // namespace kwt
