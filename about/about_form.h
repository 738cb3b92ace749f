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
  QFrame* Panel1;
  QLabel* Image1;  // the program's own picture
  QLabel* Image2;  // the picture of ProgramInfo, if any
  QLabel* Label2;  // title, drawn under its red shadow Label3
  QLabel* Label3;
  QFrame* Bevel1;
  QFrame* Bevel2;
  QLabel* Label8;
  QLabel* Label9;  // version line
  QLabel* Label6;
  QLabel* Label7;  // author
  QLabel* Label10;
  QLabel* Label11;  // e-mail address
  QLabel* Label12;
  QLabel* Label13;  // web address
  QLabel* Label4;   // company, drawn under its blue shadow Label5
  QLabel* Label5;
  QLineEdit* Edit1;  // note
  QLabel* Label1;    // copyright line
  QPushButton* Button1;

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
