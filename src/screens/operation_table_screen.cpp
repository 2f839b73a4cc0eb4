#include "operation_table_screen.h"

#include <QEvent>

#include <QFontMetricsF>
#include <QLabel>
#include <cmath>

#include "player_keys.h"

namespace glamora {

namespace {

constexpr LabelStyle kHeading{.pixelHeight = 24};
constexpr LabelStyle kKeys{.pixelHeight = 27};
constexpr LabelStyle kNote{.pixelHeight = 12};

// The key lines: two spaces, player 1's keys, nine spaces, player 2's key,
// seven spaces, "…", the action and a trailing space.
constexpr LabelLayout kLabels[] = {
    {"Label1", {8, 8, 0, 0}, "PLAYER1     PLAYER2", kHeading},
    {"Label2", {136, 40, 0, 0}, QT_TRANSLATE_NOOP("Screens", "（二人で対戦モードのみ）"), kNote},
    {"Label3", {8, 64, 0, 0}, QT_TRANSLATE_NOOP("Screens", "  'A','a'         '4'       … 左へ移動 "), kKeys},
    {"Label4", {7, 104, 0, 0}, QT_TRANSLATE_NOOP("Screens", "  'D','d'         '6'       … 右へ移動 "), kKeys},
    {"Label5", {6, 144, 0, 0}, QT_TRANSLATE_NOOP("Screens", "  'S','s'         '5'       … 決定 "), kKeys},
    {"Label7",
     {0, 192, 0, 0},
     QT_TRANSLATE_NOOP("Screens", "*KEYは「ポン、ポン」とたたくように入力して下さい（二人で対戦モードのみ）"),
     kNote},
    {"Label6", {0, 216, 0, 0}, QT_TRANSLATE_NOOP("Screens", "*NUM LOCK をして下さい（二人で対戦モードのみ）"), kNote},
};

// The key lines by their label, with the fixed caption each starts with.
struct KeyLine {
  const char* name;
  Key action;
  const char* caption;
};
constexpr KeyLine kKeyLines[] = {{"Label3", Key::Left, kLabels[2].text},
                                 {"Label4", Key::Right, kLabels[3].text},
                                 {"Label5", Key::Select, kLabels[4].text}};

// Spaces until the text ends as near `column` pixels as spaces can bring it
// in `metrics`; at least one.
QString padTo(QString text, qreal column, const QFontMetricsF& metrics) {
  text += ' ';
  while (std::abs(metrics.horizontalAdvance(text + ' ') - column) < std::abs(metrics.horizontalAdvance(text) - column))
    text += ' ';
  return text;
}

}  // namespace

void OperationTableScreen::changeEvent(QEvent* event) {
  ScreenDialog::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) showKeys(keys_);
}

void OperationTableScreen::showKeys(const PlayerKeys& keys) {
  keys_ = keys;
  for (const KeyLine& line : kKeyLines) {
    auto* label = findChild<QLabel*>(line.name);
    QString text = translated(Message("Screens", line.caption));
    if (!keys.isDefault(0, line.action) || !keys.isDefault(1, line.action)) {
      // The columns of the fixed caption: player 2's key (three characters,
      // the last quote before the "…") and the "…".
      const QFontMetricsF metrics(label->font(), label);
      const qsizetype ellipsis = text.indexOf(QChar(0x2026));
      const qreal secondColumn = metrics.horizontalAdvance(text.left(text.lastIndexOf('\'', ellipsis) - 2));
      const qreal ellipsisColumn = metrics.horizontalAdvance(text.left(ellipsis));
      text = padTo(padTo("  " + keys.caption(0, line.action), secondColumn, metrics) + keys.caption(1, line.action),
                   ellipsisColumn, metrics) +
             QChar(0x2026) + ' ' + keyActionCaption(line.action) + ' ';
    }
    // Shown as it is: bound, it would lose the keys at a change of language.
    unbindText(label);
    if (label->text() != text) {
      label->setText(text);
      label->adjustSize();
    }
  }
}

OperationTableScreen::OperationTableScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "SousaForm", Message("Screens", "%1 - 操作表").arg(Message::fixed(kAppTitle)),
                   QSize(418, 273)) {
  useHelpFrame(library);
  addLabels(kLabels);
  addOkButton("return1", {168, 240});
}

}  // namespace glamora
