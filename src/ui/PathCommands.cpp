// Settings > "Sample Drives and Code Page..." and Tools > "Locate Missing Samples...": how a bank
// made on another computer finds its samples here. A bank just opened that names drives with no
// folder yet says so once in the status bar, with a link to the dialog.
#include "job/PathResolver.h"
#include "tools/Relink.h"
#include "tools/SampleDrives.h"
#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "ui/SampleDrivesDialog.h"
#include "ui/Selectdirectoryform.h"

#include <QFile>
#include <QLabel>
#include <QStatusBar>

namespace ovb {

namespace {

constexpr char kHintName[] = "unmappedDrivesHint";
constexpr char kDrivesCaption[] = "Sample Drives and Code Page";

QLabel* Hint(TForm1& form) {
    return form.findChild<QLabel*>(kHintName);
}

void ShowDrivesHint(TForm1& form) {
    const std::vector<char> drives = UnmappedDrives(form.bank(), CurrentPathSettings());
    QLabel* hint = Hint(form);
    hint->setVisible(!drives.empty());
    if (drives.empty()) return;
    QString names;
    for (char drive : drives)
        names += QString(names.isEmpty() ? "%1:" : ", %1:").arg(QChar(drive));
    hint->setText(QString("The sample paths name %1 %2, with no folder on this computer yet: "
                          "<a href=\"drives\">Sample Drives and Code Page...</a>")
                      .arg(drives.size() == 1 ? "drive" : "drives", names));
}

void ChooseSampleDrives(TForm1& form) {
    SampleDrivesDialog dialog(form.bank(), CurrentPathSettings(), &form);
    if (SampleDrivesRunnerHook()(dialog) != QDialog::Accepted) return;
    const PathSettings chosen = dialog.settings();
    SetPathSettings(chosen);
    std::string error;
    if (!WritePathSettings(PathSettingsFile(), chosen, error))
        form.jobs().message(kDrivesCaption,
                            "The choices hold until the program ends; they could not be kept "
                            "for later runs:\n" +
                                error);
    Hint(form)->hide();
    form.RefreshViews(refresh::All);
}

void LocateMissing(TForm1& form) {
    QString folder;
    if (SelectDirectory(&form, "Locate Missing Samples: folder to search", "Search", folder) !=
        kModalConfirm)
        return;
    const RelinkSession s =
        LocateMissingSamples(form.bank(), QFile::encodeName(folder).toStdString(), form.jobs());
    if (s.slotsChanged) form.RefreshViews(refresh::All);
}

} // namespace

void WirePathCommands(TForm1& form) {
    auto* hint = new QLabel(&form);
    hint->setObjectName(kHintName);
    hint->setTextFormat(Qt::RichText);
    hint->hide();
    form.statusBar()->addWidget(hint);
    QObject::connect(hint, &QLabel::linkActivated, &form, [&form] { ChooseSampleDrives(form); });
    QObject::connect(&form, &TForm1::bankOpened, &form, [&form] { ShowDrivesHint(form); });
    Activate(form, Command::SampleDrives, [&form] { ChooseSampleDrives(form); });
    Activate(form, Command::LocateMissingSamples, [&form] { LocateMissing(form); });
}

} // namespace ovb
