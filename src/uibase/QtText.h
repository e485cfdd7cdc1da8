#pragma once
// Texts from the core reach the windows as bytes: captions and messages are UTF-8, but paths
// stored in banks were written by Windows in its 8-bit code page. Both must show readably.
#include <QString>

#include <string_view>

namespace ovb {

// UTF-8 when the bytes are valid UTF-8, otherwise Latin-1 (one character per byte), so a path
// with an accented letter never turns into replacement characters.
QString ToQString(std::string_view text);

} // namespace ovb
