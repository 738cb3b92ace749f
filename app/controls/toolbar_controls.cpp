#include "toolbar_controls.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleOptionComplex>

namespace markwell {

namespace {

// Qt's own interface toggles a checkable button's state without a click, so
// the command behind the button would not run. Here every way of toggling
// it is the click that the mouse would make.
class ToggleAccessible : public QAccessibleWidget {
 public:
  explicit ToggleAccessible(ToolBarToggle* button)
      : QAccessibleWidget(button, QAccessible::CheckBox) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Button()->isChecked();
    state.pressed = Button()->isDown();
    return state;
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << toggleAction();
    return names + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& actionName) override {
    if (!widget()->isEnabled()) return;
    if (actionName == toggleAction() || actionName == pressAction()) {
      Button()->click();
    } else {
      QAccessibleWidget::doAction(actionName);
    }
  }

 private:
  QToolButton* Button() const { return static_cast<QToolButton*>(widget()); }
};

// Qt's own interface of a combo box, but for its name: the list and, when
// the box is editable, its field as children; the entry as its value, and as
// its description too, which is how a screen reader on Linux hears it (Qt
// hands it no other value than a number); and the drop-down list opened and
// closed by its actions.
class ComboAccessible : public QAccessibleWidget {
 public:
  explicit ComboAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  int childCount() const override { return Box()->isEditable() ? 2 : 1; }

  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
    if (index == 1 && Box()->isEditable()) {
      return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    }
    return nullptr;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child->object() == Box()->view()) return 0;
    if (Box()->isEditable() && child->object() == Box()->lineEdit()) return 1;
    return -1;
  }

  // The field of an editable box has the keyboard focus, for its box.
  QAccessibleInterface* focusChild() const override {
    return Box()->isEditable() ? child(1) : nullptr;
  }

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Value || type == QAccessible::Description) {
      return Box()->isEditable() ? Box()->lineEdit()->text() : Box()->currentText();
    }
    return QAccessibleWidget::text(type);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Box()->view()->isVisible();
    state.editable = Box()->isEditable();
    return state;
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

  void doAction(const QString& actionName) override {
    if (actionName != showMenuAction() && actionName != pressAction()) return;
    if (Box()->view()->isVisible()) {
      Box()->hidePopup();
    } else {
      Box()->showPopup();
    }
  }

 private:
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* ToolBarInterface(const QString& className, QObject* object) {
  if (className == QLatin1String(ToolBarToggle::staticMetaObject.className())) {
    return new ToggleAccessible(static_cast<ToolBarToggle*>(object));  // owned by Qt's cache
  }
  if (className == QLatin1String(ToolBarComboBox::staticMetaObject.className())) {
    return new ComboAccessible(static_cast<ToolBarComboBox*>(object));
  }
  if (className == QLatin1String(ToolBarSeparator::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
  }
  return nullptr;
}

// The platform style's combo box, with the arrow that a classic toolbar's
// combo boxes had; the field for the caption takes what the arrow gives up.
class CompactComboStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    const QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox) return rect;
    const QRect whole = option->rect;
    const QRect arrow(whole.right() - kArrowWidth + 1, whole.top(), kArrowWidth, whole.height());
    if (part == SC_ComboBoxArrow) return visualRect(option->direction, whole, arrow);
    if (part == SC_ComboBoxEditField) {
      const QRect field(whole.left() + kFrame, rect.top(), arrow.left() - whole.left() - kFrame,
                        rect.height());
      return visualRect(option->direction, whole, field);
    }
    return rect;
  }

 private:
  static constexpr int kArrowWidth = 14;
  static constexpr int kFrame = 2;
};

class WheelNeedsFocus : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return false;
    if (static_cast<QWidget*>(watched)->hasFocus()) return false;
    event->ignore();
    return true;
  }
};

}  // namespace

ToolBarToggle::ToolBarToggle(QWidget* parent) : QToolButton(parent) {
  setCheckable(true);
}

ToolBarSeparator::ToolBarSeparator(int width, int height, QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::VLine);
  setFrameShadow(QFrame::Sunken);
  setFixedSize(width, height);
}

ToolBarComboBox::ToolBarComboBox(QWidget* parent) : QComboBox(parent) {}

void InstallToolBarAccessibility() {
  static const bool installed = (QAccessible::installFactory(&ToolBarInterface), true);
  static_cast<void>(installed);
}

std::unique_ptr<QStyle> MakeCompactComboStyle() {
  return std::make_unique<CompactComboStyle>(QApplication::style()->name());
}

void WheelPicksOnlyWhenFocused(QComboBox& box) {
  box.setFocusPolicy(Qt::StrongFocus);
  box.installEventFilter(new WheelNeedsFocus(&box));
}

}  // namespace markwell
