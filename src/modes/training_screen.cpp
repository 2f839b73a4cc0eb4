#include "training_screen.h"

#include <QMenu>

#include "engine/stages.h"
#include "screens/form_kit.h"

namespace glamora {

namespace {

const LabelLayout kPanel[] = {
    {"Label4", {432, 0, 17, 392}, "", kBar},
    {"Label7", {16, 0, 416, 16}, "", kBar},
    {"Label8", {16, 376, 416, 16}, "", kBar},
    {"Label3", {320, 128, 16, 248}, "", kBar},
    {"Label10", {224, 128, 96, 24}, "TIME", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"cantime", {224, 152, 96, 96}, "95", {96, false, kClBlack, kClLime, Qt::AlignCenter}},
    {"Label12", {336, 264, 96, 21}, "NORM", {21, true, kClBlack, kClFuchsia, Qt::AlignCenter}},
    {"nscore", {336, 288, 96, 21}, "1500", {21, true, kClBlack, kClFuchsia, Qt::AlignCenter}},
    {"Label19", {336, 328, 96, 21}, "LOSE", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winB", {336, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
};

const LabelLayout kPlate{"Label11", {224, 88, 208, 21}, "YOU", {21, true, kClBlack, kClYellow, Qt::AlignCenter}};
const LabelLayout kCharacterName{"subname", {336, 224, 96, 21}, "ELNA", {21, true, kClAqua, kClNavy, Qt::AlignCenter}};

const std::pair<const char*, Label> kNamedLabels[] = {
    {"cantime", Label::MirrorCountdown},
    {"nscore", Label::TargetScore},
    {"winB", Label::TrainingLosses},
};

}  // namespace

TrainingScreen::TrainingScreen(Session& session, const PictureLibrary& pictures, ScreenLinks links,
                               std::function<void(Character)> characterChosen, QWidget* parent)
    : GameScreen(session, Mode::Training, Message("GameScreen", "%1 - 一人で特訓").arg(Message::fixed(kAppTitle)),
                 QSize(449, 394), pictures, std::move(links), parent),
      characterChosen_(std::move(characterChosen)) {
  setObjectName("SubForm");
  // The character choice heads "オプション(&O)", above the sound switches.
  auto* players = bound(new QMenu(menus_.options), Message("GameMenus", "プレイヤーの選択"), "title");
  players->setObjectName("playsl");
  QAction* switches = menus_.options->actions().value(0);
  menus_.options->insertMenu(switches, players);
  menus_.options->insertSeparator(switches);
  playP1_ = players->addAction("ELNA");
  playP1_->setObjectName("playP1");
  playP2_ = players->addAction("MIRABE");
  playP2_->setObjectName("playP2");
  for (QAction* item : {playP1_, playP2_}) item->setCheckable(true);
  buildPanel();
  addBoard(16, 'A');
  connect(playP1_, &QAction::triggered, this, [this] {
    session_.character(Character::Elna);
    showMenuState();
  });
  connect(playP2_, &QAction::triggered, this, [this] {
    session_.character(Character::Mirabe);
    showMenuState();
  });
  playerMenu_ = addPlayerMenu(menus_, Message("GameMenus", "プレイヤー(&P)"), "player",
                              [this](std::optional<ComputerLevel> level) {
                                session_.computer(Mode::Training, 0, level, engine().computerSeed);
                                showMenuState();
                              });
  showMenuState();
}

void TrainingScreen::buildPanel() {
  addLabels(kPanel, kNamedLabels);
  addPlate(0, kPlate);
  name_ = makeLabel(client(), kCharacterName);
  // Two digits at 96 pixels are a little wider than the sign with this font.
  sign(Label::MirrorCountdown)->condense();
  face_ = makePictureBox(client(), QRect(336, 128, 96, 96));
  face_->setObjectName("subface");
  showPicture(face_, pictures_, PictureId::uface1b);
}

void TrainingScreen::characterChanged(Character character) {
  GameScreen::characterChanged(character);
  const bool elna = character == Character::Elna;
  showPicture(face_, pictures_, elna ? PictureId::uface1b : PictureId::uface2b);
  name_->setText(elna ? "ELNA" : "MIRABE");
  setLabelBackground(name_, elna ? kClNavy : kClPurple);
  setLabelTextColour(name_, elna ? kClAqua : kClFuchsia);
  if (characterChosen_) characterChosen_(character);
}

void TrainingScreen::showMenuState() {
  const Training& training = engine();
  const TrainingState& s = training.state;
  showStageChecks(menus_, checkedStageItem(s.checkedStage));
  for (int n = 1; n <= kOriginalStage; ++n) menus_.stages[n - 1]->setEnabled(s.enabled[n - 1]);
  showSwitchChecks(menus_, training.sound.bgmOff, training.sound.seOff);
  playP1_->setChecked(s.character == Character::Elna);
  playP2_->setChecked(s.character == Character::Mirabe);
  const std::optional<ComputerLevel> level =
      training.computer() ? std::optional(training.computer()->level()) : std::nullopt;
  if (playerMenu_.menu) showPlayerChecks(playerMenu_, level);
  showPlate(plate(0), kPlate.text, level);
}

}  // namespace glamora
