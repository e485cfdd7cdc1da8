// Which classes make the editor pages of this build: the one place that names them.
#include "ui/BankModels.h"
#include "ui/EditorPages.h"
#include "ui/SectionPages.h"
#include "ui/SoundPage.h"

namespace ovb {

std::unique_ptr<EditorPages> MakeEditorPages(EditorHost& host, QWidget* parent,
                                             const BuildProgress& progress) {
    using Pages =
        EditorPagesOf<BankModels, ScenePage, SoloPage, AcompPage, FbassPage, ChordPage, SoundPage>;
    return std::make_unique<Pages>(host, parent, progress);
}

} // namespace ovb
