// Watching a kept round again: the session script runs headless up to the
// round's start, in short steps between which the game goes on answering
// (with a progress window and "中止" when it takes more than a moment); then
// the round plays on the game screen's layout at 1x, 2x or 4x (keys 1, 2, 4),
// Space pauses, Escape or the close box ends it. The replay has its own
// engines and makes no sound.
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

#include "engine/replay.h"
#include "modes/game_screen.h"

class QDialog;
class QProgressBar;

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
  bool ended() const { return ended_; }
  Session& session() { return run_->session; }
  GameScreen& screen() { return *screen_; }
  QString statusText() const { return status_->text(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void searchSlice();
  void roundReached();
  void roundMissing();
  void endSearch();
  void showStatus();

  // A replay never sounds and opens no dialog: the status line tells the result.
  std::unique_ptr<SilentEffects> effects_;
  std::size_t lineCount_;
  std::unique_ptr<ReplayRun> run_;
  const PictureLibrary& pictures_;
  RoundRecord note_;
  std::string file_;
  GameScreen* screen_ = nullptr;
  QLabel* status_ = nullptr;
  QDialog* progress_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QTimer searchTimer_;
  QTimer progressDelay_;
  std::int64_t searchMs_ = kSearchMs;
  bool searching_ = true;
  QTimer timer_;
  std::int64_t start_ = 0;              // the round's real start on the replay's clock
  std::optional<std::int64_t> length_;  // known from a sane note, or once it ended
  int speed_ = 1;
  bool paused_ = false;
  bool ended_ = false;
  std::optional<Message> result_;  // how the round ended, once it has
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
