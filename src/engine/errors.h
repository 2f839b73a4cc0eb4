// Failures that end the handler they happen in and show the game's error box.
#pragma once

#include <stdexcept>
#include <string>

namespace glamora {

class GameError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The error box shows the error text followed by a full stop.
inline std::string errorBoxText(const std::string& text) { return text + "."; }

}  // namespace glamora
