#include "files/config_source.h"

#include <system_error>

#include "files/data_file.h"
#include "files/image_file.h"
#include "image/decoder.h"
#include "model/defaults.h"

namespace kestrel {

std::expected<RadioConfig, std::string> LoadConfigurationSource(const std::filesystem::path& path) {
  RadioConfig record = NewConfiguration();
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error) &&
      IsImageFileSize(std::filesystem::file_size(path, error)) && !error) {
    auto image = LoadImageFile(path);
    if (!image) return std::unexpected(image.error());
    MarkUsedChannels(*image, record);
    DecodeImage(*image, record);
    return record;
  }
  auto loaded = LoadDataFile(path, record);
  if (!loaded) return std::unexpected(loaded.error().ToString());
  return *std::move(loaded);
}

}  // namespace kestrel
