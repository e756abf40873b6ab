// The program's error box, the edge of every window command, and a seam that lets tests take the
// message instead of a modal box.
//
// Every command handler of the windows runs its work through BefehlAusfuehren, which catches what the
// work raises and reports it here: a modal box with the message (a "." appended when the last
// character sorts after "."), the application title "KWT Monte-Carlo-Simulation" as caption, an error
// icon and an OK button. Qt lets no exception pass through a signal, so nothing is thrown beyond it.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace kwt {

inline constexpr const char *ProgrammTitel = "KWT Monte-Carlo-Simulation";

// The message as the box shows it: "Gleitkommadivision durch Null" gets a ".", "Fertig." none.
QString MeldungMitPunkt(const QString &meldung);

// The longest text the box shows; a longer one is cut with "…". Laying out a message that quotes a
// whole file would take seconds and give a box taller than any screen.
inline constexpr qsizetype LaengsteMeldung = 1000;

// The error box itself, not yet shown: its text wraps (within a word where a word is too long for a
// line, at zero-width spaces put there), and neither its width nor its height exceeds the screen's
// available area.
std::unique_ptr<QMessageBox> FehlerBoxErstellen(QWidget *eltern, const QString &text);

// Shows the error box (or hands the message to the installed receiver).
void FehlerMelden(QWidget *eltern, const QString &meldung);

// The same box with the warning icon, for what a command did not take over while the rest of it
// succeeded (a shape a scenario no longer fits); it goes to the installed receiver too.
void HinweisMelden(QWidget *eltern, const QString &meldung);

// Runs one command; an error it raises ends it there and is shown in the error box: the program's own
// (Fehler) with its message, anything else with a German text (MeldungZumFehler, Fehler.h), never the
// library's English one. What the command did before the error stays. True when it ran to its end.
bool BefehlAusfuehren(QWidget *eltern, const std::function<void()> &befehl);

// Replaces the box by a receiver of the finished text (with the "." already appended); an empty
// function restores the box. Tests install a receiver so that no modal box blocks them.
using TFehlerEmpfaenger = std::function<void(const QString &text)>;
void FehlerEmpfaengerSetzen(TFehlerEmpfaenger empfaenger);

} // namespace kwt
