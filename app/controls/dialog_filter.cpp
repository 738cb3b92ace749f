#include "dialog_filter.h"

#include <QStringList>

namespace markwell {

namespace {

QString AnyCase(const QString& pattern) {
  QString result;
  for (const QChar c : pattern) {
    const QChar lower = c.toLower();
    const QChar upper = c.toUpper();
    if (lower == upper || c.unicode() > 0x7F) {
      result += c;
    } else {
      result += QLatin1Char('[') + lower + upper + QLatin1Char(']');
    }
  }
  return result;
}

}  // namespace

QString QtNameFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(QLatin1Char('|'));
  const QString caption = bar < 0 ? filter : filter.left(bar);
  const QString patterns = bar < 0 ? QString() : filter.mid(bar + 1);
  QStringList converted;
  for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    converted << AnyCase(pattern.trimmed());
  }
  return caption + QStringLiteral(" (") + converted.join(QLatin1Char(' ')) + QLatin1Char(')');
}

}  // namespace markwell
