// Toolbar pieces that Qt has no exact widget for: a toggle button that acts
// as a click whoever toggles it (the mouse, the keyboard or a screen reader),
// a fixed-width separator that assistive technology sees as one, and a combo
// box that a screen reader knows by its name.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QStyle>
#include <QToolButton>
#include <memory>

namespace markwell {

class ToolBarToggle : public QToolButton {
  Q_OBJECT

 public:
  explicit ToolBarToggle(QWidget* parent = nullptr);
};

class ToolBarSeparator : public QFrame {
  Q_OBJECT

 public:
  ToolBarSeparator(int width, int height, QWidget* parent = nullptr);
};

// On Linux Qt gives a combo box its current entry for a name, and expects a
// label beside it to say what it is; the toolbar has no labels. This one is
// known by its accessible name, its entry being its value.
class ToolBarComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ToolBarComboBox(QWidget* parent = nullptr);
};

// Lets the accessibility interface see the three classes above for what they
// are. Safe to call more than once.
void InstallToolBarAccessibility();

// The platform's style with a narrower drop-down arrow for combo boxes, so
// that captions such as "Assembler" fit the narrow combo boxes of the
// toolbar in the window font. It must outlive the widgets that use it.
std::unique_ptr<QStyle> MakeCompactComboStyle();

// The mouse wheel over `box` picks entries only while `box` has the keyboard
// focus; the wheel never gives it the focus.
void WheelPicksOnlyWhenFocused(QComboBox& box);

}  // namespace markwell
