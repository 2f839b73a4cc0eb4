#include "operation_table_screen.h"

namespace glamora {

namespace {

constexpr LabelStyle kHeading{.pixelHeight = 24};
constexpr LabelStyle kKeys{.pixelHeight = 27};
constexpr LabelStyle kNote{.pixelHeight = 12};

// The key lines: two spaces, player 1's keys, nine spaces, player 2's key,
// seven spaces, "…", the action and a trailing space.
constexpr LabelSpec kLabels[] = {
    {"Label1", {8, 8, 0, 0}, "PLAYER1     PLAYER2", kHeading},
    {"Label2", {136, 40, 0, 0}, "（二人で対戦モードのみ）", kNote},
    {"Label3", {8, 64, 0, 0}, "  'A','a'         '4'       … 左へ移動 ", kKeys},
    {"Label4", {7, 104, 0, 0}, "  'D','d'         '6'       … 右へ移動 ", kKeys},
    {"Label5", {6, 144, 0, 0}, "  'S','s'         '5'       … 決定 ", kKeys},
    {"Label7", {0, 192, 0, 0}, "*KEYは「ポン、ポン」とたたくように入力して下さい（二人で対戦モードのみ）", kNote},
    {"Label6", {0, 216, 0, 0}, "*NUM LOCK をして下さい（二人で対戦モードのみ）", kNote},
};

}  // namespace

OperationTableScreen::OperationTableScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "SousaForm", "Glamora Ver1.0 - 操作表", QSize(418, 273)) {
  useHelpFrame(library);
  addLabels(kLabels);
  addOkButton("return1", {168, 240});
}

}  // namespace glamora
