// Tools > "Conform WAV files to 48 kHz / 16-bit...": the bank's sample files made playable by
// the module, with the paths moved to the new files only when the user agrees.
#include "audio/Wav_trim.h"
#include "tools/Conform.h"
#include "ui/CommandWiring.h"
#include "ui/ConformDialog.h"
#include "ui/Mainform.h"

#include <QAction>
#include <QMenu>

namespace ovb {

namespace {

constexpr const char* kPlaceAfter = "Remove FIXED number of samples from START of WAV files";

void ConformBankFiles(TForm1& form) {
    std::optional<ConformOptions> options = ConformDestinationHook()(&form);
    if (!options) return;
    ConformSession s = ConformWavFiles(SlotPaths(UsedSlots(form.bank())), *options, &form.bank(),
                                       true, form.jobs());
    if (s.slotsUpdated) form.RefreshViews(refresh::All);
}

} // namespace

void WireConformCommands(TForm1& form) {
    QMenu* tools = FindMenu(form, "&Tools");
    if (!tools) return;
    auto* action = new QAction(kConformMenuCaption, tools);
    QObject::connect(action, &QAction::triggered, &form, [&form] { ConformBankFiles(form); });
    const QList<QAction*> actions = tools->actions();
    qsizetype at = -1;
    for (qsizetype i = 0; i < actions.size(); ++i)
        if (actions[i]->text() == kPlaceAfter) at = i;
    if (at >= 0 && at + 1 < actions.size())
        tools->insertAction(actions[at + 1], action);
    else
        tools->addAction(action);
}

} // namespace ovb
