// A captioned group of radio buttons, one per entry; each entry carries an integer
// identifier. The selected position is -1 when nothing is selected.
#pragma once

#include <QGroupBox>

class QButtonGroup;
class QVBoxLayout;

namespace kv::platform {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit RadioGroup(const QString& caption, QWidget* parent = nullptr);

    void clear();
    void addItem(const QString& text, int id);
    int count() const;
    int itemIndex() const;
    void setItemIndex(int index);  // -1 selects nothing
    QString itemText(int index) const;
    int itemId(int index) const;

  signals:
    // The user clicked an entry.
    void itemClicked(int index);

  private:
    QButtonGroup* group_;
    QVBoxLayout* layout_;
};

}  // namespace kv::platform
