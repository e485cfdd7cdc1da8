// Renders the program's icon into an icon theme folder: DIR/hicolor/NxN/apps/NAME.png, one file
// for each size the window uses too.
#include "ui/AppIcon.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ovb-make-icons DIR NAME\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]), name = QString::fromLocal8Bit(argv[2]);
    for (int size : ovb::kAppIconSizes) {
        const QString folder = QString("%1/hicolor/%2x%2/apps").arg(dir).arg(size);
        const QString file = folder + "/" + name + ".png";
        if (!QDir().mkpath(folder) || !ovb::AppIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "ovb-make-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
