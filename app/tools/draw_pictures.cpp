// Draws the editor's pictures (pictures/*.png): the 11 toolbar and menu
// pictures of 16 x 16 pixels and the window icon. Run it after changing a
// drawing and keep the PNGs it writes:
//   QT_QPA_PLATFORM=offscreen markwell_draw_pictures app/pictures
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <iostream>

namespace {

const QColor kOutline(64, 64, 64);
const QColor kPaper(255, 255, 255);
const QColor kPaperShade(226, 230, 236);
const QColor kLine(150, 156, 166);

void Page(QPainter& p, QRectF r, bool fold) {
  QPainterPath path;
  const qreal f = fold ? 3 : 0;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - f, r.top());
  path.lineTo(r.right(), r.top() + f);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  QLinearGradient fill(r.topLeft(), r.bottomRight());
  fill.setColorAt(0, kPaper);
  fill.setColorAt(1, kPaperShade);
  p.setPen(QPen(kOutline, 1));
  p.setBrush(fill);
  p.drawPath(path);
  if (fold) {
    QPainterPath corner;
    corner.moveTo(r.right() - f, r.top());
    corner.lineTo(r.right() - f, r.top() + f);
    corner.lineTo(r.right(), r.top() + f);
    p.setBrush(kPaperShade);
    p.drawPath(corner);
  }
}

void TextLines(QPainter& p, QRectF r, int count, qreal step) {
  p.setPen(QPen(kLine, 1));
  for (int i = 0; i < count; ++i) {
    const qreal y = r.top() + i * step;
    const qreal shorten = (i % 2 == 1) ? 2 : 0;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right() - shorten, y));
  }
}

void DrawNew(QPainter& p) {
  Page(p, QRectF(3.5, 1.5, 9, 13), true);
  // a small spark: something new
  p.setPen(QPen(QColor(230, 160, 0), 1));
  p.drawLine(QPointF(2.5, 1), QPointF(2.5, 5));
  p.drawLine(QPointF(0.5, 3), QPointF(4.5, 3));
}

void DrawOpen(QPainter& p) {
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(5.5, 3.5);
  back.lineTo(6.5, 4.5);
  back.lineTo(12.5, 4.5);
  back.lineTo(12.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  p.setPen(QPen(QColor(150, 100, 20), 1));
  p.setBrush(QColor(222, 170, 60));
  p.drawPath(back);
  QPainterPath front;
  front.moveTo(4.0, 7.5);
  front.lineTo(15.0, 7.5);
  front.lineTo(12.5, 13.5);
  front.lineTo(1.5, 13.5);
  front.closeSubpath();
  QLinearGradient fill(QPointF(0, 7), QPointF(0, 14));
  fill.setColorAt(0, QColor(255, 224, 120));
  fill.setColorAt(1, QColor(240, 190, 70));
  p.setBrush(fill);
  p.drawPath(front);
}

void DrawSave(QPainter& p) {
  QPainterPath body;
  body.moveTo(1.5, 1.5);
  body.lineTo(12.5, 1.5);
  body.lineTo(14.5, 3.5);
  body.lineTo(14.5, 14.5);
  body.lineTo(1.5, 14.5);
  body.closeSubpath();
  p.setPen(QPen(QColor(20, 40, 90), 1));
  p.setBrush(QColor(52, 92, 170));
  p.drawPath(body);
  p.setPen(Qt::NoPen);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4, 2, 8, 5));
  p.setPen(QPen(kLine, 1));
  p.drawLine(QPointF(5, 3.5), QPointF(11, 3.5));
  p.drawLine(QPointF(5, 5.5), QPointF(11, 5.5));
  p.setPen(QPen(QColor(120, 126, 136), 1));
  p.setBrush(QColor(200, 204, 210));
  p.drawRect(QRectF(4.5, 9.5, 7, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(52, 92, 170));
  p.drawRect(QRectF(9, 10.5, 1.5, 3));
}

void DrawCut(QPainter& p) {
  p.setPen(QPen(QColor(90, 96, 106), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6.0, 10.0), QPointF(11.0, 1.5));
  p.drawLine(QPointF(10.0, 10.0), QPointF(5.0, 1.5));
  p.setPen(QPen(QColor(180, 30, 30), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(4.5, 12.0), 2.5, 2.5);
  p.drawEllipse(QPointF(11.5, 12.0), 2.5, 2.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kOutline);
  p.drawEllipse(QPointF(8.0, 6.8), 0.9, 0.9);
}

void DrawCopy(QPainter& p) {
  Page(p, QRectF(1.5, 1.5, 8, 10), false);
  TextLines(p, QRectF(3.5, 4.5, 4, 0), 2, 2);
  Page(p, QRectF(6.5, 4.5, 8, 10), false);
  TextLines(p, QRectF(8.5, 7.5, 4, 0), 3, 2);
}

void DrawPaste(QPainter& p) {
  p.setPen(QPen(QColor(100, 66, 30), 1));
  p.setBrush(QColor(186, 132, 72));
  p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
  p.setPen(QPen(kOutline, 1));
  p.setBrush(QColor(200, 204, 210));
  p.drawRect(QRectF(4.5, 1.5, 4, 2));
  Page(p, QRectF(6.5, 5.5, 8, 9), false);
  TextLines(p, QRectF(8.5, 8.5, 4, 0), 3, 2);
}

void DrawEmphasis(QPainter& p) {
  // Lines of code with their keywords set in bold.
  const QColor bold(20, 20, 20);
  struct Line {
    qreal indent, keyword, rest;
  };
  const Line lines[] = {{1, 6, 6}, {3, 4, 7}, {3, 5, 5}, {1, 5, 0}};
  for (int i = 0; i < 4; ++i) {
    const qreal y = 2.5 + i * 3.7;
    p.setPen(QPen(bold, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(lines[i].indent, y), QPointF(lines[i].indent + lines[i].keyword, y));
    if (lines[i].rest > 0) {
      const qreal x = lines[i].indent + lines[i].keyword + 1.5;
      p.setPen(QPen(kLine, 1, Qt::SolidLine, Qt::FlatCap));
      p.drawLine(QPointF(x, y), QPointF(std::min(15.0, x + lines[i].rest), y));
    }
  }
}

void DrawAbout(QPainter& p) {
  QRadialGradient fill(QPointF(6, 5), 9);
  fill.setColorAt(0, QColor(110, 160, 235));
  fill.setColorAt(1, QColor(30, 80, 170));
  p.setPen(QPen(QColor(20, 50, 120), 1));
  p.setBrush(fill);
  p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 4.6), 1.3, 1.3);
  p.drawRect(QRectF(6.9, 6.8, 2.2, 5.6));
}

void DrawLetter(QPainter& p, const QString& letter, bool bold, bool italic) {
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(15);
  font.setBold(bold);
  font.setItalic(italic);
  p.setFont(font);
  p.setPen(QColor(20, 20, 20));
  p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, letter);
}

void DrawBold(QPainter& p) {
  DrawLetter(p, QStringLiteral("B"), true, false);
}
void DrawItalic(QPainter& p) {
  DrawLetter(p, QStringLiteral("I"), false, true);
}

void DrawUseColor(QPainter& p) {
  QPainterPath palette;
  palette.addEllipse(QPointF(8, 8), 7, 6);
  QPainterPath thumb;
  thumb.addEllipse(QPointF(10.5, 10.5), 1.6, 1.4);
  p.setPen(QPen(QColor(120, 90, 50), 1));
  p.setBrush(QColor(236, 210, 160));
  p.drawPath(palette.subtracted(thumb));
  p.setPen(Qt::NoPen);
  const QColor colors[] = {QColor(220, 30, 30), QColor(30, 150, 40), QColor(30, 70, 210),
                           QColor(240, 200, 20)};
  const QPointF spots[] = {{4.5, 7}, {7.5, 4.5}, {11, 5.5}, {5.5, 10.5}};
  for (int i = 0; i < 4; ++i) {
    p.setBrush(colors[i]);
    p.drawEllipse(spots[i], 1.6, 1.6);
  }
}

// The window icon: a page of code in the program's colours.
void DrawWindowIcon(QPainter& p, int size) {
  p.scale(size / 32.0, size / 32.0);
  Page(p, QRectF(5.5, 2.5, 21, 27), true);
  struct Bar {
    qreal x, y, w, h;
    QColor color;
  };
  const Bar bars[] = {
      {8, 8, 7, 2.6, QColor(20, 20, 20)},        {16.5, 8.5, 6, 1.4, kLine},
      {10, 12.5, 5, 2.6, QColor(20, 20, 20)},    {16.5, 13, 5, 1.4, QColor(200, 40, 40)},
      {10, 17, 11, 1.6, QColor(30, 130, 50)},    {8, 21, 6, 2.6, QColor(20, 20, 20)},
      {15.5, 21.5, 7, 1.4, QColor(40, 80, 200)},
  };
  p.setPen(Qt::NoPen);
  for (const Bar& bar : bars) {
    p.setBrush(bar.color);
    p.drawRect(QRectF(bar.x, bar.y, bar.w, bar.h));
  }
}

bool Save(const QDir& dir, const QString& name, int size,
          const std::function<void(QPainter&)>& draw) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw(painter);
  }
  const QString path = dir.filePath(name);
  if (!image.save(path, "PNG")) {
    std::cerr << "cannot write " << path.toStdString() << '\n';
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: markwell_draw_pictures <directory>\n";
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  const std::pair<const char*, void (*)(QPainter&)> pictures[] = {
      {"new.png", DrawNew},           {"open.png", DrawOpen},           {"save.png", DrawSave},
      {"cut.png", DrawCut},           {"copy.png", DrawCopy},           {"paste.png", DrawPaste},
      {"emphasis.png", DrawEmphasis}, {"about.png", DrawAbout},         {"bold.png", DrawBold},
      {"italic.png", DrawItalic},     {"use_colour.png", DrawUseColor},
  };
  bool ok = true;
  for (const auto& [name, draw] : pictures) {
    ok = Save(dir, QString::fromLatin1(name), 16, draw) && ok;
    // A double-size copy for screens at 200 %; QIcon picks "@2x" names itself.
    QString large = QString::fromLatin1(name);
    large.replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
    ok = Save(dir, large, 32,
              [draw](QPainter& p) {
                p.scale(2, 2);
                draw(p);
              }) &&
         ok;
  }
  for (const int size : {16, 32, 48}) {
    ok = Save(dir, QStringLiteral("markwell_%1.png").arg(size), size,
              [size](QPainter& p) { DrawWindowIcon(p, size); }) &&
         ok;
  }
  return ok ? 0 : 1;
}
