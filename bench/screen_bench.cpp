// Cost of showing a battle: the real battle screen, offscreen, played on the
// simulated clock by the key pattern scripts/measure sends, with every paint
// the widgets ask for done between steps. The figures leave out the X server
// and the window system, so they compare changes to the screens and the
// engine, not whole programs.
#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"
#include "modes/battle_screen.h"

namespace glamora {
namespace {

// The keys of both players, one of each every 250 ms: each picks an item and
// drops it, moving along the columns.
constexpr char kKeysA[] = "ssdssdssdssassassassa";
constexpr char kKeysB[] = "556556556554554554";

void BM_BattleScreenMinute(benchmark::State& state) {
  SilentEffects effects;
  PictureLibrary pictures;
  Session session{effects};
  BattleScreen screen{session, pictures, {}};
  screen.show();
  QApplication::processEvents();
  int key = 0;
  for (auto _ : state) {
    for (int quarter = 0; quarter < 240; ++quarter) {  // one simulated minute
      if (!screen.engine().state.flags.roundActive) {
        screen.menus().stages[0]->trigger();
        session.clock.advance(GameScreen::kCountMs);  // the 3-2-1 count, not what is measured
      }
      QTest::keyClick(&screen, kKeysA[key % (sizeof kKeysA - 1)]);
      QTest::keyClick(&screen, kKeysB[key % (sizeof kKeysB - 1)]);
      ++key;
      QApplication::processEvents();
      for (int step = 0; step < 5; ++step) {
        if ((quarter * 5 + step) % 2 == 0) {
          session.clock.advance(100);
          QApplication::processEvents();
        }
      }
    }
  }
}
BENCHMARK(BM_BattleScreenMinute)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glamora
