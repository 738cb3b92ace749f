// Access keys for the menu: each entry of one menu level gets a letter or
// digit of its own caption that no other entry of that level has.
#pragma once

#include <QList>
#include <QStringList>

class QAction;
class QWidget;

namespace markwell {

// The captions with "&" before the chosen character (a literal "&" is
// doubled). Word beginnings are preferred; a caption without a free letter
// or digit (A to Z, 0 to 9) gets no key.
QStringList WithAccessKeys(const QStringList& captions);

// The key of a caption made by WithAccessKeys, upper-cased; 0 for none.
QChar AccessKeyOf(const QString& caption);

// Gives the entries of `menu` (a menu bar or a menu) their keys, and those of
// every submenu, level by level.
void AssignAccessKeys(QWidget& menu);

}  // namespace markwell
