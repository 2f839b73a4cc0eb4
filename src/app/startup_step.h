// The title screen's start-up step: open the five media players, load the
// how-to-play text, then let the game begin. A failure shows its error box
// once and the step is tried again on later ticks, but the file that failed
// is not read again until it has changed or another copy of it is found (a
// huge file would otherwise be read twice a second for as long as the title
// shows).
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "assets/text/help_text.h"
#include "engine/effects.h"
#include "engine/media_files.h"

namespace glamora {

// What the file system says of a file: equal stamps, an unchanged file.
struct FileStamp {
  bool exists = false;
  unsigned long long device = 0, inode = 0, size = 0;
  unsigned mode = 0;
  long long modified = 0, changed = 0;  // ns since the epoch
  bool operator==(const FileStamp&) const = default;
  static FileStamp of(const std::string& path);
};

// What a player reads under a missing file's error: the places looked in,
// and how to start the game where its files are.
QString missingFilesAdvice(const std::vector<std::filesystem::path>& places);

class StartupStep {
 public:
  // `files` says where each file is read from, looked up again on every attempt.
  StartupStep(Effects& effects, FileLocator files, std::function<void(const QString&)> showHelpText)
      : effects_(effects), files_(std::move(files)), showHelpText_(std::move(showHelpText)) {}

  // One attempt; true once every player is open and the text is loaded.
  bool attempt();

  // Where failures go instead of the effects' error box: the error box's
  // text, and whether the file that failed is missing.
  void reportWith(std::function<void(const Message& error, bool fileMissing)> report) { report_ = std::move(report); }

 private:
  Effects& effects_;
  FileLocator files_;
  std::function<void(const QString&)> showHelpText_;
  std::function<void(const Message&, bool)> report_;
  std::set<std::string> reported_;
  bool failed_ = false;
  std::string failedName_, failedPath_;
  FileStamp failedStamp_;
};

}  // namespace glamora
