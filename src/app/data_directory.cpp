#include "app/data_directory.h"

#include <algorithm>
#include <system_error>

namespace glamora {

namespace fs = std::filesystem;

fs::path installedDataDirectory() { return GLAMORA_INSTALLED_DATA_DIR; }

std::vector<fs::path> dataPlaces(const fs::path& working, const fs::path& checkout, const fs::path& installed) {
  std::vector<fs::path> places;
  for (const fs::path& place : {working, checkout, installed}) {
    if (place.empty()) continue;
    const auto same = [&place](const fs::path& earlier) {
      std::error_code error;
      return fs::equivalent(place, earlier, error) || place.lexically_normal() == earlier.lexically_normal();
    };
    if (std::none_of(places.begin(), places.end(), same)) places.push_back(place);
  }
  return places;
}

FileLocator firstPlaceHolding(std::vector<fs::path> places) {
  std::vector<std::string> names;
  for (const fs::path& place : places) names.push_back(place.string());
  if (names.empty()) names.emplace_back(".");
  return [names = std::move(names)](const std::string& fileName) {
    std::error_code error;
    for (const std::string& place : names) {
      if (std::string path = assetPath(place, fileName); fs::exists(path, error)) return path;
    }
    return assetPath(names.front(), fileName);
  };
}

FileLocator workingOrInstalledFiles(fs::path working, fs::path installed) {
  return firstPlaceHolding({std::move(working), std::move(installed)});
}

}  // namespace glamora
