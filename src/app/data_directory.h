// Where the game finds its files when it is started outside its data
// directory, from a desktop menu or a terminal anywhere.
#pragma once

#include <filesystem>

namespace glamora {

// The data directory of the installed game, PREFIX/share/glamora.
std::filesystem::path installedDataDirectory();

// When none of the files the game reads is in the working directory and
// `installed` holds all of them, makes `installed` the working directory and
// returns true; otherwise changes nothing. Paths from the command line must
// be made absolute before this is called.
bool enterDataDirectory(const std::filesystem::path& installed = installedDataDirectory());

}  // namespace glamora
