// The program's current printer and the page layout of a printed chart.
//
// There is one current printer for the whole program: the system's default printer until the user
// chooses another one (or other settings, such as the orientation) in the main window's print
// dialog; the choice holds until the program ends, and every chart prints there. The program sets
// neither orientation nor paper itself.
#pragma once

#include <QRect>

class QPrinter;

namespace kwt {

// Created on first use (needs the application object), destroyed with the application object.
QPrinter &AktuellerDrucker();

// False when printing could not even start: no printer installed, or output to a PDF without a
// file name (what Qt offers when the system has no printer).
bool DruckerBenutzbar(const QPrinter &drucker);

// Margins of a printed chart in whole percent of the page.
struct TDruckRaender {
  int Links = 0, Rechts = 0, Oben = 0, Unten = 0;
  bool operator==(const TDruckRaender &) const = default;
};

// A chart W x H pixels on screen goes onto a page of PW x PH printer pixels with the resolutions RX,
// RY (pixels per inch). A wide chart (W > H) takes 70 % of the page width, 15 % margin either side,
// and is centred vertically: p = 100 * (PH - 0.7 * PW * (H / W) * (RY / RX)) / PH, rounded by the
// program's rounding mode (upward), gives top and bottom margins of p div 2 percent each. A tall or
// square chart is the mirror image: 70 % of the page height, centred horizontally.
// The other side's length is converted with the ratio of the two resolutions (RY / RX for a wide
// chart, RX / RY for a tall one), so the chart keeps its proportions on paper also on a printer whose
// two resolutions differ. When even 70 % of one side makes the picture too big for the other, that margin is 0.
// Sizes below 1 count as 1.
TDruckRaender DruckRaenderBerechnen(int w, int h, int pw, int ph, int rx, int ry);

// The rectangle inside the margins, in printer pixels from the top left of the printable area; edges
// at a percentage of the page are rounded by the program's rounding mode.
QRect DruckRechteck(const TDruckRaender &raender, int pw, int ph);

} // namespace kwt
