// The original stage as the editor holds it: the texts of its boxes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cells.h"

namespace glamora {

// A box of the editor: the grid pa11..pa68, the NORM box psc, the mirror time box ptm.
struct EditorBox {
  enum Kind { Grid, Norm, MirrorTime } kind;
  int column = 0;  // grid only: 1..6
  int slot = 0;    // grid only: 1..8

  static std::optional<EditorBox> fromName(const std::string& name);  // "pa11", "psc", "ptm"
  std::string name() const;
  int maxLength() const;  // characters the box takes when typed into: 1, 5, 2
  int minValue() const { return 1; }
  int maxValue() const;  // 9, 99999, 99
};

// The 50 boxes in the order of the check: pa11..pa18, pa21..pa68, psc, ptm.
std::vector<EditorBox> editorBoxesInCheckOrder();

class EditorValues {
 public:
  EditorValues();

  const std::string& text(const EditorBox& box) const;
  // Sets a box's text as typed: cut to the box's typed-length limit (in characters).
  void type(const EditorBox& box, const std::string& text);
  void setText(const EditorBox& box, const std::string& text);

  // The check of "&OK" and of every close: boxes in the order pa11..pa18,
  // pa21..pa68, psc, ptm; the first bad one throws GameError with its message.
  void check() const;

  // The grid as a supply table; each box converted in turn, the first bad one
  // throwing after the earlier values have been stored into `supply`.
  void readGridInto(Supply& supply) const;
  int norm() const;        // psc converted (throws when no integer)
  int mirrorTime() const;  // ptm converted

  // psc and ptm can be edited only when the editor is opened from training.
  bool trainingBoxesEnabled = false;

 private:
  std::array<std::string, kColumns * kSlots> grid_;
  std::string norm_ = "1500";
  std::string mirrorTime_ = "95";
  template <typename Self>
  static auto& slot(Self& self, const EditorBox& box);
};

}  // namespace glamora
