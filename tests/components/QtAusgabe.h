// Readable QString values in GoogleTest messages.
#pragma once

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *aus) { *aus << '"' << text.toStdString() << '"'; }
