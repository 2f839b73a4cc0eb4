// The mirror examples of the visual help and technique screens agree with the
// engine's mirror rules, at the places the layout gives them.
#include <vector>

#include "engine/mirror_rules.h"
#include "screen_testing.h"
#include "screens/help_screens.h"
#include "screens/item_diagram.h"
#include "screens/technique_screen.h"
#include "screens/visual_help_screen.h"

namespace glamora {
namespace {

using screen_test::library;
using screen_test::part;

// The code a diagram shows at `at`, or 0 when there is no item picture there.
int codeAt(const ItemDiagram& diagram, QPoint at) {
  const auto picture = diagram.pictureAt(at);
  if (!picture) return 0;
  return diagramCode(*picture).value_or(-1);
}

bool hasArrow(const ItemDiagram& diagram, QPoint at, ArrowDirection direction) {
  for (const DiagramArrow& arrow : diagram.arrows())
    if (arrow.at == at && arrow.direction == direction) return true;
  return false;
}

// Cells on a board: a row from (1, 1) to the right, or a column from the top
// ending in row 1.
struct Chain {
  bool vertical;
  std::vector<int> codes;

  std::pair<int, int> cell(int i) const {
    const int n = static_cast<int>(codes.size());
    return vertical ? std::pair{1, n - i} : std::pair{1 + i, 1};
  }
  Board board() const {
    Board b;
    for (int i = 0; i < static_cast<int>(codes.size()); ++i) b(cell(i).first, cell(i).second) = Code{codes[i]};
    return b;
  }
  std::vector<int> read(const Board& b) const {
    std::vector<int> out;
    for (int i = 0; i < static_cast<int>(codes.size()); ++i)
      out.push_back(static_cast<int>(b(cell(i).first, cell(i).second)));
    return out;
  }
};

// Lets every mirror copy its neighbour in the game's order (columns left to
// right, rows bottom up, each copy seen by the next), tick after tick, until
// nothing changes.
std::vector<int> settle(const Chain& chain) {
  Board board = chain.board();
  for (int tick = 0; tick < 20; ++tick) {
    const Board before = board;
    for (int col = 1; col <= kColumns; ++col)
      for (int row = 1; row <= kPlayRows; ++row)
        if (MirrorStep step = mirrorStep(board, col, row); step.kind == MirrorStep::Copy) board(col, row) = step.code;
    if (board == before) break;
  }
  return chain.read(board);
}

class DiagramsTest : public ::testing::Test {
 protected:
  HelpScreens screens{library()};
  const VisualHelpScreen& vhelp = static_cast<VisualHelpScreen&>(screens.screen(HelpScreen::VisualHelp));
  const TechniqueScreen& teku = static_cast<TechniqueScreen&>(screens.screen(HelpScreen::Technique));
};

TEST_F(DiagramsTest, VisualHelpPairsShowWhatTheMirrorMakesOfThem) {
  struct BlockPlace {
    int x;
    bool vertical;
    std::vector<int> tops;
  };
  const BlockPlace blocks[] = {
      {8, false, {8, 56, 104, 152, 200}},
      {192, false, {8, 56, 104, 152, 200, 248}},
      {376, true, {8, 80, 152, 224, 296}},
      {496, true, {8, 80, 152, 224, 296, 368}},
  };
  const ItemDiagram& diagram = vhelp.diagram();
  int pairs = 0;
  for (const BlockPlace& block : blocks) {
    for (int top : block.tops) {
      SCOPED_TRACE(::testing::Message() << "block x=" << block.x << " y=" << top);
      // Before: two cells; the arrow; after: the same two cells.
      const QPoint second = block.vertical ? QPoint(0, 24) : QPoint(32, 0);
      const QPoint first(block.x, top);
      const QPoint after = first + (block.vertical ? QPoint(64, 0) : QPoint(96, 0));
      const Chain before{block.vertical, {codeAt(diagram, first), codeAt(diagram, first + second)}};
      ASSERT_GT(before.codes[0], 0);
      ASSERT_GT(before.codes[1], 0);
      EXPECT_TRUE(hasArrow(diagram, block.vertical ? first + QPoint(32, 8) : first + QPoint(64, -8),
                           ArrowDirection::Right));
      const std::vector<int> shown = {codeAt(diagram, after), codeAt(diagram, after + second)};
      // One copy by the mirror in the pair gives the picture after the arrow.
      EXPECT_EQ(shown, settle(before));
      EXPECT_NE(shown, before.codes);
      ++pairs;
    }
  }
  EXPECT_EQ(pairs, 22);
  EXPECT_EQ(diagram.arrows().size(), 22u);
}

TEST_F(DiagramsTest, CombsAreDrawnWithTheirClearFrameAndTheOthersWithTheStaticOne) {
  EXPECT_EQ(diagramPicture(4), PictureId::uitem4c);
  EXPECT_EQ(diagramPicture(5), PictureId::uitem5c);
  for (int code : {1, 2, 3, 6, 7, 8, 9}) EXPECT_EQ(diagramPicture(code), itemFrame(code, 0));
}

TEST_F(DiagramsTest, LegendNamesEachItemBesideItsPicture) {
  struct Entry {
    QPoint at;
    PictureId picture;
    const char* name;
  };
  const Entry legend[] = {
      {{8, 312}, PictureId::uitem1a, "ﾌｧﾝﾃﾞｰｼｮﾝ"},    {{8, 352}, PictureId::uitem2a, "右向きﾙｰｼﾞｭ"},
      {{8, 392}, PictureId::uitem3a, "左向きﾙｰｼﾞｭ"},  {{128, 312}, PictureId::uitem4c, "上向きクシ"},
      {{128, 352}, PictureId::uitem5c, "下向きクシ"}, {{128, 392}, PictureId::uitem6a, "上向き鏡"},
      {{240, 312}, PictureId::uitem7a, "下向き鏡"},   {{240, 352}, PictureId::uitem8a, "右向き鏡"},
      {{240, 392}, PictureId::uitem9a, "左向き鏡"},
  };
  for (const Entry& entry : legend) {
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(vhelp.diagram().pictureAt(entry.at), entry.picture);
    QLabel* name = part(vhelp, QString("name_") + QString::fromUtf8(pictureName(entry.picture)));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QString::fromUtf8(entry.name));
    EXPECT_EQ(name->x(), entry.at.x() + 32);
    EXPECT_EQ(name->font().pixelSize(), 12);
  }
  QLabel* heading = part(vhelp, "legend");
  EXPECT_EQ(heading->text(), "物の名前");
  EXPECT_EQ(heading->pos(), QPoint(32, 280));
  EXPECT_EQ(part<QPushButton>(vhelp, "return1")->pos(), QPoint(384, 384));
}

TEST_F(DiagramsTest, TechniqueChainsSettleIntoWhatTheScreenShows) {
  const ItemDiagram& diagram = teku.diagram();
  for (const ChainExample& example : techniqueExamples()) {
    const QPoint step = example.vertical ? QPoint(0, 24) : QPoint(32, 0);
    Chain before{example.vertical, {}};
    std::vector<int> after;
    for (std::size_t i = 0; i < example.beforeCodes.size(); ++i) {
      before.codes.push_back(codeAt(diagram, example.before + step * static_cast<int>(i)));
      after.push_back(codeAt(diagram, example.after + step * static_cast<int>(i)));
    }
    SCOPED_TRACE(::testing::Message() << "chain at " << example.before.x() << "," << example.before.y());
    EXPECT_EQ(before.codes, example.beforeCodes);
    EXPECT_EQ(after, settle(before));
  }
}

TEST_F(DiagramsTest, TechniqueShowsTheCombRowAndTheFoundationColumn) {
  const auto shows = [](const std::vector<int>& before, const std::vector<int>& after, bool vertical) {
    for (const ChainExample& example : techniqueExamples())
      if (example.vertical == vertical && example.beforeCodes == before && example.afterCodes == after) return true;
    return false;
  };
  EXPECT_TRUE(shows({4, 9, 9, 9, 9, 9}, {4, 4, 4, 4, 4, 4}, false));
  EXPECT_TRUE(shows({1, 6, 6, 6, 6, 6, 1}, {1, 1, 1, 1, 1, 1, 1}, true));

  const char* lines[] = {"（ファンデーションの代わりに、", "上向きのクシ、下向きのクシでも",
                         "同様の結果を得ることができます）"};
  for (int i = 0; i < 3; ++i) {
    QLabel* line = part(teku, QString("Label%1").arg(i + 1));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QString::fromUtf8(lines[i]));
    EXPECT_EQ(line->pos(), QPoint(440, 376 + 24 * i));
    EXPECT_EQ(line->font().pixelSize(), 15);
  }
  EXPECT_EQ(part<QPushButton>(teku, "return1")->pos(), QPoint(512, 488));
}

}  // namespace
}  // namespace glamora
