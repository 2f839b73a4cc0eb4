#include "window_rows.h"

namespace glamora::netgame {

HostPhraseRow addHostPhraseRow(QWidget* window, QFormLayout* form, const QString& phrase, const QString& placeholder) {
  HostPhraseRow row;
  auto* layout = new QHBoxLayout;
  row.phrase = new QLineEdit(phrase, window);
  row.phrase->setObjectName("netKey");
  row.phrase->setPlaceholderText(placeholder);
  row.set = new QPushButton("合言葉を決める(&K)", window);
  row.set->setObjectName("netSetKey");
  layout->addWidget(row.phrase, 1);
  layout->addWidget(row.set);
  form->addRow("合言葉:", layout);
  return row;
}

QLineEdit* addJoinPhraseRow(QWidget* window, QBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  auto* phrase = new QLineEdit(window);
  phrase->setObjectName("netKey");
  phrase->setPlaceholderText("相手が決めたときだけ");
  row->addWidget(new QLabel("合言葉:", window));
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

void showUnderWay(QLabel* line, const QString& text) {
  line->setStyleSheet("");
  line->setText(text);
  growToFit(line->window());
}

void showTrouble(QLabel* line, const QString& text) {
  line->setStyleSheet("color: #b00000");
  line->setText(text);
  growToFit(line->window());
}

void growToFit(QWidget* window) {
  // A window not shown yet takes the size its rows need when it shows.
  if (!window->isVisible()) return;
  const int needed =
      window->hasHeightForWidth() ? window->heightForWidth(window->width()) : window->sizeHint().height();
  if (needed > window->height()) window->resize(window->width(), needed);
}

}  // namespace glamora::netgame
