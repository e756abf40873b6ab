// The result list of a run: one text line per trial while the run goes, the sorted distinct lines
// afterwards; its clipboard text has CR LF after every line.
//
// A line is the trial's unrounded market value with 0 decimals, no grouping, zero suppressed, padded
// with '0' to ten characters (3900804.46 gives 0003900804, -1234.4 gives 00000-1234, 0 an empty line).
//
// Memory stays bounded for runs of any size: the lines in trial order are kept for the first
// ZeilenInVersuchsfolge trials, and the distinct lines of all trials are collected as they come
// (a run's values are functions of the drawn classes, so there are at most 11^5 distinct lines).
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "Gleitkomma.h"

namespace kwt {

std::string ErgebnisZeile(Extended wert);

// The median of sorted lines: the middle line, or the mean of the two middle lines, each read back
// as a number. An empty line or one with a minus sign is not a number and raises its message.
Extended MedianDerZeilen(const std::vector<std::string> &zeilen);

class Ergebnisliste {
public:
  static constexpr std::size_t ZeilenInVersuchsfolge = 100000;

  void Leeren();
  // Appends the line of the next trial.
  void Anhaengen(const std::string &zeile);
  // The two halves of Anhaengen, for a run that knows its distinct lines by other means: the line in
  // trial order only (while there is room), and a distinct line only.
  void InFolgeAnhaengen(const std::string &zeile);
  void VerschiedeneAufnehmen(const std::string &zeile);
  // Many distinct lines at once (repeats allowed): cheaper than one by one.
  void VerschiedeneAufnehmen(std::vector<std::string> zeilen);
  // Replaces the contents by the distinct lines of all appended trials in ascending order. Lines of
  // ten digits sort numerically; an empty line comes first and lines with a minus sign sort by their
  // characters ('-' before the digits).
  void Sortieren();

  bool IstSortiert() const { return sortiert_; }
  // The current contents: lines in trial order (the first ZeilenInVersuchsfolge) or sorted lines.
  const std::vector<std::string> &Zeilen() const { return zeilen_; }
  // Every line followed by CR LF.
  std::string ZwischenablageText() const;

private:
  std::vector<std::string> zeilen_;
  std::unordered_set<std::string> verschiedene_;
  std::vector<std::string> weitere_; // taken in bulk, made distinct when sorting
  bool sortiert_ = false;
};

} // namespace kwt
