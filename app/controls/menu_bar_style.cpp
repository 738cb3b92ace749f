#include "menu_bar_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace markwell {

namespace {

constexpr int kGap = 3;  // between picture and caption

}  // namespace

MenuBarStyle::MenuBarStyle() : QProxyStyle(QApplication::style()->name()) {}

void MenuBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuBarItem || item == nullptr || item->icon.isNull()) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  // The style draws the item's frame and highlight without picture and caption.
  QStyleOptionMenuItem frame = *item;
  frame.icon = QIcon();
  frame.text.clear();
  QProxyStyle::drawControl(element, &frame, painter, widget);

  const int extent = pixelMetric(PM_SmallIconSize, option, widget);
  const int textWidth = item->fontMetrics.horizontalAdvance(QString(item->text).remove('&'));
  const int left = item->rect.center().x() - (extent + kGap + textWidth) / 2 + 1;
  const QRect iconRect(left, item->rect.center().y() - extent / 2, extent, extent);
  const bool enabled = (item->state & State_Enabled) != 0;
  const QPixmap picture =
      item->icon.pixmap(QSize(extent, extent), painter->device()->devicePixelRatio(),
                        enabled ? QIcon::Normal : QIcon::Disabled);
  painter->drawPixmap(iconRect, picture);

  int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip |
              Qt::TextSingleLine;
  if (!styleHint(SH_UnderlineShortcut, option, widget)) flags |= Qt::TextHideMnemonic;
  const QRect textRect(iconRect.right() + 1 + kGap, item->rect.top(), textWidth + 2,
                       item->rect.height());
  const bool highlighted = (item->state & State_Selected) != 0 && (item->state & State_Sunken) != 0;
  drawItemText(painter, textRect, flags, item->palette, enabled, item->text,
               highlighted ? QPalette::HighlightedText : QPalette::ButtonText);
}

QSize MenuBarStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuBarItem || item == nullptr || item->icon.isNull()) {
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }
  // Qt measured the picture alone; add the caption.
  const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
  const QSize both(size.width() + kGap + text.width(), std::max(size.height(), text.height()));
  return QProxyStyle::sizeFromContents(type, option, both, widget);
}

}  // namespace markwell
