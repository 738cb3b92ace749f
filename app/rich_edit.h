// The editor's text widget. Its own copy, cut, paste and drag and drop
// (keyboard, context menu, mouse) go through the window's clipboard code, so
// that they carry RTF as the menu commands do.
#pragma once

#include <QMimeData>
#include <QTextEdit>
#include <functional>
#include <memory>

namespace markwell {

class RichEdit : public QTextEdit {
  Q_OBJECT

 public:
  using MakeMimeData = std::function<std::unique_ptr<QMimeData>()>;
  using InsertMimeData = std::function<void(const QMimeData&)>;

  explicit RichEdit(QWidget* parent = nullptr);

  void SetClipboardHandlers(MakeMimeData make, InsertMimeData insert);

 protected:
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  MakeMimeData make_;
  InsertMimeData insert_;
};

// The names RTF goes by on the clipboard, the preferred first.
const QStringList& RtfMimeTypes();

}  // namespace markwell
