#include "platform/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::platform {

namespace {
const char* const kIdProperty = "kvId";
const char* const kTextProperty = "kvText";
}  // namespace

RadioGroup::RadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(6, 4, 6, 4);
    layout_->setSpacing(2);
    layout_->addStretch();
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::clear() {
    const QList<QAbstractButton*> buttons = group_->buttons();
    for (QAbstractButton* b : buttons) {
        group_->removeButton(b);
        delete b;
    }
}

void RadioGroup::addItem(const QString& text, int id) {
    // "&" would make a shortcut of the next letter; the entry shows as it is named.
    auto* b = new QRadioButton(QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")), this);
    b->setProperty(kIdProperty, id);
    b->setProperty(kTextProperty, text);
    group_->addButton(b, count());
    layout_->insertWidget(layout_->count() - 1, b);
}

int RadioGroup::count() const {
    return int(group_->buttons().size());
}

int RadioGroup::itemIndex() const {
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = group_->button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; lift that to check none.
    if (QAbstractButton* c = group_->checkedButton()) {
        group_->setExclusive(false);
        c->setChecked(false);
        group_->setExclusive(true);
    }
}

QString RadioGroup::itemText(int index) const {
    const QAbstractButton* b = group_->button(index);
    return b ? b->property(kTextProperty).toString() : QString();
}

int RadioGroup::itemId(int index) const {
    const QAbstractButton* b = group_->button(index);
    return b ? b->property(kIdProperty).toInt() : 0;
}

}  // namespace kv::platform
