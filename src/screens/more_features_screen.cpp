#include "more_features_screen.h"

#include <QEvent>
#include <QResizeEvent>
#include <QTextBrowser>

namespace glamora {

namespace {

constexpr QSize kClientSize(676, 451);
constexpr QSize kBoxMargin(3, 2);

struct Section {
  const char* heading;
  const char* body;
};

// Each heading and body is one text to translate.
constexpr Section kSections[] = {
    {QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen", "コンピュータと遊ぶ"),
     QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen",
                       "二人で対戦では オプション(O) → プレイヤー1(1) / プレイヤー2(2) で、その側をコンピュータに"
                       "まかせられます。強さは やさしい・ふつう・むずかしい の三つです。両方をコンピュータにすれば、"
                       "見ているだけの対戦になります。一人で特訓では オプション(O) → プレイヤー(P) です。"
                       "コンピュータが遊ぶ側の名札には「CPU」と強さが出ます。")},
    {QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen", "ネット対戦"),
     QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen",
                       "二人で対戦の ゲーム(G) → ネット対戦(N) から、別の機械の相手と遊べます。"
                       "同じネットワーク（家や学校の LAN）なら、一人が「対戦相手を待つ(H)」、もう一人が"
                       "「対戦相手に接続(J)」を選び、見つかった相手を選ぶか、相手のアドレス（例 192.168.1.5）と"
                       "ポートを入れます。合言葉を決めておけば、知っている相手だけが入れます。"
                       "離れた相手とは、一人が「部屋を作る(R)」で部屋のコードを受け取って伝え、もう一人が"
                       "「コードで参加(C)」でそのコードを入れます。部屋にはロビーが要ります"
                       "（ネット対戦(N) → ロビーの設定(L)）。"
                       "ステージは待った側・部屋を作った側（ホスト）が選びます。名札の「あなた」がこの機械の側です。"
                       "ネット対戦(N) → 切断(Q) でいつでも終えられます。")},
    {QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen", "リプレイ"),
     QT_TRANSLATE_NOOP(
         "glamora::MoreFeaturesScreen",
         "遊んだラウンドは、ネット対戦のものも含めて自動で残ります。ゲーム(G) → リプレイを見る(P) で"
         "一覧から選ぶと、そのラウンドをもう一度見られます。リプレイの操作は、その画面の下に出ています。")},
    {QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen", "操作設定"),
     QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen",
                       "オプション(O) → 操作設定(K) で、二人のプレイヤーの 左・決定・右 のキーを変えられます。"
                       "ゲームパッドをつなぐと、どのパッドがどのプレイヤーかもここで決められます。"
                       "変えたキーは 操作表 にも出ます。")},
    {QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen", "表示の大きさ"),
     QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen",
                       "オプション(O) → 表示の大きさ(Z) で、画面を 1倍・1.5倍・2倍 か全画面で表示できます。"
                       "画面に入りきる大きさだけが選べ、次に起動したときから変わります。")},
    {QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen", "音量"),
     QT_TRANSLATE_NOOP(
         "glamora::MoreFeaturesScreen",
         "オプション(O) → 音量(V) で、BGM と効果音の大きさを 0 ～ 100 % で決められます。"
         "つまみを動かすと、すぐに聞こえ方が変わります。BGM と効果音の ON/OFF はそれぞれのメニューのままです。")},
    {QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen", "戦績と記録"),
     QT_TRANSLATE_NOOP("glamora::MoreFeaturesScreen",
                       "オプション(O) → 戦績 で、これまでの勝ち負けを見られます。"
                       "コンピュータの強さ、BGM と効果音、特訓で選べるステージ、ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定、表示の大きさ、"
                       "キー、音量は自動で残り、次に起動したときもそのままです。"
                       "オプション(O) → 記録を消去 で、最初の状態に戻せます。")},
};

}  // namespace

MoreFeaturesScreen::MoreFeaturesScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "MoreForm", Message("Screens", "%1 - その他の機能").arg(Message::fixed(kAppTitle)),
                   kClientSize),
      box_(new QTextBrowser(this)) {
  useHelpFrame(library);
  box_->setObjectName("Memo1");
  box_->setGeometry(QRect(QPoint(0, 0), kClientSize - kBoxMargin));
  box_->setFont(formFont(16, true));
  box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box_->setOpenLinks(false);
  QPalette palette = box_->palette();
  palette.setColor(QPalette::Base, windowsColour(kClBlack));
  palette.setColor(QPalette::Text, windowsColour(kClWhite));
  box_->setPalette(palette);
  // The only control, as on the how-to-play screen: the close box (or Escape) closes it.
  box_->setFocus();
  retranslate();
}

void MoreFeaturesScreen::retranslate() {
  // Headings in the yellow the other help screens set their captions in.
  const QString yellow = windowsColour(kClYellow).name();
  QString html;
  for (const Section& section : kSections) {
    html += QStringLiteral("<h3 style=\"color:%1\">%2</h3><p>%3</p>")
                .arg(yellow, tr(section.heading).toHtmlEscaped(), tr(section.body).toHtmlEscaped());
  }
  box_->setHtml(html);
}

QStringList MoreFeaturesScreen::headings() const {
  QStringList list;
  for (const Section& section : kSections) list << tr(section.heading);
  return list;
}

QString MoreFeaturesScreen::text() const { return box_->toPlainText(); }

void MoreFeaturesScreen::resizeEvent(QResizeEvent* event) {
  ScreenDialog::resizeEvent(event);
  box_->setGeometry(QRect(QPoint(0, 0), event->size() - kBoxMargin));
}

void MoreFeaturesScreen::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) retranslate();
  ScreenDialog::changeEvent(event);
}

}  // namespace glamora
