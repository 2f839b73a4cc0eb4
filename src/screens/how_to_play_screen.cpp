#include "how_to_play_screen.h"

#include <QPlainTextEdit>
#include <QResizeEvent>

namespace glamora {

namespace {

constexpr QSize kClientSize(676, 451);
// The box leaves this much of the client area free at its right and bottom.
constexpr QSize kBoxMargin(3, 2);

}  // namespace

HowToPlayScreen::HowToPlayScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "HelpForm", Message("Screens", "%1 - 遊び方").arg(Message::fixed(kAppTitle)), kClientSize),
      memo_(new QPlainTextEdit(this)) {
  useHelpFrame(library);
  memo_->setObjectName("Memo1");
  memo_->setGeometry(QRect(QPoint(0, 0), kClientSize - kBoxMargin));
  memo_->setFont(formFont(16, true));
  memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette palette = memo_->palette();
  palette.setColor(QPalette::Base, windowsColour(kClBlack));
  palette.setColor(QPalette::Text, windowsColour(kClWhite));
  memo_->setPalette(palette);
  // The only control: no OK button, the close box (or Escape) closes the screen.
  memo_->setFocus();
}

void HowToPlayScreen::resizeEvent(QResizeEvent* event) {
  ScreenDialog::resizeEvent(event);
  memo_->setGeometry(QRect(QPoint(0, 0), event->size() - kBoxMargin));
}

void HowToPlayScreen::setText(const QString& text) {
  // Files written on Windows end their lines in CR LF; a lone CR would show
  // as a stray glyph.
  QString lines = text;
  lines.replace("\r\n", "\n");
  memo_->setPlainText(lines);
}

QString HowToPlayScreen::text() const { return memo_->toPlainText(); }

}  // namespace glamora
