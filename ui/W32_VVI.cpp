#include "W32_VVI.h"

#include <cstring>
#include <iterator>
#include <vector>

#include "Gleitkomma.h"
#include "VersionsRessource.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kwt {

namespace plattform {
#if defined(_WIN32)
using ::BOOL;
using ::DWORD;
using ::GetFileVersionInfoA;
using ::GetFileVersionInfoSizeA;
using ::UINT;
using ::VerQueryValueA;
#else
using ver::BOOL;
using ver::DWORD;
using ver::GetFileVersionInfoA;
using ver::GetFileVersionInfoSizeA;
using ver::UINT;
using ver::VerQueryValueA;
#endif
} // namespace plattform

namespace {

// The string entries in the order they are read, with the properties they fill. The spellings are the
// reader's own: "Comment" in the singular does not find a resource's "Comments", while the keys compare
// without case, so "LegalTradeMarks" and "OriginalFileName" do find "LegalTrademarks" and "OriginalFilename".
struct Texteintrag {
  const char *schluessel;
  void (TVersionInfo::*setzen)(const QString &);
};
constexpr Texteintrag Texteintraege[] = {
    {"Comment", &TVersionInfo::setComment},
    {"CompanyName", &TVersionInfo::setCompanyName},
    {"FileDescription", &TVersionInfo::setFileDescription},
    {"InternalName", &TVersionInfo::setInternalName},
    {"LegalCopyright", &TVersionInfo::setLegalCopyright},
    {"LegalTradeMarks", &TVersionInfo::setLegalTradeMarks},
    {"OriginalFileName", &TVersionInfo::setOriginalFileName},
    {"PrivateBuild", &TVersionInfo::setPrivateBuild},
    {"ProductName", &TVersionInfo::setProductName},
    {"ProductVersion", &TVersionInfo::setProductVersion},
    {"SpecialBuild", &TVersionInfo::setSpecialBuild},
};

QString VersionText(plattform::DWORD ms, plattform::DWORD ls) {
  return QStringLiteral("%1.%2.%3.%4").arg(ms >> 16).arg(ms & 0xFFFF).arg(ls >> 16).arg(ls & 0xFFFF);
}

} // namespace

QString BetriebssystemText(std::uint32_t dwFileOS) {
  switch (dwFileOS) {
  case 0x00010000: return QStringLiteral("MS-Dos");
  case 0x00020000: return QStringLiteral("16 bit OS/2");
  case 0x00030000: return QStringLiteral("32 bit OS/2");
  case 0x00040000: return QStringLiteral("Windows NT");
  case 0x00000001: return QStringLiteral("Windows 3.0 or later");
  case 0x00000002: return QStringLiteral("16 bit OS/2 Presentation Manager");
  case 0x00000003: return QStringLiteral("32 bit OS/2 Presentation Manager");
  case 0x00000004: return QStringLiteral("32 bit Windows");
  case 0x00010001: return QStringLiteral("Windows 3.0 or later with MS-Dos");
  case 0x00010004: return QStringLiteral("32 bit Windows with MS-Dos");
  case 0x00020002: return QStringLiteral("16 bit OS/2 with Presentation Manager");
  case 0x00030003: return QStringLiteral("32 bit OS/2 with Presentation Manager");
  case 0x00040004: return QStringLiteral("Windows NT with 32 bit Windows");
  default: return QStringLiteral("Unknown");
  }
}

QString DateitypText(std::uint32_t dwFileType) {
  switch (dwFileType) {
  case 1: return QStringLiteral("Application");
  case 2: return QStringLiteral("Dynamic-Link Library");
  case 3: return QStringLiteral("Device Driver");
  case 4: return QStringLiteral("Font");
  case 5: return QStringLiteral("Virtual Device Driver");
  case 7: return QStringLiteral("Static-Link Library");
  default: return QStringLiteral("Unknown");
  }
}

QString TreiberUntertypText(std::uint32_t dwFileSubtype) {
  static const char *const texte[] = {"Unknown",  "Printer", "Keyboard", "Language",    "Display",       "Mouse",
                                      "Network", "System",  "Installable", "Sound", "Communications"};
  return QString::fromLatin1(dwFileSubtype < std::size(texte) ? texte[dwFileSubtype] : texte[0]);
}

QString SchriftUntertypText(std::uint32_t dwFileSubtype) {
  static const char *const texte[] = {"Unknown", "Raster", "Vector", "TrueType"};
  return QString::fromLatin1(dwFileSubtype < std::size(texte) ? texte[dwFileSubtype] : texte[0]);
}

TKeloVersionResource::TKeloVersionResource(QObject *owner)
    : QObject(owner), FileName_(QString::fromLocal8Bit(ver::EigenerProgrammpfad())),
      VersionInfo_(new TVersionInfo(this)) {
  RefreshVersionInfo();
}

// VersionInfo is a child object and goes with the component.
TKeloVersionResource::~TKeloVersionResource() = default;

void TKeloVersionResource::setFileName(const QString &name) {
  FileName_ = name;
  FileNameAbweichend_ = name != QString::fromLocal8Bit(ver::EigenerProgrammpfad());
  RefreshVersionInfo();
  emit OnChange(this);
}

void TKeloVersionResource::setLanguage(TLanguage sprache) {
  Language_ = sprache;
  RefreshVersionInfo();
  emit OnChange(this);
}

void TKeloVersionResource::setCharacterSet(TCharacterSet zeichensatz) {
  CharacterSet_ = zeichensatz;
  RefreshVersionInfo();
  emit OnChange(this);
}

void TKeloVersionResource::ClearVersionInfo() {
  for (const Texteintrag &e : Texteintraege) (VersionInfo_->*e.setzen)(QString());
  VersionInfo_->setFileVersion(QString());
  VersionInfo_->setFileOS(QString());
  VersionInfo_->setFileType(QString());
  VersionInfo_->setFileSubType(QString());
}

void TKeloVersionResource::RefreshVersionInfo() {
  ClearVersionInfo();
  const QByteArray name = FileName_.toLocal8Bit();
  plattform::DWORD handle = 0;
  const plattform::DWORD groesse = plattform::GetFileVersionInfoSizeA(name.constData(), &handle);
  if (groesse == 0) return;
  std::vector<char> block(groesse);
  if (plattform::GetFileVersionInfoA(name.constData(), handle, groesse, block.data())) ParseVersionBlock(block.data());
}

void TKeloVersionResource::ParseVersionBlock(const void *block) {
  void *wert = nullptr;
  plattform::UINT laenge = 0;
  if (!plattform::VerQueryValueA(block, "\\", &wert, &laenge) || laenge < sizeof(ver::FesteDateiInfo)) return;
  ver::FesteDateiInfo fest;
  std::memcpy(&fest, wert, sizeof fest);
  // A root without the fixed part's signature is no version resource; its numbers would be noise.
  if (fest.dwSignature != ver::SignaturFesterTeil) return;

  VersionInfo_->setFileVersion(VersionText(fest.dwFileVersionMS, fest.dwFileVersionLS));
  VersionInfo_->setProductVersion(VersionText(fest.dwProductVersionMS, fest.dwProductVersionLS));
  VersionInfo_->setFileOS(BetriebssystemText(fest.dwFileOS));
  VersionInfo_->setFileType(DateitypText(fest.dwFileType));
  if (fest.dwFileType == 3) VersionInfo_->setFileSubType(TreiberUntertypText(fest.dwFileSubtype));
  if (fest.dwFileType == 4) VersionInfo_->setFileSubType(SchriftUntertypText(fest.dwFileSubtype));

  const QString praefix = QStringLiteral("\\StringFileInfo\\%1%2\\")
                              .arg(LanguageIdOf(Language_), 4, 16, QLatin1Char('0'))
                              .arg(CodePageOf(CharacterSet_), 4, 16, QLatin1Char('0'))
                              .toUpper();
  for (const Texteintrag &e : Texteintraege) {
    const QByteArray pfad = (praefix + QLatin1String(e.schluessel)).toLocal8Bit();
    if (plattform::VerQueryValueA(block, pfad.constData(), &wert, &laenge)) {
      const char *text = static_cast<const char *>(wert);
      (VersionInfo_->*e.setzen)(QString::fromLocal8Bit(text, static_cast<qsizetype>(strnlen(text, laenge))));
    }
  }
}

std::uint16_t TKeloVersionResource::LanguageIdOf(TLanguage sprache) {
  static constexpr std::uint16_t weitere[] = {0x0804, 0x0807, 0x0809, 0x080A, 0x080C, 0x0810,
                                              0x0813, 0x0814, 0x0816, 0x081A, 0x0C0C, 0x100C};
  if (sprache <= lnBahasa) return static_cast<std::uint16_t>(0x0401 + sprache);
  if (sprache <= lnSwissFrench) return weitere[sprache - lnSimplifiedChinese];
  throw GleitkommaFehler("");
}

std::uint16_t TKeloVersionResource::CodePageOf(TCharacterSet zeichensatz) {
  static constexpr std::uint16_t seiten[] = {0, 932, 949, 950, 1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256};
  if (zeichensatz < std::size(seiten)) return seiten[zeichensatz];
  throw GleitkommaFehler("");
}

} // namespace kwt
