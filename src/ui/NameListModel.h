#pragma once
// One list of item texts shared by every list box that offers the same choice (the nine sound
// lists share one, the twenty zone lists another). The texts are rebuilt from the bank only when
// the main window refreshes, so a rename shows in the lists at the next refresh that names the
// table, as the user expects from the page flags; only items whose text changed are reported.
#include <QAbstractListModel>
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

class NameListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    // The bytes an item's text is made from (its record's name): a row whose bytes did not change
    // keeps its text, so a rebuild formats only renamed items.
    using ItemSource = std::function<std::string_view(int row)>;
    using ItemText = std::function<QString(int row)>;
    NameListModel(int rows, ItemSource source, ItemText text, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Rebuilds every item text and returns how many changed.
    int rebuild();

  private:
    ItemSource source_;
    ItemText text_;
    std::vector<std::string> sources_;
    QStringList items_;
};

} // namespace ovb
