// A one-line edit whose input is shown and kept in upper case (by the user's locale, so a
// Turkish "i" becomes "İ").
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace kv::platform {

class UpperCaseValidator : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

class UpperCaseEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit UpperCaseEdit(QWidget* parent = nullptr);
};

}  // namespace kv::platform
