// The about box ("Info"): logo, product texts, and the file name and build of the running program,
// which it reads from the program's own version resource (W32_VVI.h) each time it is opened.
#pragma once

#include <QDialog>

class QLabel;
class QMouseEvent;

namespace kwt {

class TKeloVersionResource;

// White, 506 x 366, centred on the screen, no title-bar buttons. A click on the logo, the file name,
// the build or the free background closes it with QDialog::Accepted; the three fixed texts ignore clicks.
// Children by object name: vvi, Image1, Label1, Label2, Label3, Dateiname, FileVersion.
class TDialogProgrammInfo : public QDialog {
  Q_OBJECT

public:
  explicit TDialogProgrammInfo(QWidget *eltern = nullptr);

public slots:
  // Caption, file name and build from vvi; runs once when the box is built.
  void FormCreate();
  void Image1Click();
  void FormClick();

protected:
  bool eventFilter(QObject *objekt, QEvent *ereignis) override;
  void mouseReleaseEvent(QMouseEvent *ereignis) override;
  void showEvent(QShowEvent *ereignis) override;

private:
  TKeloVersionResource *vvi;
  QLabel *Image1, *Label1, *Label2, *Label3, *Dateiname, *FileVersion;
};

// Shows the about box modally and frees it when it is closed, also when an error ends the showing.
void ProgrammInfoZeigen(QWidget *eltern = nullptr);

} // namespace kwt
