#include "ui/GridDelegate.h"

#include "ui/NameInput.h"
#include "ui/RecordGridModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <qdrawutil.h>

namespace ovb {

namespace {
// Text sits 4 pixels right of and 2 below the cell's corner.
QRect TextRect(const QRect& cell) {
    return cell.adjusted(4, 2, -2, 0);
}
} // namespace

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect cell = option.rect;
    painter->save();
    painter->setFont(option.font);
    if (index.column() == RecordGridModel::NumberColumn) {
        QPalette raised = option.palette;
        raised.setColor(QPalette::Light, Qt::white);
        qDrawShadePanel(painter, cell, raised, false, 1, &raised.brush(QPalette::Button));
        painter->setPen(Qt::black);
    } else {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(cell, QColor::fromRgb(selected ? kSelectedBackground : kNameBackground));
        painter->setPen(selected ? Qt::white : Qt::black);
    }
    painter->drawText(TextRect(cell), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(option.fontMetrics.height() + 6);
    return size;
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    RefuseUnstorable(*editor);
    connect(editor, &QLineEdit::textEdited, this,
            [this, editor] { emit const_cast<GridDelegate*>(this)->commitData(editor); });
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // The view offers the stored name again after every keystroke; that would cut text longer
    // than the name under the user's cursor. The editor keeps what was typed.
    if (editor->property("ovbStarted").toBool()) return;
    editor->setProperty("ovbStarted", true);
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
}

} // namespace ovb
