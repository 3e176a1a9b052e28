#include "ui/name_validator.h"

#include "model/cp1252.h"

namespace kestrel::ui {

QValidator::State ChannelNameValidator::validate(QString& input, int& /*position*/) const {
  for (const char32_t character : input.toUcs4()) {
    if (!UnicodeToCp1252(character)) return Invalid;
  }
  return Acceptable;
}

}  // namespace kestrel::ui
