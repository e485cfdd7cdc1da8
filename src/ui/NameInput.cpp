#include "ui/NameInput.h"

#include "uibase/StatusMessage.h"

#include <QLineEdit>
#include <QValidator>

namespace ovb {

namespace {

class StorableText : public QValidator {
  public:
    explicit StorableText(QLineEdit& editor) : QValidator(&editor), editor_(editor) {}

    State validate(QString& input, int&) const override {
        const QChar refused = FirstUnstorable(input);
        if (refused.isNull()) return Acceptable;
        ShowStatus(&editor_, QString("\"%1\" cannot be stored in the bank: names and comments hold "
                                     "only Western (Latin-1) characters")
                                 .arg(refused));
        return Invalid;
    }

  private:
    QLineEdit& editor_;
};

} // namespace

QChar FirstUnstorable(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0xFF) return c;
    return {};
}

void RefuseUnstorable(QLineEdit& editor) {
    editor.setValidator(new StorableText(editor));
}

} // namespace ovb
