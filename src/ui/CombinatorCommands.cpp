// Assistants > Open Bank Combinator Assistant...: a new assistant window for each use, centred on
// the main window, shown modally and gone when closed. Its file dialog is the main window's.
#include "assistants/BankCombinatorForm.h"
#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "uibase/CentreWindow.h"

namespace ovb {

void WireCombinatorCommands(TForm1& form) {
    Activate(form, Command::OpenCombinator, [&form] {
        BankCombinatorForm assistant(form, &form);
        assistant.fileDialog = form.fileDialog;
        CentreWindow(assistant);
        assistant.exec();
    });
}

} // namespace ovb
