#include "ui/SampleGridModel.h"

#include "job/PathResolver.h"
#include "tools/MultisampleEdits.h"
#include "ui/GridDelegate.h"
#include "uibase/QtText.h"

#include <QPainter>
#include <qdrawutil.h>

namespace ovb {

namespace {

// A key of a keyboard turned on its side, low notes at the top: white keys run the whole cell,
// a black key covers the left part of its row with the white keys' ends to its right.
void DrawKey(QPainter* painter, QRect cell, KeyPicture picture) {
    const QRect key = cell.adjusted(1, 0, -1, 0);
    const int blackLength = key.width() * 3 / 5;
    painter->fillRect(key, Qt::white);
    painter->setPen(QColor(0x80, 0x80, 0x80));
    painter->drawLine(key.topLeft(), key.bottomLeft());
    painter->drawLine(key.topRight(), key.bottomRight());
    switch (picture) {
    case KeyPicture::Black:
        painter->fillRect(QRect(key.left(), key.top() + 1, blackLength, key.height() - 2),
                          Qt::black);
        break;
    case KeyPicture::WhiteBeforeWhite:
        // The next white key starts right below: a gap across the whole key.
        painter->drawLine(key.bottomLeft(), key.bottomRight());
        break;
    case KeyPicture::WhiteBeforeBlack:
        // The black key below hides the gap but for its last part.
        painter->drawLine(QPoint(key.left() + blackLength, key.bottom()), key.bottomRight());
        break;
    }
}

} // namespace

SampleGridModel::SampleGridModel(const as_bank& bank, std::function<int()> multisample,
                                 std::function<bool()> noteNames, QObject* parent)
    : QAbstractTableModel(parent), bank_(bank), multisample_(std::move(multisample)),
      noteNames_(std::move(noteNames)) {}

int SampleGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(kSamplesPerMultisample);
}

int SampleGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant SampleGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const unsigned slot = unsigned(index.row());
    switch (index.column()) {
    case NoteColumn:
        if (role == Qt::DisplayRole) return ToQString(SlotLabel(slot, noteNames_()));
        break;
    case KeyColumn:
        if (role == KeyPictureRole) return int(KeyPictureOf(slot + kFirstSlotNote));
        break;
    case PathColumn:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
            const int ms = multisample_();
            if (ms < 0 || unsigned(ms) >= kMultisamples) return {};
            return ToQString(DisplayPath(bank_.path(unsigned(ms), slot)));
        }
        break;
    default:
        break;
    }
    return {};
}

void SampleGridModel::bankChanged() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void SampleGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QRect cell = option.rect;
    painter->save();
    painter->setFont(option.font);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (index.column() == SampleGridModel::NoteColumn) {
        QPalette raised = option.palette;
        raised.setColor(QPalette::Light, Qt::white);
        qDrawShadePanel(painter, cell, raised, false, 1, &raised.brush(QPalette::Button));
        painter->setPen(Qt::black);
        painter->drawText(cell.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, text);
    } else if (index.column() == SampleGridModel::KeyColumn) {
        DrawKey(painter, cell, KeyPicture(index.data(SampleGridModel::KeyPictureRole).toInt()));
    } else {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(cell, selected ? QColor::fromRgb(kSelectedBackground) : Qt::white);
        painter->setPen(QColor(0xD0, 0xD0, 0xD0));
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->setPen(selected ? Qt::white : Qt::black);
        painter->drawText(cell.adjusted(4, 0, -2, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    painter->restore();
}

} // namespace ovb
