#include "Arbeitsgruppe.h"

#include "W32_CLC.h"

namespace kwt::schnell {

Arbeitsgruppe::Arbeitsgruppe(int helfer) {
  try {
    for (int i = 1; i <= helfer; ++i) threads_.emplace_back([this, i] { Helfen(i); });
  } catch (...) {
    Beenden(); // the threads already started, before the error leaves the constructor
    throw;
  }
}

Arbeitsgruppe::~Arbeitsgruppe() { Beenden(); }

void Arbeitsgruppe::Ausfuehren(const std::function<void(int)> &aufgabe) {
  {
    std::lock_guard<std::mutex> sperre(m_);
    aufgabe_ = &aufgabe;
    offen_ = static_cast<int>(threads_.size());
    fehler_ = nullptr;
    ++runde_;
  }
  start_.notify_all();
  std::exception_ptr eigener;
  try {
    aufgabe(0);
  } catch (...) {
    eigener = std::current_exception();
  }
  std::unique_lock<std::mutex> sperre(m_);
  fertig_.wait(sperre, [this] { return offen_ == 0; });
  if (eigener) std::rethrow_exception(eigener);
  if (fehler_) std::rethrow_exception(fehler_);
}

void Arbeitsgruppe::Beenden() {
  {
    std::lock_guard<std::mutex> sperre(m_);
    ende_ = true;
  }
  start_.notify_all();
  for (std::thread &t : threads_) t.join();
  threads_.clear();
}

void Arbeitsgruppe::Helfen(int nr) {
  // A helper computes market values like the main thread: upward rounding, 64-bit mantissa.
  StandardRundungUebernehmen();
  std::uint64_t gesehen = 0;
  for (;;) {
    const std::function<void(int)> *aufgabe = nullptr;
    {
      std::unique_lock<std::mutex> sperre(m_);
      start_.wait(sperre, [&] { return ende_ || runde_ != gesehen; });
      if (ende_) return;
      gesehen = runde_;
      aufgabe = aufgabe_;
    }
    std::exception_ptr fehler;
    try {
      (*aufgabe)(nr);
    } catch (...) {
      fehler = std::current_exception();
    }
    std::lock_guard<std::mutex> sperre(m_);
    if (fehler && !fehler_) fehler_ = fehler;
    if (--offen_ == 0) fertig_.notify_one();
  }
}

} // namespace kwt::schnell
