#include "battle_screen.h"

#include "screens/form_kit.h"

namespace glamora {

namespace {

struct LabelSpec {
  const char* name;
  QRect geometry;
  const char* text;
  LabelStyle style;
};

// The frame bars and the centre column between the two boards.
const LabelSpec kCentre[] = {
    {"Label1", {0, 0, 16, 392}, "", {12, true, kClWhite, kClMaroon}},
    {"Label5", {640, 0, 16, 392}, "", {12, true, kClWhite, kClMaroon}},
    {"Label7", {16, 0, 624, 16}, "", {12, true, kClWhite, kClMaroon}},
    {"Label8", {16, 376, 624, 16}, "", {12, true, kClWhite, kClMaroon}},
    {"Label2", {208, 16, 16, 360}, "", {12, true, kClWhite, kClMaroon}},
    {"Label4", {432, 16, 16, 360}, "", {12, true, kClWhite, kClMaroon}},
    {"Label3", {320, 88, 16, 288}, "", {12, true, kClWhite, kClMaroon}},
    {"Label15", {224, 72, 208, 16}, "", {12, true, kClWhite, kClMaroon}},
    {"Label17", {224, 112, 208, 16}, "", {12, true, kClWhite, kClMaroon}},
    {"Label18", {224, 248, 208, 16}, "", {12, true, kClWhite, kClMaroon}},
    {"Label22", {224, 312, 208, 16}, "", {12, true, kClWhite, kClMaroon}},
    {"Label13", {224, 16, 208, 24}, "STAGE", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"stage", {224, 44, 208, 24}, "?", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"Label11", {224, 88, 96, 21}, "PLAYER1", {21, true, kClWhite, kClBlue, Qt::AlignCenter}},
    {"Label12", {336, 88, 96, 21}, "PLAYER2", {21, true, kClWhite, kClRed, Qt::AlignCenter}},
    {"Label9", {224, 224, 96, 21}, "ELNA", {21, true, kClAqua, kClNavy, Qt::AlignCenter}},
    {"Label10", {336, 224, 96, 21}, "MIRABE", {21, true, kClFuchsia, kClPurple, Qt::AlignCenter}},
    {"Label16", {224, 264, 96, 21}, "SCORE", {21, true, kClBlack, kClYellow, Qt::AlignCenter}},
    {"Label19", {336, 264, 96, 21}, "SCORE", {21, true, kClBlack, kClYellow, Qt::AlignCenter}},
    {"scoreA", {224, 288, 96, 21}, "0", {21, true, kClBlack, kClYellow, Qt::AlignRight | Qt::AlignVCenter}},
    {"scoreB", {336, 288, 96, 21}, "0", {21, true, kClBlack, kClYellow, Qt::AlignRight | Qt::AlignVCenter}},
    {"Label23", {224, 328, 96, 21}, "WIN", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"Label25", {336, 328, 96, 21}, "WIN", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winA", {224, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winB", {336, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
};

}  // namespace

BattleScreen::BattleScreen(Effects& effects, const EditorValues& editor, const PictureLibrary& pictures,
                           Scheduler& scheduler, ScreenLinks links, QWidget* parent)
    : GameScreen("Glamora Ver1.0 - 二人で対戦", QSize(657, 394), pictures, std::move(links), parent),
      battle_(effects, *this, editor) {
  setObjectName("MainForm");
  buildCentre();
  addPanel(16, 'A');
  addPanel(448, 'B');
  showMenuState();
  battle_.registerTasks(scheduler);
}

void BattleScreen::buildCentre() {
  for (const LabelSpec& spec : kCentre) {
    QLabel* label = makeLabel(client(), spec.geometry, spec.text, spec.style);
    label->setObjectName(spec.name);
    const std::pair<const char*, Label> named[] = {
        {"stage", Label::stage}, {"scoreA", Label::scoreA}, {"scoreB", Label::scoreB},
        {"winA", Label::winA},   {"winB", Label::winB},
    };
    for (const auto& [name, id] : named) {
      if (QString(spec.name) == name) nameLabel(id, label);
    }
  }
  const std::pair<const char*, PictureId> faces[] = {{"Image69", PictureId::uface1b}, {"Image70", PictureId::uface2b}};
  int left = 224;
  for (const auto& [name, face] : faces) {
    QLabel* box = makePictureBox(client(), QRect(left, 128, 96, 96));
    box->setObjectName(name);
    showPicture(box, pictures_.pixmap(face, devicePixelRatioF()));
    left += 112;
  }
}

void BattleScreen::showMenuState() {
  showStageChecks(menus_, battle_.state.checkedStage);
  showSwitchChecks(menus_, battle_.sound.bgmOff, battle_.sound.seOff);
}

}  // namespace glamora
