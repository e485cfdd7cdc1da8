#pragma once
// Places a window before it is shown, always wholly inside the available area of one screen (made
// smaller first when it would not fit).
class QWidget;

namespace ovb {

// Centred over the window it belongs to when that one is on screen, else in the middle of the
// screen.
void CentreWindow(QWidget& window);
// Where it is, moved only as far as needed to lie wholly on the screen that holds most of it.
void KeepOnScreen(QWidget& window);

} // namespace ovb
