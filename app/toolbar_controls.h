// Toolbar pieces that Qt has no exact widget for: a toggle button that acts
// as a click whoever toggles it (the mouse, the keyboard or a screen reader),
// and a fixed-width separator that assistive technology sees as one.
#pragma once

#include <QFrame>
#include <QToolButton>

class QComboBox;

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

// Lets the accessibility interface see the two classes above for what they
// are. Safe to call more than once.
void InstallToolBarAccessibility();

// The mouse wheel over `box` picks entries only while `box` has the keyboard
// focus; the wheel never gives it the focus.
void WheelPicksOnlyWhenFocused(QComboBox& box);

}  // namespace markwell
