// Channel names go to the receiver as Windows-1252 bytes: a character it cannot hold is refused
// as it is typed, by the editor and by the grid alike.
#pragma once

#include <QValidator>

namespace kestrel::ui {

class ChannelNameValidator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

}  // namespace kestrel::ui
