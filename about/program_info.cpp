#include "program_info.h"

#include <utility>

#include "about_form.h"
#include "markwell_version.h"

namespace markwell {

void ProgramInfo::SetAplikace(const QString& value) {
  aplikace_ = value;
  if (stejnyRegNazev_) regKlicAplikace_ = value;
}

void ProgramInfo::SetStejnyRegNazev(bool value) {
  stejnyRegNazev_ = value;
  if (value) regKlicAplikace_ = aplikace_;
}

void ProgramInfo::SetPicture(std::optional<QPixmap> value) {
  if (value && value->isNull()) value.reset();
  picture_ = std::move(value);
}

QString ProgramInfo::VersionLine() const {
  QString suffix;
  switch (jazyk_) {
    case TJazyk::CZ:
      suffix = QStringLiteral(" Cz");
      break;
    case TJazyk::EN:
      suffix = QStringLiteral(" En");
      break;
    case TJazyk::DE:
      suffix = QStringLiteral(" De");
      break;
    case TJazyk::SK:
      suffix = QStringLiteral(" Sk");
      break;
  }
  return verze_ + QStringLiteral("  ") + datum_ + suffix;
}

void ProgramInfo::ShowAbout() const {
  RunAboutDialog(aplikace_, VersionLine(), autor_, mail_, http_, spolecnost_, copyright_,
                 picture_ ? &*picture_ : nullptr, kolegove_);
}

void ApplyMarkwellIdentity(ProgramInfo& info) {
  info.SetAutor(QStringLiteral("Markwell team"));
  info.SetSpolecnost(QStringLiteral("Markwell"));
  info.SetAplikace(QStringLiteral("Markwell"));
  info.SetVerze(QString::fromLatin1(kVersion));
  info.SetDatum(QStringLiteral("14.3.2005"));
  info.SetJazyk(TJazyk::CZ);
  info.SetMail(QStringLiteral("team@example.org"));
  info.SetHttp(QStringLiteral("www.example.org"));
  info.SetCopyright(QStringLiteral("Copyright © Markwell team"));
  info.SetRegHlavniKlic(QStringLiteral("Markwell"));
  info.SetRegKlicAplikace(QStringLiteral("Markwell"));
  info.SetStejnyRegNazev(true);
  info.SetKolegove(QStringLiteral("Vytvořeno jako studíjní pomůcka"));
}

}  // namespace markwell
