#include "media_files.h"

namespace glamora {

const char* mediaName(Media m) {
  static const char* const names[] = {"MediaBgm", "MediaP1mw", "MediaP2mw", "MediaP1sw", "MediaP1sl"};
  return names[static_cast<int>(m)];
}

const char* mediaOpName(MediaOp op) {
  static const char* const names[] = {"open", "play", "stop", "rewind"};
  return names[static_cast<int>(op)];
}

const char* dialogName(Dialog d) {
  static const char* const names[] = {"Mw1Form", "Mw2Form", "SwForm", "SlForm"};
  return names[static_cast<int>(d)];
}

std::string assetPath(const std::string& directory, const std::string& fileName) { return directory + "/" + fileName; }

FileLocator filesInDirectory(std::string directory) {
  return [directory = std::move(directory)](const std::string& fileName) { return assetPath(directory, fileName); };
}

TrainingVoices trainingVoices(Character character) {
  if (character == Character::Mirabe) return {"MIRABE2.wav", "MIRABE3.wav"};
  return {"ELNA2.wav", "ELNA3.wav"};
}

void openStartupMedia(Effects& effects, const FileLocator& files) {
  const TrainingVoices elna = trainingVoices(Character::Elna);
  effects.openMedia(Media::Bgm, files(kMusicFile));
  effects.openMedia(Media::P1mw, files("ELNA1.wav"));
  effects.openMedia(Media::P2mw, files("MIRABE1.wav"));
  effects.openMedia(Media::P1sw, files(elna.win));
  effects.openMedia(Media::P1sl, files(elna.lose));
}

}  // namespace glamora
