#include "editor_values.h"

#include "errors.h"
#include "int_conversion.h"

namespace glamora {

namespace {

// Length of a UTF-8 sequence starting with byte b (1 for stray bytes).
std::size_t utf8Length(unsigned char b) {
  if (b >= 0xF0) return 4;
  if (b >= 0xE0) return 3;
  if (b >= 0xC0) return 2;
  return 1;
}

std::string firstCharacters(const std::string& text, int count) {
  std::size_t end = 0;
  for (int n = 0; n < count && end < text.size(); ++n) end += utf8Length(static_cast<unsigned char>(text[end]));
  return text.substr(0, std::min(end, text.size()));
}

void checkBox(const EditorBox& box, const std::string& text) {
  const int value = toInteger(text);
  if (value < box.minValue() || value > box.maxValue()) throw GameError(Message("Message", "範囲ﾁｪｯｸｴﾗｰ"));
}

}  // namespace

std::optional<EditorBox> EditorBox::fromName(const std::string& name) {
  if (name == "psc") return EditorBox{Norm};
  if (name == "ptm") return EditorBox{MirrorTime};
  if (name.size() == 4 && name[0] == 'p' && name[1] == 'a' && name[2] >= '1' && name[2] <= '6' && name[3] >= '1' &&
      name[3] <= '8') {
    return EditorBox{Grid, name[2] - '0', name[3] - '0'};
  }
  return std::nullopt;
}

std::string EditorBox::name() const {
  switch (kind) {
    case Norm: return "psc";
    case MirrorTime: return "ptm";
    case Grid: break;
  }
  return "pa" + std::to_string(column) + std::to_string(slot);
}

int EditorBox::maxLength() const {
  static const int lengths[] = {1, 5, 2};
  return lengths[kind];
}

int EditorBox::maxValue() const {
  static const int maxima[] = {9, 99999, 99};
  return maxima[kind];
}

std::vector<EditorBox> editorBoxesInCheckOrder() {
  std::vector<EditorBox> boxes;
  for (int c = 1; c <= kColumns; ++c) {
    for (int s = 1; s <= kSlots; ++s) boxes.push_back({EditorBox::Grid, c, s});
  }
  boxes.push_back({EditorBox::Norm});
  boxes.push_back({EditorBox::MirrorTime});
  return boxes;
}

EditorValues::EditorValues() { grid_.fill("1"); }

// The text of a box, for reading or for writing.
template <typename Self>
auto& EditorValues::slot(Self& self, const EditorBox& box) {
  switch (box.kind) {
    case EditorBox::Norm: return self.norm_;
    case EditorBox::MirrorTime: return self.mirrorTime_;
    case EditorBox::Grid: break;
  }
  return self.grid_[(box.column - 1) * kSlots + (box.slot - 1)];
}

const std::string& EditorValues::text(const EditorBox& box) const { return slot(*this, box); }

void EditorValues::type(const EditorBox& box, const std::string& text) {
  slot(*this, box) = firstCharacters(text, box.maxLength());
}

void EditorValues::setText(const EditorBox& box, const std::string& text) { slot(*this, box) = text; }

void EditorValues::check() const {
  for (int c = 1; c <= kColumns; ++c) {
    for (int s = 1; s <= kSlots; ++s) {
      const EditorBox box{EditorBox::Grid, c, s};
      checkBox(box, text(box));
    }
  }
  checkBox(EditorBox{EditorBox::Norm}, norm_);
  checkBox(EditorBox{EditorBox::MirrorTime}, mirrorTime_);
}

void EditorValues::readGridInto(Supply& supply) const {
  for (int c = 1; c <= kColumns; ++c) {
    for (int s = 1; s <= kSlots; ++s) supply(c, s) = Code{toInteger(grid_[(c - 1) * kSlots + (s - 1)])};
  }
}

int EditorValues::norm() const { return toInteger(norm_); }
int EditorValues::mirrorTime() const { return toInteger(mirrorTime_); }

}  // namespace glamora
