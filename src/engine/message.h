// A text for the player in the game's own language, kept with what it is made
// of: a template filed under a context, and its arguments for %1, %2, ... Each
// argument is another message or a fixed text (a path, a number, what a player
// typed). The engine, glamora-sim and the journals use only text(); the screens
// translate the template and the arguments that are messages.
#pragma once

#include <string>
#include <vector>

namespace glamora {

class Message {
 public:
  Message() = default;
  // `context` and `source` are string literals: the screens look them up as
  // they stand.
  Message(const char* context, const char* source, std::vector<Message> args = {})
      : context_(context), source_(source), args_(std::move(args)) {}

  // A text shown as it is in every language.
  static Message fixed(std::string text) {
    Message m;
    m.fixed_ = std::move(text);
    return m;
  }
  static Message fixed(long long number) { return fixed(std::to_string(number)); }

  bool isFixed() const { return source_ == nullptr; }
  const char* context() const { return context_; }
  const char* source() const { return source_; }
  const std::vector<Message>& args() const { return args_; }
  const std::string& fixedText() const { return fixed_; }

  // The whole text in the game's own language.
  std::string text() const;

 private:
  const char* context_ = nullptr;
  const char* source_ = nullptr;
  std::vector<Message> args_;
  std::string fixed_;
};

// Fills %1..%9 of `pattern` in one pass, so an argument holding "%1" stays as
// it is; a number without an argument stays too.
std::string fillArguments(const std::string& pattern, const std::vector<std::string>& args);

}  // namespace glamora
