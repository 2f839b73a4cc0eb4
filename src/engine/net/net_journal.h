// A network battle's journal: a plain script of glamora-sim's language with
// every confirmed input at its tick (stage choices with the editor texts
// they carry, both players' keys in the order applied) and `wait` lines, so
// that both sides write the same script and any model of the rules can run it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "rollback_battle.h"

namespace glamora::net {

class NetJournal {
 public:
  // `write` receives whole lines, each ending in a newline.
  explicit NetJournal(std::function<void(std::string_view)> write);

  void comment(std::string_view text);  // "# text"
  void tick(const ConfirmedTick& tick);
  // The clock up to the end tick.
  void finish(int endTick);

 private:
  void line(const std::string& text, int tick);
  std::function<void(std::string_view)> write_;
  std::int64_t scriptTime_ = 0;
  EditorTexts texts_;  // the editor as the script has typed it so far
};

}  // namespace glamora::net
