// The version resource reader of the about box.
//
// TKeloVersionResource loads the standard Windows version resource of a file (by default the running
// program), turns its fixed part into text (file and product version, operating system, file type and
// subtype) and reads the string entries of one language and character set into its TVersionInfo. It
// reads again whenever FileName, Language or CharacterSet is set, even to the value it already has,
// and then emits OnChange. A file without a version resource, or a broken one, leaves the strings empty.
//
// On Windows the reading goes through the system's version functions; elsewhere through the same
// functions of versionsressource/VersionsRessource.h, which find the resource in Windows programs and
// in the program's own ELF executable.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

namespace kwt {

// The strings read from a version resource; all empty after creation and after every clearing.
// The properties are not stored with a form, only read.
class TVersionInfo : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Comment READ Comment WRITE setComment STORED false)
  Q_PROPERTY(QString CompanyName READ CompanyName WRITE setCompanyName STORED false)
  Q_PROPERTY(QString FileDescription READ FileDescription WRITE setFileDescription STORED false)
  Q_PROPERTY(QString FileVersion READ FileVersion WRITE setFileVersion STORED false)
  Q_PROPERTY(QString InternalName READ InternalName WRITE setInternalName STORED false)
  Q_PROPERTY(QString LegalCopyright READ LegalCopyright WRITE setLegalCopyright STORED false)
  Q_PROPERTY(QString LegalTradeMarks READ LegalTradeMarks WRITE setLegalTradeMarks STORED false)
  Q_PROPERTY(QString OriginalFileName READ OriginalFileName WRITE setOriginalFileName STORED false)
  Q_PROPERTY(QString PrivateBuild READ PrivateBuild WRITE setPrivateBuild STORED false)
  Q_PROPERTY(QString ProductName READ ProductName WRITE setProductName STORED false)
  Q_PROPERTY(QString ProductVersion READ ProductVersion WRITE setProductVersion STORED false)
  Q_PROPERTY(QString SpecialBuild READ SpecialBuild WRITE setSpecialBuild STORED false)
  Q_PROPERTY(QString FileOS READ FileOS WRITE setFileOS STORED false)
  Q_PROPERTY(QString FileType READ FileType WRITE setFileType STORED false)
  Q_PROPERTY(QString FileSubType READ FileSubType WRITE setFileSubType STORED false)

public:
  explicit TVersionInfo(QObject *parent = nullptr) : QObject(parent) {}

  QString Comment() const { return Comment_; }
  QString CompanyName() const { return CompanyName_; }
  QString FileDescription() const { return FileDescription_; }
  QString FileVersion() const { return FileVersion_; }
  QString InternalName() const { return InternalName_; }
  QString LegalCopyright() const { return LegalCopyright_; }
  QString LegalTradeMarks() const { return LegalTradeMarks_; }
  QString OriginalFileName() const { return OriginalFileName_; }
  QString PrivateBuild() const { return PrivateBuild_; }
  QString ProductName() const { return ProductName_; }
  QString ProductVersion() const { return ProductVersion_; }
  QString SpecialBuild() const { return SpecialBuild_; }
  QString FileOS() const { return FileOS_; }
  QString FileType() const { return FileType_; }
  QString FileSubType() const { return FileSubType_; }

  void setComment(const QString &s) { Comment_ = s; }
  void setCompanyName(const QString &s) { CompanyName_ = s; }
  void setFileDescription(const QString &s) { FileDescription_ = s; }
  void setFileVersion(const QString &s) { FileVersion_ = s; }
  void setInternalName(const QString &s) { InternalName_ = s; }
  void setLegalCopyright(const QString &s) { LegalCopyright_ = s; }
  void setLegalTradeMarks(const QString &s) { LegalTradeMarks_ = s; }
  void setOriginalFileName(const QString &s) { OriginalFileName_ = s; }
  void setPrivateBuild(const QString &s) { PrivateBuild_ = s; }
  void setProductName(const QString &s) { ProductName_ = s; }
  void setProductVersion(const QString &s) { ProductVersion_ = s; }
  void setSpecialBuild(const QString &s) { SpecialBuild_ = s; }
  void setFileOS(const QString &s) { FileOS_ = s; }
  void setFileType(const QString &s) { FileType_ = s; }
  void setFileSubType(const QString &s) { FileSubType_ = s; }

private:
  QString Comment_, CompanyName_, FileDescription_, FileVersion_, InternalName_, LegalCopyright_,
      LegalTradeMarks_, OriginalFileName_, PrivateBuild_, ProductName_, ProductVersion_, SpecialBuild_, FileOS_,
      FileType_, FileSubType_;
};

class TKeloVersionResource : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
  Q_PROPERTY(TLanguage Language READ Language WRITE setLanguage)
  Q_PROPERTY(TCharacterSet CharacterSet READ CharacterSet WRITE setCharacterSet)
  Q_PROPERTY(kwt::TVersionInfo *VersionInfo READ VersionInfo CONSTANT)

public:
  // The languages of the string tables, each a Windows language identifier (LanguageIdOf).
  enum TLanguage : std::uint8_t {
    lnArabic, lnBulgarian, lnCatalan, lnTraditionalChinese, lnCzech, lnDanish, lnGerman, lnGreek, lnUSEnglish,
    lnCastilianSpanish, lnFinnish, lnFrench, lnHebrew, lnHungarian, lnIcelandic, lnItalian, lnJapanese, lnKorean,
    lnDutch, lnNorwegianBokmal, lnPolish, lnBrazilianPortuguese, lnRhaetoRomanic, lnRomanian, lnRussian,
    lnCroatoSerbian, lnSlovak, lnAlbanian, lnSwedish, lnThai, lnTurkish, lnUrdu, lnBahasa, lnSimplifiedChinese,
    lnSwissGerman, lnUKEnglish, lnMexicanSpanish, lnBelgianFrench, lnSwissItalian, lnBelgianDutch,
    lnNorwegianNynorsk, lnPortuguese, lnSerboCroatian, lnCanadianFrench, lnSwissFrench
  };
  Q_ENUM(TLanguage)

  // The character sets of the string tables, each a Windows code page (CodePageOf).
  enum TCharacterSet : std::uint8_t {
    csASCII, csJapan, csKorea, csTaiwan, csUnicode, csLatin2, csCyrillic, csMultilingual, csGreek, csTurkish,
    csHebrew, csArabic
  };
  Q_ENUM(TCharacterSet)

  // Reads the running program's resource with lnUSEnglish and csMultilingual; emits no OnChange.
  explicit TKeloVersionResource(QObject *owner = nullptr);
  ~TKeloVersionResource() override;

  QString FileName() const { return FileName_; }
  TLanguage Language() const { return Language_; }
  TCharacterSet CharacterSet() const { return CharacterSet_; }
  TVersionInfo *VersionInfo() const { return VersionInfo_; }

  // Each stores the value, reads the strings again and emits OnChange. LanguageIdOf and CodePageOf
  // throw GleitkommaFehler with an empty message for a value outside the enumerations; the strings are
  // then empty.
  void setFileName(const QString &name);
  void setLanguage(TLanguage sprache);
  void setCharacterSet(TCharacterSet zeichensatz);

  // Whether FileName differs from the running program's path: only then is it worth keeping with the
  // settings of a form (Qt 6 takes no function for a property's STORED).
  bool FileNameGespeichert() const { return FileNameAbweichend_; }

signals:
  void OnChange(kwt::TKeloVersionResource *Sender);

private:
  void RefreshVersionInfo();
  void ClearVersionInfo();
  void ParseVersionBlock(const void *block);
  static std::uint16_t LanguageIdOf(TLanguage sprache);
  static std::uint16_t CodePageOf(TCharacterSet zeichensatz);

  QString FileName_;
  bool FileNameAbweichend_ = false;
  TLanguage Language_ = lnUSEnglish;
  TCharacterSet CharacterSet_ = csMultilingual;
  TVersionInfo *VersionInfo_;
};

using TLanguage = TKeloVersionResource::TLanguage;
using TCharacterSet = TKeloVersionResource::TCharacterSet;

// The texts of the fixed part: operating system, file type, and the subtypes of drivers and fonts.
// Values without a text give "Unknown".
QString BetriebssystemText(std::uint32_t dwFileOS);
QString DateitypText(std::uint32_t dwFileType);
QString TreiberUntertypText(std::uint32_t dwFileSubtype);
QString SchriftUntertypText(std::uint32_t dwFileSubtype);

} // namespace kwt
