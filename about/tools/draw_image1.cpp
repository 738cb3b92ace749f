// Draws the About dialog's 69 x 108 picture: a page of source with coloured
// code lines and a marker pen across it. Writes a PNG with a transparent
// background to the path given as the only argument.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

struct CodeLine {
  int indent;  // in pixels from the text margin
  int length;
  QColor color;
};

void DrawPage(QPainter& p) {
  const QRectF page(4.5, 4.5, 50, 74);
  const qreal fold = 11;

  QPainterPath sheet;
  sheet.moveTo(page.topLeft());
  sheet.lineTo(page.right() - fold, page.top());
  sheet.lineTo(page.right(), page.top() + fold);
  sheet.lineTo(page.bottomRight());
  sheet.lineTo(page.bottomLeft());
  sheet.closeSubpath();

  // Soft drop shadow, then the sheet itself.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawPath(sheet.translated(2, 2));
  QLinearGradient paper(page.topLeft(), page.bottomRight());
  paper.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
  paper.setColorAt(1, QColor(0xE8, 0xEE, 0xF4));
  p.setBrush(paper);
  p.setPen(QPen(QColor(0x50, 0x5A, 0x66), 1));
  p.drawPath(sheet);

  // The folded corner.
  QPainterPath corner;
  corner.moveTo(page.right() - fold, page.top());
  corner.lineTo(page.right() - fold, page.top() + fold);
  corner.lineTo(page.right(), page.top() + fold);
  corner.closeSubpath();
  p.setBrush(QColor(0xC8, 0xD2, 0xDE));
  p.drawPath(corner);

  // Code: keywords blue, names dark, strings red, comments green.
  const QColor keyword(0x1E, 0x3C, 0xC8);
  const QColor name(0x30, 0x30, 0x38);
  const QColor text(0xC8, 0x28, 0x28);
  const QColor comment(0x2E, 0x8B, 0x3A);
  const CodeLine lines[][3] = {
      {{0, 14, keyword}, {17, 16, name}, {0, 0, {}}},
      {{0, 10, keyword}, {0, 0, {}}, {0, 0, {}}},
      {{5, 8, name}, {15, 18, text}, {0, 0, {}}},
      {{5, 12, comment}, {19, 14, comment}, {0, 0, {}}},
      {{5, 10, keyword}, {17, 8, name}, {27, 8, keyword}},
      {{10, 9, name}, {21, 13, text}, {0, 0, {}}},
      {{5, 12, keyword}, {0, 0, {}}, {0, 0, {}}},
      {{0, 15, comment}, {17, 18, comment}, {0, 0, {}}},
      {{0, 12, keyword}, {14, 6, name}, {0, 0, {}}},
  };
  const qreal margin = page.left() + 6;
  qreal y = page.top() + 9;
  p.setPen(Qt::NoPen);
  for (const auto& line : lines) {
    for (const CodeLine& run : line) {
      if (run.length == 0) continue;
      p.setBrush(run.color);
      p.drawRoundedRect(QRectF(margin + run.indent, y, run.length, 3), 1.2, 1.2);
    }
    y += 7;
  }
}

void DrawMarker(QPainter& p) {
  // A marker pen lying across the lower right corner of the page.
  p.save();
  p.translate(40, 80);
  p.rotate(-52);

  const QRectF barrel(-30, -6, 44, 12);
  QLinearGradient body(0, barrel.top(), 0, barrel.bottom());
  body.setColorAt(0, QColor(0xFF, 0xE6, 0x5C));
  body.setColorAt(0.45, QColor(0xF5, 0xC8, 0x10));
  body.setColorAt(1, QColor(0xB8, 0x8A, 0x00));
  p.setPen(QPen(QColor(0x6A, 0x50, 0x00), 1));
  p.setBrush(body);
  p.drawRoundedRect(barrel, 3, 3);

  // Cap band and the chisel tip.
  p.setBrush(QColor(0x3A, 0x3A, 0x44));
  p.drawRect(QRectF(barrel.left() + 4, barrel.top(), 5, barrel.height()));
  QPainterPath tip;
  tip.moveTo(barrel.right(), barrel.top() + 2);
  tip.lineTo(barrel.right() + 9, -2.5);
  tip.lineTo(barrel.right() + 9, 2.5);
  tip.lineTo(barrel.right(), barrel.bottom() - 2);
  tip.closeSubpath();
  p.setBrush(QColor(0xE0, 0xE0, 0xE4));
  p.drawPath(tip);
  p.setBrush(QColor(0xF5, 0xC8, 0x10));
  p.drawRect(QRectF(barrel.right() + 8, -2.5, 3, 5));
  p.restore();
}

void DrawStroke(QPainter& p) {
  // The marker's stroke under the last code line, translucent like ink.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xD4, 0x00, 110));
  p.drawRoundedRect(QRectF(9, 60, 39, 6), 2, 2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  QImage image(69, 108, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawPage(p);
    DrawStroke(p);
    DrawMarker(p);
  }
  if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
