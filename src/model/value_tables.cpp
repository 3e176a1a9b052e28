#include "model/value_tables.h"

namespace kestrel {

bool InTable(ValueTable table, int position) {
  return position >= 0 && static_cast<std::size_t>(position) < table.size();
}

std::string_view TableEntry(ValueTable table, int position) {
  return InTable(table, position) ? table[static_cast<std::size_t>(position)] : std::string_view{};
}

int ShownPosition(int position, int count) {
  return position >= 0 && position < count ? position : -1;
}

namespace {

struct SetModeFunctionInfo {
  std::string_view name;
  ValueTable table;
  std::string_view table_name;
};

const std::array<SetModeFunctionInfo, kSetModeFunctionCount> kSetModeFunctions{{
    {"STEP", kStepTable, "step table"},
    {"F STEP", kFastStepTable, "fast step table"},
    {"LAMP", kLampTable, "lamp table"},
    {"TIMMER", kTimerTable, "timer table"},
    {"SM SEN", kSMeterSensitivityTable, "S-meter sensitivity table"},
    {"SM BUZ", kSMeterBuzzerTable, "S-meter buzzer table"},
    {"CARLOR", kCarrierLocatorTable, "carrier locator table"},
    {"PAUSE", kPauseTable, "pause table"},
    {"SERCH", kSearchModeTable, "search mode table"},
    {"M-SCAN", kMemoryScanTable, "memory scan table"},
    {"SRH LK", kSearchLinkTable, "search link table"},
    {"MBK LK", kBankLinkTable, "bank link table"},
    {"SCHMEM", {}, {}},
    {"BANKCL", {}, {}},
    {"SKP CL", {}, {}},
    {"MSKPCL", {}, {}},
    {"S MUTE", kOffOnTable, "OFF/ON table"},
    {"BARANT", kBarAntennaTable, "bar antenna table"},
    {"ERANT", kExternalAntennaTable, "external antenna table"},
    {"AUTOVR", kOffOnTable, "OFF/ON table"},
    {"TSQ", kCtcssToneTable, "CTCSS tone table"},
    {"REVTSQ", kCtcssToneTable, "CTCSS tone table"},
    {"TRTONE", kTrainToneTable, "train tone table"},
    {"SCRMBL", kScramblerTable, "scrambler carrier table"},
    {"CHWS", kChannelWatchTable, "channel watch table"},
    {"DCS", kDcsCodeTable, "DCS code table"},
    {"REVDCS", kDcsPolarityTable, "DCS polarity table"},
    {"BEEP", kOffOnTable, "OFF/ON table"},
    {"SAVE", kBatterySaveTable, "battery save table"},
    {"VOLT", {}, {}},
    {"CHARG", kChargeTable, "charge table"},
    {"RPTSFT", kRepeaterShiftTable, "repeater shift table"},
    {"FLEX S", kOffOnTable, "OFF/ON table"},
    {"CLKSFT", kOffOnTable, "OFF/ON table"},
    {"ADJUST", kAdjustTable, "adjust table"},
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

std::string_view SetModeTableName(int function) {
  return IsFunction(function) ? kSetModeFunctions[static_cast<std::size_t>(function)].table_name
                              : std::string_view{};
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
