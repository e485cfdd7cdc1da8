#pragma once
// The one report window that jobs share to show their findings: a read-only text box filling the
// window, lines kept as they are (no wrapping) so that columns and paths stay readable.
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace ovb {

class TFormReport : public QDialog {
    Q_OBJECT
  public:
    explicit TFormReport(QWidget* parent = nullptr);

    // Replaces the caption and the whole text.
    void setReport(const QString& caption, const QStringList& lines);

    QPlainTextEdit* textBox() const { return textBox_; }

  private:
    QPlainTextEdit* textBox_;
};

} // namespace ovb
