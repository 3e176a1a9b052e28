#include "model/broadcast_presets.h"

namespace kestrel {

namespace {

struct Station {
  std::string_view name;
  std::int16_t base;  // the station's channels start one above this number
};

// Each station takes four channels above its base. "WELLE" starts three entries early and so
// overwrites three of LUXEMB's four, which keeps only channel 859.
constexpr std::array<Station, 23> kStations{{
    {"VOA", 800},    {"CANADA", 805}, {"PORTUG", 816}, {"SPAIN", 821},  {"BBC", 832},
    {"FRANCE", 837}, {"ITALY", 842},  {"BELGIU", 848}, {"NEDERL", 853}, {"LUXEMB", 858},
    {"WELLE", 900},  {"SWISS", 905},  {"DENMAR", 910}, {"NORWAY", 916}, {"SWEDEN", 921},
    {"FINLAN", 926}, {"RUSSIA", 932}, {"ISRAEL", 937}, {"INDIA", 942},  {"CHINA", 948},
    {"KOREA", 952},  {"JAPAN", 956},  {"AUSTRA", 960},
}};

constexpr std::array<std::string_view, kBroadcastPresetCount> kFrequencies{
    "6.030",  "6.160",  "9.760",  "11.930", "5.995",  "7.235",  "9.735",  "11.705", "9.780",
    "11.960", "15.555", "21.655", "7.270",  "9.520",  "11.920", "15.585", "6.195",  "9.410",
    "12.095", "15.310", "6.045",  "9.790",  "11.670", "15.525", "6.060",  "7.175",  "9.515",
    "17.710", "5.985",  "9.925",  "11.780", "13.740", "5.955",  "6.020",  "9.895",  "11.655",
    "6.090",  "3.955",  "6.075",  "9.545",  "9.735",  "3.985",  "6.165",  "9.885",  "15.220",
    "9.590",  "9.985",  "13.800", "15.735", "7.485",  "9.590",  "9.985",  "13.800", "6.065",
    "9.490",  "13.625", "17.505", "6.120",  "9.630",  "11.755", "9.795",  "5.940",  "5.920",
    "7.205",  "12.030", "9.435",  "11.585", "15.615", "17.545", "6.045",  "9.595",  "11.620",
    "15.020", "7.190",  "5.250",  "9.855",  "11.685", "5.975",  "7.275",  "9.570",  "13.670",
    "6.155",  "7.200",  "9.750",  "11.850", "5.995",  "9.580",  "9.660",  "12.080",
};

constexpr std::array<BroadcastPresetEntry, kBroadcastPresetCount> BuildPresets() {
  // Room for the three entries LUXEMB writes beyond the final 89 before WELLE takes them over.
  std::array<BroadcastPresetEntry, kBroadcastPresetCount + 3> entries{};
  std::size_t position = 0;
  for (const Station& station : kStations) {
    if (station.name == "WELLE") position -= 3;
    for (int k = 1; k <= 4; ++k) {
      entries[position++] = {static_cast<std::int16_t>(station.base + k), station.name, {}};
    }
  }
  std::array<BroadcastPresetEntry, kBroadcastPresetCount> presets{};
  for (std::size_t i = 0; i < presets.size(); ++i) {
    presets[i] = entries[i];
    presets[i].Frequency = kFrequencies[i];
  }
  return presets;
}

constexpr std::array<BroadcastPresetEntry, kBroadcastPresetCount> kPresets = BuildPresets();

}  // namespace

const std::array<BroadcastPresetEntry, kBroadcastPresetCount>& BroadcastPreset() {
  return kPresets;
}

}  // namespace kestrel
