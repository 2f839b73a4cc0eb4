// Watching a kept round again: the session script runs headless up to the
// round's start, then the round plays on the game screen's layout at 1x, 2x
// or 4x (keys 1, 2, 4), Space pauses, Escape or the close box ends it. The
// replay has its own engines and makes no sound.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "engine/replay.h"
#include "modes/game_screen.h"

namespace glamora {

class PictureLibrary;

// "プレイヤー1の勝ち", "クリア", "中断", ... for a round's result.
QString roundResultText(const std::string& result);
QString modeText(Mode mode);

class ReplayWindow final : public QWidget {
 public:
  // `lines` must be a valid script holding round `round.number`.
  ReplayWindow(std::vector<std::string> lines, const RoundRecord& round, const PictureLibrary& pictures,
               QWidget* parent = nullptr);
  ~ReplayWindow() override;

  // One step of the window's timer: 100 ms of the round times the speed.
  void step();
  int speed() const { return speed_; }
  bool paused() const { return paused_; }
  bool ended() const { return ended_; }
  Session& session() { return run_->session; }
  GameScreen& screen() { return *screen_; }
  QString statusText() const { return status_->text(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  class SilentEffects;
  void showStatus();

  std::unique_ptr<SilentEffects> effects_;
  std::unique_ptr<ReplayRun> run_;
  RoundRecord round_;
  GameScreen* screen_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer timer_;
  int speed_ = 1;
  bool paused_ = false;
  bool ended_ = false;
  QString result_;
};

// Reads, checks and opens a session file's round (`round` 0: its last one).
// A file that cannot be read or is not a valid script, or lacks the round,
// gets the game's error box naming the file (and line) and nothing opens.
ReplayWindow* openReplay(const QString& path, int round, const PictureLibrary& pictures, QWidget* parent);

}  // namespace glamora
