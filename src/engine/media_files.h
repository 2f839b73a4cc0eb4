// The five media players, the files they open and the start-up order.
#pragma once

#include <functional>
#include <string>

#include "effects.h"

namespace glamora {

// Joins the asset directory and a file name with the platform's separator.
std::string assetPath(const std::string& directory, const std::string& fileName);

// The path each of the game's files is read from, by the file's name: the
// program decides where each one is; the rules only name the file.
using FileLocator = std::function<std::string(const std::string& fileName)>;
// Every file in one directory.
FileLocator filesInDirectory(std::string directory);

// File names of the battle voices and the music, and of a character's training voices.
inline constexpr const char* kMusicFile = "Glamora.mid";
inline constexpr const char* kHelpTextFile = "Glamora.txt";
// The English how-to-play text, read when the screens are in English.
inline constexpr const char* kEnglishHelpTextFile = "Glamora_en.txt";
struct TrainingVoices {
  const char* win;   // MediaP1sw: scoring and winning
  const char* lose;  // MediaP1sl
};
TrainingVoices trainingVoices(Character character);

// Every file the game reads from its asset directory.
inline constexpr const char* kAssetFiles[] = {kMusicFile,    "ELNA1.wav",   "ELNA2.wav",   "ELNA3.wav",
                                              "MIRABE1.wav", "MIRABE2.wav", "MIRABE3.wav", kHelpTextFile};

// Opens the five players in the start-up order (MediaBgm, MediaP1mw, MediaP2mw,
// MediaP1sw, MediaP1sl); the first failure throws and leaves the rest unopened.
void openStartupMedia(Effects& effects, const FileLocator& files);

}  // namespace glamora
