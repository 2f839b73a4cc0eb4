#include "title_screen.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QShortcutEvent>

#include "app/language.h"
#include "engine/effects.h"
#include "engine/text_checks.h"
#include "screens/form_kit.h"

namespace glamora {

namespace {

// A title button whose Alt+letter acts at once: a plain button animates the
// press for 100 ms before it clicks, so the game screen would open late.
class TitleButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
      setDown(true);  // drawn pressed as the screen opens
      repaint();
      click();
      return true;
    }
    return QPushButton::event(event);
  }
};

}  // namespace

PictureId titlePicture() { return currentLanguage() == Language::English ? PictureId::titleEnglish : PictureId::title; }

TitleScreen::TitleScreen(const PictureLibrary& pictures, Scheduler& scheduler, TitleActions actions, QWidget* parent)
    : QWidget(parent), pictures_(pictures), actions_(std::move(actions)) {
  setObjectName("MenuForm");
  setupForm(this, QString(), QSize(602, 433));
  bindText(this, Message("TitleScreen", "%1 - タイトル").arg(Message::fixed(kAppTitle)), "windowTitle");
  setWindowIcon(pictures.programIcon());

  // The title picture takes the longest to paint: it is painted meanwhile on
  // another thread and put in place when the screen is first polished (shown).
  title_ = makePictureBox(this, QRect(0, 0, 600, 216));
  title_->setObjectName("Image1");
  pictures.paintAhead(titlePicture(), devicePixelRatioF());
  face1_ = makePictureBox(this, QRect(72, 232, 96, 96));
  face2_ = makePictureBox(this, QRect(432, 232, 96, 96));
  face1_->setObjectName("face1");
  face2_->setObjectName("face2");
  showPicture(face1_, pictures, PictureId::uface1a);
  showPicture(face2_, pictures, PictureId::uface2a);
  makeLabel(this, {"Label2", {72, 328, 96, 21}, "ELNA", {21, true, kClAqua, kTransparent, Qt::AlignCenter}});
  makeLabel(this, {"Label3", {432, 328, 96, 21}, "MIRABE", {21, true, kClFuchsia, kTransparent, Qt::AlignCenter}});
  makeLabel(this,
            {"Label1", {200, 400, 395, 27}, "© 2026 Glamora Team", {27, false, kClWhite, kTransparent, Qt::AlignLeft}});

  one_ = makeButton("one1", QRect(232, 232, 137, 33), Message("TitleScreen", "一人で特訓(&O)"),
                    Message("TitleScreen", "対戦プレーではありません"), PictureId::glyphOne);
  two_ = makeButton("two1", QRect(232, 280, 137, 33), Message("TitleScreen", "二人で対戦(&B)"),
                    Message("TitleScreen", "一人ではプレーできません"), PictureId::glyphTwo);
  end_ = makeButton("end1", QRect(256, 328, 89, 33), Message("TitleScreen", "終了(&X)"),
                    Message("TitleScreen", "ゲームを終了します"), PictureId::glyphEnd);
  connect(one_, &QPushButton::clicked, this, [this] {
    if (actions_.openTraining) actions_.openTraining();
  });
  connect(two_, &QPushButton::clicked, this, [this] {
    if (actions_.openBattle) actions_.openBattle();
  });
  connect(end_, &QPushButton::clicked, this, &QWidget::close);

  popup_ = new QMenu(this);
  popup_->setObjectName("PopupMenu1");

  task_ = OwnedTask(scheduler, {TaskOwner::Title, 500, [this] {
                                  startupTick();
                                  showFaces();
                                }});
}

QPushButton* TitleScreen::makeButton(const char* name, QRect geometry, Message text, Message hint, PictureId glyph) {
  auto* button = bound(new TitleButton(QString(), this), std::move(text));
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setFont(formFont(16, true));
  button->setIcon(pictureIcon([this, glyph](qreal ratio) { return pictures_.pixmap(glyph, ratio); }, QSize(24, 24)));
  button->setIconSize(QSize(24, 24));
  bindText(button, std::move(hint), "toolTip");
  // The game modes wait for the start-up step; 終了 never does.
  button->setEnabled(glyph == PictureId::glyphEnd);
  return button;
}

void TitleScreen::showStartupProblem(const QString& error, const QString& advice) {
  auto* box = new QMessageBox(QMessageBox::Critical, kAppTitle,
                              QString::fromStdString(printableText(error.toStdString())), QMessageBox::Ok, this);
  box->setObjectName("startupProblem");
  box->setInformativeText(advice);
  QPushButton* quit = box->addButton(translated(Message("TitleScreen", "終了(&X)")), QMessageBox::DestructiveRole);
  quit->setObjectName("startupQuit");
  box->setDefaultButton(QMessageBox::Ok);
  box->setEscapeButton(QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &QMessageBox::finished, this, [this, box, quit] {
    // Without a window manager nothing would give the title the keys again.
    if (box->clickedButton() == quit) close();
    else activateWindow();
  });
  openModal(box);
}

// Until it has succeeded once, every tick tries the start-up step again.
void TitleScreen::startupTick() {
  if (ready_ || !actions_.startup || !actions_.startup()) return;
  ready_ = true;
  for (QPushButton* button : {one_, two_}) button->setEnabled(true);
  bindText(this, Message("TitleScreen", "右クリックでヘルプメニュー"), "toolTip");
}

void TitleScreen::showFaces() {
  if (!ready_) return;
  showPicture(face1_, pictures_, PictureId::uface1);
  showPicture(face2_, pictures_, PictureId::uface2);
}

bool TitleScreen::event(QEvent* event) {
  if (event->type() == QEvent::Polish && title_->pixmap().isNull()) showPicture(title_, pictures_, titlePicture());
  // The picture's subtitle is in the screens' language.
  if (event->type() == QEvent::LanguageChange && !title_->pixmap().isNull())
    showPicture(title_, pictures_, titlePicture());
  return QWidget::event(event);
}

void TitleScreen::contextMenuEvent(QContextMenuEvent* event) { popup_->popup(event->globalPos()); }

}  // namespace glamora
