#pragma once
// Places a window before it is shown: over the middle of the window it belongs to when that one is
// on screen, otherwise in the middle of the screen.
class QWidget;

namespace ovb {

void CentreWindow(QWidget& window);

} // namespace ovb
