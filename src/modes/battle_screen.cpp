#include "battle_screen.h"

#include <QBoxLayout>
#include <QMenu>

#include "screens/form_kit.h"

namespace glamora {

namespace {

// The right-hand frame bars and player 2's half of the centre column.
const LabelLayout kCentre[] = {
    {"Label5", {640, 0, 16, 392}, "", kBar},
    {"Label7", {16, 0, 624, 16}, "", kBar},
    {"Label8", {16, 376, 624, 16}, "", kBar},
    {"Label4", {432, 16, 16, 360}, "", kBar},
    {"Label3", {320, 88, 16, 288}, "", kBar},
    {"Label9", {224, 224, 96, 21}, "ELNA", {21, true, kClAqua, kClNavy, Qt::AlignCenter}},
    {"Label10", {336, 224, 96, 21}, "MIRABE", {21, true, kClFuchsia, kClPurple, Qt::AlignCenter}},
    {"Label19", {336, 264, 96, 21}, "SCORE", {21, true, kClBlack, kClYellow, Qt::AlignCenter}},
    {"scoreB", {336, 288, 96, 21}, "0", {21, true, kClBlack, kClYellow, Qt::AlignRight | Qt::AlignVCenter}},
    {"Label25", {336, 328, 96, 21}, "WIN", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winB", {336, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
};

const LabelLayout kPlates[] = {
    {"Label11", {224, 88, 96, 21}, "PLAYER1", {21, true, kClWhite, kClBlue, Qt::AlignCenter}},
    {"Label12", {336, 88, 96, 21}, "PLAYER2", {21, true, kClWhite, kClRed, Qt::AlignCenter}},
};

const std::pair<const char*, Label> kEngineLabels[] = {{"scoreB", Label::ScoreP2}, {"winB", Label::WinsP2}};

}  // namespace

BattleScreen::BattleScreen(Session& session, const PictureLibrary& pictures, ScreenLinks links, QWidget* parent)
    : GameScreen(session, Mode::Battle, Message("GameScreen", "%1 - 二人で対戦").arg(Message::fixed(kAppTitle)),
                 QSize(657, 394), pictures, std::move(links), parent) {
  setObjectName("MainForm");
  buildCentre();
  addBoard(16, 'A');
  addBoard(448, 'B');
  playerMenus_[0] = addPlayerMenu(menus_, Message("GameMenus", "プレイヤー1(&1)"), "player1",
                                  [this](auto level) { choosePlayer(0, level); });
  playerMenus_[1] = addPlayerMenu(menus_, Message("GameMenus", "プレイヤー2(&2)"), "player2",
                                  [this](auto level) { choosePlayer(1, level); });
  // A network battle's status line, and why a joiner's stage items are off.
  status_ = new QLabel(this);
  status_->setObjectName("netStatus");
  status_->setFont(formFont(12));
  status_->setContentsMargins(6, 2, 6, 2);
  status_->setAutoFillBackground(true);
  QPalette palette = status_->palette();
  palette.setColor(QPalette::Window, QColor(24, 24, 64));
  palette.setColor(QPalette::WindowText, Qt::white);
  status_->setPalette(palette);
  status_->hide();
  static_cast<QBoxLayout*>(layout())->insertWidget(0, status_);
  netMenu_ = addNetMenu(menus_);
  stageNote_ = bound(new QAction(menus_.game), Message("GameMenus", "（ステージはホストが選びます）"));
  stageNote_->setObjectName("netStageNote");
  stageNote_->setEnabled(false);
  stageNote_->setVisible(false);
  const QList<QAction*> items = menus_.game->actions();
  menus_.game->insertAction(items.value(items.indexOf(menus_.stages.back()) + 1), stageNote_);
  showMenuState();
}

void BattleScreen::buildCentre() {
  addLabels(kCentre, kEngineLabels);
  for (int p = 0; p < 2; ++p) {
    addPlate(p, kPlates[p]);
    plateFonts_[p] = plate(p)->font();
  }
  const std::pair<const char*, PictureId> faces[] = {{"Image69", PictureId::uface1b}, {"Image70", PictureId::uface2b}};
  int left = 224;
  for (const auto& [name, face] : faces) {
    QLabel* box = makePictureBox(client(), QRect(left, 128, 96, 96));
    box->setObjectName(name);
    showPicture(box, pictures_, face);
    left += 112;
  }
}

void BattleScreen::choosePlayer(int p, std::optional<ComputerLevel> level) {
  if (inputRoute()) return inputRoute()->side(p, level);
  session_.computer(Mode::Battle, p, level, engine().computerSeed + static_cast<std::uint64_t>(p));
  showMenuState();
}

void BattleScreen::showMenuState() {
  stageNote_->setVisible(inputRoute() && !inputRoute()->menus().choosesStages);
  status_->setVisible(inputRoute() && !status_->text().isEmpty());
  if (inputRoute()) return showRouteMenus();
  for (QAction* stage : menus_.stages) stage->setEnabled(true);
  menus_.editor->setEnabled(true);
  const Battle& battle = engine();
  showStageChecks(menus_, checkedStageItem(battle.state.checkedStage));
  showSwitchChecks(menus_, battle.sound.bgmOff, battle.sound.seOff);
  for (int p = 0; p < 2; ++p) {
    const ComputerPlayer* cpu = battle.computer(p);
    const std::optional<ComputerLevel> level = cpu ? std::optional(cpu->level()) : std::nullopt;
    if (playerMenus_[p].menu) {
      playerMenus_[p].menu->setEnabled(true);
      showPlayerChecks(playerMenus_[p], level);
    }
    plate(p)->setFont(plateFonts_[p]);
    showPlate(plate(p), kPlates[p].text, level);
  }
}

void BattleScreen::showRouteMenus() {
  const RouteMenus route = inputRoute()->menus();
  for (QAction* stage : menus_.stages) stage->setEnabled(route.choosesStages);
  menus_.editor->setEnabled(route.choosesStages);
  showStageChecks(menus_, route.checkedStage);
  for (int p = 0; p < 2; ++p) {
    playerMenus_[p].menu->setEnabled(p == route.ownSide);
    if (p == route.ownSide) showPlayerChecks(playerMenus_[p], route.ownLevel);
  }
}

void BattleScreen::showRouteNames(const std::array<QString, 2>& names, const std::array<QString, 2>& hints) {
  for (int p = 0; p < 2; ++p) {
    fitPlateText(plate(p), plateFonts_[p], names[p]);
    plate(p)->setToolTip(hints[p]);
  }
}

void BattleScreen::showRouteStatus(const QString& text) {
  if (status_->text() != text) status_->setText(text);
  status_->setVisible(inputRoute() && !text.isEmpty());
}

}  // namespace glamora
