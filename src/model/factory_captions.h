// The Factory Settings values under the captions of their page, as the data file's messages and
// the comparison of two configurations name them ("SQL Setting FM Threshold", "Charge Time").
#pragma once

namespace kestrel {

inline constexpr const char* kSqlLevelCaptions[] = {
    "SQL Setting FM Threshold", "SQL Setting FM Tight",     "SQL Setting WFM Threshold",
    "SQL Setting WFM Tight",    "SQL Setting AM Threshold", "SQL Setting AM Tight"};
inline constexpr const char* kSMeterCaptions[] = {"S Meter FM S-2",  "S Meter FM S-10",
                                                  "S Meter WFM S-2", "S Meter WFM S-10",
                                                  "S Meter AM S-2",  "S Meter AM S-10"};
inline constexpr const char* kPwmAmCaptions[] = {
    "Bar Antenna PWM Data AM f1", "Bar Antenna PWM Data AM f2", "Bar Antenna PWM Data AM f3",
    "Bar Antenna PWM Data AM f4"};
inline constexpr const char* kPwmSwCaptions[] = {
    "Bar Antenna PWM Data SW f1", "Bar Antenna PWM Data SW f2", "Bar Antenna PWM Data SW f3",
    "Bar Antenna PWM Data SW f4"};
inline constexpr const char* kFixCountCaptions[] = {"DCS Fix Count ON",
                                                    "DCS Fix Count OFF",
                                                    "TSQ Fix Count TSQ / RevTSQ ON",
                                                    "TSQ Fix Count TSQ / RevTSQ OFF",
                                                    "TSQ Fix Count TSQ-Search ON",
                                                    "TSQ Fix Count TSQ-Search OFF",
                                                    "TRAIN Tone Fix ON Count",
                                                    "TRAIN Tone Fix OFF Count"};
inline constexpr const char* kUnlockWaitCaptions[] = {
    "PLL Unlock Wait Time Search", "PLL Unlock Wait Time Scan", "PLL Unlock Wait Time SQL"};
inline constexpr const char* kChargeTimeCaption = "Charge Time";
inline constexpr const char* kDcsErrorBitCaption = "DCS Error bit";
inline constexpr const char* kTrainFixTimeCaption = "TRAIN Tone Fix OFF Time";

}  // namespace kestrel
