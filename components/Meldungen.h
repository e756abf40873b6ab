// The program's error box, and a seam that lets tests take the message instead of a modal box.
//
// Every command handler of the window catches the program's errors at its edge and reports them here:
// a modal box with the message (a "." appended when the last character sorts after "."), the
// application title "KWT Monte-Carlo-Simulation" as caption, an error icon and an OK button.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kwt {

inline constexpr const char *ProgrammTitel = "KWT Monte-Carlo-Simulation";

// The message as the box shows it: "Gleitkommadivision durch Null" gets a ".", "Fertig." none.
QString MeldungMitPunkt(const QString &meldung);

// Shows the error box (or hands the message to the installed receiver).
void FehlerMelden(QWidget *eltern, const QString &meldung);

// Replaces the box by a receiver of the finished text (with the "." already appended); an empty
// function restores the box. Tests install a receiver so that no modal box blocks them.
using TFehlerEmpfaenger = std::function<void(const QString &text)>;
void FehlerEmpfaengerSetzen(TFehlerEmpfaenger empfaenger);

} // namespace kwt
