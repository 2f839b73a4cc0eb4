// Rows that the network windows share: the pass phrase's, and the message
// line under a window's buttons.
#pragma once

#include <QBoxLayout>
#include <QFont>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/message.h"

namespace glamora::netgame {

struct HostPhraseRow {
  QLineEdit* phrase = nullptr;  // netKey
  QPushButton* set = nullptr;   // netSetKey, "合言葉を決める(&K)"
};
// A host's: the box and its button, as the form's row "合言葉:".
HostPhraseRow addHostPhraseRow(QWidget* window, QFormLayout* form, const QString& phrase, const Message& placeholder);
// A joiner's: "合言葉:" and the box (netKey), for when the host has set one.
QLineEdit* addJoinPhraseRow(QWidget* window, QBoxLayout* layout);

// The face of a room code, `pixels` high: bold, spaced, monospaced, in a
// face where 2 and Z, 5 and S look apart.
QFont roomCodeFont(int pixels);

// The message line: what is under way, in the window's colour, or a problem,
// in red, in the language chosen from now on; or nothing. Both make the
// window taller when the text needs more lines.
void showUnderWay(QLabel* line, const Message& text);
void showTrouble(QLabel* line, const Message& text);
void clearLine(QLabel* line);

// Makes a shown window as tall as its rows need at its width: a window's
// layout squeezes its rows, clipping boxes and buttons, rather than grow it
// when a wrapped text gets another line.
void growToFit(QWidget* window);

}  // namespace glamora::netgame
