// Tools > "Conform WAV files to 48 kHz / 16-bit...": the bank's sample files made playable by
// the module, with the paths moved to the new files only when the user agrees.
#include "audio/Wav_trim.h"
#include "tools/Conform.h"
#include "ui/CommandWiring.h"
#include "ui/ConformDialog.h"
#include "ui/Mainform.h"

namespace ovb {

void WireConformCommands(TForm1& form) {
    Activate(form, Command::ConformWavFiles, [&form] {
        std::optional<ConformOptions> options = ConformDestinationHook()(&form);
        if (!options) return;
        ConformSession s = ConformWavFiles(SlotPaths(UsedSlots(form.bank())), *options,
                                           &form.bank(), true, form.jobs());
        if (s.slotsUpdated) form.RefreshViews(refresh::All);
    });
}

} // namespace ovb
