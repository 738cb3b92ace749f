#include "toolbar_controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>

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

QAccessibleInterface* ToolBarInterface(const QString& className, QObject* object) {
  if (className == QLatin1String(ToolBarToggle::staticMetaObject.className())) {
    return new ToggleAccessible(static_cast<ToolBarToggle*>(object));  // owned by Qt's cache
  }
  if (className == QLatin1String(ToolBarSeparator::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
  }
  return nullptr;
}

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

void InstallToolBarAccessibility() {
  static const bool installed = (QAccessible::installFactory(&ToolBarInterface), true);
  static_cast<void>(installed);
}

void WheelPicksOnlyWhenFocused(QComboBox& box) {
  box.setFocusPolicy(Qt::StrongFocus);
  box.installEventFilter(new WheelNeedsFocus(&box));
}

}  // namespace markwell
