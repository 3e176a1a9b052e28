#include "model/value_tables.h"

namespace kestrel {

std::string_view TableEntry(ValueTable table, int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= table.size()) return {};
  return table[static_cast<std::size_t>(position)];
}

namespace {

struct SetModeFunctionInfo {
  std::string_view name;
  ValueTable table;
};

const std::array<SetModeFunctionInfo, kSetModeFunctionCount> kSetModeFunctions{{
    {"STEP", kStepTable},
    {"F STEP", kFastStepTable},
    {"LAMP", kLampTable},
    {"TIMMER", kTimerTable},
    {"SM SEN", kSMeterSensitivityTable},
    {"SM BUZ", kSMeterBuzzerTable},
    {"CARLOR", kCarrierLocatorTable},
    {"PAUSE", kPauseTable},
    {"SERCH", kSearchModeTable},
    {"M-SCAN", kMemoryScanTable},
    {"SRH LK", kSearchLinkTable},
    {"MBK LK", kBankLinkTable},
    {"SCHMEM", {}},
    {"BANKCL", {}},
    {"SKP CL", {}},
    {"MSKPCL", {}},
    {"S MUTE", kOffOnTable},
    {"BARANT", kBarAntennaTable},
    {"ERANT", kExternalAntennaTable},
    {"AUTOVR", kOffOnTable},
    {"TSQ", kCtcssToneTable},
    {"REVTSQ", kCtcssToneTable},
    {"TRTONE", kTrainToneTable},
    {"SCRMBL", kScramblerTable},
    {"CHWS", kChannelWatchTable},
    {"DCS", kDcsCodeTable},
    {"REVDCS", kDcsPolarityTable},
    {"BEEP", kOffOnTable},
    {"SAVE", kBatterySaveTable},
    {"VOLT", {}},
    {"CHARG", kChargeTable},
    {"RPTSFT", kRepeaterShiftTable},
    {"FLEX S", kOffOnTable},
    {"CLKSFT", kOffOnTable},
    {"ADJUST", kAdjustTable},
}};

bool IsFunction(int function) {
  return function >= 0 && function < kSetModeFunctionCount;
}

}  // namespace

std::string_view SetModeFunctionName(int function) {
  return IsFunction(function) ? kSetModeFunctions[static_cast<std::size_t>(function)].name
                              : std::string_view{};
}

ValueTable SetModeValueTable(int function) {
  return IsFunction(function) ? kSetModeFunctions[static_cast<std::size_t>(function)].table
                              : ValueTable{};
}

bool SetModeStoredPlusOne(int function) {
  switch (function) {
    case fn::kPause:
    case fn::kTsq:
    case fn::kRevTsq:
    case fn::kTrainTone:
    case fn::kScrambler:
    case fn::kDcs:
      return true;
    default:
      return false;
  }
}

}  // namespace kestrel
