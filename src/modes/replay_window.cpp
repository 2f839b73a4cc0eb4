#include "replay_window.h"

#include <QFile>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "engine/journal.h"
#include "modes/battle_screen.h"
#include "modes/training_screen.h"
#include "screens/form_kit.h"

namespace glamora {

// A replay never sounds and opens no dialog: it only notes the result.
class ReplayWindow::SilentEffects final : public Effects {
 public:
  void openMedia(Media, const std::string&) override {}
  void media(Media, MediaOp) override {}
  void openDialog(Dialog) override {}
  void showError(const std::string&) override {}
};

QString roundResultText(const std::string& result) {
  static const std::pair<const char*, const char*> kTexts[] = {
      {"Mw1Form", "プレイヤー1の勝ち"}, {"Mw2Form", "プレイヤー2の勝ち"}, {"SwForm", "クリア"},
      {"SlForm", "失敗"},               {"abandoned", "中断"},
  };
  for (const auto& [key, text] : kTexts) {
    if (result == key) return QString::fromUtf8(text);
  }
  return QString::fromStdString(result);
}

QString modeText(Mode mode) { return mode == Mode::Battle ? "二人で対戦" : "一人で特訓"; }

ReplayWindow::ReplayWindow(std::vector<std::string> lines, const RoundRecord& round, const PictureLibrary& pictures,
                           QWidget* parent)
    : QWidget(parent, Qt::Window),
      effects_(std::make_unique<SilentEffects>()),
      run_(std::make_unique<ReplayRun>(*effects_, std::move(lines))),
      round_(round) {
  setObjectName("ReplayForm");
  setWindowTitle(QString("Glamora Ver1.0 - リプレイ (%1 ステージ%2)")
                     .arg(modeText(round.mode))
                     .arg(round.stage == 15 ? QString("ORIGINAL") : QString::number(round.stage)));
  setWindowIcon(pictures.programIcon());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Session& session = run_->session;
  if (round.mode == Mode::Battle) screen_ = new BattleScreen(session, pictures, {}, this);
  else screen_ = new TrainingScreen(session, pictures, {}, {}, this);
  screen_->setWindowFlags(Qt::Widget);
  screen_->setInputEnabled(false);
  screen_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(screen_);
  status_ = makeLabel(this, QRect(), "", {12, false, kClWhite, kClBlack, Qt::AlignLeft | Qt::AlignVCenter});
  status_->setObjectName("status");
  status_->setMargin(4);
  layout->addWidget(status_);
  setFocusPolicy(Qt::StrongFocus);

  session.onRoundEnded = [this](const RoundRecord& ended) {
    if (ended.number != round_.number) return;
    ended_ = true;
    result_ = roundResultText(ended.result);
  };
  // Headless up to the round: the screen is shown what the rules show, at
  // full speed, then the round plays at the window's pace.
  run_->runToRoundStart(round.number);
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, &ReplayWindow::step);
  timer_.start();
  showStatus();
}

ReplayWindow::~ReplayWindow() {
  // The screen detaches from the session before the session goes.
  delete screen_;
  screen_ = nullptr;
}

void ReplayWindow::step() {
  if (paused_ || ended_) return;
  if (!run_->play(100LL * speed_)) ended_ = true;
  showStatus();
}

void ReplayWindow::showStatus() {
  const double seconds = static_cast<double>(run_->session.clock.now() - round_.start) / 1000.0;
  const double length = static_cast<double>(round_.end - round_.start) / 1000.0;
  QString text = QString("リプレイ  %1 / %2 秒  %3倍").arg(seconds, 0, 'f', 1).arg(length, 0, 'f', 1).arg(speed_);
  if (ended_) text += "  終了" + (result_.isEmpty() ? QString() : "：" + result_);
  else if (paused_) text += "  一時停止中";
  text += "   [1/2/4] 速さ  [Space] 一時停止  [Esc] 閉じる";
  status_->setText(text);
}

void ReplayWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_1: speed_ = 1; break;
    case Qt::Key_2: speed_ = 2; break;
    case Qt::Key_4: speed_ = 4; break;
    case Qt::Key_Space: paused_ = !paused_; break;
    case Qt::Key_Escape: close(); return;
    default: return QWidget::keyPressEvent(event);
  }
  showStatus();
}

ReplayWindow* openReplay(const QString& path, int round, const PictureLibrary& pictures, QWidget* parent) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    showErrorBox(parent, errorBoxText(QString("'%1' を開けません").arg(path).toStdString()).c_str());
    return nullptr;
  }
  const std::string text = file.readAll().toStdString();
  std::vector<std::string> lines = splitLines(text);
  if (const auto bad = firstBadLine(lines)) {
    showErrorBox(parent, QString::fromStdString(
                             errorBoxText(QString("'%1' はリプレイできるスクリプトではありません (%2)")
                                              .arg(path, QString::fromStdString(*bad))
                                              .toStdString())));
    return nullptr;
  }
  const SessionNotes notes = readSessionNotes(text);
  const RoundRecord* chosen = nullptr;
  for (const RoundRecord& r : notes.rounds) {
    if (round == 0 || r.number == round) chosen = &r;
  }
  if (!chosen) {
    const QString which = round == 0 ? QString("ラウンド") : QString("ラウンド %1").arg(round);
    showErrorBox(parent, QString::fromStdString(
                             errorBoxText(QString("'%1' に%2がありません").arg(path, which).toStdString())));
    return nullptr;
  }
  auto* window = new ReplayWindow(std::move(lines), *chosen, pictures, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->adjustSize();
  centreOnScreen(window);
  openModal(window);
  return window;
}

}  // namespace glamora
