// The fixed lists of selectable values. A record field holds a position in one of these lists,
// never the value itself; the texts are exactly what the pages, the grid and the reports show.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace kestrel {

// A value table: entry texts indexed by position from 0.
using ValueTable = std::span<const std::string_view>;

// The entry at `position`, or "" when the position lies outside the table (a damaged file or an
// unexpected byte from the receiver must show as blank, never fail).
std::string_view TableEntry(ValueTable table, int position);

// Whether `position` is one of the table's entries.
bool InTable(ValueTable table, int position);

// The entry a list of `count` entries shows for `position`: the position itself, or -1 (none)
// when the list has no such entry, so that a value no list holds leaves the list unselected.
int ShownPosition(int position, int count);

// The tables keep one entry column per position, so they are not reflowed.
// clang-format off

// Set Mode tables.
// Tuning steps in kHz; position 3 (8.33 kHz) is the aviation raster.
inline constexpr std::array<std::string_view, 13> kStepTable{
    "AUTO", "5", "6.25", "8.33", "9", "10", "12.5", "15", "20", "25",
    "30", "50", "100",
};

// Fast steps: five characters each, the unit in the fifth.
inline constexpr std::array<std::string_view, 5> kFastStepTable{
    "10  k", "100 k", "1   M", "10  M", "100 M",
};

// Lamp.
inline constexpr std::array<std::string_view, 3> kLampTable{
    "OFF", "ON", "AUTO",
};

// Timer.
inline constexpr std::array<std::string_view, 8> kTimerTable{
    "OFT", "OFT30M", "OFT60M", "OFT90M", "ALT15M", "ALT30M", "ALT45M", "ALT60M",
};

// S-meter sensitivity.
inline constexpr std::array<std::string_view, 2> kSMeterSensitivityTable{
    "NORMAL", "LOW",
};

// S-meter buzzer.
inline constexpr std::array<std::string_view, 2> kSMeterBuzzerTable{
    "OFF", "SMBUZ",
};

// Carrier locator.
inline constexpr std::array<std::string_view, 2> kCarrierLocatorTable{
    "OFF", "CARLOR",
};

// Scan pause.
inline constexpr std::array<std::string_view, 12> kPauseTable{
    "1 sec", "2 sec", "3 sec", "4 sec", "5 sec", "6 sec", "7 sec", "8 sec", "9 sec", "10 sec",
    "11 sec", "12 sec",
};

// Search mode.
inline constexpr std::array<std::string_view, 3> kSearchModeTable{
    "VFO", "LIMIT", "LTLNK",
};

// Memory scan.
inline constexpr std::array<std::string_view, 3> kMemoryScanTable{
    "ALL", "BANK", "BKLNK",
};

// Search link.
inline constexpr std::array<std::string_view, 10> kSearchLinkTable{
    "LTLNK 0", "LTLNK 1", "LTLNK 2", "LTLNK 3", "LTLNK 4", "LTLNK 5", "LTLNK 6", "LTLNK 7", "LTLNK 8", "LTLNK 9",
};

// Bank link.
inline constexpr std::array<std::string_view, 10> kBankLinkTable{
    "BKLNK 0", "BKLNK 1", "BKLNK 2", "BKLNK 3", "BKLNK 4", "BKLNK 5", "BKLNK 6", "BKLNK 7", "BKLNK 8", "BKLNK 9",
};

// OFF/ON, shared by S MUTE, AUTOVR, BEEP, FLEX S and CLKSFT.
inline constexpr std::array<std::string_view, 2> kOffOnTable{
    "OFF", "ON",
};

// Bar antenna.
inline constexpr std::array<std::string_view, 2> kBarAntennaTable{
    "EXT", "BAR",
};

// External antenna.
inline constexpr std::array<std::string_view, 2> kExternalAntennaTable{
    "EXT", "ERANT",
};

// The 50 CTCSS tones in Hz, ascending.
inline constexpr std::array<std::string_view, 50> kCtcssToneTable{
    " 67.0", " 69.3", " 71.9", " 74.4", " 77.0", " 79.7", " 82.5", " 85.4", " 88.5", " 91.5",
    " 94.8", " 97.4", "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

// Train tones in Hz; 2280 sits between 2250 and 2300.
inline constexpr std::array<std::string_view, 56> kTrainToneTable{
    "300", "350", "400", "450", "500", "550", "600", "650", "700", "750",
    "800", "850", "900", "950", "1000", "1050", "1100", "1150", "1200", "1250",
    "1300", "1350", "1400", "1450", "1500", "1550", "1600", "1650", "1700", "1750",
    "1800", "1850", "1900", "1950", "2000", "2050", "2100", "2150", "2200", "2250",
    "2280", "2300", "2350", "2400", "2450", "2500", "2550", "2600", "2650", "2700",
    "2750", "2800", "2850", "2900", "2950", "3000",
};

// Scrambler carriers in Hz.
inline constexpr std::array<std::string_view, 16> kScramblerTable{
    "3200", "3220", "3240", "3260", "3280", "3300", "3320", "3340", "3360", "3380",
    "3400", "3420", "3440", "3460", "3480", "3500",
};

// Channel watch.
inline constexpr std::array<std::string_view, 7> kChannelWatchTable{
    "OFF", "0.5 sec", "1 sec", "2 sec", "3 sec", "4 sec", "5 sec",
};

// The 104 DCS codes, octal, ascending.
inline constexpr std::array<std::string_view, 104> kDcsCodeTable{
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053",
    "054", "065", "071", "072", "073", "074", "114", "115", "116", "122",
    "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244",
    "245", "246", "251", "252", "255", "261", "263", "265", "266", "271",
    "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "446", "452", "454", "455", "462", "464", "465", "466", "503",
    "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "654", "662", "664", "703", "712", "723", "731",
    "732", "734", "743", "754",
};

// DCS polarity.
inline constexpr std::array<std::string_view, 2> kDcsPolarityTable{
    "NORMAL", "REV",
};

// Battery save.
inline constexpr std::array<std::string_view, 6> kBatterySaveTable{
    "OFF", "1 sec", "3 sec", "5 sec", "7 sec", "9 sec",
};

// Charger.
inline constexpr std::array<std::string_view, 2> kChargeTable{
    "OFF", "CHARG",
};

// Repeater shift.
inline constexpr std::array<std::string_view, 2> kRepeaterShiftTable{
    "OFF", "RPT",
};

// Adjust.
inline constexpr std::array<std::string_view, 3> kAdjustTable{
    "OFF", "SQL", "SM",
};


// Memory channel tables: a channel field holds a position in one of these. In the tables that
// start with "", position 0 means none and position p is entry p - 1 of the underlying table.

// Channel mode (`Mode`).
inline constexpr std::array<std::string_view, 4> kChannelModeTable{
    "", "FM", "WFM", "AM",
};

// Tone select (`ToneSelect`).
inline constexpr std::array<std::string_view, 6> kToneSelectTable{
    "VFO", "TSQ", "REV TSQ", "TRAN", "V.INV", "DCS",
};

// CTCSS tone of a channel (`TsqTone`, and `RevTsqTone`).
inline constexpr std::array<std::string_view, 51> kChannelToneTable{
    "", " 67.0", " 69.3", " 71.9", " 74.4", " 77.0", " 79.7", " 82.5", " 85.4", " 88.5",
    " 91.5", " 94.8", " 97.4", "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0",
    "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5",
    "167.9", "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6",
    "199.5", "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3",
    "254.1",
};

// DCS code of a channel (`DcsCode`).
inline constexpr std::array<std::string_view, 105> kChannelDcsTable{
    "", "023", "025", "026", "031", "032", "036", "043", "047", "051",
    "053", "054", "065", "071", "072", "073", "074", "114", "115", "116",
    "122", "125", "131", "132", "134", "143", "145", "152", "155", "156",
    "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266",
    "271", "274", "306", "311", "315", "325", "331", "332", "343", "346",
    "351", "356", "364", "365", "371", "411", "412", "413", "423", "431",
    "432", "445", "446", "452", "454", "455", "462", "464", "465", "466",
    "503", "506", "516", "523", "526", "532", "546", "565", "606", "612",
    "624", "627", "631", "632", "654", "662", "664", "703", "712", "723",
    "731", "732", "734", "743", "754",
};

// Scrambler carrier of a channel (`Scrambler`).
inline constexpr std::array<std::string_view, 17> kChannelScramblerTable{
    "", "3200", "3220", "3240", "3260", "3280", "3300", "3320", "3340", "3360",
    "3380", "3400", "3420", "3440", "3460", "3480", "3500",
};

// Train tone of a channel (`TrainTone`).
inline constexpr std::array<std::string_view, 57> kChannelTrainToneTable{
    "", "300", "350", "400", "450", "500", "550", "600", "650", "700",
    "750", "800", "850", "900", "950", "1000", "1050", "1100", "1150", "1200",
    "1250", "1300", "1350", "1400", "1450", "1500", "1550", "1600", "1650", "1700",
    "1750", "1800", "1850", "1900", "1950", "2000", "2050", "2100", "2150", "2200",
    "2250", "2280", "2300", "2350", "2400", "2450", "2500", "2550", "2600", "2650",
    "2700", "2750", "2800", "2850", "2900", "2950", "3000",
};

// DCS polarity of a channel (`RevDcs`).
inline constexpr std::array<std::string_view, 2> kChannelDcsPolarityTable{
    "NORMAL", "REV",
};

// clang-format on

// The 35 Set Mode functions, by position in `RadioConfig::SetMode`.
namespace fn {
inline constexpr int kStep = 0, kFastStep = 1, kLamp = 2, kTimer = 3, kSMeterSensitivity = 4,
                     kSMeterBuzzer = 5, kCarrierLocator = 6, kPause = 7, kSearch = 8,
                     kMemoryScan = 9, kSearchLink = 10, kBankLink = 11, kSearchMemory = 12,
                     kBankClear = 13, kSkipClear = 14, kMemorySkipClear = 15, kSquelchMute = 16,
                     kBarAntenna = 17, kExternalAntenna = 18, kAutoVr = 19, kTsq = 20, kRevTsq = 21,
                     kTrainTone = 22, kScrambler = 23, kChannelWatch = 24, kDcs = 25, kRevDcs = 26,
                     kBeep = 27, kBatterySave = 28, kVolt = 29, kCharge = 30, kRepeaterShift = 31,
                     kFlexSearch = 32, kClockShift = 33, kAdjust = 34;
}  // namespace fn

inline constexpr int kSetModeFunctionCount = 35;

// The function's name as the Set Mode page captions it ("STEP", "F STEP", ...).
std::string_view SetModeFunctionName(int function);

// The function's value table; empty for the five functions that have none
// ("SCHMEM", "BANKCL", "SKP CL", "MSKPCL", "VOLT").
ValueTable SetModeValueTable(int function);

// The name of the function's value table as messages give it ("pause table"); "" for none.
std::string_view SetModeTableName(int function);

// True for the functions whose receiver byte is the stored position + 1
// ("PAUSE", "TSQ", "REVTSQ", "TRTONE", "SCRMBL", "DCS").
bool SetModeStoredPlusOne(int function);

}  // namespace kestrel
