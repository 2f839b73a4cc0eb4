#include "game_menus.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include "engine/stages.h"

namespace glamora {

namespace {

const char* const kStageCaptions[kOriginalStage] = {
    "ステージ１",   "ステージ２",   "ステージ３",   "ステージ４",   "ステージ５",
    "ステージ６",   "ステージ７",   "ステージ８",   "ステージ９",   "ステージ１０",
    "ステージ１１", "ステージ１２", "ステージ１３", "ステージ１４", "ｵﾘｼﾞﾅﾙｽﾃｰｼﾞ",
};

// Ctrl+F1..Ctrl+F10 for stages 1..10, Shift+F1..Shift+F5 for 11..15.
QKeySequence stageShortcut(int n) {
  if (n <= 10) return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + n - 1));
  return QKeySequence(Qt::SHIFT | static_cast<Qt::Key>(Qt::Key_F1 + n - 11));
}

QAction* checkable(QMenu* menu, const QString& caption, const char* name) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setCheckable(true);
  return action;
}

}  // namespace

GameMenuActions buildGameMenus(QMenuBar* bar, const std::function<void(QMenu*)>& fillHelp) {
  GameMenuActions m;
  m.game = bar->addMenu("ゲーム(&G)");
  m.game->setObjectName("game1");
  for (int n = 1; n <= kOriginalStage; ++n) {
    QAction* stage = checkable(m.game, kStageCaptions[n - 1], "");
    stage->setObjectName(QString("stage%1").arg(n));
    stage->setShortcut(stageShortcut(n));
    stage->setShortcutContext(Qt::WindowShortcut);
    m.stages[n - 1] = stage;
  }
  m.game->addSeparator();
  m.title = m.game->addAction("タイトルへ移動(&R)");
  m.title->setObjectName("title1");
  m.replays = m.game->addAction("リプレイを見る(&P)...");
  m.replays->setObjectName("replay1");
  m.game->addSeparator();
  m.end = m.game->addAction("終了(&X)");
  m.end->setObjectName("end1");

  m.options = bar->addMenu("オプション(&O)");
  m.options->setObjectName("option1");
  QMenu* music = m.options->addMenu("BGM");
  music->setObjectName("bgmsl");
  m.musicOn = checkable(music, "ON", "bon1");
  m.musicOff = checkable(music, "OFF", "boff1");
  QMenu* voices = m.options->addMenu("効果音");
  voices->setObjectName("wavesl");
  m.voicesOn = checkable(voices, "ON", "won1");
  m.voicesOff = checkable(voices, "OFF", "woff1");
  m.options->addSeparator();
  m.editor = m.options->addAction("ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定(&S)");
  m.editor->setObjectName("st15sl");
  m.options->addSeparator();
  QMenu* size = m.options->addMenu("表示の大きさ(&Z)");
  size->setObjectName("sizesl");
  auto* sizes = new QActionGroup(size);
  const char* const sizeCaptions[] = {"1倍(&1)", "1.5倍(&5)", "2倍(&2)", "全画面(&F)"};
  const char* const sizeNames[] = {"size1", "size15", "size2", "sizefull"};
  for (std::size_t k = 0; k < m.displaySizes.size(); ++k) {
    m.displaySizes[k] = checkable(size, sizeCaptions[k], sizeNames[k]);
    sizes->addAction(m.displaySizes[k]);
  }
  // Qt takes the scale of the windows only when the program starts.
  size->addSeparator();
  QAction* note = size->addAction("次回の起動から変わります");
  note->setObjectName("sizenote");
  note->setEnabled(false);
  m.records = m.options->addAction(QCoreApplication::translate("GameMenus", "戦績(&T)..."));
  m.records->setObjectName("records1");
  m.eraseRecords = m.options->addAction("記録を消去...");
  m.eraseRecords->setObjectName("erase1");

  m.help = bar->addMenu("ヘルプ(&H)");
  m.help->setObjectName("help1");
  if (fillHelp) fillHelp(m.help);
  showSwitchChecks(m, false, false);
  return m;
}

PlayerMenu addPlayerMenu(const GameMenuActions& menus, const QString& caption, const QString& objectName,
                         const std::function<void(std::optional<ComputerLevel>)>& chosen) {
  PlayerMenu m;
  // The separator in front of the editor item closes the switches' group.
  const QList<QAction*> actions = menus.options->actions();
  const qsizetype editorAt = actions.indexOf(menus.editor);
  QAction* before = editorAt > 0 && actions[editorAt - 1]->isSeparator() ? actions[editorAt - 1] : menus.editor;
  m.menu = new QMenu(caption, menus.options);
  m.menu->setObjectName(objectName);
  menus.options->insertMenu(before, m.menu);
  const char* const captions[] = {"人間(&H)", "コンピュータ：やさしい(&E)", "コンピュータ：ふつう(&N)",
                                  "コンピュータ：むずかしい(&D)"};
  const char* const names[] = {"Human", "Easy", "Normal", "Hard"};
  auto* group = new QActionGroup(m.menu);
  for (int k = 0; k < 4; ++k) {
    QAction* item = checkable(m.menu, captions[k], "");
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

QString levelCaption(ComputerLevel level) {
  switch (level) {
    case ComputerLevel::Easy: return "やさしい";
    case ComputerLevel::Normal: return "ふつう";
    case ComputerLevel::Hard: return "むずかしい";
    case ComputerLevel::Random: break;
  }
  return "でたらめ";
}

void showPlate(QLabel* plate, const QString& personCaption, std::optional<ComputerLevel> level) {
  plate->setText(level ? QString("CPU") : personCaption);
  plate->setToolTip(level ? "コンピュータ：" + levelCaption(*level) : QString());
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

NetMenu addNetMenu(const GameMenuActions& menus) {
  NetMenu net;
  net.menu = new QMenu("ネット対戦(&N)", menus.game);
  net.menu->setObjectName("net1");
  const auto item = [&net](const char* caption, const char* name) {
    QAction* action = net.menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  net.host = item("対戦相手を待つ(&H)...", "netHost");
  net.join = item("対戦相手に接続(&J)...", "netJoin");
  net.makeRoom = item("部屋を作る(&R)...", "netMakeRoom");
  net.joinRoom = item("コードで参加(&C)...", "netJoinRoom");
  net.lobby = item("ロビーの設定(&L)...", "netLobby");
  net.quit = item("切断(&Q)", "netQuit");
  net.busyNote = net.menu->addAction("（ラウンドの間は選べません）");
  net.busyNote->setEnabled(false);
  menus.game->insertMenu(menus.title, net.menu);
  menus.game->insertSeparator(menus.title);
  return net;
}

}  // namespace glamora
