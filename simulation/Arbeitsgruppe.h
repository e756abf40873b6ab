// The helper threads of a fast run: a small pool that runs one task on the calling thread and on every
// helper at once and returns when all of them have finished it.
//
// The helpers are started once and wait between tasks, so that a run that reports every few
// milliseconds does not start threads at every report. A helper computes market values exactly as the
// calling thread does: it takes over the process's rounding mode and precision when it starts.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kwt::schnell {

class Arbeitsgruppe {
public:
  // Starts the helpers; throws std::system_error when the system gives no more threads (none stay).
  explicit Arbeitsgruppe(int helfer);
  ~Arbeitsgruppe();
  Arbeitsgruppe(const Arbeitsgruppe &) = delete;
  Arbeitsgruppe &operator=(const Arbeitsgruppe &) = delete;

  // Runs aufgabe(0) on the calling thread and aufgabe(1..helfer) on the helpers, and returns when all
  // have finished. An exception of any of them is raised here (the caller's own first).
  void Ausfuehren(const std::function<void(int)> &aufgabe);

private:
  void Beenden();
  void Helfen(int nr);

  std::vector<std::thread> threads_;
  std::mutex m_;
  std::condition_variable start_, fertig_;
  const std::function<void(int)> *aufgabe_ = nullptr;
  std::uint64_t runde_ = 0;
  int offen_ = 0;
  bool ende_ = false;
  std::exception_ptr fehler_;
};

} // namespace kwt::schnell
