#include "Programminfo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "JpegBild.h"
#include "W32_VVI.h"

namespace kwt {

namespace {

constexpr int LogoMitte = 72 + 348 / 2; // the texts stand centred under the logo

QLabel *Beschriftung(QWidget *eltern, const char *name, const QString &text, const QFont &schrift,
                     Qt::Alignment ausrichtung) {
  auto *label = new QLabel(text, eltern);
  label->setObjectName(QLatin1String(name));
  label->setFont(schrift);
  label->setAlignment(ausrichtung);
  return label;
}

QFont Schrift(const QStringList &familien, int punkte, bool fett = false) {
  QFont schrift;
  schrift.setFamilies(familien);
  schrift.setPointSize(punkte);
  schrift.setBold(fett);
  return schrift;
}

} // namespace

TDialogProgrammInfo::TDialogProgrammInfo(QWidget *eltern)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("DialogProgrammInfo"));
  setFixedSize(506, 366);
  QPalette weiss = palette();
  weiss.setColor(QPalette::Window, Qt::white);
  weiss.setColor(QPalette::WindowText, Qt::black);
  setPalette(weiss);
  setAutoFillBackground(true);

  vvi = new TKeloVersionResource(this);
  vvi->setObjectName(QStringLiteral("vvi"));
  vvi->setLanguage(TLanguage::lnGerman);

  const QStringList arial{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
  const QStringList klein{QStringLiteral("Small Fonts"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(QPixmap::fromImage(JpegLaden(QStringLiteral(":/bilder/logo.jpg"))));
  Image1->setGeometry(72, 55, 348, 80);
  Image1->installEventFilter(this);

  Label1 = Beschriftung(this, "Label1", QStringLiteral("Monte-Carlo-Simulation"), Schrift(arial, 16, true),
                        Qt::AlignHCenter | Qt::AlignTop);
  Label1->adjustSize();
  Label1->move(LogoMitte - Label1->width() / 2, 166);

  Label2 = Beschriftung(this, "Label2",
                        QStringLiteral("© 2003–2009 Weidner Wertermittlung GmbH\nAlle Rechte vorbehalten."),
                        Schrift(arial, 10), Qt::AlignHCenter | Qt::AlignTop);
  Label2->setWordWrap(true);
  Label2->setGeometry(LogoMitte - 335 / 2, 221, 335, 43);

  Label3 = Beschriftung(this, "Label3",
                        QStringLiteral("Dr. rer. pol. Martin Weidner\nDipl.-Ing., Dipl.-Kfm."),
                        Schrift(arial, 10), Qt::AlignHCenter | Qt::AlignTop);
  Label3->setWordWrap(true);
  Label3->setGeometry(LogoMitte - 335 / 2, 263, 335, 33);

  Dateiname = Beschriftung(this, "Dateiname", QString(), Schrift(klein, 7), Qt::AlignLeft | Qt::AlignTop);
  Dateiname->setGeometry(4, 329, 297, 19);
  FileVersion = Beschriftung(this, "FileVersion", QString(), Schrift(klein, 7), Qt::AlignLeft | Qt::AlignTop);
  FileVersion->setGeometry(4, 343, 124, 17);

  // The fixed texts keep their clicks; everything else passes them on to the box (FormClick).
  for (QLabel *text : {Label1, Label2, Label3}) text->setAttribute(Qt::WA_NoMousePropagation);

  FormCreate();
}

void TDialogProgrammInfo::FormCreate() {
  setWindowTitle(QStringLiteral("Info über ") + vvi->VersionInfo()->ProductName());
  FileVersion->setText(QStringLiteral("Build: ") + vvi->VersionInfo()->FileVersion());
  Dateiname->setText(vvi->FileName());
}

void TDialogProgrammInfo::Image1Click() { accept(); }

void TDialogProgrammInfo::FormClick() { accept(); }

bool TDialogProgrammInfo::eventFilter(QObject *objekt, QEvent *ereignis) {
  if (objekt == Image1 && ereignis->type() == QEvent::MouseButtonRelease) {
    const auto *maus = static_cast<QMouseEvent *>(ereignis);
    if (maus->button() == Qt::LeftButton && Image1->rect().contains(maus->position().toPoint())) {
      Image1Click();
      return true;
    }
  }
  return QDialog::eventFilter(objekt, ereignis);
}

void TDialogProgrammInfo::mouseReleaseEvent(QMouseEvent *ereignis) {
  if (ereignis->button() == Qt::LeftButton && rect().contains(ereignis->position().toPoint())) {
    FormClick();
    return;
  }
  QDialog::mouseReleaseEvent(ereignis);
}

void TDialogProgrammInfo::showEvent(QShowEvent *ereignis) {
  if (const QScreen *bildschirm = screen() ? screen() : QGuiApplication::primaryScreen()) {
    QRect lage = frameGeometry();
    lage.moveCenter(bildschirm->availableGeometry().center());
    move(lage.topLeft());
  }
  QDialog::showEvent(ereignis);
}

void ProgrammInfoZeigen(QWidget *eltern) {
  TDialogProgrammInfo box(eltern);
  box.exec();
}

} // namespace kwt
