// The title screen's start-up step: open the five media players, load the
// how-to-play text, then let the game begin. A failure shows its error box
// once and the step is tried again on the next tick.
#pragma once

#include <QString>
#include <functional>
#include <set>
#include <string>

#include "assets/text/help_text.h"
#include "engine/effects.h"

namespace glamora {

class StartupStep {
 public:
  StartupStep(Effects& effects, std::string directory, std::function<void(const QString&)> showHelpText)
      : effects_(effects), directory_(std::move(directory)), showHelpText_(std::move(showHelpText)) {}

  // One attempt; true once every player is open and the text is loaded.
  bool attempt();
  const std::string& directory() const { return directory_; }

 private:
  Effects& effects_;
  std::string directory_;
  std::function<void(const QString&)> showHelpText_;
  std::set<std::string> reported_;
};

}  // namespace glamora
