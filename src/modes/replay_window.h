// Watching a kept round again: the session script runs headless up to the
// round's start, in short steps between which the game goes on answering
// (with a progress window and "中止" when it takes more than a moment); then
// the round plays on the game screen's layout at 1x, 2x or 4x. Under the
// screen a position bar seeks, and buttons start the round over, pause and
// resume, and set the speed; the keys do the same (1, 2, 4, Space, Home, the
// arrows by 5 s). At its end the round stays on its last frame with every
// control live. Escape or the close box closes the replay alone. The replay
// has its own engines (a ReplayCursor: seeking is the engine's) and makes no
// sound.
#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/replay_cursor.h"
#include "modes/game_screen.h"

class QDialog;
class QProgressBar;
class QPushButton;
class QSlider;

namespace glamora {

class PictureLibrary;

// "プレイヤー1の勝ち", "クリア", "中断", ... for a round's result.
Message roundResultText(const std::string& result);
Message modeText(Mode mode);

// A text from a file as an error box quotes it: its start and its end, at
// most some 140 characters, with printableText()'s escapes for the bytes
// that are not printable text.
QString quotedText(const std::string& text);
// A file's name (its bytes, as the file system has them) as an error box quotes it.
QString quotedFileName(const std::string& path);

class ReplayWindow final : public QWidget {
 public:
  // `lines` must be a valid script; `round` is the note of the round to show
  // and `file` names the script in messages. The window searches for the
  // round's start from the event loop and shows itself when it is there; when
  // the script ends first it shows the game's error box and closes.
  ReplayWindow(std::vector<std::string> lines, const RoundRecord& round, const PictureLibrary& pictures,
               QWidget* parent = nullptr, std::string file = {});
  ~ReplayWindow() override;

  // Up to each step of the search: the most lines a step runs, and the
  // simulated time it lets pass, grown while a long wait proves cheap.
  static constexpr std::size_t kSearchLines = 200;
  static constexpr std::int64_t kSearchMs = 10'000;

  bool searching() const { return searching_; }
  // One step of the search with the given budget; false once it is over.
  bool searchStep(std::size_t lines = kSearchLines, std::int64_t ms = kSearchMs);
  // "中止": the search stops and the window closes without showing.
  void cancelSearch();
  // The progress window of a long search (shown by the search after a moment).
  QDialog& progressWindow() { return *progress_; }
  int progressPermille() const;

  // One step of the window's timer: 100 ms of the round times the speed.
  void step();
  // At the round's end: it stays on the last frame until a seek or a restart.
  bool ended() const { return cursor_->atEnd(); }
  bool paused() const { return paused_; }
  // The time played since the round's start, in ms.
  std::int64_t position() const { return cursor_->position(); }
  Session& session() { return cursor_->session(); }
  // The screen showing the session; a seek back builds a new one.
  GameScreen& screen() { return *screen_; }
  QString statusText() const { return status_->text(); }

  // What the controls do.
  void seek(std::int64_t ms);
  void restart();
  void togglePause();
  void setSpeed(int speed);
  static constexpr std::int64_t kArrowSeekMs = 5000;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildScreen();
  QWidget* buildControls();
  void searchSlice();
  void roundReached();
  void roundMissing();
  void endSearch();
  void showStatus();
  void showControls();

  // A replay never sounds and opens no dialog: the status line tells the result.
  std::unique_ptr<SilentEffects> effects_;
  std::unique_ptr<ReplayCursor> cursor_;
  const PictureLibrary& pictures_;
  RoundRecord note_;
  std::string file_;
  GameScreen* screen_ = nullptr;
  QSlider* bar_ = nullptr;
  std::int64_t barUnitMs_ = 100;  // the time of one step of the bar
  QPushButton* restart_ = nullptr;
  QPushButton* pause_ = nullptr;
  std::vector<QPushButton*> speeds_;
  QLabel* status_ = nullptr;
  QDialog* progress_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QTimer searchTimer_;
  QTimer progressDelay_;
  std::int64_t searchMs_ = kSearchMs;
  bool searching_ = true;
  QTimer timer_;
  int speed_ = 1;
  bool paused_ = false;
};

// Opens a session file's round (`round` 0: its last one) in a replay window.
// The file is read at once: one that cannot be read gets the game's error
// box, and the result is false. The script is then checked (one headless
// run, which finds its rounds) on a thread of its own, with a progress
// window and 中止 after a moment, so that no session keeps the game from
// answering; a bad line or a missing round gets the error box. `opened`
// hears of the window, which shows itself once the round's start is reached,
// or of nullptr when none opens.
// `path` is the file's name as the file system has it (any bytes).
bool openReplay(const std::string& path, int round, const PictureLibrary& pictures, QWidget* parent,
                std::function<void(ReplayWindow*)> opened = {});
// The same with the check on the calling thread; nullptr when nothing opens.
ReplayWindow* openReplayNow(const std::string& path, int round, const PictureLibrary& pictures, QWidget* parent);

}  // namespace glamora
