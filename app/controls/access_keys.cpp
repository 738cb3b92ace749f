#include "access_keys.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <optional>

namespace markwell {

namespace {

bool IsKeyCharacter(QChar c) {
  const char16_t u = c.toUpper().unicode();
  return (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

std::optional<qsizetype> ChooseKey(const QString& caption, const QSet<QChar>& used) {
  auto free = [&](qsizetype i) {
    return IsKeyCharacter(caption[i]) && !used.contains(caption[i].toUpper());
  };
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const bool wordStart = i == 0 || !caption[i - 1].isLetterOrNumber();
    if (wordStart && free(i)) return i;
  }
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (free(i)) return i;
  }
  return std::nullopt;
}

}  // namespace

QStringList WithAccessKeys(const QStringList& captions) {
  QSet<QChar> used;
  QStringList result;
  for (const QString& caption : captions) {
    const std::optional<qsizetype> key = ChooseKey(caption, used);
    QString marked;
    for (qsizetype i = 0; i < caption.size(); ++i) {
      if (key == i) marked += QLatin1Char('&');
      marked += caption[i];
      if (caption[i] == QLatin1Char('&')) marked += QLatin1Char('&');
    }
    if (key) used.insert(caption[*key].toUpper());
    result << marked;
  }
  return result;
}

QChar AccessKeyOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toUpper();
    ++i;  // a literal "&"
  }
  return {};
}

void AssignAccessKeys(QWidget& menu) {
  QList<QAction*> entries;
  QStringList captions;
  for (QAction* action : menu.actions()) {
    if (action->isSeparator()) continue;
    entries << action;
    captions << action->text();
  }
  const QStringList marked = WithAccessKeys(captions);
  for (qsizetype i = 0; i < entries.size(); ++i) {
    entries[i]->setText(marked[i]);
    if (QMenu* submenu = entries[i]->menu()) AssignAccessKeys(*submenu);
  }
}

}  // namespace markwell
