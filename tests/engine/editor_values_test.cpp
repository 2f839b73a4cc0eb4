#include "engine/editor_values.h"

#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/int_conversion.h"

namespace glamora {
namespace {

TEST(IntegerConversion, AcceptsTheGamesForms) {
  EXPECT_EQ(parseInteger(" 150"), 150);
  EXPECT_EQ(parseInteger("+5"), 5);
  EXPECT_EQ(parseInteger("$1F"), 31);
  EXPECT_EQ(parseInteger("-$a"), -10);
  EXPECT_EQ(parseInteger("-0"), 0);
  EXPECT_EQ(parseInteger("2147483647"), 2147483647);
  EXPECT_EQ(parseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseInteger("$FFFFFFFF"), -1);
}

TEST(IntegerConversion, RefusesEverythingElse) {
  for (const char* text :
       {"", " ", "1x", "2147483648", "-2147483649", "$", "+", "1 ", "$1G", "0x1F", "１", "$100000000"}) {
    EXPECT_FALSE(parseInteger(text).has_value()) << '"' << text << '"';
  }
  try {
    toInteger("1x");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "'1x' は整数ではありません");
  }
}

EditorBox box(const char* name) { return *EditorBox::fromName(name); }

std::string checkMessage(const EditorValues& values) {
  try {
    values.check();
    return "";
  } catch (const GameError& e) {
    return errorBoxText(e).text();
  }
}

TEST(EditorCheck, DefaultsPassAndGiveFoundationsNorm1500Period95) {
  EditorValues values;
  EXPECT_EQ(checkMessage(values), "");
  Supply supply;
  values.readGridInto(supply);
  for (const Code cell : supply.cells) EXPECT_EQ(cell, Code::Foundation);
  EXPECT_EQ(values.norm(), 1500);
  EXPECT_EQ(values.mirrorTime(), 95);
}

TEST(EditorCheck, ReportsOnlyTheFirstBadBoxInItsOrder) {
  EditorValues values;
  values.type(box("ptm"), "x");
  values.type(box("psc"), "0");
  EXPECT_EQ(checkMessage(values), "範囲ﾁｪｯｸｴﾗｰ.");
  values.type(box("pa21"), "");
  EXPECT_EQ(checkMessage(values), "'' は整数ではありません.");
  values.type(box("pa18"), "0");
  EXPECT_EQ(checkMessage(values), "範囲ﾁｪｯｸｴﾗｰ.");  // pa18 comes before pa21
  values.type(box("pa18"), "q");
  EXPECT_EQ(checkMessage(values), "'q' は整数ではありません.");
}

TEST(EditorCheck, RangesOfTheThreeKindsOfBox) {
  EditorValues values;
  values.type(box("psc"), " 150");
  values.type(box("ptm"), "99");
  EXPECT_EQ(checkMessage(values), "");
  EXPECT_EQ(values.norm(), 150);
  values.type(box("psc"), "$1F");
  EXPECT_EQ(values.norm(), 31);
  values.type(box("psc"), "99999");
  EXPECT_EQ(checkMessage(values), "");
  values.type(box("psc"), "100000");  // typed: cut to five characters
  EXPECT_EQ(values.text(box("psc")), "10000");
  values.type(box("ptm"), "100");
  EXPECT_EQ(values.text(box("ptm")), "10");
  values.type(box("pa66"), "95");
  EXPECT_EQ(values.text(box("pa66")), "9");
  values.type(box("pa66"), "ｘ");  // one character, three bytes
  EXPECT_EQ(checkMessage(values), "'ｘ' は整数ではありません.");
  values.type(box("pa66"), "-");
  EXPECT_EQ(checkMessage(values), "'-' は整数ではありません.");
}

TEST(EditorBoxNames, GridAndTheTwoTrainingBoxes) {
  EXPECT_EQ(box("pa68").column, 6);
  EXPECT_EQ(box("pa68").slot, 8);
  EXPECT_EQ(box("pa11").name(), "pa11");
  for (const char* bad : {"pa01", "pa19", "pa71", "pa1", "psc1", "PA11", ""}) {
    EXPECT_FALSE(EditorBox::fromName(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace glamora
