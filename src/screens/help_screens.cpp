#include "help_screens.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include "screens/about_box.h"
#include "screens/character_screen.h"
#include "screens/how_to_play_screen.h"
#include "screens/more_features_screen.h"
#include "screens/operation_table_screen.h"
#include "screens/technique_screen.h"
#include "screens/visual_help_screen.h"

namespace glamora {

namespace {

constexpr std::array<const char*, kHelpScreenCount> kCaptions = {
    QT_TRANSLATE_NOOP("Screens", "操作表(&W)"),           QT_TRANSLATE_NOOP("Screens", "遊び方(&P)"),
    QT_TRANSLATE_NOOP("Screens", "ビジュアルヘルプ(&V)"), QT_TRANSLATE_NOOP("Screens", "テクニック(&T)"),
    QT_TRANSLATE_NOOP("Screens", "キャラクター紹介(&C)"), QT_TRANSLATE_NOOP("Screens", "その他の機能(&O)"),
    QT_TRANSLATE_NOOP("Screens", "バージョン情報(&A)"),
};

// The menu items' component names, also used as their objectNames.
constexpr std::array<const char*, kHelpScreenCount> kItemNames = {
    "sousashow", "playshow", "vhelpshow", "tekushow", "chshow", "moreshow", "aboutshow",
};

int indexOf(HelpScreen which) { return static_cast<int>(which); }

ScreenDialog* build(HelpScreen which, const PictureLibrary& library, QWidget* parent) {
  switch (which) {
    case HelpScreen::OperationTable: return new OperationTableScreen(library, parent);
    case HelpScreen::HowToPlay: return new HowToPlayScreen(library, parent);
    case HelpScreen::VisualHelp: return new VisualHelpScreen(library, parent);
    case HelpScreen::Technique: return new TechniqueScreen(library, parent);
    case HelpScreen::Characters: return new CharacterScreen(library, parent);
    case HelpScreen::MoreFeatures: return new MoreFeaturesScreen(library, parent);
    case HelpScreen::About: break;
  }
  return new AboutBox(library, parent);
}

}  // namespace

HelpScreens::HelpScreens(const PictureLibrary& library, QWidget* parent) : library_(library), parent_(parent) {}

HelpScreens::~HelpScreens() {
  for (QPointer<ScreenDialog>& screen : screens_) delete screen.data();
}

void HelpScreens::open(HelpScreen which) { screen(which).openModal(); }

ScreenDialog& HelpScreens::screen(HelpScreen which) {
  QPointer<ScreenDialog>& slot = screens_[indexOf(which)];
  if (!slot) {
    slot = build(which, library_, parent_);
    if (which == HelpScreen::HowToPlay && howToPlayText_) static_cast<HowToPlayScreen&>(*slot).setText(*howToPlayText_);
    if (which == HelpScreen::OperationTable) static_cast<OperationTableScreen&>(*slot).showKeys(playerKeys_);
  }
  return *slot;
}

HowToPlayScreen& HelpScreens::howToPlay() { return static_cast<HowToPlayScreen&>(screen(HelpScreen::HowToPlay)); }

void HelpScreens::setHowToPlayText(const QString& text) {
  howToPlayText_ = text;
  if (isBuilt(HelpScreen::HowToPlay)) howToPlay().setText(text);
}

void HelpScreens::setPlayerKeys(const PlayerKeys& keys) {
  playerKeys_ = keys;
  if (isBuilt(HelpScreen::OperationTable))
    static_cast<OperationTableScreen&>(screen(HelpScreen::OperationTable)).showKeys(keys);
}

void addHelpItems(QMenu* menu, HelpScreens& screens) {
  for (int i = 0; i < kHelpScreenCount; ++i) {
    const auto which = static_cast<HelpScreen>(i);
    if (which == HelpScreen::About) menu->addSeparator()->setEnabled(false);
    QAction* item = bound(menu->addAction(QString()), Message("Screens", kCaptions[i]));
    item->setObjectName(kItemNames[i]);
    // The screens' lifetime is the connection's context: their end ends the connection.
    QObject::connect(item, &QAction::triggered, screens.lifetime(), [&screens, which] { screens.open(which); });
  }
}

}  // namespace glamora
