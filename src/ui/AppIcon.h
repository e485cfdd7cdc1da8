#pragma once
// The program's icon, drawn like the start screen's picture: the window shows it, and the build
// renders it into the icon theme files that the desktop shows.
#include <QIcon>
#include <QImage>

#include <array>

namespace ovb {

// The sizes the icon theme and the window get.
inline constexpr std::array kAppIconSizes{16, 22, 24, 32, 48, 64, 128, 256, 512};

QImage AppIconImage(int size);
QIcon AppIcon();

} // namespace ovb
