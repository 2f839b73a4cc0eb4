#include "game_screen.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include "screens/form_kit.h"

namespace glamora {

namespace {


// The left frame, the bars around the centre column and player 1's half of
// it: the same on the battle and the training screen.
const LabelSpec kSharedLabels[] = {
    {"Label1", {0, 0, 16, 392}, "", kBar},
    {"Label2", {208, 16, 16, 360}, "", kBar},
    {"Label15", {224, 72, 208, 16}, "", kBar},
    {"Label17", {224, 112, 208, 16}, "", kBar},
    {"Label18", {224, 248, 208, 16}, "", kBar},
    {"Label22", {224, 312, 208, 16}, "", kBar},
    {"Label13", {224, 16, 208, 24}, "STAGE", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"stage", {224, 44, 208, 24}, "?", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"Label16", {224, 264, 96, 21}, "SCORE", {21, true, kClBlack, kClYellow, Qt::AlignCenter}},
    {"scoreA", {224, 288, 96, 21}, "0", {21, true, kClBlack, kClYellow, Qt::AlignRight | Qt::AlignVCenter}},
    {"Label23", {224, 328, 96, 21}, "WIN", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winA", {224, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
};

const std::pair<const char*, Label> kSharedEngineLabels[] = {
    {"stage", Label::stage}, {"scoreA", Label::scoreA}, {"winA", Label::winA}};

}  // namespace

GameScreen::GameScreen(Session& session, Mode mode, const QString& caption, QSize clientSize,
                       const PictureLibrary& pictures, ScreenLinks links, QWidget* parent,
                       const std::function<void(QMenu*)>& beforeSwitches)
    : QDialog(parent), session_(session), pictures_(pictures), mode_(mode) {
  setWindowTitle(caption);
  setWindowIcon(pictures.programIcon());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* bar = new QMenuBar(this);
  bar->setNativeMenuBar(false);
  layout->setMenuBar(bar);
  client_ = new QWidget(this);
  client_->setFixedSize(clientSize);
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, Qt::black);
  client_->setPalette(palette);
  client_->setAutoFillBackground(true);
  layout->addWidget(client_);
  addLabels(kSharedLabels, kSharedEngineLabels);

  menus_ = buildGameMenus(bar, beforeSwitches, links.fillHelpMenu);
  for (int n = 1; n <= 15; ++n) {
    connect(menus_.stages[n - 1], &QAction::triggered, this, [this, n] {
      session_.stage(mode_, n);
      showMenuState();
    });
  }
  // Leaving by the menu, by "終了(&X)" or by the close box all end in
  // closeEvent, which abandons a game in progress.
  connect(menus_.title, &QAction::triggered, this, &QWidget::close);
  connect(menus_.end, &QAction::triggered, this, [this] {
    quitRequested_ = true;
    close();
  });
  connect(menus_.musicOn, &QAction::triggered, this, [this] { session_.music(mode_, true); });
  connect(menus_.musicOff, &QAction::triggered, this, [this] { session_.music(mode_, false); });
  connect(menus_.voicesOn, &QAction::triggered, this, [this] { session_.voices(mode_, true); });
  connect(menus_.voicesOff, &QAction::triggered, this, [this] { session_.voices(mode_, false); });
  connect(menus_.editor, &QAction::triggered, this, [open = links.openEditor] {
    if (open) open();
  });
  connect(menus_.replays, &QAction::triggered, this, [open = links.openReplays] {
    if (open) open();
  });
  relay().attach(this);
}

GameScreen::~GameScreen() { relay().detach(this); }

void GameScreen::setInputEnabled(bool enabled) {
  inputEnabled_ = enabled;
  if (QMenuBar* bar = findChild<QMenuBar*>()) bar->setEnabled(enabled);
}

void GameScreen::addPanel(int left, char suffix) {
  panels_.push_back(std::make_unique<PlayerPanel>(client_, left, suffix, pictures_));
  PlayerPanel& p = *panels_.back();
  const bool a = suffix == 'A';
  nameLabel(a ? Label::whatA : Label::whatB, p.what);
  nameLabel(a ? Label::whereA : Label::whereB, p.where);
  nameLabel(a ? Label::itimeA : Label::itimeB, p.whatTime);
  nameLabel(a ? Label::ptimeA : Label::ptimeB, p.whereTime);
  nameLabel(a ? Label::pau1a : Label::pau1b, p.pauseSupply);
  nameLabel(a ? Label::pau2a : Label::pau2b, p.pauseCarried);
}

void GameScreen::addLabels(std::span<const LabelSpec> specs,
                           std::span<const std::pair<const char*, Label>> engineLabels) {
  for (const LabelSpec& entry : specs) {
    QLabel* label = makeLabel(client_, entry);
    for (const auto& [name, id] : engineLabels) {
      if (QString(entry.name) == name) nameLabel(id, label);
    }
  }
}

void GameScreen::setCaption(Label label, std::string_view text) {
  QLabel* widget = labels_[label];
  if (!widget) return;
  // Counters are shown again on every tick; an unchanged one is left alone.
  const QString caption = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (widget->text() != caption) widget->setText(caption);
}

void GameScreen::setColour(Label label, Colour colour) {
  if (QLabel* widget = labels_[label]) setLabelBackground(widget, colour);
}

void GameScreen::setPause(Label label, bool shown) {
  if (QLabel* widget = labels_[label]) showPauseSign(widget, shown);
}

// Every character typed goes to the engine; nothing closes the screen but its
// menu items and its close box. A key held with Alt or Ctrl is a menu key:
// when no menu takes it, it does nothing (Alt+D does not move the arrow).
void GameScreen::keyPressEvent(QKeyEvent* event) {
  if (!inputEnabled_) return event->ignore();
  if (!(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
    for (const char32_t ch : event->text().toUcs4()) session_.key(mode_, ch);
  }
  event->accept();
}

void GameScreen::closeEvent(QCloseEvent* event) {
  if (inputEnabled_) session_.leave(mode_);
  event->accept();
  if (onClosed) onClosed();
}

}  // namespace glamora
