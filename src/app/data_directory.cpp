#include "app/data_directory.h"

#include <system_error>

namespace glamora {

namespace fs = std::filesystem;

fs::path installedDataDirectory() { return GLAMORA_INSTALLED_DATA_DIR; }

FileLocator workingOrInstalledFiles(fs::path working, fs::path installed) {
  return [working = working.string(), installed = installed.string()](const std::string& fileName) {
    const std::string local = assetPath(working, fileName);
    const std::string shared = assetPath(installed, fileName);
    std::error_code error;
    if (fs::exists(local, error) || !fs::exists(shared, error)) return local;
    return shared;
  };
}

}  // namespace glamora
