#include "window_rows.h"

#include "screens/live_text.h"

namespace glamora::netgame {

HostPhraseRow addHostPhraseRow(QWidget* window, QFormLayout* form, const QString& phrase, const Message& placeholder) {
  HostPhraseRow row;
  auto* layout = new QHBoxLayout;
  row.phrase = new QLineEdit(phrase, window);
  row.phrase->setObjectName("netKey");
  bindText(row.phrase, placeholder, "placeholderText");
  row.set = bound(new QPushButton(window), Message("WindowRows", "合言葉を決める(&K)"));
  row.set->setObjectName("netSetKey");
  layout->addWidget(row.phrase, 1);
  layout->addWidget(row.set);
  form->addRow(bound(new QLabel(window), Message("WindowRows", "合言葉:")), layout);
  return row;
}

QLineEdit* addJoinPhraseRow(QWidget* window, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  auto* phrase = new QLineEdit(window);
  phrase->setObjectName("netKey");
  bindText(phrase, Message("WindowRows", "相手が決めたときだけ"), "placeholderText");
  row->addWidget(bound(new QLabel(window), Message("WindowRows", "合言葉:")));
  row->addWidget(phrase, 1);
  layout->addLayout(row);
  return phrase;
}

QFont roomCodeFont(int pixels) {
  QFont font("DejaVu Sans Mono");
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(pixels);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, pixels / 5);
  return font;
}

void showUnderWay(QLabel* line, const Message& text) {
  line->setStyleSheet("");
  bindText(line, text);
  growToFit(line->window());
}

void showTrouble(QLabel* line, const Message& text) {
  line->setStyleSheet("color: #b00000");
  bindText(line, text);
  growToFit(line->window());
}

void clearLine(QLabel* line) {
  unbindText(line);
  line->clear();
}

void growToFit(QWidget* window) {
  // A window not shown yet takes the size its rows need when it shows.
  if (!window->isVisible()) return;
  const int needed =
      window->hasHeightForWidth() ? window->heightForWidth(window->width()) : window->sizeHint().height();
  if (needed > window->height()) window->resize(window->width(), needed);
}

}  // namespace glamora::netgame
