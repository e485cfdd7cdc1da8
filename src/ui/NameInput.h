#pragma once
// What a name or comment of the bank can hold: the bytes of the 8-bit character set the module
// shows (Latin-1). A character outside it would be stored as '?', so editors refuse it as it is
// typed or pasted and say why in the status bar.
#include <QString>

class QLineEdit;

namespace ovb {

// The first character of the text that a name cannot hold, or a null QChar when it holds all.
QChar FirstUnstorable(const QString& text);

// The editor refuses text holding such a character, with a hint in the status bar.
void RefuseUnstorable(QLineEdit& editor);

} // namespace ovb
