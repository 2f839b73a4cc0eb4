// Failures that end the handler they happen in and show the game's error box.
#pragma once

#include <stdexcept>
#include <string>

#include "message.h"

namespace glamora {

class GameError : public std::runtime_error {
 public:
  explicit GameError(Message message)
      : std::runtime_error(message.text()), text_(message.text()), message_(std::move(message)) {}
  // The whole text; what() ends at a NUL a typed text may hold.
  const std::string& text() const { return text_; }
  const Message& message() const { return message_; }

 private:
  std::string text_;
  Message message_;
};

// The error box shows the error text followed by a full stop.
inline Message errorBoxText(const Message& text) { return Message("Message", "%1.", {text}); }

// The error box text of a failure, with all its bytes.
inline Message errorBoxText(const GameError& e) { return errorBoxText(e.message()); }

// A failure of the system (an errno value) in the words of an error box:
// "ファイルが見つかりません" for ENOENT, and so on; "システムエラー N" for a rare one.
Message systemErrorText(int errorNumber);

}  // namespace glamora
