// Gamepads on the battle screen, offscreen, with one of SDL's virtual pads
// standing in for a real one. A real pad wakes the game through its event
// device; here a pipe does: each change of the virtual pad is followed by a
// byte written into the pipe the game watches, as the kernel would make the
// device readable.
//  - BM_PadPressToArrow: from the byte (the pad's event) to the arrow moved
//    on the screen, through the event loop, per press.
//  - BM_IdlePadCpu: the process's CPU while a battle of two computer players
//    runs in real time on the game's clock driver, with no pad and with a pad
//    at rest, in alternating phases of one run (GLAMORA_PAD_BENCH_SECONDS
//    each, 6 by default); and, for comparison, a pad read on the timer a pad
//    without an event device needs.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/clock_driver.h"
#include "assets/pictures/picture_library.h"
#include "engine/effects.h"
#include "input/gamepad_input.h"
#include "modes/battle_screen.h"

namespace glamora {
namespace {

class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = "Bench Pad";
    index_ = SDL_JoystickAttachVirtualEx(&desc);
    joystick_ = SDL_JoystickOpen(index_);
  }
  ~VirtualPad() {
    SDL_JoystickDetachVirtual(index_);
    SDL_JoystickClose(joystick_);
  }
  void set(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down); }

 private:
  int index_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

// The pipe the game watches in place of the pad's event device.
class WakePipe {
 public:
  WakePipe() : path_(QDir::tempPath().toStdString() + "/glamora-pad-bench-" + std::to_string(getpid())) {
    mkfifo(path_.c_str(), 0600);
  }
  ~WakePipe() {
    if (writer_ >= 0) close(writer_);
    unlink(path_.c_str());
  }
  const std::string& path() const { return path_; }
  // Once the game reads the pipe.
  void open() {
    if (writer_ < 0) writer_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
  }
  void wake() { (void)!write(writer_, "x", 1); }

 private:
  std::string path_;
  int writer_ = -1;
};

double processCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A battle screen on view and active, with the gamepads read as the game reads them.
struct PadBattle {
  SilentEffects effects;
  PictureLibrary pictures;
  Session session{effects};
  BattleScreen screen{session, pictures, {}};
  GamepadInput input;
  WakePipe pipe;
  bool watchPipe = true;

  PadBattle() {
    screen.show();
    QApplication::setActiveWindow(&screen);
    input.deviceFileOf = [this](const Gamepads::Pad&) { return watchPipe ? pipe.path() : std::string(); };
    input.start();
  }
  void startRound() {
    screen.menus().stages[0]->trigger();
    session.clock.advance(GameScreen::kCountMs);
  }
  // Waits in the event loop until `done`.
  template <typename Done>
  static void runUntil(Done done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
};

void BM_PadPressToArrow(benchmark::State& state) {
  PadBattle battle;
  VirtualPad pad;
  battle.input.poll();  // the pad is found and its pipe opened
  battle.pipe.open();
  battle.startRound();
  const PlayerState& player = battle.session.battle.player(0).state;
  bool right = true;
  double worstMs = 0;
  for (auto _ : state) {
    const SDL_GameControllerButton button = right ? SDL_CONTROLLER_BUTTON_DPAD_RIGHT : SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    const int before = player.arrowCol;
    pad.set(button, true);
    const auto pressed = std::chrono::steady_clock::now();
    battle.pipe.wake();
    PadBattle::runUntil([&] { return player.arrowCol != before; });
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - pressed;
    state.SetIterationTime(took.count());
    worstMs = std::max(worstMs, took.count() * 1000);
    // Let go, and read while nothing is measured.
    pad.set(button, false);
    battle.pipe.wake();
    battle.input.poll();
    if (player.arrowCol == 6) right = false;
    if (player.arrowCol == 1) right = true;
  }
  state.counters["worst_ms"] = worstMs;
}
BENCHMARK(BM_PadPressToArrow)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_IdlePadCpu(benchmark::State& state) {
  const int seconds = qEnvironmentVariableIsSet("GLAMORA_PAD_BENCH_SECONDS")
                          ? qEnvironmentVariableIntValue("GLAMORA_PAD_BENCH_SECONDS")
                          : 6;
  PadBattle battle;
  for (int p = 0; p < 2; ++p) battle.session.computer(Mode::Battle, p, ComputerLevel::Normal, 7 + p);
  ClockDriver driver(battle.session.clock);
  driver.start();
  // A new round as soon as one ends, so that the battle runs throughout.
  QTimer again;
  QObject::connect(&again, &QTimer::timeout, [&] {
    if (!battle.session.battle.state.flags.roundActive) battle.startRound();
  });
  again.start(1000);
  battle.startRound();

  // The share of a core the process used, and the pads' reads per second.
  struct Phase {
    double cpuPct;
    double readsPerSecond;
  };
  const auto phase = [&] {
    const double cpu = processCpuSeconds();
    const std::uint64_t reads = battle.input.reads();
    QElapsedTimer wall;
    wall.start();
    PadBattle::runUntil([&] { return wall.elapsed() >= seconds * 1000; });
    const double elapsed = static_cast<double>(wall.elapsed()) / 1000;
    return Phase{(processCpuSeconds() - cpu) / elapsed * 100,
                 static_cast<double>(battle.input.reads() - reads) / elapsed};
  };
  const auto withPad = [&] {
    VirtualPad pad;
    battle.input.poll();
    battle.pipe.open();
    const Phase measured = phase();
    battle.input.poll();
    return measured;
  };
  constexpr int kPairs = 6;
  std::vector<double> rises;
  double none = 0;
  double idle = 0;
  double idleReads = 0;
  Phase timed{};
  for (auto _ : state) {
    // Without, with, with, without, ...: a drift of the battle's own cost
    // over the run falls on both sides alike.
    for (int pair = 0; pair < kPairs; ++pair) {
      Phase without{};
      Phase with{};
      if (pair % 2 == 0) {
        without = phase();
        with = withPad();
      } else {
        with = withPad();
        without = phase();
      }
      none += without.cpuPct / kPairs;
      idle += with.cpuPct / kPairs;
      idleReads += with.readsPerSecond / kPairs;
      rises.push_back(with.cpuPct - without.cpuPct);
    }
    battle.watchPipe = false;
    {
      VirtualPad pad;
      battle.input.poll();
      timed = phase();
    }
    battle.input.poll();
  }
  double spread = 0;
  for (const double rise : rises) spread += (rise - (idle - none)) * (rise - (idle - none));
  state.counters["cpu_pct_no_pad"] = none;
  state.counters["cpu_pct_idle_pad"] = idle;
  state.counters["cpu_pct_idle_pad_rise"] = idle - none;
  // The standard error of that rise over the pairs.
  state.counters["cpu_pct_rise_stderr"] = std::sqrt(spread / (kPairs - 1) / kPairs);
  state.counters["idle_pad_reads_per_s"] = idleReads;
  state.counters["cpu_pct_timer_read_pad"] = timed.cpuPct;
  state.counters["timer_read_pad_reads_per_s"] = timed.readsPerSecond;
}
BENCHMARK(BM_IdlePadCpu)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace glamora
