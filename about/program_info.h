// The program's identity: name, version, the maker's details and the two
// registry key names, kept by the main window and shown in the About dialog.
#pragma once

#include <QPixmap>
#include <QString>

#include <optional>

namespace markwell {

// Language of the edition; it decides the suffix of the version line.
enum class TJazyk { CZ = 0, EN = 1, DE = 2, SK = 3 };

class ProgramInfo {
 public:
  const QString& Autor() const { return autor_; }
  void SetAutor(const QString& value) { autor_ = value; }

  const QString& Spolecnost() const { return spolecnost_; }
  void SetSpolecnost(const QString& value) { spolecnost_ = value; }

  const QString& Aplikace() const { return aplikace_; }
  // While the same-name switch is on, the application's key name follows.
  void SetAplikace(const QString& value);

  const QString& Verze() const { return verze_; }
  void SetVerze(const QString& value) { verze_ = value; }

  const QString& Datum() const { return datum_; }
  void SetDatum(const QString& value) { datum_ = value; }

  TJazyk Jazyk() const { return jazyk_; }
  void SetJazyk(TJazyk value) { jazyk_ = value; }

  const QString& Mail() const { return mail_; }
  void SetMail(const QString& value) { mail_ = value; }

  // Without the scheme: the dialog shows "http://" in front of it.
  const QString& Http() const { return http_; }
  void SetHttp(const QString& value) { http_ = value; }

  const QString& Copyright() const { return copyright_; }
  void SetCopyright(const QString& value) { copyright_ = value; }

  const QString& RegHlavniKlic() const { return regHlavniKlic_; }
  void SetRegHlavniKlic(const QString& value) { regHlavniKlic_ = value; }

  // Stored as written; the next SetAplikace overrides it while the switch is on.
  const QString& RegKlicAplikace() const { return regKlicAplikace_; }
  void SetRegKlicAplikace(const QString& value) { regKlicAplikace_ = value; }

  bool StejnyRegNazev() const { return stejnyRegNazev_; }
  // Switching on copies the current Aplikace at once; switching off keeps the key name.
  void SetStejnyRegNazev(bool value);

  const QString& Kolegove() const { return kolegove_; }
  void SetKolegove(const QString& value) { kolegove_ = value; }

  // The small picture of the dialog; a null pixmap counts as none.
  const std::optional<QPixmap>& Picture() const { return picture_; }
  void SetPicture(std::optional<QPixmap> value);

  // Verze, two blanks, Datum and the language suffix (" Cz", " En", " De", " Sk").
  QString VersionLine() const;

  // Shows the About dialog with these values; returns when it has been closed.
  void ShowAbout() const;

 private:
  QString autor_;
  QString spolecnost_;
  QString aplikace_;
  QString verze_;
  QString datum_;
  TJazyk jazyk_ = TJazyk::CZ;
  QString mail_;
  QString http_;
  QString copyright_;
  QString regHlavniKlic_;
  QString regKlicAplikace_;
  bool stejnyRegNazev_ = false;
  QString kolegove_;
  std::optional<QPixmap> picture_;
};

// Writes Markwell's own identity into `info`, property by property in the
// order of the component, so the key-name rules apply as they do on loading.
void ApplyMarkwellIdentity(ProgramInfo& info);

}  // namespace markwell
