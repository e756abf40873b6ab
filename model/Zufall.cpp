#include "Zufall.h"

#include <chrono>

namespace kwt {

void Zufallsgenerator::ZufallInitialisieren() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  Zufallszustand = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

} // namespace kwt
