// Where the game finds its files: each one in the working directory when it
// is there, in the installed data directory otherwise, so that a start from
// a desktop menu, a terminal anywhere or a folder holding a changed copy of
// one file all find every file.
#pragma once

#include <filesystem>

#include "engine/media_files.h"

namespace glamora {

// The data directory of the installed game, PREFIX/share/glamora.
std::filesystem::path installedDataDirectory();

// A file of the game from `working` when it is there, from `installed` when
// only that holds it; a file in neither is looked for in `working` (where a
// player puts a file that an error box names). Every call looks again, so a
// file put in place later is found.
FileLocator workingOrInstalledFiles(std::filesystem::path working,
                                    std::filesystem::path installed = installedDataDirectory());

}  // namespace glamora
