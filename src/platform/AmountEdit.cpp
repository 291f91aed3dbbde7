#include "platform/AmountEdit.h"

#include <QFocusEvent>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "platform/NumberFormat.h"

namespace kv::platform {

AmountEdit::AmountEdit(QWidget* parent)
    : QLineEdit(parent), picture_(QStringLiteral("#,###,##0.00")) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValue(0.0);
}

void AmountEdit::setPicture(const QString& picture) {
    const std::optional<double> v = number();
    picture_ = picture;
    if (v)
        setValue(*v);
}

void AmountEdit::setValue(double v) {
    setText(formatFloat(picture_, v));
}

void AmountEdit::setRange(double minimum, double maximum) {
    range_ = std::pair(minimum, maximum);
}

std::optional<double> AmountEdit::number() const {
    std::optional<double> v = parse(text(), locale());
    if (v && range_)
        v = std::clamp(*v, range_->first, range_->second);
    return v;
}

std::optional<double> AmountEdit::parse(QString text, const QLocale& locale) {
    // Letters and currency signs around the number ("12,50 TL") are not part of it.
    static const QRegularExpression kCurrency(QStringLiteral("[^0-9.,+\\-\\s]"));
    text.remove(kCurrency);
    text.remove(QChar::Space).remove(QChar(0x00A0));
    // A dot typed for the decimal point where the locale groups with dots ("12.5" with
    // Turkish separators): one or two digits after the last group separator and no decimal
    // separator anywhere make it the decimal point, not a thousands mark.
    const QString group = locale.groupSeparator();
    const QString point = locale.decimalPoint();
    if (!text.contains(point)) {
        const qsizetype last = text.lastIndexOf(group);
        const qsizetype after = last < 0 ? -1 : text.size() - last - group.size();
        if (after == 1 || after == 2)
            text.replace(last, group.size(), point);
    }
    text.remove(group);
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

void AmountEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (isReadOnly())
        return;
    if (const std::optional<double> v = number())
        setValue(*v);
}

}  // namespace kv::platform
