#include "files/receiver_backups.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <system_error>

#include "files/data_file.h"
#include "files/image_file.h"
#include "files/output_file.h"
#include "files/path_text.h"
#include "image/image_map.h"
#include "model/defaults.h"

namespace kestrel {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;

constexpr std::string_view kPrefix = "read-";
constexpr std::string_view kTimeShape = "ddddddddTdddddd.dddZ";  // d a digit
constexpr std::string_view kConfigurationExtension = ".dat";
constexpr std::string_view kImageExtension = ".bin";
constexpr std::size_t kLongestPort = 40;

bool SafeInName(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_' || c == '+';
}

std::string TimeText(Clock::time_point when) {
  using namespace std::chrono;
  const auto ms = floor<milliseconds>(when);
  const auto day = floor<days>(ms);
  const year_month_day date(day);
  const hh_mm_ss time(ms - day);
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%04d%02u%02uT%02d%02d%02d.%03dZ",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()),
                static_cast<int>(time.subseconds().count()));
  return text.data();
}

int Number(std::string_view digits) {
  int value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

std::optional<Clock::time_point> ParseTime(std::string_view text) {
  using namespace std::chrono;
  if (text.size() != kTimeShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kTimeShape[i] == 'd' ? !digit : text[i] != kTimeShape[i]) return std::nullopt;
  }
  const year_month_day date{year(Number(text.substr(0, 4))),
                            month(static_cast<unsigned>(Number(text.substr(4, 2)))),
                            day(static_cast<unsigned>(Number(text.substr(6, 2))))};
  const int h = Number(text.substr(9, 2)), m = Number(text.substr(11, 2));
  const int s = Number(text.substr(13, 2));
  if (!date.ok() || h > 23 || m > 59 || s > 59) return std::nullopt;
  return sys_days(date) + hours(h) + minutes(m) + seconds(s) +
         milliseconds(Number(text.substr(16, 3)));
}

// A file this tool made: its backup's name without the extension, the time and the port.
struct Named {
  std::string stem;
  Clock::time_point when;
  std::string port;
  bool configuration = false;  // the .dat rather than the .bin
};

std::optional<Named> ParseName(const std::string& name) {
  const bool configuration = name.ends_with(kConfigurationExtension);
  if (!name.starts_with(kPrefix) || !(configuration || name.ends_with(kImageExtension))) {
    return std::nullopt;
  }
  const std::string stem = name.substr(0, name.size() - kConfigurationExtension.size());
  const std::size_t port_at = kPrefix.size() + kTimeShape.size() + 1;
  if (stem.size() <= port_at || stem[port_at - 1] != '-') return std::nullopt;
  const auto when = ParseTime(std::string_view(stem).substr(kPrefix.size(), kTimeShape.size()));
  const std::string port = stem.substr(port_at);
  if (!when || !std::ranges::all_of(port, SafeInName)) return std::nullopt;
  return Named{stem, *when, port, configuration};
}

// The files of each backup in `folder`, by name without the extension.
std::map<std::string, std::vector<Named>> FilesByBackup(const fs::path& folder) {
  std::map<std::string, std::vector<Named>> backups;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::file_status status = it->symlink_status(error);
    if (error || !(fs::is_regular_file(status) || fs::is_symlink(status))) continue;
    if (auto named = ParseName(Utf8FromPath(it->path().filename()))) {
      backups[named->stem].push_back(std::move(*named));
    }
  }
  return backups;
}

bool NewerFirst(const Named& a, const Named& b) {
  return a.when != b.when ? a.when > b.when : a.stem > b.stem;
}

// Removes the backups beyond the newest kBackupsKept; `kept` (just written) counts as newest
// even when the clock was set back since the others were made.
void RemoveOldBackups(const fs::path& folder, const std::string& kept) {
  std::vector<Named> others;
  for (const auto& [stem, files] : FilesByBackup(folder)) {
    if (stem != kept) others.push_back(files.front());
  }
  std::ranges::sort(others, NewerFirst);
  for (std::size_t i = kBackupsKept - 1; i < others.size(); ++i) {
    for (const std::string_view extension : {kConfigurationExtension, kImageExtension}) {
      std::error_code ignored;  // what cannot be removed now goes with a later read
      fs::remove(folder / (others[i].stem + std::string(extension)), ignored);
    }
  }
}

// Counted from the image's channel bitmap where the read knew it, as the read itself counts them,
// which is much quicker than loading the configuration.
std::optional<int> ChannelsInUse(const fs::path& image, const fs::path& configuration) {
  if (const auto contents = LoadImageFileContents(image); contents && contents->known) {
    const KnownImage& known = *contents->known;
    bool whole = true;
    for (std::size_t a = image_map::kChannelBitmap;
         a < image_map::kChannelBitmap + image_map::kChannelBitmapSize; ++a) {
      whole = whole && known.Known(a);
    }
    if (whole) {
      int count = 0;
      for (int c = 1; c <= KnownImage::kSlots; ++c) {
        const std::uint8_t bits =
            known.bytes().Byte(image_map::kChannelBitmap + image_map::ChannelBitmapByte(c));
        count += (bits & image_map::ChannelBitmapMask(c)) != 0 ? 1 : 0;
      }
      return count;
    }
  }
  if (const auto loaded = LoadDataFile(configuration, NewConfiguration())) {
    return loaded->ProgrammedChannelCount();
  }
  return std::nullopt;
}

}  // namespace

std::string BackupPortName(std::string_view port) {
  constexpr std::string_view kDevices = "/dev/";
  constexpr std::string_view kWindowsDevices = "\\\\.\\";
  if (port.starts_with(kDevices)) port.remove_prefix(kDevices.size());
  if (port.starts_with(kWindowsDevices)) port.remove_prefix(kWindowsDevices.size());
  if (port.size() == 1 && port[0] >= '1' && port[0] <= '4') return std::string("COM").append(port);
  std::string name(port.substr(0, kLongestPort));
  std::ranges::replace_if(
      name, [](char c) { return !SafeInName(c); }, '_');
  return name.empty() ? "port" : name;
}

std::string BackupStem(Clock::time_point when, std::string_view port) {
  return std::string(kPrefix).append(TimeText(when)).append("-").append(BackupPortName(port));
}

std::expected<ReceiverBackup, std::string> KeepBackup(const fs::path& folder,
                                                      const RadioConfig& configuration,
                                                      const KnownImage& image,
                                                      std::string_view port,
                                                      Clock::time_point when) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error)
    return std::unexpected(Utf8FromPath(folder) + ": cannot be created: " + error.message());

  const std::string stem = BackupStem(when, port);
  ReceiverBackup backup{
      .when = std::chrono::floor<std::chrono::milliseconds>(when),
      .port = BackupPortName(port),
      .configuration = folder / (stem + std::string(kConfigurationExtension)),
      .image = folder / (stem + std::string(kImageExtension)),
      .channels_in_use = configuration.ProgrammedChannelCount(),
  };
  auto dat = OutputFile::Open(backup.configuration);
  if (!dat)
    return std::unexpected(Utf8FromPath(backup.configuration) +
                           ": cannot be written: " + dat.error());
  auto bin = OutputFile::Open(backup.image);
  if (!bin)
    return std::unexpected(Utf8FromPath(backup.image) + ": cannot be written: " + bin.error());
  (void)dat->Write(FormatDataFile(configuration));  // failures come again on commit
  (void)bin->Write(KnownImageFileBytes(image));
  const std::array<OutputFile*, 2> both{&*dat, &*bin};
  if (auto committed = CommitTogether(both); !committed) {
    return std::unexpected(std::move(committed.error()));
  }
  RemoveOldBackups(folder, stem);
  return backup;
}

std::vector<ReceiverBackup> ListBackups(const fs::path& folder) {
  std::vector<Named> found;
  for (const auto& [stem, files] : FilesByBackup(folder)) {
    if (std::ranges::any_of(files, &Named::configuration)) found.push_back(files.front());
  }
  std::ranges::sort(found, NewerFirst);
  std::vector<ReceiverBackup> backups;
  for (const Named& named : found) {
    ReceiverBackup& backup = backups.emplace_back();
    backup.when = named.when;
    backup.port = named.port;
    backup.configuration = folder / (named.stem + std::string(kConfigurationExtension));
    const fs::path image = folder / (named.stem + std::string(kImageExtension));
    std::error_code error;
    if (fs::exists(image, error)) backup.image = image;
    backup.channels_in_use = ChannelsInUse(image, backup.configuration);
  }
  return backups;
}

}  // namespace kestrel
