#pragma once
// The one progress window that long jobs share: a gauge, a main text, a detail text and, when the
// job can be stopped, a Cancel button. It is not modal: the job runs in the same thread and lets
// the window repaint between its steps.
#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ovb {

class TProgressForm : public QWidget {
    Q_OBJECT
  public:
    // kind: 'r' reading, 'w' writing, anything else other work; it only picks the gauge colour.
    // cancel: the job's flag, set to true when the user presses Cancel; null hides the button.
    TProgressForm(char kind, bool* cancel, QWidget* parent = nullptr);

    // The texts are kept at once and shown by showTexts(), which the job services call when they
    // paint the window: a job may set them thousands of times a second.
    void setPercent(unsigned percent); // clamped to 100
    void setText(const QString& text);
    void setDetail(const QString& text);
    void showTexts();

    char kind() const { return kind_; }
    QString text() const { return text_; }
    QString detail() const { return detail_; }
    QProgressBar* gauge() const { return gauge_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    static QColor GaugeColour(char kind);

  protected:
    // There is no close box; closing the window by a key would leave the job without a window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void showElided(QLabel* label, const QString& text);

    char kind_;
    bool* cancel_;
    QString text_;
    QString detail_;
    bool textsShown_ = false;
    QProgressBar* gauge_;
    QLabel* textLabel_;
    QLabel* detailLabel_;
    QPushButton* cancelButton_;
};

} // namespace ovb
