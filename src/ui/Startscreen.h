#pragma once
// The start screen shown while the main window is built: a picture, the program's name and
// version and a gauge of the start-up steps. It has no frame; a click on the picture closes it.
#include <QWidget>

class QLabel;
class QProgressBar;

namespace ovb {

class TStartScreen : public QWidget {
    Q_OBJECT
  public:
    explicit TStartScreen(QWidget* parent = nullptr);

    void setProgress(int percent);
    QProgressBar* gauge() const { return gauge_; }
    QLabel* picture() const { return picture_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* picture_;
    QProgressBar* gauge_;
};

// The one start screen of the run. Each call lets pending window events run, so that the screen
// paints and a click on it is seen while the main window is being built.
void ShowStartScreen();
void SetStartProgress(int percent);
void HideStartScreen();
TStartScreen* StartScreen(); // null when not shown

// The start screen's picture, drawn rather than loaded so that the program needs no image files.
QPixmap StartPicture(QSize size);

} // namespace ovb
