// The bank manager's window program. Arguments: --map D:=FOLDER and --codepage NAME, as ovbank
// takes them, and a script or bank file to open, as a path or a file:// URL (the desktop's way).
#include "job/PathSettings.h"
#include "ui/AppIcon.h"
#include "ui/Startup.h"
#include "uibase/GuardedApplication.h"

#include <cstdio>

int main(int argc, char** argv) {
    ovb::GuardedApplication app(argc, argv);
    // The desktop entry's name: the desktop matches the window to its entry and icon by it.
    QGuiApplication::setDesktopFileName("com.zerwintal.OrvelantaBankManager");
    QApplication::setWindowIcon(ovb::AppIcon());
    ovb::StartupOptions options;
    std::vector<std::string> words;
    for (const QString& word : app.arguments().mid(1))
        words.push_back(word.toStdString());
    QStringList rest{app.arguments().value(0)};
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string error;
        if (!ovb::TakePathOption(words, i, options.paths, error)) {
            rest << QString::fromStdString(words[i]);
        } else if (!error.empty()) {
            std::fprintf(stderr, "orvelanta-bank-manager: %s\n", error.c_str());
            return 2;
        }
    }
    options.file = ovb::FileArgument(rest);
    return ovb::RunEditor(app, options);
}
