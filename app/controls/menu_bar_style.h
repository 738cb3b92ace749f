// Menu bar entries with a picture show the picture and the caption side by
// side; Qt's own styles draw the picture alone.
#pragma once

#include <QProxyStyle>

namespace markwell {

class MenuBarStyle : public QProxyStyle {
  Q_OBJECT

 public:
  MenuBarStyle();

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
};

}  // namespace markwell
