#include "app/data_directory.h"

#include <algorithm>
#include <iterator>
#include <system_error>

#include "engine/media_files.h"

namespace glamora {

namespace fs = std::filesystem;

fs::path installedDataDirectory() { return GLAMORA_INSTALLED_DATA_DIR; }

namespace {

bool holds(const fs::path& directory, const char* file) {
  std::error_code error;
  return fs::exists(directory / file, error);
}

}  // namespace

bool enterDataDirectory(const fs::path& installed) {
  std::error_code error;
  const fs::path working = fs::current_path(error);
  if (error) return false;
  const auto inWorking = [&](const char* file) { return holds(working, file); };
  const auto inInstalled = [&](const char* file) { return holds(installed, file); };
  if (std::any_of(std::begin(kAssetFiles), std::end(kAssetFiles), inWorking)) return false;
  if (!std::all_of(std::begin(kAssetFiles), std::end(kAssetFiles), inInstalled)) return false;
  fs::current_path(installed, error);
  return !error;
}

}  // namespace glamora
