#include "game_menus.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMenu>
#include <algorithm>

#include "engine/stages.h"

namespace glamora {

namespace {

const char* const kStageCaptions[kOriginalStage] = {
    QT_TRANSLATE_NOOP("GameMenus", "ステージ１"),   QT_TRANSLATE_NOOP("GameMenus", "ステージ２"),
    QT_TRANSLATE_NOOP("GameMenus", "ステージ３"),   QT_TRANSLATE_NOOP("GameMenus", "ステージ４"),
    QT_TRANSLATE_NOOP("GameMenus", "ステージ５"),   QT_TRANSLATE_NOOP("GameMenus", "ステージ６"),
    QT_TRANSLATE_NOOP("GameMenus", "ステージ７"),   QT_TRANSLATE_NOOP("GameMenus", "ステージ８"),
    QT_TRANSLATE_NOOP("GameMenus", "ステージ９"),   QT_TRANSLATE_NOOP("GameMenus", "ステージ１０"),
    QT_TRANSLATE_NOOP("GameMenus", "ステージ１１"), QT_TRANSLATE_NOOP("GameMenus", "ステージ１２"),
    QT_TRANSLATE_NOOP("GameMenus", "ステージ１３"), QT_TRANSLATE_NOOP("GameMenus", "ステージ１４"),
    QT_TRANSLATE_NOOP("GameMenus", "ｵﾘｼﾞﾅﾙｽﾃｰｼﾞ"),
};

// Ctrl+F1..Ctrl+F10 for stages 1..10, Shift+F1..Shift+F5 for 11..15.
QKeySequence stageShortcut(int n) {
  if (n <= 10) return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + n - 1));
  return QKeySequence(Qt::SHIFT | static_cast<Qt::Key>(Qt::Key_F1 + n - 11));
}

QAction* checkable(QMenu* menu, Message caption, const char* name) {
  QAction* action = bound(menu->addAction(QString()), std::move(caption));
  action->setObjectName(name);
  action->setCheckable(true);
  return action;
}

}  // namespace

GameMenuActions buildGameMenus(QMenuBar* bar, const std::function<void(QMenu*)>& fillHelp) {
  GameMenuActions m;
  m.game = bound(bar->addMenu(QString()), Message("GameMenus", "ゲーム(&G)"), "title");
  m.game->setObjectName("game1");
  for (int n = 1; n <= kOriginalStage; ++n) {
    QAction* stage = checkable(m.game, Message("GameMenus", kStageCaptions[n - 1]), "");
    stage->setObjectName(QString("stage%1").arg(n));
    stage->setShortcut(stageShortcut(n));
    stage->setShortcutContext(Qt::WindowShortcut);
    m.stages[n - 1] = stage;
  }
  m.game->addSeparator();
  m.title = bound(m.game->addAction(QString()), Message("GameMenus", "タイトルへ移動(&R)"));
  m.title->setObjectName("title1");
  m.replays = bound(m.game->addAction(QString()), Message("GameMenus", "リプレイを見る(&P)..."));
  m.replays->setObjectName("replay1");
  m.game->addSeparator();
  m.end = bound(m.game->addAction(QString()), Message("GameMenus", "終了(&X)"));
  m.end->setObjectName("end1");

  m.options = bound(bar->addMenu(QString()), Message("GameMenus", "オプション(&O)"), "title");
  m.options->setObjectName("option1");
  QMenu* music = bound(m.options->addMenu(QString()), Message("GameMenus", "BGM"), "title");
  music->setObjectName("bgmsl");
  m.musicOn = checkable(music, Message("GameMenus", "ON"), "bon1");
  m.musicOff = checkable(music, Message("GameMenus", "OFF"), "boff1");
  QMenu* voices = bound(m.options->addMenu(QString()), Message("GameMenus", "効果音"), "title");
  voices->setObjectName("wavesl");
  m.voicesOn = checkable(voices, Message("GameMenus", "ON"), "won1");
  m.voicesOff = checkable(voices, Message("GameMenus", "OFF"), "woff1");
  m.volume = bound(m.options->addAction(QString()), Message("GameMenus", "音量(&V)..."));
  m.volume->setObjectName("volume1");
  m.options->addSeparator();
  m.editor = bound(m.options->addAction(QString()), Message("GameMenus", "ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定(&S)"));
  m.editor->setObjectName("st15sl");
  m.options->addSeparator();
  QMenu* size = bound(m.options->addMenu(QString()), Message("GameMenus", "表示の大きさ(&Z)"), "title");
  size->setObjectName("sizesl");
  auto* sizes = new QActionGroup(size);
  const char* const sizeCaptions[] = {
      QT_TRANSLATE_NOOP("GameMenus", "1倍(&1)"), QT_TRANSLATE_NOOP("GameMenus", "1.5倍(&5)"),
      QT_TRANSLATE_NOOP("GameMenus", "2倍(&2)"), QT_TRANSLATE_NOOP("GameMenus", "全画面(&F)")};
  const char* const sizeNames[] = {"size1", "size15", "size2", "sizefull"};
  for (std::size_t k = 0; k < m.displaySizes.size(); ++k) {
    m.displaySizes[k] = checkable(size, Message("GameMenus", sizeCaptions[k]), sizeNames[k]);
    sizes->addAction(m.displaySizes[k]);
  }
  // Qt takes the scale of the windows only when the program starts.
  size->addSeparator();
  QAction* note = bound(size->addAction(QString()), Message("GameMenus", "次回の起動から変わります"));
  note->setObjectName("sizenote");
  note->setEnabled(false);
  m.records = bound(m.options->addAction(QString()), Message("GameMenus", "戦績(&T)..."));
  m.records->setObjectName("records1");
  m.eraseRecords = bound(m.options->addAction(QString()), Message("GameMenus", "記録を消去..."));
  m.eraseRecords->setObjectName("erase1");
  m.options->addSeparator();
  m.languages = addLanguageMenu(m.options);

  m.help = bound(bar->addMenu(QString()), Message("GameMenus", "ヘルプ(&H)"), "title");
  m.help->setObjectName("help1");
  if (fillHelp) fillHelp(m.help);
  showSwitchChecks(m, false, false);
  return m;
}

PlayerMenu addPlayerMenu(const GameMenuActions& menus, Message caption, const QString& objectName,
                         const std::function<void(std::optional<ComputerLevel>)>& chosen) {
  PlayerMenu m;
  // The separator in front of the editor item closes the switches' group.
  const QList<QAction*> actions = menus.options->actions();
  const qsizetype editorAt = actions.indexOf(menus.editor);
  QAction* before = editorAt > 0 && actions[editorAt - 1]->isSeparator() ? actions[editorAt - 1] : menus.editor;
  m.menu = bound(new QMenu(menus.options), std::move(caption), "title");
  m.menu->setObjectName(objectName);
  menus.options->insertMenu(before, m.menu);
  const char* const captions[] = {QT_TRANSLATE_NOOP("GameMenus", "人間(&H)"),
                                  QT_TRANSLATE_NOOP("GameMenus", "コンピュータ：やさしい(&E)"),
                                  QT_TRANSLATE_NOOP("GameMenus", "コンピュータ：ふつう(&N)"),
                                  QT_TRANSLATE_NOOP("GameMenus", "コンピュータ：むずかしい(&D)")};
  const char* const names[] = {"Human", "Easy", "Normal", "Hard"};
  auto* group = new QActionGroup(m.menu);
  for (int k = 0; k < 4; ++k) {
    QAction* item = checkable(m.menu, Message("GameMenus", captions[k]), "");
    item->setObjectName(objectName + names[k]);
    group->addAction(item);
    m.items[k] = item;
    const std::optional<ComputerLevel> level =
        k == 0 ? std::nullopt : std::optional<ComputerLevel>(static_cast<ComputerLevel>(k - 1));
    QObject::connect(item, &QAction::triggered, m.menu, [chosen, level] { chosen(level); });
  }
  m.items[0]->setChecked(true);
  return m;
}

void showPlayerChecks(const PlayerMenu& menu, std::optional<ComputerLevel> level) {
  menu.items[level ? static_cast<int>(*level) + 1 : 0]->setChecked(true);
}

Message levelCaption(ComputerLevel level) {
  switch (level) {
    case ComputerLevel::Easy: return Message("GameMenus", "やさしい");
    case ComputerLevel::Normal: return Message("GameMenus", "ふつう");
    case ComputerLevel::Hard: return Message("GameMenus", "むずかしい");
    case ComputerLevel::Random: break;
  }
  return Message("GameMenus", "でたらめ");
}

QString computerPlateText(ComputerLevel level) {
  return translated(Message("GameMenus", "CPU %1").arg(levelCaption(level)));
}

void showPlate(QLabel* plate, const QString& personCaption, std::optional<ComputerLevel> level) {
  fitPlateText(plate, plate->font(), level ? computerPlateText(*level) : personCaption);
  if (level) return bindText(plate, Message("GameMenus", "コンピュータ：%1").arg(levelCaption(*level)), "toolTip");
  unbindText(plate, "toolTip");
  plate->setToolTip(QString());
}

void fitPlateText(QLabel* plate, const QFont& base, const QString& text) {
  constexpr int kSmallest = 12;
  const int room = plate->width() - 4;
  const auto widest = [](const QFont& font, const QStringList& lines) {
    int width = 0;
    for (const QString& line : lines) width = std::max(width, QFontMetrics(font).horizontalAdvance(line));
    return width;
  };
  // The lines, and the largest size at which the widest fits, if any.
  const auto fit = [&](const QStringList& lines, int largest) -> std::optional<QFont> {
    QFont font = base;
    for (int px = largest; px >= kSmallest; --px) {
      font.setPixelSize(px);
      if (widest(font, lines) <= room) return font;
    }
    return std::nullopt;
  };
  if (const std::optional<QFont> font = fit({text}, base.pixelSize())) {
    plate->setFont(*font);
    plate->setText(text);
    return;
  }
  const qsizetype space = text.indexOf(' ');
  const QStringList lines{text.left(space), text.mid(space + 1)};
  // Two lines share the plate's height.
  const int twoLinePixels = std::min(base.pixelSize(), std::max(kSmallest, plate->height() / 2 + 1));
  if (space > 0) {
    if (const std::optional<QFont> font = fit(lines, twoLinePixels)) {
      plate->setFont(*font);
      plate->setText(lines.join('\n'));
      return;
    }
  }
  QFont smallest = base;
  smallest.setPixelSize(kSmallest);
  plate->setFont(smallest);
  plate->setText(QFontMetrics(smallest).elidedText(text, Qt::ElideRight, room));
}

void showStageChecks(const GameMenuActions& menus, int checkedStage) {
  for (int n = 1; n <= kOriginalStage; ++n) menus.stages[n - 1]->setChecked(n == checkedStage);
}

void showDisplaySizeCheck(const GameMenuActions& menus, int chosen) {
  for (std::size_t k = 0; k < menus.displaySizes.size(); ++k) {
    menus.displaySizes[k]->setChecked(static_cast<int>(k) == chosen);
  }
}

void showSwitchChecks(const GameMenuActions& menus, bool bgmOff, bool seOff) {
  menus.musicOn->setChecked(!bgmOff);
  menus.musicOff->setChecked(bgmOff);
  menus.voicesOn->setChecked(!seOff);
  menus.voicesOff->setChecked(seOff);
}

std::array<QAction*, 2> addLanguageMenu(QMenu* into) {
  // Named in both languages, so that a player who reads neither one finds it.
  QMenu* menu = bound(into->addMenu(QString()), Message("GameMenus", "言語 / Language(&L)"), "title");
  menu->setObjectName("language1");
  std::array<QAction*, 2> items{};
  auto* group = new QActionGroup(menu);
  const char* const names[] = {"languageJa", "languageEn"};
  // Each language's name in its own words, never translated.
  const char* const captions[] = {"日本語(&J)", "English(&E)"};
  for (std::size_t k = 0; k < items.size(); ++k) {
    items[k] = menu->addAction(QString::fromUtf8(captions[k]));
    items[k]->setObjectName(names[k]);
    items[k]->setCheckable(true);
    group->addAction(items[k]);
  }
  return items;
}

NetMenu addNetMenu(const GameMenuActions& menus) {
  NetMenu net;
  net.menu = bound(new QMenu(menus.game), Message("GameMenus", "ネット対戦(&N)"), "title");
  net.menu->setObjectName("net1");
  const auto item = [&net](Message caption, const char* name) {
    QAction* action = bound(net.menu->addAction(QString()), std::move(caption));
    action->setObjectName(name);
    return action;
  };
  net.host = item(Message("GameMenus", "対戦相手を待つ(&H)..."), "netHost");
  net.join = item(Message("GameMenus", "対戦相手に接続(&J)..."), "netJoin");
  net.makeRoom = item(Message("GameMenus", "部屋を作る(&R)..."), "netMakeRoom");
  net.joinRoom = item(Message("GameMenus", "コードで参加(&C)..."), "netJoinRoom");
  net.lobby = item(Message("GameMenus", "ロビーの設定(&L)..."), "netLobby");
  net.quit = item(Message("GameMenus", "切断(&Q)"), "netQuit");
  net.busyNote = bound(net.menu->addAction(QString()), Message("GameMenus", "（ラウンドの間は選べません）"));
  net.busyNote->setEnabled(false);
  menus.game->insertMenu(menus.title, net.menu);
  menus.game->insertSeparator(menus.title);
  return net;
}

}  // namespace glamora
