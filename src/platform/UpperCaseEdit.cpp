#include "platform/UpperCaseEdit.h"

#include <QLocale>

namespace kv::platform {

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = QLocale().toUpper(input);
    return Acceptable;
}

UpperCaseEdit::UpperCaseEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new UpperCaseValidator(this));
}

}  // namespace kv::platform
