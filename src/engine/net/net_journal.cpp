#include "net_journal.h"

#include <vector>

#include "engine/stages.h"

namespace glamora::net {

NetJournal::NetJournal(std::function<void(std::string_view)> write)
    : write_(std::move(write)), texts_(editorTexts(EditorValues{})) {}

void NetJournal::comment(std::string_view text) { write_("# " + std::string(text) + "\n"); }

void NetJournal::line(const std::string& text, int tick) {
  std::string out;
  const std::int64_t t = std::int64_t{tick} * kTickMs;
  if (t > scriptTime_) out += "wait " + std::to_string(t - scriptTime_) + "\n";
  scriptTime_ = std::max(scriptTime_, t);
  write_(out + text + "\n");
}

void NetJournal::tick(const ConfirmedTick& tick) {
  if (tick.choice) {
    if (tick.choice->stage == kOriginalStage) {
      static const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
      for (std::size_t k = 0; k < boxes.size(); ++k) {
        if (tick.choice->texts[k] == texts_[k]) continue;
        texts_[k] = tick.choice->texts[k];
        line("editor " + boxes[k].name() + " " + texts_[k], tick.tick);
      }
    }
    line("stage " + std::to_string(tick.choice->stage), tick.tick);
  }
  for (const MergedKey& k : tick.keys) line(std::string("key ") + keyCharacter(k.player, k.key), tick.tick);
}

void NetJournal::finish(int endTick) {
  const std::int64_t t = std::int64_t{endTick} * kTickMs;
  if (t > scriptTime_) write_("wait " + std::to_string(t - scriptTime_) + "\n");
  scriptTime_ = std::max(scriptTime_, t);
}

}  // namespace glamora::net
