// A popup list of check boxes, shared by the grid's filter and column chooser popups. A click
// on an entry (anywhere on it) or Space toggles it and reports the change; Escape or a click
// outside closes the popup. Built on a list view over a plain model, so a list of 100 000
// values opens quickly.
#pragma once

#include <QFrame>
#include <QIcon>

class QLabel;
class QListView;

namespace kv::platform {

class GridCheckList : public QFrame {
    Q_OBJECT
  public:
    struct Entry {
        QString label;
        QIcon icon;
        bool checked = false;
    };

    explicit GridCheckList(QWidget* parent = nullptr);
    ~GridCheckList() override;

    void setTitle(const QString& title);  // empty: no title line
    void setEntries(QList<Entry> entries);
    int count() const;
    const Entry& entry(int i) const;
    int indexOf(const QString& label) const;  // -1 when absent
    void setChecked(int i, bool checked);     // without reporting it
    // As the user's click: flips the entry and reports it.
    void toggle(int i);

    QListView* list() const { return list_; }
    // An entry's rectangle in the list's viewport (scrolled into view first).
    QRect entryRect(int i) const;
    // Shows the popup with its top left at `globalPos`, at least `minWidth` wide, kept on
    // the screen.
    void popupAt(const QPoint& globalPos, int minWidth);

  signals:
    void toggled(int index, bool checked);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Model;
    Model* model_;
    QLabel* title_;
    QListView* list_;
};

}  // namespace kv::platform
