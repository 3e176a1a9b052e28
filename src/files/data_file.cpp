#include "files/data_file.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>

#include "files/file_io.h"
#include "files/output_file.h"
#include "files/path_text.h"
#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/factory_captions.h"
#include "model/number_text.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

// Far above any real data file (about 60 kB), low enough that a wrong path cannot eat memory.
constexpr std::size_t kMaxDataFileSize = 16 * 1024 * 1024;

// Which Factory Settings lines follow DcsErrorBit: older versions lack some of them.
enum class Layout { kBefore102, k102, kCurrent };

Layout LayoutOfVersion(double version) {
  if (version < 1.02) return Layout::kBefore102;
  if (version < 1.03) return Layout::k102;
  return Layout::kCurrent;
}

// Names a field for error messages as the user sees it on the pages: "Set Mode function 0 STEP",
// "channel 499 TRAIN" (numbered as the grid numbers it), "search band L00 Low Frequency",
// "Factory Settings Charge Time". Only pointers and numbers, as every line of a file makes one.
struct FieldName {
  enum class Place { kSetMode, kChannel, kBand, kFactory };

  Place place;
  int index = 0;                  // the function, the channel (1 to 1000), the band (0 to 23)
  const char* caption = nullptr;  // the field's caption

  std::string Text() const {
    switch (place) {
      case Place::kSetMode:
        return "Set Mode function " + std::to_string(index) + " " +
               std::string(SetModeFunctionName(index));
      case Place::kChannel:
        return "channel " + ChannelNumberText(index) + " " + caption;
      case Place::kBand:
        return "search band " + SearchBandLabel(index) + " " + caption;
      case Place::kFactory:
        break;
    }
    return std::string("Factory Settings ") + caption;
  }
};

FieldName Channel(int number, const char* caption) {
  return {FieldName::Place::kChannel, number, caption};
}

FieldName Factory(const char* caption) {
  return {FieldName::Place::kFactory, 0, caption};
}

template <typename Visitor, typename Array, std::size_t N>
void VisitInt32s(Visitor& visit, Array& values, const char* const (&captions)[N]) {
  static_assert(N == std::tuple_size_v<Array>);
  for (std::size_t i = 0; i < N; ++i) visit.Int32(values[i], Factory(captions[i]));
}

// The fields in file order after the version line; reader and writer both walk this one list.
template <typename Record, typename Visitor>
void VisitFields(Record& record, Layout layout, Visitor& visit) {
  for (std::size_t i = 0; i < record.SetMode.size(); ++i) {
    visit.Int16(record.SetMode[i], {FieldName::Place::kSetMode, static_cast<int>(i)});
  }
  for (int n = 1; n <= kChannelCount; ++n) {
    auto& channel = record.Channel(n);
    visit.Int16(channel.InUse, Channel(n, "in-use mark"));
    visit.Text(channel.Frequency, Channel(n, "Frequency"));
    visit.Text(channel.Name, Channel(n, "NAME"));
    visit.Int16(channel.Mode, Channel(n, "Mode"));
    visit.Int16(channel.Step, Channel(n, "step"));
    visit.Int16(channel.ToneSelect, Channel(n, "TONE SELECT"));
    visit.Int16(channel.TsqTone, Channel(n, "TSQ"));
    visit.Int16(channel.RevTsqTone, Channel(n, "REV TSQ"));
    visit.Int16(channel.DcsCode, Channel(n, "DCS"));
    visit.Int16(channel.RevDcs, Channel(n, "REV DCS"));
    visit.Int16(channel.Scrambler, Channel(n, "SCALR"));
    visit.Int16(channel.TrainTone, Channel(n, "TRAIN"));
  }
  for (int b = 0; b < kSearchBandCount; ++b) {
    visit.Text(record.Band(b).LowFrequency, {FieldName::Place::kBand, b, "Low Frequency"});
    visit.Text(record.Band(b).UpperFrequency, {FieldName::Place::kBand, b, "Upper Frequency"});
  }
  auto& factory = record.Factory;
  VisitInt32s(visit, factory.SqlLevel, kSqlLevelCaptions);
  VisitInt32s(visit, factory.SMeterLevel, kSMeterCaptions);
  VisitInt32s(visit, factory.PwmAm, kPwmAmCaptions);
  VisitInt32s(visit, factory.PwmSw, kPwmSwCaptions);
  visit.Int32(factory.ChargeTime, Factory(kChargeTimeCaption));
  visit.Int32(factory.DcsErrorBit, Factory(kDcsErrorBitCaption));
  if (layout != Layout::kBefore102) {
    for (std::size_t i = 0; i < 2; ++i)
      visit.Int32(factory.FixCount[i], Factory(kFixCountCaptions[i]));
  }
  if (layout == Layout::kCurrent) {
    for (std::size_t i = 2; i < 8; ++i)
      visit.Int32(factory.FixCount[i], Factory(kFixCountCaptions[i]));
    visit.Int32(factory.TrainFixTime, Factory(kTrainFixTimeCaption));
  }
  VisitInt32s(visit, factory.UnlockWait, kUnlockWaitCaptions);
}

// Lines of a text, ended by LF or CR LF; the last line may lack its end.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const char* begin = text_.data() + pos_;
    const std::size_t left = text_.size() - pos_;
    const void* newline = std::memchr(begin, '\n', left);
    std::size_t length =
        newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - begin) : left;
    pos_ += length + 1;
    if (length > 0 && begin[length - 1] == '\r') --length;
    line = std::string_view(begin, length);
    ++number_;
    return true;
  }
  int number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

std::string_view Trimmed(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

enum class NumberCheck { kOk, kNotANumber, kOutOfRange };

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// An integer line: a whole decimal number with an optional sign, blanks or tabs around it.
// Written with plain pointers: it runs for most of the 12118 lines of every file.
NumberCheck ParseIntegerLine(std::string_view line, std::int64_t min, std::int64_t max,
                             std::int64_t& value) {
  const char* p = line.data();
  const char* end = p + line.size();
  while (p < end && IsBlank(*p)) ++p;
  while (end > p && IsBlank(end[-1])) --end;
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  if (p == end) return NumberCheck::kNotANumber;
  std::int64_t magnitude = 0;
  bool too_large = false;
  for (; p < end; ++p) {
    if (*p < '0' || *p > '9') return NumberCheck::kNotANumber;
    // Past 2^32 the exact value no longer matters: it is out of range for every field.
    if (magnitude < (std::int64_t{1} << 32)) {
      magnitude = magnitude * 10 + (*p - '0');
    } else {
      too_large = true;
    }
  }
  value = negative ? -magnitude : magnitude;
  if (too_large || value < min || value > max) return NumberCheck::kOutOfRange;
  return NumberCheck::kOk;
}

// A bad line shown in a message: at most 40 characters, control characters as "?".
std::string Shortened(std::string_view line) {
  std::string shown(line.substr(0, 40));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return Cp1252ToUtf8(shown) + (line.size() > 40 ? "..." : "");
}

// Built up in place: g++ 12 at -O3 warns (wrongly) about a literal + a string temporary here.
std::string Quoted(std::string_view line) {
  std::string quoted = "\"";
  quoted += Shortened(line);
  quoted += '"';
  return quoted;
}

// A version line starts with a number, as every version ever written ("1.01" to "1.03") does.
bool StartsWithNumber(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  const auto digit = [&line](std::size_t at) {
    return at < line.size() && line[at] >= '0' && line[at] <= '9';
  };
  return digit(first) || (line[first] == '.' && digit(first + 1));
}

class Reader {
 public:
  explicit Reader(LineCursor& lines) : lines_(lines) {}

  void Int16(std::int16_t& field, FieldName name) {
    std::int64_t value = 0;
    if (Integer(name, std::numeric_limits<std::int16_t>::min(),
                std::numeric_limits<std::int16_t>::max(), value)) {
      field = static_cast<std::int16_t>(value);
    }
  }
  void Int32(std::int32_t& field, FieldName name) {
    std::int64_t value = 0;
    if (Integer(name, std::numeric_limits<std::int32_t>::min(),
                std::numeric_limits<std::int32_t>::max(), value)) {
      field = static_cast<std::int32_t>(value);
    }
  }
  void Text(std::string& field, FieldName name) {
    std::string_view line;
    if (NextLine(name, line)) field.assign(line);
  }

  // After the first error the reader reads nothing more.
  bool failed() const { return failed_; }
  FileError& error() { return error_; }

 private:
  bool NextLine(FieldName name, std::string_view& line) {
    if (failed_) return false;
    if (lines_.Next(line)) return true;
    Fail(lines_.number() + 1, "the file ends early (" + name.Text() + " expected)");
    return false;
  }

  bool Integer(FieldName name, std::int64_t min, std::int64_t max, std::int64_t& value) {
    std::string_view line;
    if (!NextLine(name, line)) return false;
    switch (ParseIntegerLine(line, min, max, value)) {
      case NumberCheck::kOk:
        return true;
      case NumberCheck::kOutOfRange:
        Fail(lines_.number(), Shortened(Trimmed(line)) + " is out of range for " + name.Text() +
                                  " (" + std::to_string(min) + " to " + std::to_string(max) + ")");
        break;
      case NumberCheck::kNotANumber:
        Fail(lines_.number(), Quoted(line) + " is not a whole number (" + name.Text() + ")");
        break;
    }
    return false;
  }

  void Fail(int line, std::string message) {
    failed_ = true;
    error_ = FileError{{}, line, std::move(message)};
  }

  LineCursor& lines_;
  bool failed_ = false;
  FileError error_;
};

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}

  void Int16(std::int16_t field, FieldName) { Integer(field); }
  void Int32(std::int32_t field, FieldName) { Integer(field); }
  void Text(const std::string& field, FieldName) {
    for (char c : field) out_.push_back(c == '\r' || c == '\n' ? ' ' : c);
    out_ += "\r\n";
  }

 private:
  // The sign-reserving form: " 0 ", "-1 ", " 9664 ".
  void Integer(std::int32_t value) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    if (value >= 0) out_.push_back(' ');
    out_.append(digits, result.ptr);
    out_ += " \r\n";
  }

  std::string& out_;
};

}  // namespace

std::string FileError::ToString() const {
  std::string text = file;
  if (line > 0) text += (text.empty() ? "line " : ", line ") + std::to_string(line);
  if (!text.empty()) text += ": ";
  return text + message;
}

std::expected<LoadedDataFile, FileError> ParseDataFile(std::string_view text,
                                                       const RadioConfig& base) {
  // Editors that save "UTF-8 with BOM" put it before the version; it is no part of the number.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  LineCursor lines(text);
  LoadedDataFile loaded{base, {}};
  std::string_view version;
  if (!lines.Next(version)) return std::unexpected(FileError{{}, 1, "the file is empty"});
  // Read as one line, a file with CR alone after every line would end early at line 2.
  if (version.find('\r') != std::string_view::npos) {
    return std::unexpected(FileError{{},
                                     1,
                                     "the line ends are not recognised: the lines end with CR "
                                     "alone, a data file's lines end with CR LF (or LF)"});
  }
  // The layout depends on the version: a line that is no version would shift every value.
  if (!StartsWithNumber(version)) {
    return std::unexpected(
        FileError{{},
                  1,
                  "not a data file: the first line should be a version such as 1.03, not " +
                      Quoted(version)});
  }
  loaded.version = version;
  Reader reader(lines);
  VisitFields(loaded.record, LayoutOfVersion(LeadingNumber(version)), reader);
  if (reader.failed()) return std::unexpected(std::move(reader.error()));
  // Lines after the last field mean that the file has another layout than its version line says.
  const int last_field_line = lines.number();
  int first_leftover = 0;
  int leftover = 0;
  for (std::string_view line; lines.Next(line);) {
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    if (leftover++ == 0) first_leftover = lines.number();
  }
  if (leftover > 0) {
    return std::unexpected(
        FileError{{},
                  first_leftover,
                  "a version " + Shortened(version) + " file ends after line " +
                      std::to_string(last_field_line) + ", but " + std::to_string(leftover) +
                      (leftover == 1 ? " more line follows" : " more lines follow") +
                      "; the version line does not fit the rest of the file"});
  }
  return loaded;
}

std::string FormatDataFile(const RadioConfig& record) {
  std::string out;
  out.reserve(96 * 1024);
  out += kDataFileVersion;
  out += "\r\n";
  Writer writer(out);
  VisitFields(record, Layout::kCurrent, writer);
  return out;
}

std::expected<LoadedDataFile, FileError> ReadDataFile(const std::filesystem::path& path,
                                                      const RadioConfig& base) {
  const auto bytes = ReadFileBytes(path, kMaxDataFileSize, "a data file");
  if (!bytes) {
    return std::unexpected(FileError{Utf8FromPath(path), 0, "cannot be read: " + bytes.error()});
  }
  auto loaded = ParseDataFile(*bytes, base);
  if (!loaded) loaded.error().file = Utf8FromPath(path);
  return loaded;
}

std::expected<RadioConfig, FileError> LoadDataFile(const std::filesystem::path& path,
                                                   const RadioConfig& base) {
  auto loaded = ReadDataFile(path, base);
  if (!loaded) return std::unexpected(std::move(loaded.error()));
  return std::move(loaded->record);
}

std::expected<void, FileError> SaveDataFile(const std::filesystem::path& path,
                                            const RadioConfig& record) {
  const auto written = SaveFile(path, FormatDataFile(record));
  if (!written) {
    return std::unexpected(
        FileError{Utf8FromPath(path), 0, "cannot be written: " + written.error()});
  }
  return {};
}

}  // namespace kestrel
