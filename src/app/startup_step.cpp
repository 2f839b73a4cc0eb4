#include "startup_step.h"

#include "engine/errors.h"
#include "engine/media_files.h"

namespace glamora {

bool StartupStep::attempt() {
  try {
    openStartupMedia(effects_, directory_);
    showHelpText_(readHelpText(assetPath(directory_, kHelpTextFile)));
    return true;
  } catch (const GameError& e) {
    // Report each distinct failure once; the step keeps retrying quietly.
    const std::string text = errorBoxText(e.what());
    if (reported_.insert(text).second) effects_.showError(text);
    return false;
  }
}

}  // namespace glamora
