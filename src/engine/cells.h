// Cell codes, boards and supplies: the data every rule works on.
#pragma once

#include <array>
#include <cassert>

namespace glamora {

inline constexpr int kColumns = 6;
inline constexpr int kRows = 10;     // row 10 is the OUT ZONE row
inline constexpr int kPlayRows = 9;  // rows that runs, falls and mirrors look at
inline constexpr int kSlots = 8;
inline constexpr int kOutZoneRow = 10;
// Where the arrow and the carried item stand when a round starts.
inline constexpr int kStartColumn = 3;

// One code for board cells, supply slots and the carried item.
enum class Code : int {
  Empty = 0,
  Foundation = 1,
  RougeRight = 2,
  RougeLeft = 3,
  CombUp = 4,
  CombDown = 5,
  MirrorUp = 6,
  MirrorDown = 7,
  MirrorRight = 8,
  MirrorLeft = 9,
  UsedUp = 10,  // only as a supply column's offer
};

// The next slot of a supply column that has handed out all its slots.
inline constexpr int kSupplyUsedUp = kSlots + 1;

inline constexpr bool isMatchable(Code code) { return code >= Code::Foundation && code <= Code::CombDown; }
inline constexpr bool isMirror(Code code) { return code >= Code::MirrorUp && code <= Code::MirrorLeft; }
inline constexpr bool isItem(Code code) { return code >= Code::Foundation && code <= Code::MirrorLeft; }

// A fixed-size array indexed from 1, as the game numbers columns and slots.
template <typename T, int N>
struct OneBased {
  std::array<T, N> v{};
  constexpr T& operator[](int i) { return v[at(i)]; }
  constexpr const T& operator[](int i) const { return v[at(i)]; }
  constexpr void fill(T x) { v.fill(x); }
  bool operator==(const OneBased&) const = default;
  static constexpr int at(int i) {
    assert(i >= 1 && i <= N);
    return i - 1;
  }
};

// The index of cell (col, row) of a column-major grid of `rows` rows.
constexpr int cellIndex(int col, int row, int rows) {
  assert(col >= 1 && col <= kColumns && row >= 1 && row <= rows);
  return (col - 1) * rows + (row - 1);
}

using PerColumn = OneBased<int, kColumns>;
using Offers = OneBased<Code, kColumns>;  // what each supply column hands out

// board(col, row): col 1..6 from the left, row 1..10 from the bottom.
struct Board {
  std::array<Code, kColumns * kRows> cells{};
  constexpr Code& operator()(int col, int row) { return cells[cellIndex(col, row, kRows)]; }
  constexpr Code operator()(int col, int row) const { return cells[cellIndex(col, row, kRows)]; }
  bool operator==(const Board&) const = default;
};

// supply(col, slot): col 1..6, slot 1..8, slot 1 handed out first.
struct Supply {
  std::array<Code, kColumns * kSlots> cells{};
  constexpr Code& operator()(int col, int slot) { return cells[cellIndex(col, slot, kSlots)]; }
  constexpr Code operator()(int col, int slot) const { return cells[cellIndex(col, slot, kSlots)]; }
  bool operator==(const Supply&) const = default;
};

}  // namespace glamora
