// A game screen shows its view model and nothing else: random games on the
// battle screen, with the screen's look kept now and then, and each kept model
// shown again on a screen of its own must look exactly as the screen did.
#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>

#include "../engine/test_support.h"
#include "assets/pictures/picture_library.h"
#include "modes/battle_screen.h"
#include "modes/training_screen.h"

namespace glamora {
namespace {

QImage pixels(QWidget& screen) { return screen.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

// Alike but for the shade of glyph edges: a large glyph drawn by a second
// screen can be antialiased a little differently. A wrong picture, caption or
// colour differs by far more than a quarter of a channel.
bool sameLook(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 64 || std::abs(qGreen(p) - qGreen(q)) > 64 ||
          std::abs(qBlue(p) - qBlue(q)) > 64)
        return false;
    }
  }
  return true;
}

struct Kept {
  ScreenViewModel model;
  QImage look;
  std::int64_t at;
};

std::unique_ptr<GameScreen> makeScreen(Mode mode, Session& session, const PictureLibrary& pictures) {
  if (mode == Mode::Battle) return std::make_unique<BattleScreen>(session, pictures, ScreenLinks{});
  return std::make_unique<TrainingScreen>(session, pictures, ScreenLinks{}, nullptr);
}

void playAndCompare(Mode mode, std::uint32_t seed) {
  test::RecordingEffects effects;
  PictureLibrary pictures;
  Session session{effects};
  const std::unique_ptr<GameScreen> live = makeScreen(mode, session, pictures);
  GameScreen& screen = *live;
  screen.setInputEnabled(false);  // no covers: the boards as the model has them
  std::mt19937 random(seed);
  const char32_t keys[] = {U'a', U's', U'd', U'4', U'5', U'6'};
  std::vector<Kept> kept;
  session.stage(mode, 1 + static_cast<int>(random() % kOriginalStage));
  for (int step = 0; step < 400; ++step) {
    if (random() % 3 == 0) session.key(mode, keys[random() % 6]);
    session.clock.advance(100 * (1 + random() % 3));
    if (step % 50 == 49) {
      kept.push_back({screen.shown(), pixels(screen), session.clock.now()});
    }
    // A round that ended starts again, as a player would.
    if (random() % 40 == 0) session.stage(mode, 1 + static_cast<int>(random() % kOriginalStage));
  }
  test::RecordingEffects otherEffects;
  Session other{otherEffects};
  const std::unique_ptr<GameScreen> again = makeScreen(mode, other, pictures);
  again->setInputEnabled(false);
  for (const Kept& k : kept) {
    (mode == Mode::Battle ? other.battleView : other.trainingView).restore(k.model);
    EXPECT_TRUE(sameLook(pixels(*again), k.look)) << "seed " << seed << ", the look at t " << k.at;
  }
}

TEST(ShownModelTest, AKeptModelShownAgainLooksAsTheScreenDidThen) {
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    playAndCompare(Mode::Battle, seed);
    playAndCompare(Mode::Training, seed);
  }
}

}  // namespace
}  // namespace glamora
