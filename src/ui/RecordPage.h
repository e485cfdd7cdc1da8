#pragma once
// What every record page of the editor has: the record list on the left, the current record (the
// list's row), and the choices of that record beside it. Choices write into the bank as soon as
// the user makes them; refresh() only shows what the bank holds and never writes.
#include <QWidget>

class QAbstractItemModel;
class QComboBox;
class QVBoxLayout;

namespace ovb {

class EditorHost;
class RecordGrid;
class RecordGridModel;

class RecordPage : public QWidget {
    Q_OBJECT
  public:
    int currentRecord() const;
    // Selects a record without refreshing; the caller refreshes.
    void selectRecord(int index);
    // Shows the current record's values for the refresh bits (EditorHost.h).
    virtual void refresh(int flags) = 0;

    RecordGrid* grid() const { return grid_; }

  protected:
    // clickFlags: the refresh bits a click in the list asks for.
    RecordPage(EditorHost& host, RecordGridModel* model, int minimumNameWidth, int clickFlags,
               QWidget* parent);

    EditorHost& host() const { return host_; }
    // A list box over a shared list: it never measures its thousands of items.
    QComboBox* makeChoiceList(QAbstractItemModel* model, int minimumCharacters);
    // True while refresh() moves the controls, so their signals do not write into the bank.
    bool showing() const { return showing_; }

    class Showing {
      public:
        explicit Showing(RecordPage& page) : page_(page) { page_.showing_ = true; }
        ~Showing() { page_.showing_ = false; }
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;

      private:
        RecordPage& page_;
    };

  private:
    EditorHost& host_;
    RecordGrid* grid_;
    bool showing_ = false;
};

// A section page: a title and a subtitle above the record list and a column of groups beside it.
class SectionPage : public RecordPage {
    Q_OBJECT
  protected:
    SectionPage(EditorHost& host, RecordGridModel* model, int clickFlags, const QString& title,
                const QString& subtitle, QWidget* parent);
    // Adds a group below the ones already there.
    void addGroup(QWidget* group);

  private:
    QVBoxLayout* groups_;
};

} // namespace ovb
