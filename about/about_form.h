// The About dialog: the program's name, version line, the maker's details and
// a note, laid out in fixed pixel positions over a silver, raised panel.
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;

namespace markwell {

class TForm10 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm10(QWidget* parent = nullptr);

  // Owned by the dialog through Qt's parent chain. Positions of the panel's
  // contents are relative to the panel.
  QFrame* Panel1 = nullptr;
  QLabel* Image1 = nullptr;  // the program's own picture
  QLabel* Image2 = nullptr;  // the picture of ProgramInfo, if any
  QLabel* Label2 = nullptr;  // title, drawn under its red shadow Label3
  QLabel* Label3 = nullptr;
  QFrame* Bevel1 = nullptr;
  QFrame* Bevel2 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;  // version line
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;  // author
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;  // e-mail address
  QLabel* Label12 = nullptr;
  QLabel* Label13 = nullptr;  // web address
  QLabel* Label4 = nullptr;   // company, drawn under its blue shadow Label5
  QLabel* Label5 = nullptr;
  QLineEdit* Edit1 = nullptr;  // note
  QLabel* Label1 = nullptr;    // copyright line
  QPushButton* Button1 = nullptr;

  void Button1Click();

 protected:
  // No cancel and no default button: Escape leaves the dialog open, and Enter
  // presses the close button only while it has the focus.
  void keyPressEvent(QKeyEvent* event) override;
};

// Shows a fresh, modal About dialog filled with the given texts and picture
// (nullptr for none) and destroys it once it has been closed.
void RunAboutDialog(const QString& application, const QString& versionLine, const QString& author,
                    const QString& mail, const QString& http, const QString& company,
                    const QString& copyright, const QPixmap* picture, const QString& note);

}  // namespace markwell
