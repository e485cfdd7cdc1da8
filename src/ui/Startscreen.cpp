#include "ui/Startscreen.h"

#include "uibase/CentreWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace ovb {

namespace {

QPointer<TStartScreen> g_screen;

QLabel* TextLabel(const QString& text, int pointSize, bool bold, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void LetEventsRun() {
    QCoreApplication::processEvents();
}

} // namespace

TStartScreen::TStartScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle("About");
    setObjectName("StartScreen");
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet("#StartScreen { border: 1px solid #404040; }");

    picture_ = new QLabel(this);
    picture_->setPixmap(StartPicture(QSize(440, 180)));
    picture_->installEventFilter(this);
    gauge_ = new QProgressBar(this);
    gauge_->setRange(0, 100);
    gauge_->setTextVisible(false);
    gauge_->setFixedHeight(12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(picture_);
    layout->addWidget(TextLabel("Zerwintal Orvelanta Sampler", 16, true, this));
    layout->addWidget(TextLabel("Bank Manager", 13, true, this));
    layout->addWidget(TextLabel("Ver: 0.81", 10, false, this));
    layout->addWidget(gauge_);
    setFixedSize(sizeHint());
}

void TStartScreen::setProgress(int percent) {
    gauge_->setValue(std::clamp(percent, 0, 100));
    gauge_->repaint();
}

bool TStartScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseButtonPress) {
        close(); // deleted when the event loop comes back
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ShowStartScreen() {
    if (g_screen) return;
    g_screen = new TStartScreen;
    CentreWindow(*g_screen);
    g_screen->show();
    g_screen->repaint();
    LetEventsRun();
}

void SetStartProgress(int percent) {
    if (!g_screen || !g_screen->isVisible()) return;
    g_screen->setProgress(percent);
    LetEventsRun();
}

void HideStartScreen() {
    if (!g_screen) return;
    g_screen->hide();
    delete g_screen.data();
}

TStartScreen* StartScreen() {
    return g_screen;
}

} // namespace ovb
