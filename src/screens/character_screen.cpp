#include "character_screen.h"

#include <array>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"

namespace glamora {

namespace {

constexpr int kTableRows = 9;
constexpr std::array<int, kTableRows> kRowTops = {128, 160, 192, 224, 256, 288, 320, 352, 384};
constexpr std::array<const char*, kTableRows> kHeadings = {
    "氏名", "誕生日", "年齢", "血液型", "職業", "特技", "趣味", "好きな食べ物", "嫌いな食べ物",
};

// One column of the table: where its texts stand and what they say.
struct Profile {
  const char* side;  // "A" for the left character, "B" for the right one
  Colour colour;
  int valueLeft;
  int lineLeft;  // the four lines beside the portrait
  const char* reading;
  std::array<const char*, 4> lines;
  std::array<const char*, kTableRows> values;
};

constexpr Profile kProfiles[] = {
    {"A",
     kClAqua,
     8,
     120,
     "みずしろ えるな",
     {"元気な", "笑顔の", "水色と", "紺の娘"},
     {"水城エルナ", "7月7日", "16才", "O型", "高校生", "早起き", "お買い物", "ソーダ水", "ピーマン"}},
    {"B",
     kClFuchsia,
     368,
     336,
     "しどう みらべ",
     {"優雅な", "大人の", "紫の", "淑女"},
     {"紫堂ミラベ", "2月14日", "21才", "AB型", "モデル", "ダンス", "読書", "マカロン", "納豆"}},
};

}  // namespace

CharacterScreen::CharacterScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "ChForm", "Glamora Ver1.0 - キャラクター紹介", QSize(506, 450)) {
  useHelpFrame(library);
  addPicture("Image1", {16, 8, 96, 96}, library, PictureId::uface1a);
  addPicture("Image2", {392, 8, 96, 96}, library, PictureId::uface2a);
  addLabel(
      {"Label1", {184, 32, 128, 64}, "VS", {.pixelHeight = 64, .textColour = kClYellow, .align = Qt::AlignCenter}});

  const LabelStyle headingStyle{.pixelHeight = 24, .bold = false, .textColour = kClLime};
  for (int row = 0; row < kTableRows; ++row) {
    QLabel* heading = makeLabel(this, {208, kRowTops[row], 0, 0}, QString::fromUtf8(kHeadings[row]), headingStyle);
    heading->setObjectName(QString("heading%1").arg(row + 1));
  }
  for (const Profile& profile : kProfiles) {
    const LabelStyle valueStyle{.pixelHeight = 24, .bold = false, .textColour = profile.colour};
    const LabelStyle readingStyle{.pixelHeight = 12, .textColour = profile.colour};
    const LabelStyle lineStyle{.pixelHeight = 19, .textColour = profile.colour};
    const QString side = QString::fromLatin1(profile.side);
    makeLabel(this, {profile.valueLeft, 112, 0, 0}, QString::fromUtf8(profile.reading), readingStyle)
        ->setObjectName("reading" + side);
    for (int i = 0; i < 4; ++i)
      makeLabel(this, {profile.lineLeft, 16 + 24 * i, 0, 0}, QString::fromUtf8(profile.lines[i]), lineStyle)
          ->setObjectName(QString("line%1%2").arg(side).arg(i + 1));
    for (int row = 0; row < kTableRows; ++row)
      makeLabel(this, {profile.valueLeft, kRowTops[row], 0, 0}, QString::fromUtf8(profile.values[row]), valueStyle)
          ->setObjectName(QString("value%1%2").arg(side).arg(row + 1));
  }
  addOkButton("return1", {208, 416});
}

}  // namespace glamora
