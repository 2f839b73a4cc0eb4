// Where the game finds its files: each one in the first place that holds it,
// of the working directory, the data/ of the source checkout (for the program
// in a build tree only) and the installed data directory. So a start from a
// desktop menu, a terminal anywhere, a build tree or a folder holding a
// changed copy of one file all find every file.
#pragma once

#include <filesystem>
#include <vector>

#include "engine/media_files.h"

namespace glamora {

// The data directory of the installed game, PREFIX/share/glamora.
std::filesystem::path installedDataDirectory();

// The data/ of the source checkout this program was built from: compiled only
// into the program that stays in the build tree (the installed program is a
// build of its own that knows no checkout); empty for that one.
std::filesystem::path checkoutDataDirectory();

// The places looked in, in this order, leaving out those not given and a
// place that is the same directory as one before it.
std::vector<std::filesystem::path> dataPlaces(const std::filesystem::path& working,
                                              const std::filesystem::path& checkout,
                                              const std::filesystem::path& installed);

// A file of the game from the first of `places` that holds it; a file in
// none is looked for in the first (the working directory, where a player
// puts a file that an error box names). Every call looks again, so a file put
// in place later is found.
FileLocator firstPlaceHolding(std::vector<std::filesystem::path> places);

// firstPlaceHolding({working, installed}).
FileLocator workingOrInstalledFiles(std::filesystem::path working,
                                    std::filesystem::path installed = installedDataDirectory());

}  // namespace glamora
