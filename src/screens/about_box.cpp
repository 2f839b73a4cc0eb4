#include "about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"

namespace glamora {

namespace {

// Positions inside the panel.
constexpr LabelLayout kPanelLabels[] = {
    {"ProductName", {54, 8, 0, 0}, "Glamora", {.pixelHeight = 37, .textColour = kClBlack}},
    {"Comments",
     {72, 56, 0, 0},
     QT_TRANSLATE_NOOP("Screens", "鏡が映す、華麗なパズル"),
     {.pixelHeight = 19, .bold = false, .textColour = kClBlack}},
    {"Version", {126, 87, 0, 0}, "Version 1.0", {.pixelHeight = 24, .bold = false, .textColour = kClBlack}},
    {"Copyright",
     {24, 134, 0, 0},
     QT_TRANSLATE_NOOP("Screens", "(C) Glamora 制作チーム"),
     {.pixelHeight = 16, .bold = false, .textColour = kClBlack}},
};

}  // namespace

AboutBox::AboutBox(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "AboutBox", Message("Screens", "ﾊﾞｰｼﾞｮﾝ情報"), QSize(294, 214), kClGreen) {
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setGeometry(8, 8, 277, 158);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, windowsColour(kClLime));
  panel->setPalette(palette);
  panel->setAutoFillBackground(true);

  auto* icon = makePictureBox(panel, {8, 8, 32, 32});
  icon->setObjectName("ProgramIcon");
  showPicture(icon, library, PictureId::programIcon);
  for (const LabelLayout& entry : kPanelLabels) makeLabel(panel, entry);

  ok_ = addOkButton("OKButton", {118, 175}, {64, 33});
  ok_->setDefault(true);
}

void AboutBox::showEvent(QShowEvent* event) {
  ScreenDialog::showEvent(event);
  ok_->setFocus();
}

}  // namespace glamora
