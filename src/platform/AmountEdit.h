// A line edit for money amounts: shows its value with a number picture ("#,###,##0.00" by
// default) and reads back what the user typed with the locale's separators.
#pragma once

#include <QLineEdit>
#include <QLocale>
#include <optional>

namespace kv::platform {

class AmountEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit AmountEdit(QWidget* parent = nullptr);

    void setPicture(const QString& picture);
    // Values read from the box are kept within the range (none by default).
    void setRange(double minimum, double maximum);
    const QString& picture() const { return picture_; }

    // Writes the value with the picture.
    void setValue(double v);
    // The number written in the box (group separators ignored, the locale's decimal
    // separator, an optional trailing currency text of the picture ignored; where the locale
    // groups with the character many type for the decimal point, "12.5" is still 12,5 while
    // "1.250" is 1250); nothing when the text is not a number.
    std::optional<double> number() const;
    // The number, or `fallback` when the text cannot be read.
    double value(double fallback = 0.0) const { return number().value_or(fallback); }

    // Reads a number the way the box does.
    static std::optional<double> parse(QString text, const QLocale& locale = QLocale());

  protected:
    void focusOutEvent(QFocusEvent* e) override;

  private:
    QString picture_;
    std::optional<std::pair<double, double>> range_;
};

}  // namespace kv::platform
