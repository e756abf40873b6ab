// Comparing extended values bit by bit (the sign of zero and the last bit count), and showing them in
// hexadecimal in a test's message.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

inline bool Bitgleich(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

inline std::string Hex(long double x) {
  char puffer[64];
  std::snprintf(puffer, sizeof puffer, "%La", x);
  return puffer;
}
