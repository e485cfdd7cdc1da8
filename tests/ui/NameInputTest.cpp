// Names and comments hold only what the bank can store: a character outside the bank's 8-bit
// character set is refused as it is typed, with the reason in the status bar.
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "support/BankNames.h"
#include "ui/RecordGrid.h"
#include "ui/RecordGridModel.h"
#include "ui/SoundPage.h"

#include <QLineEdit>
#include <QStatusBar>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

TEST(NameInput, CharactersTheBankCannotHoldAreRefusedWithAHint) {
    TForm1 form;
    form.show();
    form.showSound(3);
    RecordGrid& grid = *qobject_cast<SoundPage*>(form.editorPages().widget(page::Sound))->grid();
    grid.edit(grid.model()->index(3, RecordGridModel::NameColumn));
    QLineEdit* name = grid.findChild<QLineEdit*>();
    form.showMultisample(2);
    QLineEdit* comment = form.multisamplePage()->commentBox();
    for (QLineEdit* editor : {name, comment}) {
        ASSERT_NE(editor, nullptr);
        editor->clear();
        form.statusBar()->clearMessage();
        TypeText(*editor, QString::fromUtf8("Ж"));
        EXPECT_EQ(editor->text(), "");
        EXPECT_TRUE(form.statusBar()->currentMessage().startsWith(QString::fromUtf8("\"Ж\"")));
        TypeText(*editor, QString::fromUtf8("Café"));
        EXPECT_EQ(editor->text(), QString::fromUtf8("Café"));
    }
    EXPECT_EQ(NameString(form.bank().sound(3).name), "Caf\xE9");
}
