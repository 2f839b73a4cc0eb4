// Failures that end the handler they happen in and show the game's error box.
#pragma once

#include <stdexcept>
#include <string>

namespace glamora {

class GameError : public std::runtime_error {
 public:
  explicit GameError(const std::string& text) : std::runtime_error(text), text_(text) {}
  // The whole text; what() ends at a NUL a typed text may hold.
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The error box shows the error text followed by a full stop.
inline std::string errorBoxText(const std::string& text) { return text + "."; }

// The error box text of a failure, with all its bytes.
inline std::string errorBoxText(const GameError& e) { return errorBoxText(e.text()); }

// A failure of the system (an errno value) in the words of an error box:
// "ファイルが見つかりません" for ENOENT, and so on; "システムエラー N" for a rare one.
std::string systemErrorText(int errorNumber);

}  // namespace glamora
