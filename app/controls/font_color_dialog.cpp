#include "font_color_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QValidator>
#include <limits>

namespace markwell {

namespace {

struct NamedColor {
  const char* name;
  QColor color;
};

// The sixteen colours of the classic font dialog, automatic first.
const NamedColor kColors[] = {
    {"Automatická", QColor()},           {"Černá", QColor(0, 0, 0)},
    {"Hnědočervená", QColor(128, 0, 0)}, {"Zelená", QColor(0, 128, 0)},
    {"Olivová", QColor(128, 128, 0)},    {"Námořnická modř", QColor(0, 0, 128)},
    {"Nachová", QColor(128, 0, 128)},    {"Modrozelená", QColor(0, 128, 128)},
    {"Šedá", QColor(128, 128, 128)},     {"Stříbrná", QColor(192, 192, 192)},
    {"Červená", QColor(255, 0, 0)},      {"Limetková", QColor(0, 255, 0)},
    {"Žlutá", QColor(255, 255, 0)},      {"Modrá", QColor(0, 0, 255)},
    {"Fuchsiová", QColor(255, 0, 255)},  {"Azurová", QColor(0, 255, 255)},
    {"Bílá", QColor(255, 255, 255)},
};

// The face of `family` in `like`'s weight and slant (italic or oblique)
// with the plainest name, as "Book" before "Condensed"; none when the family
// has no such face.
QString FaceLike(const QString& family, const QFont& like) {
  QString best;
  for (const QString& style : QFontDatabase::styles(family)) {
    const QFont face = QFontDatabase::font(family, style, like.pointSize());
    if (face.weight() != like.weight() || face.italic() != like.italic()) continue;
    if (best.isEmpty() || style.size() < best.size()) best = style;
  }
  return best;
}

QIcon Swatch(const QColor& color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(Qt::gray);
  painter.setBrush(color.isValid() ? QBrush(color) : QBrush(Qt::black, Qt::BDiagPattern));
  painter.drawRect(0, 0, 15, 11);
  return QIcon(pixmap);
}

}  // namespace

FontColorDialog::FontColorDialog(QWidget* parent) : QFontDialog(parent), colors_(nullptr) {
  // The colour goes into the dialog's own effects box: Qt's dialog, not the desktop's.
  setOption(QFontDialog::DontUseNativeDialog);
  colors_ = new QComboBox(this);
  for (const NamedColor& entry : kColors) {
    colors_->addItem(Swatch(entry.color), QString::fromUtf8(entry.name), entry.color);
  }
  QWidget* effects = nullptr;
  for (QGroupBox* box : findChildren<QGroupBox*>()) {
    if (!box->findChildren<QCheckBox*>().isEmpty()) effects = box;
    if (sample_ == nullptr) sample_ = box->findChild<QLineEdit*>();
  }
  // The size field takes any size the fonts can be made in, not only 1 to 512.
  for (QLineEdit* field : findChildren<QLineEdit*>()) {
    if (qobject_cast<const QIntValidator*>(field->validator()) != nullptr) {
      field->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), field));
    }
  }
  auto* label = new QLabel(QStringLiteral("&Barva:"), this);
  label->setBuddy(colors_);
  if (effects != nullptr && effects->layout() != nullptr) {
    effects->layout()->addWidget(label);
    effects->layout()->addWidget(colors_);
  } else if (layout() != nullptr) {
    layout()->addWidget(label);
    layout()->addWidget(colors_);
  }
  connect(colors_, &QComboBox::currentIndexChanged, this, &FontColorDialog::ShowColorInSample);
  // Queued: the dialog is not to be set again from within its own lists' signals.
  connect(this, &QFontDialog::currentFontChanged, this, &FontColorDialog::KeepWeightAndSlant,
          Qt::QueuedConnection);
}

void FontColorDialog::OpenOn(const QFont& font) {
  const QFontInfo drawn(font);
  QFont shown = font;
  shown.setFamilies({drawn.family()});
  shown.setStyleName(drawn.styleName());
  current_ = chosen_ = shown;
  setCurrentFont(shown);
  askedFamily_ = font.families().value(0, font.family());
  shownFamily_ = drawn.family();
}

QFont FontColorDialog::ChosenFont() const {
  QFont chosen = selectedFont();
  if (chosen.family() == shownFamily_) chosen.setFamilies({askedFamily_});
  return chosen;
}

void FontColorDialog::KeepWeightAndSlant(const QFont& font) {
  const bool sameFamily = font.family() == current_.family();
  current_ = font;
  // A style, a size or an effect picked: what is chosen from here on.
  if (sameFamily) {
    chosen_ = font;
    return;
  }
  if (font != currentFont()) return;  // the user has moved on since
  if (font.weight() == chosen_.weight() && font.italic() == chosen_.italic()) return;
  const QString face = FaceLike(font.family(), chosen_);
  if (face.isEmpty()) return;
  QFont kept = QFontDatabase::font(font.family(), face, font.pointSize());
  kept.setUnderline(font.underline());
  kept.setStrikeOut(font.strikeOut());
  setCurrentFont(kept);
}

void FontColorDialog::SetColor(const QColor& color) {
  for (int i = 0; i < colors_->count(); ++i) {
    const QColor entry = colors_->itemData(i).value<QColor>();
    if (entry.isValid() == color.isValid() && (!color.isValid() || entry.rgb() == color.rgb())) {
      colors_->setCurrentIndex(i);
      return;
    }
  }
  colors_->addItem(Swatch(color), QStringLiteral("Vlastní"), color);
  colors_->setCurrentIndex(colors_->count() - 1);
}

QColor FontColorDialog::TextColor() const {
  return colors_->currentData().value<QColor>();
}

void FontColorDialog::ShowColorInSample() {
  if (sample_ == nullptr) return;
  QPalette palette = sample_->palette();
  const QColor color = TextColor();
  palette.setColor(QPalette::Text, color.isValid() ? color : this->palette().color(QPalette::Text));
  sample_->setPalette(palette);
}

}  // namespace markwell
