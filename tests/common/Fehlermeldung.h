// The message of the error a piece of code throws, for tests that check what a user would read.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace kwt::test {

// The what() of the exception of type E that `tun` throws; a test failure and "" when it throws none.
template <class E, class F> std::string Fehlermeldung(F &&tun) {
  try {
    tun();
  } catch (const E &f) {
    return f.what();
  }
  ADD_FAILURE() << "Es wurde kein Fehler gemeldet.";
  return {};
}

} // namespace kwt::test
