#include "tick_input.h"

#include <vector>

#include "engine/text_checks.h"

namespace glamora::net {

int mergeKeys(const TickInput& first, const TickInput& second, std::array<MergedKey, 2 * kMaxKeysPerTick>& out) {
  int i = 0, j = 0, n = 0;
  while (i < first.keyCount || j < second.keyCount) {
    const bool takeFirst =
        j == second.keyCount || (i < first.keyCount && first.keys[i].offsetMs <= second.keys[j].offsetMs);
    out[n++] = takeFirst ? MergedKey{0, first.keys[i++].key} : MergedKey{1, second.keys[j++].key};
  }
  return n;
}

char keyCharacter(int player, Key key) {
  static constexpr char kKeys[2][3] = {{'a', 's', 'd'}, {'4', '5', '6'}};
  switch (key) {
    case Key::Left: return kKeys[player][0];
    case Key::Select: return kKeys[player][1];
    case Key::Right: return kKeys[player][2];
    case Key::None: break;
  }
  return 0;
}

bool acceptableEditorText(const EditorBox& box, std::string_view text) {
  if (!validUtf8(text)) return false;
  int characters = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Step step = decodeUtf8(text, at);
    if (step.value < 0x20 || step.value == 0x7F || (step.value >= 0x80 && step.value < 0xA0)) return false;
    at += step.length;
    ++characters;
  }
  return characters <= box.maxLength();
}

EditorTexts editorTexts(const EditorValues& editor) {
  EditorTexts texts;
  const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  for (std::size_t k = 0; k < boxes.size(); ++k) texts[k] = editor.text(boxes[k]);
  return texts;
}

}  // namespace glamora::net
