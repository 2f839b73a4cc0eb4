// The editor's string-to-integer conversion and its check over all 50 boxes.
// The input is up to 50 texts, one a line, typed into pa11..pa68, psc, ptm in
// that order (boxes left out keep their start values); a line starting with
// a tab is set as a whole instead of typed. Every text's conversion is
// compared with a plain reference built on std::from_chars, and the check's
// verdict with the boxes' values.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/editor_values.h"
#include "engine/errors.h"
#include "engine/int_conversion.h"
#include "fuzz_check.h"

using namespace glamora;

namespace {

std::optional<std::int32_t> reference(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  // from_chars takes no sign of its own for an unsigned type.
  if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (base == 16) {
    if (value > 0xFFFFFFFFu) return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
  }
  if (value > (negative ? 0x80000000u : 0x7FFFFFFFu)) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value));
}

void checkConversion(const std::string& text) {
  const std::optional<std::int32_t> value = parseInteger(text);
  FUZZ_CHECK(value == reference(text));
  try {
    FUZZ_CHECK(toInteger(text) == *value);
  } catch (const GameError&) {
    FUZZ_CHECK(!value);
  }
}

std::vector<EditorBox> allBoxes() {
  std::vector<EditorBox> boxes;
  for (int c = 1; c <= kColumns; ++c)
    for (int s = 1; s <= kSlots; ++s) boxes.push_back(EditorBox{EditorBox::Grid, c, s});
  boxes.push_back(EditorBox{EditorBox::Norm});
  boxes.push_back(EditorBox{EditorBox::MirrorTime});
  return boxes;
}

bool inRange(const EditorBox& box, const std::string& text) {
  const auto value = parseInteger(text);
  return value && *value >= box.minValue() && *value <= box.maxValue();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<EditorBox> boxes = allBoxes();
  const std::string input(reinterpret_cast<const char*>(data), size);
  EditorValues editor;
  std::size_t lineStart = 0;
  for (const EditorBox& box : boxes) {
    if (lineStart > input.size()) break;
    const std::size_t end = std::min(input.find('\n', lineStart), input.size());
    const std::string line = input.substr(lineStart, end - lineStart);
    lineStart = end + 1;
    checkConversion(line);
    FUZZ_CHECK(EditorBox::fromName(box.name()).has_value());
    if (!line.empty() && line[0] == '\t') {
      editor.setText(box, line.substr(1));
      FUZZ_CHECK(editor.text(box) == line.substr(1));
    } else {
      editor.type(box, line);
      const std::string& typed = editor.text(box);
      FUZZ_CHECK(line.compare(0, typed.size(), typed) == 0);
      FUZZ_CHECK(typed.size() <= static_cast<std::size_t>(4 * box.maxLength()));
    }
  }

  bool allGood = true;
  for (const EditorBox& box : boxes) allGood = allGood && inRange(box, editor.text(box));
  try {
    editor.check();
    FUZZ_CHECK(allGood);
    Supply supply;
    editor.readGridInto(supply);
    for (const Code code : supply.cells) FUZZ_CHECK(isItem(code));
    FUZZ_CHECK(editor.norm() >= 1 && editor.norm() <= 99999);
    FUZZ_CHECK(editor.mirrorTime() >= 1 && editor.mirrorTime() <= 99);
  } catch (const GameError&) {
    FUZZ_CHECK(!allGood);
  }
  return 0;
}
