#include "training_screen.h"

#include <QMenu>

#include "screens/form_kit.h"

namespace glamora {

namespace {

struct LabelSpec {
  const char* name;
  QRect geometry;
  const char* text;
  LabelStyle style;
};

const LabelStyle kBar{12, true, kClWhite, kClMaroon};

const LabelSpec kPanel[] = {
    {"Label1", {0, 0, 16, 392}, "", kBar},
    {"Label4", {432, 0, 17, 392}, "", kBar},
    {"Label7", {16, 0, 416, 16}, "", kBar},
    {"Label8", {16, 376, 416, 16}, "", kBar},
    {"Label2", {208, 16, 16, 360}, "", kBar},
    {"Label3", {320, 128, 16, 248}, "", kBar},
    {"Label15", {224, 72, 208, 16}, "", kBar},
    {"Label17", {224, 112, 208, 16}, "", kBar},
    {"Label18", {224, 248, 208, 16}, "", kBar},
    {"Label22", {224, 312, 208, 16}, "", kBar},
    {"Label13", {224, 16, 208, 24}, "STAGE", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"stage", {224, 44, 208, 24}, "?", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"Label11", {224, 88, 208, 21}, "YOU", {21, true, kClBlack, kClYellow, Qt::AlignCenter}},
    {"Label10", {224, 128, 96, 24}, "TIME", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"cantime", {224, 152, 96, 96}, "95", {96, false, kClBlack, kClLime, Qt::AlignCenter}},
    {"subname", {336, 224, 96, 21}, "ELNA", {21, true, kClAqua, kClNavy, Qt::AlignCenter}},
    {"Label16", {224, 264, 96, 21}, "SCORE", {21, true, kClBlack, kClYellow, Qt::AlignCenter}},
    {"scoreA", {224, 288, 96, 21}, "0", {21, true, kClBlack, kClYellow, Qt::AlignRight | Qt::AlignVCenter}},
    {"Label12", {336, 264, 96, 21}, "NORM", {21, true, kClBlack, kClFuchsia, Qt::AlignCenter}},
    {"nscore", {336, 288, 96, 21}, "1500", {21, true, kClBlack, kClFuchsia, Qt::AlignCenter}},
    {"Label23", {224, 328, 96, 21}, "WIN", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winA", {224, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"Label19", {336, 328, 96, 21}, "LOSE", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winB", {336, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
};

const std::pair<const char*, Label> kNamedLabels[] = {
    {"stage", Label::stage}, {"cantime", Label::cantime}, {"scoreA", Label::scoreA}, {"nscore", Label::nscore},
    {"winA", Label::winA},   {"winB", Label::winB},       {"subname", Label::subname},
};

}  // namespace

TrainingScreen::TrainingScreen(Effects& effects, const EditorValues& editor, const PictureLibrary& pictures,
                               Scheduler& scheduler, ScreenLinks links, std::function<void(Character)> characterChosen,
                               QWidget* parent)
    : GameScreen("Glamora Ver1.0 - 一人で特訓", QSize(449, 394), pictures, std::move(links), parent,
                 [](QMenu* options) {
                   QMenu* players = options->addMenu("プレイヤーの選択");
                   players->setObjectName("playsl");
                   for (const char* name : {"ELNA", "MIRABE"}) {
                     QAction* item = players->addAction(name);
                     item->setObjectName(QString(name) == "ELNA" ? "playP1" : "playP2");
                     item->setCheckable(true);
                   }
                   options->addSeparator();
                 }),
      training_(effects, *this, editor),
      characterChosen_(std::move(characterChosen)) {
  setObjectName("SubForm");
  playP1_ = findChild<QAction*>("playP1");
  playP2_ = findChild<QAction*>("playP2");
  buildPanel();
  addPanel(16, 'A');
  connect(playP1_, &QAction::triggered, this, [this] {
    training_.chooseCharacter(Character::Elna);
    showMenuState();
  });
  connect(playP2_, &QAction::triggered, this, [this] {
    training_.chooseCharacter(Character::Mirabe);
    showMenuState();
  });
  showMenuState();
  training_.registerTasks(scheduler);
}

void TrainingScreen::buildPanel() {
  for (const LabelSpec& spec : kPanel) {
    QLabel* label = makeLabel(client(), spec.geometry, spec.text, spec.style);
    label->setObjectName(spec.name);
    for (const auto& [name, id] : kNamedLabels) {
      if (QString(spec.name) == name) nameLabel(id, label);
    }
    if (QString(spec.name) == "subname") name_ = label;
    if (QString(spec.name) == "cantime") {
      // Two digits at 96 pixels are a little wider than the label with this font.
      QFont font = label->font();
      font.setStretch(QFont::SemiCondensed);
      label->setFont(font);
    }
  }
  face_ = makePictureBox(client(), QRect(336, 128, 96, 96));
  face_->setObjectName("subface");
  showPicture(face_, pictures_.pixmap(PictureId::uface1b, devicePixelRatioF()));
}

void TrainingScreen::characterChanged(Character character) {
  const bool elna = character == Character::Elna;
  showPicture(face_, pictures_.pixmap(elna ? PictureId::uface1b : PictureId::uface2b, devicePixelRatioF()));
  name_->setText(elna ? "ELNA" : "MIRABE");
  setLabelBackground(name_, elna ? kClNavy : kClPurple);
  setLabelTextColour(name_, elna ? kClAqua : kClFuchsia);
  if (characterChosen_) characterChosen_(character);
}

void TrainingScreen::showMenuState() {
  const TrainingState& s = training_.state;
  showStageChecks(menus_, s.checkedStage);
  for (int n = 1; n <= 15; ++n) menus_.stages[n - 1]->setEnabled(s.enabled[n - 1]);
  showSwitchChecks(menus_, training_.sound.bgmOff, training_.sound.seOff);
  playP1_->setChecked(s.character == Character::Elna);
  playP2_->setChecked(s.character == Character::Mirabe);
}

}  // namespace glamora
