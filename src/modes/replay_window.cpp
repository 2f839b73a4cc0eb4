#include "replay_window.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <functional>
#include <utility>

#include "engine/errors.h"
#include "engine/stages.h"
#include "engine/text_checks.h"
#include "modes/battle_screen.h"
#include "modes/replay_times.h"
#include "modes/training_screen.h"
#include "modes/window_worker.h"
#include "screens/form_kit.h"
#include "sessions/session_files.h"

namespace glamora {

Message roundResultText(const std::string& result) {
  static const std::pair<const char*, const char*> kTexts[] = {
      {"Mw1Form", QT_TRANSLATE_NOOP("ReplayWindow", "プレイヤー1の勝ち")},
      {"Mw2Form", QT_TRANSLATE_NOOP("ReplayWindow", "プレイヤー2の勝ち")},
      {"SwForm", QT_TRANSLATE_NOOP("ReplayWindow", "クリア")},
      {"SlForm", QT_TRANSLATE_NOOP("ReplayWindow", "失敗")},
      {"abandoned", QT_TRANSLATE_NOOP("ReplayWindow", "中断")},
      {"unfinished", QT_TRANSLATE_NOOP("ReplayWindow", "未完了")},
  };
  for (const auto& [key, text] : kTexts) {
    if (result == key) return Message("ReplayWindow", text);
  }
  return Message::fixed(result);
}

Message modeText(Mode mode) {
  return mode == Mode::Battle ? Message("ReplayWindow", "二人で対戦") : Message("ReplayWindow", "一人で特訓");
}

QString quotedText(const std::string& text) {
  constexpr qsizetype kHead = 80, kTail = 60;
  // Only what can be shown is escaped: a few bytes a character at most.
  constexpr std::size_t kHeadBytes = 4 * kHead, kTailBytes = 4 * kTail;
  const std::string_view bytes = text;
  const auto inside = [&](std::size_t at) {
    return at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80;
  };
  // Both parts begin and end between characters, not inside one.
  std::size_t headEnd = std::min(bytes.size(), kHeadBytes);
  for (int k = 0; k < 3 && headEnd > 0 && inside(headEnd); ++k) --headEnd;
  std::size_t tailStart = headEnd;
  if (bytes.size() - headEnd > kTailBytes) {
    tailStart = bytes.size() - kTailBytes;
    for (int k = 0; k < 3 && inside(tailStart); ++k) ++tailStart;
  }
  QString shown =
      QString::fromStdString(printableText(bytes.substr(0, headEnd)) + printableText(bytes.substr(tailStart)));
  if (shown.size() > kHead + kTail + 1 || tailStart > headEnd) {
    // Cut between characters, not inside a surrogate pair.
    qsizetype head = std::min(kHead, shown.size());
    if (head > 0 && shown[head - 1].isHighSurrogate()) --head;
    qsizetype tail = std::min(kTail, shown.size() - head);
    if (tail > 0 && shown[shown.size() - tail].isLowSurrogate()) --tail;
    shown = shown.left(head) + QChar(0x2026) + shown.right(tail);
  }
  return shown;
}

QString quotedFileName(const std::string& path) { return quotedText(path); }

namespace {

// A search step that lets a long wait pass in less than this grows the next
// one; one that takes longer than the slow limit shrinks it.
constexpr qint64 kCheapStepNs = 1'000'000;
constexpr qint64 kSlowStepNs = 4'000'000;
constexpr std::int64_t kLongestSearchMs = INT64_MAX / 4;
// The event loop runs at least this often while the search goes on.
constexpr qint64 kSearchSliceMs = 10;
// A search that takes longer than this shows its progress window.
constexpr int kProgressDelayMs = 400;

// "'<file>' にラウンド N がありません", or with no number when the last round was asked for.
Message roundNotFound(const std::string& file, int round) {
  const Message which = round > 0 ? Message("ReplayWindow", "ラウンド %1").arg(Message::fixed(round))
                                  : Message("ReplayWindow", "ラウンド");
  return Message("ReplayWindow", "'%1' に%2がありません").arg(fixedText(quotedFileName(file))).arg(which);
}
// The status line's second line.
Message statusKeys() { return Message("ReplayWindow", "[1/2/4] 速さ  [Space] 一時停止  [←/→] 5 秒  [Esc] 閉じる"); }
// The speeds a replay plays at.
constexpr int kSpeeds[] = {1, 2, 4};
// The position bar takes at most this many steps, each at least 100 ms.
constexpr std::int64_t kMostBarSteps = 1'000'000;

// A click on the position bar goes to the place clicked, not a page towards it.
class PositionBarStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == QStyle::SH_Slider_AbsoluteSetButtons) return Qt::LeftButton;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

ReplayWindow::ReplayWindow(std::vector<std::string> lines, const RoundRecord& round, const PictureLibrary& pictures,
                           QWidget* parent, std::string file)
    : QWidget(parent, Qt::Window),
      effects_(std::make_unique<SilentEffects>()),
      cursor_(std::make_unique<ReplayCursor>(*effects_, std::move(lines), round.number > 0 ? round.number : INT_MAX)),
      pictures_(pictures),
      note_(round),
      file_(std::move(file)) {
  setObjectName("ReplayForm");
  bindText(this, Message("ReplayWindow", "%1 - リプレイ").arg(Message::fixed(kAppTitle)), "windowTitle");
  setWindowIcon(pictures.programIcon());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The screen follows the session from the start, as the game's screens do;
  // a seek back hands it a new session, and a new screen shows that one.
  buildScreen();
  cursor_->onNewSession = [this](Session&) { buildScreen(); };
  layout->addWidget(buildControls());
  // Two lines, the state and the keys, of a fixed height; the screen alone
  // sets the width. So the window keeps its size whatever the status says.
  status_ = makeLabel(this, QRect(), "", {12, false, kClWhite, kClBlack, Qt::AlignLeft | Qt::AlignVCenter});
  status_->setObjectName("status");
  status_->setMargin(4);
  bindText(status_, Message("ReplayWindow", "%1\n%2").arg(statusKeys()).arg(statusKeys()));
  status_->setFixedHeight(status_->sizeHint().height());
  status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  layout->addWidget(status_);
  setFocusPolicy(Qt::StrongFocus);

  progress_ = new QDialog(this);
  progress_->setObjectName("ReplaySearchForm");
  bindText(progress_, *boundText(this, "windowTitle"), "windowTitle");
  progress_->setWindowIcon(pictures.programIcon());
  progress_->setFont(formFont(12));
  auto* column = new QVBoxLayout(progress_);
  const int number = std::max(round.number, 0);
  column->addWidget(
      bound(new QLabel(progress_),
            Message("ReplayWindow", "ラウンド %1 の始まりまで進めています...").arg(Message::fixed(number))));
  progressBar_ = new QProgressBar(progress_);
  progressBar_->setRange(0, 1000);
  progressBar_->setTextVisible(false);
  progressBar_->setMinimumWidth(320);
  column->addWidget(progressBar_);
  auto* cancel = bound(new QPushButton(progress_), Message("ReplayWindow", "中止"));
  cancel->setObjectName("cancel");
  column->addWidget(cancel, 0, Qt::AlignRight);
  connect(cancel, &QPushButton::clicked, this, &ReplayWindow::cancelSearch);
  // Escape and the close box stop the search as 中止 does.
  connect(progress_, &QDialog::rejected, this, &ReplayWindow::cancelSearch);

  // The search runs from the event loop, a slice at a time, so the game (and
  // a termination signal) is answered meanwhile.
  searchTimer_.setInterval(0);
  connect(&searchTimer_, &QTimer::timeout, this, &ReplayWindow::searchSlice);
  searchTimer_.start();
  progressDelay_.setSingleShot(true);
  progressDelay_.setInterval(kProgressDelayMs);
  connect(&progressDelay_, &QTimer::timeout, this, [this] {
    if (!searching_) return;
    progress_->adjustSize();
    centreOnScreen(progress_);
    openModal(progress_);
  });
  progressDelay_.start();

  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, &ReplayWindow::step);
  showControls();
}

ReplayWindow::~ReplayWindow() {
  // The screen detaches from the session before the session goes.
  delete screen_;
  screen_ = nullptr;
}

void ReplayWindow::buildScreen() {
  GameScreen* old = std::exchange(screen_, nullptr);
  Session& session = cursor_->session();
  if (note_.mode == Mode::Battle) screen_ = new BattleScreen(session, pictures_, {}, this);
  else screen_ = new TrainingScreen(session, pictures_, {}, {}, this);
  screen_->setWindowFlags(Qt::Widget);
  screen_->setInputEnabled(false);
  screen_->setFocusPolicy(Qt::NoFocus);
  // The screen's menus would act on the replay's own session: a replay has none.
  screen_->menuBar()->hide();
  auto* column = static_cast<QVBoxLayout*>(layout());
  if (!old) return column->insertWidget(0, screen_);
  column->replaceWidget(old, screen_);
  screen_->show();
  delete old;
}

// The bar over the whole width, the buttons under it. None takes the focus:
// the window's keys stay the window's whatever was clicked last.
QWidget* ReplayWindow::buildControls() {
  auto* controls = new QWidget(this);
  controls->setObjectName("controls");
  controls->setFont(formFont(12));
  auto* rows = new QVBoxLayout(controls);
  rows->setContentsMargins(4, 4, 4, 2);
  rows->setSpacing(2);
  bar_ = new QSlider(Qt::Horizontal, controls);
  bar_->setObjectName("position");
  bar_->setFocusPolicy(Qt::NoFocus);
  bar_->setEnabled(false);
  auto* style = new PositionBarStyle;
  style->setParent(bar_);
  bar_->setStyle(style);
  bindText(bar_, Message("ReplayWindow", "再生する位置: クリックかドラッグで移動します [←/→]"), "toolTip");
  connect(bar_, &QSlider::valueChanged, this, [this](int value) { seek(value * barUnitMs_); });
  rows->addWidget(bar_);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  const auto button = [&](const char* name, auto&& clicked) {
    auto* b = new QPushButton(controls);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setEnabled(false);
    connect(b, &QPushButton::clicked, this, clicked);
    buttons->addWidget(b);
    return b;
  };
  restart_ = button("restart", [this] { restart(); });
  bindText(restart_, Message("ReplayWindow", "最初から(&R)"));
  bindText(restart_, Message("ReplayWindow", "ラウンドの始まりから再生します [Home]"), "toolTip");
  pause_ = button("pause", [this] { togglePause(); });
  bindText(pause_, Message("ReplayWindow", "一時停止と再生を切り替えます [Space]"), "toolTip");
  buttons->addStretch(1);
  for (const int speed : kSpeeds) {
    QPushButton* b = button(speed == 1   ? "speed1"
                            : speed == 2 ? "speed2"
                                         : "speed4",
                            [this, speed] { setSpeed(speed); });
    bindText(b, Message("ReplayWindow", "%1倍(&%1)").arg(Message::fixed(speed)));
    bindText(b, Message("ReplayWindow", "%1倍の速さで再生します [%1]").arg(Message::fixed(speed)), "toolTip");
    b->setCheckable(true);
    speeds_.push_back(b);
  }
  rows->addLayout(buttons);
  return controls;
}

int ReplayWindow::progressPermille() const { return progressBar_->value(); }

bool ReplayWindow::searchStep(std::size_t lines, std::int64_t ms) {
  if (!searching_) return false;
  switch (cursor_->findStart(lines, ms)) {
    case ReplayRun::Search::Going:
      progressBar_->setValue(static_cast<int>(
          1000 * searchProgress(note_, session().clock.now(), cursor_->run().linesBegun(), cursor_->lineCount())));
      return true;
    case ReplayRun::Search::Reached: roundReached(); break;
    case ReplayRun::Search::NotInScript: roundMissing(); break;
  }
  return false;
}

// As many steps as fit in a slice. A step within one long wait that passed
// cheaply (a stretch where nothing happens) lets the next take twice as much
// of that wait and nothing else; a new line starts again from the base. A
// wait that was busy stays busy only until its round ends: without an input
// nothing starts again, so a grown step never meets a busy stretch.
void ReplayWindow::searchSlice() {
  QElapsedTimer slice;
  slice.start();
  do {
    const std::size_t line = cursor_->run().linesBegun();
    const bool grown = searchMs_ > kSearchMs && cursor_->run().inWait();
    QElapsedTimer took;
    took.start();
    if (!searchStep(grown ? 0 : kSearchLines, searchMs_)) return;
    const qint64 ns = took.nsecsElapsed();
    if (!cursor_->run().inWait() || cursor_->run().linesBegun() != line) searchMs_ = kSearchMs;
    else if (ns < kCheapStepNs) searchMs_ = std::min(searchMs_ * 2, kLongestSearchMs);
    else if (ns > kSlowStepNs) searchMs_ = std::max(searchMs_ / 2, kSearchMs);
  } while (slice.elapsed() < kSearchSliceMs);
}

void ReplayWindow::endSearch() {
  searching_ = false;
  searchTimer_.stop();
  progressDelay_.stop();
  progress_->hide();
}

void ReplayWindow::cancelSearch() {
  if (!searching_) return;
  endSearch();
  close();
}

void ReplayWindow::roundMissing() {
  endSearch();
  showErrorBox(parentWidget(), translated(errorBoxText(roundNotFound(file_, note_.number))));
  close();
}

// The title and the times come from the round as it really started, not
// from the note; a note that names a round of the other screen names none.
void ReplayWindow::roundReached() {
  // The round may have ended at the moment it started (a `title` at once).
  const RoundRecord started = cursor_->ending() ? *cursor_->ending() : session().currentRound();
  if (started.mode != note_.mode) return roundMissing();
  endSearch();
  if (const std::optional<std::int64_t> length = noteLength(note_, cursor_->start())) cursor_->expectLength(*length);
  bindText(this,
           Message("ReplayWindow", "%1 - リプレイ (%2 ステージ%3)")
               .arg(Message::fixed(kAppTitle))
               .arg(modeText(started.mode))
               .arg(Message::fixed(started.stage == kOriginalStage ? "ORIGINAL" : std::to_string(started.stage))),
           "windowTitle");
  showStatus();
  timer_.start();
  adjustSize();
  centreOnScreen(this);
  openModal(this);
}

void ReplayWindow::step() {
  if (paused_ || searching_ || cursor_->atEnd()) return;
  cursor_->play(100LL * speed_);
  showStatus();
}

void ReplayWindow::seek(std::int64_t ms) {
  if (searching_) return;
  cursor_->seek(ms);
  showStatus();
}

void ReplayWindow::restart() { seek(0); }

// At the end, playing again starts the round over.
void ReplayWindow::togglePause() {
  if (searching_) return;
  if (cursor_->atEnd()) {
    paused_ = false;
    return restart();
  }
  paused_ = !paused_;
  showStatus();
}

void ReplayWindow::setSpeed(int speed) {
  speed_ = speed;
  showStatus();
}

void ReplayWindow::showControls() {
  const bool live = !searching_;
  restart_->setEnabled(live);
  pause_->setEnabled(live);
  bindText(pause_, paused_ || (live && cursor_->atEnd()) ? Message("ReplayWindow", "再生(&P)")
                                                         : Message("ReplayWindow", "一時停止(&P)"));
  for (std::size_t i = 0; i < speeds_.size(); ++i) {
    speeds_[i]->setEnabled(live);
    speeds_[i]->setChecked(kSpeeds[i] == speed_);
  }
  const std::optional<std::int64_t> length = cursor_->length();
  bar_->setEnabled(live && length.has_value());
  if (!live || !length || bar_->isSliderDown()) return;
  // The bar moves with the play; only a person moving it seeks.
  const QSignalBlocker quiet(bar_);
  barUnitMs_ = std::max<std::int64_t>(100, *length / kMostBarSteps + 1);
  bar_->setRange(0, static_cast<int>(*length / barUnitMs_));
  bar_->setPageStep(static_cast<int>(std::max<std::int64_t>(1, kArrowSeekMs / barUnitMs_)));
  bar_->setValue(static_cast<int>(cursor_->position() / barUnitMs_));
}

void ReplayWindow::showStatus() {
  const auto seconds = [](std::int64_t ms) { return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1); };
  const std::optional<std::int64_t> length = cursor_->length();
  Message text = Message("ReplayWindow", "リプレイ  %1 / %2 秒  %3倍")
                     .arg(fixedText(seconds(cursor_->position())))
                     .arg(fixedText(length ? seconds(*length) : QString("?")))
                     .arg(speed_);
  const std::optional<RoundRecord>& ending = cursor_->ending();
  if (cursor_->atEnd() && ending && !ending->result.empty())
    text = Message("ReplayWindow", "%1  終了：%2").arg(text).arg(roundResultText(ending->result));
  else if (cursor_->atEnd()) text = Message("ReplayWindow", "%1  終了").arg(text);
  else if (paused_) text = Message("ReplayWindow", "%1  一時停止中").arg(text);
  bindText(status_, Message("ReplayWindow", "%1\n%2").arg(text).arg(statusKeys()));
  showControls();
}

// The window's keys act whichever control was clicked last; Escape closes
// the replay and nothing behind it.
void ReplayWindow::keyPressEvent(QKeyEvent* event) {
  if (searching_ && event->key() != Qt::Key_Escape) return QWidget::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_1: setSpeed(1); break;
    case Qt::Key_2: setSpeed(2); break;
    case Qt::Key_4: setSpeed(4); break;
    case Qt::Key_Space: togglePause(); break;
    case Qt::Key_Home: restart(); break;
    case Qt::Key_Left: seek(cursor_->position() - kArrowSeekMs); break;
    case Qt::Key_Right: seek(cursor_->position() + kArrowSeekMs); break;
    case Qt::Key_Escape: close(); break;
    default: return QWidget::keyPressEvent(event);
  }
  event->accept();
}

namespace {

// Reads a session file for a replay; an error box and nothing on failure.
std::optional<std::vector<std::string>> readReplayLines(const std::string& path, QWidget* parent) {
  Message error;
  const std::optional<std::string> text = readSessionFile(path, error);
  if (!text) {
    showErrorBox(parent,
                 translated(errorBoxText(Message("ReplayWindow", "リプレイのファイルを開けません: %1").arg(error))));
    return std::nullopt;
  }
  return splitLines(*text);
}

// Opens the window on a script checked by `reading`; an error box when the
// script has a bad line or lacks the round.
ReplayWindow* openChecked(const std::string& path, int round, std::vector<std::string> lines,
                          const ScriptReading& reading, const PictureLibrary& pictures, QWidget* parent) {
  const auto fail = [parent](const Message& text) {
    showErrorBox(parent, translated(errorBoxText(text)));
    return nullptr;
  };
  if (reading.badLine) {
    const std::size_t number = reading.badLineNumber;
    const std::string& line = number >= 1 && number <= lines.size() ? lines[number - 1] : *reading.badLine;
    return fail(Message("ReplayWindow", "'%1' はリプレイできるスクリプトではありません (%2 行目: %3)")
                    .arg(fixedText(quotedFileName(path)))
                    .arg(Message::fixed(static_cast<long long>(number)))
                    .arg(fixedText(quotedText(line))));
  }
  const RoundRecord* chosen = nullptr;
  for (const RoundRecord& r : reading.rounds) {
    if (round == 0 || r.number == round) chosen = &r;
  }
  if (!chosen) {
    return fail(roundNotFound(path, round));
  }
  auto* window = new ReplayWindow(std::move(lines), *chosen, pictures, parent, path);
  window->setAttribute(Qt::WA_DeleteOnClose);
  return window;
}

// The check of a script before its window opens: one headless run of the
// whole script on a thread of its own, with a progress window and 中止 when
// it takes more than a moment. Cancelled, it drops the run's result.
class ReplayCheck final : public QDialog {
 public:
  ReplayCheck(const std::string& path, int round, std::vector<std::string> lines, const PictureLibrary& pictures,
              QWidget* parent, std::function<void(ReplayWindow*)> opened)
      : QDialog(parent), path_(path), round_(round), pictures_(pictures), opened_(std::move(opened)) {
    setObjectName("ReplayCheckForm");
    bindText(this, Message("ReplayWindow", "%1 - リプレイ").arg(Message::fixed(kAppTitle)), "windowTitle");
    setWindowIcon(pictures.programIcon());
    setFont(formFont(12));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    column->addWidget(bound(new QLabel(this), Message("ReplayWindow", "リプレイを読み込んでいます...")));
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0);
    bar->setMinimumWidth(320);
    column->addWidget(bar);
    auto* cancel = bound(new QPushButton(this), Message("ReplayWindow", "中止"));
    cancel->setObjectName("cancel");
    column->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] {
      if (opened_) opened_(nullptr);
      opened_ = nullptr;
    });
    QTimer::singleShot(kProgressDelayMs, this, [this] {
      if (!opened_) return;  // checked already
      adjustSize();
      centreOnScreen(this);
      openModal(this);
    });
    checker_.start(
        this,
        [lines = std::move(lines)](std::stop_token stop) mutable {
          ScriptReading reading = readScript(lines, stop);
          return std::pair(std::move(lines), std::move(reading));
        },
        [this](auto checked) { this->checked(std::move(checked.first), checked.second); });
  }

 private:
  void checked(std::vector<std::string> lines, const ScriptReading& reading) {
    if (!opened_) return;  // cancelled
    auto opened = std::move(opened_);
    opened_ = nullptr;
    hide();
    ReplayWindow* window = openChecked(path_, round_, std::move(lines), reading, pictures_, parentWidget());
    opened(window);
    deleteLater();
  }

  std::string path_;
  int round_;
  const PictureLibrary& pictures_;
  std::function<void(ReplayWindow*)> opened_;
  WindowWorker checker_;
};

}  // namespace

bool openReplay(const std::string& path, int round, const PictureLibrary& pictures, QWidget* parent,
                std::function<void(ReplayWindow*)> opened) {
  std::optional<std::vector<std::string>> lines = readReplayLines(path, parent);
  if (!lines) return false;
  if (!opened) opened = [](ReplayWindow*) {};
  new ReplayCheck(path, round, std::move(*lines), pictures, parent, std::move(opened));
  return true;
}

ReplayWindow* openReplayNow(const std::string& path, int round, const PictureLibrary& pictures, QWidget* parent) {
  std::optional<std::vector<std::string>> lines = readReplayLines(path, parent);
  if (!lines) return nullptr;
  const ScriptReading reading = readScript(*lines);
  return openChecked(path, round, std::move(*lines), reading, pictures, parent);
}

}  // namespace glamora
