#include "character_screen.h"

#include <array>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"

namespace glamora {

namespace {

constexpr int kTableRows = 9;
constexpr std::array<int, kTableRows> kRowTops = {128, 160, 192, 224, 256, 288, 320, 352, 384};
constexpr std::array<const char*, kTableRows> kHeadings = {
    QT_TRANSLATE_NOOP("Characters", "氏名"),         QT_TRANSLATE_NOOP("Characters", "誕生日"),
    QT_TRANSLATE_NOOP("Characters", "年齢"),         QT_TRANSLATE_NOOP("Characters", "血液型"),
    QT_TRANSLATE_NOOP("Characters", "職業"),         QT_TRANSLATE_NOOP("Characters", "特技"),
    QT_TRANSLATE_NOOP("Characters", "趣味"),         QT_TRANSLATE_NOOP("Characters", "好きな食べ物"),
    QT_TRANSLATE_NOOP("Characters", "嫌いな食べ物"),
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
     QT_TRANSLATE_NOOP("Characters", "みずしろ えるな"),
     {QT_TRANSLATE_NOOP("Characters", "元気な"), QT_TRANSLATE_NOOP("Characters", "笑顔の"),
      QT_TRANSLATE_NOOP("Characters", "水色と"), QT_TRANSLATE_NOOP("Characters", "紺の娘")},
     {QT_TRANSLATE_NOOP("Characters", "水城エルナ"), QT_TRANSLATE_NOOP("Characters", "7月7日"),
      QT_TRANSLATE_NOOP("Characters", "16才"), QT_TRANSLATE_NOOP("Characters", "O型"),
      QT_TRANSLATE_NOOP("Characters", "高校生"), QT_TRANSLATE_NOOP("Characters", "早起き"),
      QT_TRANSLATE_NOOP("Characters", "お買い物"), QT_TRANSLATE_NOOP("Characters", "ソーダ水"),
      QT_TRANSLATE_NOOP("Characters", "ピーマン")}},
    {"B",
     kClFuchsia,
     368,
     336,
     QT_TRANSLATE_NOOP("Characters", "しどう みらべ"),
     {QT_TRANSLATE_NOOP("Characters", "優雅な"), QT_TRANSLATE_NOOP("Characters", "大人の"),
      QT_TRANSLATE_NOOP("Characters", "紫の"), QT_TRANSLATE_NOOP("Characters", "淑女")},
     {QT_TRANSLATE_NOOP("Characters", "紫堂ミラベ"), QT_TRANSLATE_NOOP("Characters", "2月14日"),
      QT_TRANSLATE_NOOP("Characters", "21才"), QT_TRANSLATE_NOOP("Characters", "AB型"),
      QT_TRANSLATE_NOOP("Characters", "モデル"), QT_TRANSLATE_NOOP("Characters", "ダンス"),
      QT_TRANSLATE_NOOP("Characters", "読書"), QT_TRANSLATE_NOOP("Characters", "マカロン"),
      QT_TRANSLATE_NOOP("Characters", "納豆")}},
};

}  // namespace

CharacterScreen::CharacterScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "ChForm", Message("Screens", "%1 - キャラクター紹介").arg(Message::fixed(kAppTitle)),
                   QSize(506, 450)) {
  useHelpFrame(library);
  addPicture("Image1", {16, 8, 96, 96}, library, PictureId::uface1a);
  addPicture("Image2", {392, 8, 96, 96}, library, PictureId::uface2a);
  addLabel(
      {"Label1", {184, 32, 128, 64}, "VS", {.pixelHeight = 64, .textColour = kClYellow, .align = Qt::AlignCenter}});

  const LabelStyle headingStyle{.pixelHeight = 24, .bold = false, .textColour = kClLime};
  for (int row = 0; row < kTableRows; ++row) {
    QLabel* heading = makeLabel(this, {208, kRowTops[row], 0, 0}, QString(), headingStyle);
    bindText(heading, Message("Characters", kHeadings[row]));
    heading->setObjectName(QString("heading%1").arg(row + 1));
  }
  for (const Profile& profile : kProfiles) {
    const LabelStyle valueStyle{.pixelHeight = 24, .bold = false, .textColour = profile.colour};
    const LabelStyle readingStyle{.pixelHeight = 12, .textColour = profile.colour};
    const LabelStyle lineStyle{.pixelHeight = 19, .textColour = profile.colour};
    const QString side = QString::fromLatin1(profile.side);
    const auto label = [this](QRect at, const char* text, const LabelStyle& style, const QString& name) {
      QLabel* shown = makeLabel(this, at, QString(), style);
      shown->setObjectName(name);
      bindText(shown, Message("Characters", text));
    };
    label({profile.valueLeft, 112, 0, 0}, profile.reading, readingStyle, "reading" + side);
    for (int i = 0; i < 4; ++i)
      label({profile.lineLeft, 16 + 24 * i, 0, 0}, profile.lines[i], lineStyle,
            QString("line%1%2").arg(side).arg(i + 1));
    for (int row = 0; row < kTableRows; ++row)
      label({profile.valueLeft, kRowTops[row], 0, 0}, profile.values[row], valueStyle,
            QString("value%1%2").arg(side).arg(row + 1));
  }
  addOkButton("return1", {208, 416});
}

}  // namespace glamora
