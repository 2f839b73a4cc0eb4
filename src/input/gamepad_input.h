// Gamepads played on the game screens. The pads are read on the user-interface
// thread, and only while one is plugged in and a game window (or its result
// dialog) is the active window. No timer reads them: each pad's event device
// wakes the program when the pad has something to say, so a press acts at
// once and a pad at rest costs nothing; a timer runs only while a direction
// is held, for its repeats. A pad without an event device the program can
// watch is read every few milliseconds instead.
//
// A press goes where a key press would: the pad's player's key character to
// the active game screen (any pad plays the one player in training and the
// local side of a network battle); select also closes a result dialog, and
// Start pauses and resumes.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "input/gamepads.h"

class QFileSystemWatcher;
class QSocketNotifier;
class QWidget;

namespace glamora {

class GameScreen;

class GamepadInput final : public QObject {
 public:
  static constexpr int kUnwatchedPadMs = 8;

  // Milliseconds on a steady clock; tests give one they step.
  using Clock = std::function<std::int64_t()>;
  explicit GamepadInput(std::vector<RememberedSeat> remembered = {}, Clock clock = {}, QObject* parent = nullptr);
  ~GamepadInput() override;

  // Starts the gamepads; false when SDL cannot (the game goes on without).
  bool start();
  void setClock(Clock clock) { clock_ = std::move(clock); }
  Gamepads& pads() { return pads_; }
  const Gamepads& pads() const { return pads_; }

  // Looks for pads plugged in or pulled out, and reads the pads now if a game
  // window is active, handing on their presses: what a pad's wake does.
  void poll();
  // A pad is plugged in and a game window is active.
  bool reading() const { return reading_; }
  // How many times the pads were read so far (for measurements).
  std::uint64_t reads() const { return reads_; }
  // The players change pads.
  void swapPlayers();

  // Whether a window is a result dialog, whose OK the select button presses.
  std::function<bool(QWidget*)> isResultDialog;
  // After pads were plugged in or pulled out, or the players swapped.
  std::function<void()> onPadsChanged;
  // The device file that wakes the program for a pad (by default the pad's
  // event device); empty: the pad is read on a timer.
  std::function<std::string(const Gamepads::Pad&)> deviceFileOf;

 private:
  struct Watch {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
  };
  std::int64_t now() const { return clock_(); }
  void refreshSoon();
  void updateReading();
  void watchPads();
  void unwatch(int pad);
  bool drain(Watch& watch);
  void deliver(const Gamepads::Press& press);
  void pressOn(GameScreen& screen, const Gamepads::Press& press);
  void armTimers();

  Clock clock_;
  Gamepads pads_;
  bool reading_ = false;
  std::uint64_t reads_ = 0;
  std::map<int, Watch> watches_;
  std::set<int> unwatchable_;  // pads read on the timer
  QTimer repeatTimer_;
  QTimer unwatchedTimer_;
  QFileSystemWatcher* devices_ = nullptr;
};

}  // namespace glamora
