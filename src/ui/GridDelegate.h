#pragma once
// The look of the record lists: the number column as raised button-face cells, the name column
// on light ivory (white on blue when selected). Name editors hand every keystroke to the model,
// so the bank follows the cell while the user types.
#include <QStyledItemDelegate>

namespace ovb {

inline constexpr QRgb kNameBackground = 0xFFFFFFF0;     // light ivory
inline constexpr QRgb kSelectedBackground = 0xFF7070FF; // light blue

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
};

} // namespace ovb
