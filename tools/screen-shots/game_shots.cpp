// game-shots OUTDIR
//
// Renders the battle and training screens at chosen moments of a fixed game
// to OUTDIR/<ratio>x/<moment>.png, where <ratio> is the screens' device pixel
// ratio (QT_SCALE_FACTOR=2 gives 2x). Everything runs on the simulated clock
// and the players' keys come from a fixed sequence, so two runs of the same
// code draw the same pixels: pictures of two builds can be compared pixel by
// pixel (scripts/compare-screens).
//
// The keys are scripted instead of played by the computer players so that
// the game stays the same when only the computer's judgement changes. The
// 3-2-1 count and the pause covers are shot only by builds whose screens have
// them; the moments after them fall at the same simulated time either way.

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdint>
#include <cstdio>
#include <string>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"
#include "engine/session.h"
#include "modes/battle_screen.h"
#include "modes/training_screen.h"
#include "screens/form_kit.h"

namespace glamora {
namespace {

constexpr int kTickMs = 100;
constexpr int kCountMs = 3000;  // the count before a stage starts, where the screens have one
constexpr int kLongestRoundMs = 180'000;
constexpr int kOriginalStageItem = 15;

// Saves grabs of the screens under OUTDIR/<ratio>x.
class Shooter {
 public:
  explicit Shooter(const QString& outdir) {
    ratio_ = qApp->devicePixelRatio();
    dir_ = QDir(outdir).filePath(QString::number(ratio_) + "x");
    ok_ = QDir().mkpath(dir_.path());
    if (!ok_) std::fprintf(stderr, "game-shots: cannot make %s\n", qPrintable(dir_.path()));
  }

  void shoot(QWidget& screen, const char* name) {
    // Whatever the screens posted to themselves (repaints, layouts) is done
    // first, as it would be before a person saw the screen.
    QApplication::processEvents();
    const QPixmap shot = screen.grab();
    if (shot.devicePixelRatio() != ratio_ || shot.size() != screen.size() * ratio_) {
      std::fprintf(stderr, "game-shots: %s is %dx%d at ratio %g, not the screen's %dx%d at %g\n", name, shot.width(),
                   shot.height(), shot.devicePixelRatio(), screen.width(), screen.height(), ratio_);
      ok_ = false;
      return;
    }
    const QString path = dir_.filePath(QString(name) + ".png");
    if (!shot.save(path)) {
      std::fprintf(stderr, "game-shots: cannot write %s\n", qPrintable(path));
      ok_ = false;
      return;
    }
    std::printf("%s\n", qPrintable(path));
  }

  bool ok() const { return ok_; }

 private:
  qreal ratio_ = 1;
  QDir dir_;
  bool ok_ = true;
};

// The players' keys: left, right or select (twice as often), from a fixed
// sequence of numbers (SplitMix64).
class KeyScript {
 public:
  char32_t next(Mode mode, int player) {
    static constexpr char32_t kKeys[2][4] = {{U'a', U'd', U's', U's'}, {U'4', U'6', U'5', U'5'}};
    return kKeys[mode == Mode::Battle ? player : 0][below(4)];
  }

 private:
  int below(int n) {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<int>(((z ^ (z >> 31)) >> 33) % static_cast<std::uint64_t>(n));
  }
  std::uint64_t state_ = 20261208;
};

// The game: one session with both screens on it, played through the
// session's inputs.
class Game {
 public:
  Game(Session& session, BattleScreen& battle, TrainingScreen& training, Shooter& shooter)
      : session_(session), battle_(battle), training_(training), shooter_(shooter) {}

  // Lets time pass with nobody pressing a key.
  void wait(int ms) { session_.clock.advance(ms); }

  // Lets time pass with the players pressing keys, each one in every other
  // tick; stops early when `untilEnd` and the round is over.
  void play(Mode mode, int ms, bool untilEnd = false) {
    playUntil(mode, ms, [&] { return untilEnd && !roundRunning(mode); });
  }

  // Plays battle rounds of `stage` until the "PAUSE" signs show during one
  // (the keys wait for a mirror that cannot fall yet), at most `rounds`.
  void playBattleUntilSigns(int stage, int rounds) {
    for (int round = 0; round < rounds; ++round) {
      if (!roundRunning(Mode::Battle)) begin(battle_, Mode::Battle, stage);
      playUntil(Mode::Battle, kLongestRoundMs,
                [&] { return !roundRunning(Mode::Battle) || session_.battle.state.pauseShown; });
      if (roundRunning(Mode::Battle)) return;
    }
  }

  template <class Done>
  void playUntil(Mode mode, int ms, Done done) {
    for (int elapsed = 0; elapsed < ms && !done(); elapsed += kTickMs) {
      session_.clock.advance(kTickMs);
      const int player = mode == Mode::Battle ? tick_ % 2 : 0;
      if (mode == Mode::Battle || tick_ % 2 == 0) session_.key(mode, keys_.next(mode, player));
      ++tick_;
    }
  }

  bool roundRunning(Mode mode) const {
    return mode == Mode::Battle ? session_.battle.state.flags.roundActive : session_.training.state.flags.roundActive;
  }

  // A stage item. With no round running, screens that count in a stage
  // count (`countShots` names the shots of the count's first and last
  // number); the others get the stage once the same time has passed.
  template <class Screen>
  void begin([[maybe_unused]] Screen& screen, Mode mode, int n, [[maybe_unused]] const char* countShots = nullptr) {
    if (roundRunning(mode)) {
      session_.stage(mode, n);
      return;
    }
    if constexpr (requires { screen.chooseStage(n); }) {
      screen.chooseStage(n);
      if (countShots) shoot(screen, countShots, "-3");
      wait(kCountMs - 1000);
      if (countShots) shoot(screen, countShots, "-1");
      wait(1000);
    } else {
      wait(kCountMs);
      session_.stage(mode, n);
    }
  }

  // The pause cover, where the screens have one.
  template <class Screen>
  void shootPaused([[maybe_unused]] Screen& screen, [[maybe_unused]] const char* name) {
    if constexpr (requires {
                    screen.pause();
                    screen.resume();
                  }) {
      screen.pause();
      shooter_.shoot(screen, name);
      screen.resume();
    }
  }

  void shoot(QWidget& screen, const char* name, const char* suffix = "") {
    shooter_.shoot(screen, (std::string(name) + suffix).c_str());
  }

  void battle() {
    shoot(battle_, "battle-idle");
    begin(battle_, Mode::Battle, 1, "battle-count");
    shoot(battle_, "battle-start");
    play(Mode::Battle, 1500);
    shoot(battle_, "battle-early");
    play(Mode::Battle, 10'000);
    shoot(battle_, "battle-mid");
    shootPaused(battle_, "battle-paused");
    play(Mode::Battle, kLongestRoundMs, true);
    shoot(battle_, "battle-end");
    wait(1500);
    shoot(battle_, "battle-after");

    // Nobody presses: the first countdown to run out loses the round.
    begin(battle_, Mode::Battle, 2);
    wait(10'500);
    shoot(battle_, "battle-timeout");

    // Other stages, other items; each one chosen during the round before.
    for (const auto& [n, name] : {std::pair{4, "battle-stage-04"},
                                  {7, "battle-stage-07"},
                                  {10, "battle-stage-10"},
                                  {13, "battle-stage-13"},
                                  {15, "battle-stage-15"}}) {
      begin(battle_, Mode::Battle, n);
      play(Mode::Battle, 2500);
      shoot(battle_, name);
    }
    // The original stage is all foundations: runs, points and mirrors.
    playBattleUntilSigns(kOriginalStageItem, 20);
    shoot(battle_, "battle-signs");
    play(Mode::Battle, 6000, true);
    shoot(battle_, "battle-original-mid");
    play(Mode::Battle, kLongestRoundMs, true);
    shoot(battle_, "battle-original-end");
  }

  void training() {
    shoot(training_, "training-idle");
    begin(training_, Mode::Training, 1, "training-count");
    play(Mode::Training, 1500);
    shoot(training_, "training-early");
    play(Mode::Training, 15'000);
    shoot(training_, "training-mid");
    shootPaused(training_, "training-paused");
    play(Mode::Training, kLongestRoundMs, true);
    shoot(training_, "training-end");
    wait(1500);
    shoot(training_, "training-after");

    session_.character(Character::Mirabe);
    shoot(training_, "training-mirabe-idle");
    begin(training_, Mode::Training, kOriginalStageItem);
    play(Mode::Training, 8000);
    shoot(training_, "training-mirabe-mid");
    play(Mode::Training, kLongestRoundMs, true);
    shoot(training_, "training-mirabe-end");
  }

 private:
  Session& session_;
  BattleScreen& battle_;
  TrainingScreen& training_;
  Shooter& shooter_;
  KeyScript keys_;
  int tick_ = 0;
};

}  // namespace
}  // namespace glamora

int main(int argc, char** argv) {
  using namespace glamora;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: game-shots OUTDIR\n");
    return 2;
  }
  installFontSubstitutions();

  Shooter shooter(QString::fromLocal8Bit(argv[1]));
  PictureLibrary pictures;
  SilentEffects effects;
  Session session(effects);
  // The animated pictures step on the clock, as in the game.
  session.clock.add({TaskOwner::Pictures, 500, [&pictures] { pictures.step(); }});
  BattleScreen battle(session, pictures, {});
  TrainingScreen training(session, pictures, {}, {});
  battle.show();
  training.show();

  Game game(session, battle, training, shooter);
  game.wait(1000);
  game.battle();
  game.training();
  return shooter.ok() ? 0 : 1;
}
