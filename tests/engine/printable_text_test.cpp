// Text from files, scripts and paths as a window quotes it: what cannot be
// read as printable text is escaped, everything else is kept as it is.
#include <gtest/gtest.h>

#include <random>

#include "engine/errors.h"
#include "engine/text_checks.h"

namespace glamora {
namespace {

using namespace std::string_literals;

TEST(PrintableText, EscapesWhatIsNotPrintableAndKeepsTheRest) {
  const struct {
    std::string bytes, shown;
  } cases[] = {
      {"stage 3", "stage 3"},
      {"/home/user/遊び/Glamora.mid", "/home/user/遊び/Glamora.mid"},
      {"a\tb\r\n", "a\\tb\\r\\n"},
      {"nul\0bell\a"s, "nul\\x00bell\\x07"},
      {"\x7F", "\\x7F"},
      {"C:\\dir\\x41", "C:\\dir\\x41"},
      {"\xFF\xFE garbage \x80", "\\xFF\\xFE garbage \\x80"},
      {"\xE3\x81", "\\xE3\\x81"},                 // a character cut short
      {"\xC0\xAF", "\\xC0\\xAF"},                 // an overlong '/'
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},        // a surrogate
      {"\xC2\x85", "\\u0085"},                    // C1 control
      {"txt.\xE2\x80\xAEvaw", "txt.\\u202Evaw"},  // right-to-left override
      {"a\xE2\x80\x8B"
       "b\xEF\xBB\xBF",
       "a\\u200Bb\\uFEFF"},  // zero-width space, BOM
      {"\xF0\x9F\x92\x84 ルージュ", "\xF0\x9F\x92\x84 ルージュ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(printableText(c.bytes), c.shown);
  }
}

TEST(PrintableText, AnyBytesComeOutAsValidUtf8WithoutControlCharactersAndStayAsTheyAre) {
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 16, '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 3 == 0 ? random() % 0x20 : random() % 0x100);
    const std::string shown = printableText(bytes);
    ASSERT_TRUE(validUtf8(shown)) << shown;
    ASSERT_EQ(printableText(shown), shown);
    for (const char c : shown) ASSERT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << shown;
  }
}

// Names from other machines: whatever their bytes, what is kept is valid
// UTF-8 of printable characters only, and at most the number asked for.
TEST(PrintableOnly, KeepsAtMostSoManyPrintableCharactersAndDropsTheRest) {
  const struct {
    std::string bytes;
    std::size_t most;
    std::string kept;
  } cases[] = {
      {"mirabe-pc", 32, "mirabe-pc"},
      {"\x1B[31mred\x07\n", 32, "[31mred"},
      {"a\xE2\x80\xAE"
       "b\xE2\x80\x8B"
       "c\xC2\x85",
       32, "abc"},
      {"\xFF\xC0\xAFok\xED\xA0\x80", 32, "ok"},
      {"遊びの部屋", 3, "遊びの"},
      {std::string(100, 'x'), 32, std::string(32, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kept);
    EXPECT_EQ(printableOnly(c.bytes, c.most), c.kept);
  }
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 80, '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 0x100);
    const std::string kept = printableOnly(bytes, 32);
    ASSERT_TRUE(validUtf8(kept));
    ASSERT_EQ(printableText(kept), kept);
    ASSERT_EQ(printableOnly(kept, 32), kept);
  }
}

TEST(SystemErrorText, EveryFailureIsSaidInJapanese) {
  for (int error = 1; error < 134; ++error) {
    const std::string text = systemErrorText(error).text();
    SCOPED_TRACE(text);
    const bool japanese = static_cast<unsigned char>(text[0]) >= 0x80;
    EXPECT_TRUE(japanese);
    if (text.starts_with("システムエラー")) {
      EXPECT_EQ(text, "システムエラー " + std::to_string(error));
    }
  }
}

}  // namespace
}  // namespace glamora
