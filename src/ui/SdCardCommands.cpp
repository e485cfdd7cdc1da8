// Assistants > Open SD Card Write Assistant...: a new assistant window for each use, centred on
// the main window, shown modally and gone when closed.
#include "assistants/SDCardCopyForm.h"
#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "uibase/CentreWindow.h"

namespace ovb {

void WireSdCardCommands(TForm1& form) {
    Activate(form, Command::OpenSdCard, [&form] {
        SDCardCopyForm assistant(&form);
        CentreWindow(assistant);
        assistant.exec();
    });
}

} // namespace ovb
