<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BoardCover</name>
    <message>
        <source>一時停止中</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>P キーかクリックで再開</source>
        <translation>Press P or click to resume</translation>
    </message>
</context>
<context>
    <name>Characters</name>
    <message>
        <source>氏名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>誕生日</source>
        <translation>Birthday</translation>
    </message>
    <message>
        <source>年齢</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>血液型</source>
        <translation>Blood type</translation>
    </message>
    <message>
        <source>職業</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>特技</source>
        <translation>Skill</translation>
    </message>
    <message>
        <source>趣味</source>
        <translation>Hobby</translation>
    </message>
    <message>
        <source>好きな食べ物</source>
        <translation>Fav. food</translation>
    </message>
    <message>
        <source>嫌いな食べ物</source>
        <translation>Hated food</translation>
    </message>
    <message>
        <source>みずしろ えるな</source>
        <translation>MIZUSHIRO ELNA</translation>
    </message>
    <message>
        <source>元気な</source>
        <translation>Lively,</translation>
    </message>
    <message>
        <source>笑顔の</source>
        <translation>smiling,</translation>
    </message>
    <message>
        <source>水色と</source>
        <translation>aqua and</translation>
    </message>
    <message>
        <source>紺の娘</source>
        <translation>navy girl</translation>
    </message>
    <message>
        <source>水城エルナ</source>
        <translation>Elna</translation>
    </message>
    <message>
        <source>7月7日</source>
        <translation>Jul 7</translation>
    </message>
    <message>
        <source>16才</source>
        <translation>16</translation>
    </message>
    <message>
        <source>O型</source>
        <translation>O</translation>
    </message>
    <message>
        <source>高校生</source>
        <translation>Student</translation>
    </message>
    <message>
        <source>早起き</source>
        <translation>Early rising</translation>
    </message>
    <message>
        <source>お買い物</source>
        <translation>Shopping</translation>
    </message>
    <message>
        <source>ソーダ水</source>
        <translation>Soda</translation>
    </message>
    <message>
        <source>ピーマン</source>
        <translation>Green pepper</translation>
    </message>
    <message>
        <source>しどう みらべ</source>
        <translation>SHIDO MIRABE</translation>
    </message>
    <message>
        <source>優雅な</source>
        <translation>Chic,</translation>
    </message>
    <message>
        <source>大人の</source>
        <translation>adult</translation>
    </message>
    <message>
        <source>紫の</source>
        <translation>violet</translation>
    </message>
    <message>
        <source>淑女</source>
        <translation>lady</translation>
    </message>
    <message>
        <source>紫堂ミラベ</source>
        <translation>Mirabe</translation>
    </message>
    <message>
        <source>2月14日</source>
        <translation>Feb 14</translation>
    </message>
    <message>
        <source>21才</source>
        <translation>21</translation>
    </message>
    <message>
        <source>AB型</source>
        <translation>AB</translation>
    </message>
    <message>
        <source>モデル</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ダンス</source>
        <translation>Dancing</translation>
    </message>
    <message>
        <source>読書</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>マカロン</source>
        <translation>Macarons</translation>
    </message>
    <message>
        <source>納豆</source>
        <translation>Natto</translation>
    </message>
</context>
<context>
    <name>ControlsWindow</name>
    <message>
        <source>なし（キーボード）</source>
        <translation>None (keyboard)</translation>
    </message>
    <message>
        <source>キーを押してください</source>
        <translation>Press a key</translation>
    </message>
    <message>
        <source>%1 - 操作設定</source>
        <translation>%1 - Key Settings</translation>
    </message>
    <message>
        <source>ゲームパッド</source>
        <translation>Gamepad</translation>
    </message>
    <message>
        <source>入れ替え(&amp;W)</source>
        <translation>S&amp;wap</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>初期設定に戻す(&amp;D)</source>
        <translation>Reset to &amp;defaults</translation>
    </message>
    <message>
        <source>A/S/D と 4/5/6 に戻しました</source>
        <translation>Reset to A/S/D and 4/5/6</translation>
    </message>
    <message>
        <source>一人で特訓とネット対戦では、どのパッドでも遊べます</source>
        <translation>Train alone and net battles accept any pad</translation>
    </message>
    <message>
        <source>ゲームパッドは使えません</source>
        <translation>Gamepads are not available</translation>
    </message>
    <message>
        <source>PLAYER%1 の「%2」にする%3（Esc でやめます）</source>
        <translation>%3 for PLAYER%1&apos;s &quot;%2&quot; (Esc cancels)</translation>
    </message>
    <message>
        <source>Ctrl や Alt を押さずにキーを押してください</source>
        <translation>Press a key without Ctrl or Alt</translation>
    </message>
    <message>
        <source>%1。ほかのキーを押してください</source>
        <translation>%1. Press another key</translation>
    </message>
    <message>
        <source>PLAYER%1 の「%2」は %3 です</source>
        <translation>PLAYER%1&apos;s &quot;%2&quot; is now %3</translation>
    </message>
</context>
<context>
    <name>EditorScreen</name>
    <message>
        <source>１から９までの数字を入力して下さい</source>
        <translation>Enter a number from 1 to 9</translation>
    </message>
    <message>
        <source>８</source>
        <translation>8</translation>
    </message>
    <message>
        <source>７</source>
        <translation>7</translation>
    </message>
    <message>
        <source>６</source>
        <translation>6</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>４</source>
        <translation>4</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>数</source>
        <translation>#</translation>
    </message>
    <message>
        <source>=順番</source>
        <translation>= order</translation>
    </message>
    <message>
        <source>（最初は１から８、次は８から１、</source>
        <translation>(First 1 to 8, then 8 to 1,</translation>
    </message>
    <message>
        <source>その後、交互になります）</source>
        <translation>then alternating)</translation>
    </message>
    <message>
        <source>=位置</source>
        <translation>= position</translation>
    </message>
    <message>
        <source>ＮＯＲＭの設定をします（一人で特訓モードのみ有効です）</source>
        <translation>Sets the NORM (only in Train alone mode)</translation>
    </message>
    <message>
        <source>１から９９９９９までの数字を入力して下さい</source>
        <translation>Enter a number from 1 to 99999</translation>
    </message>
    <message>
        <source>下向きの鏡が落ちてくるタイムを設定します(一人で特訓モードのみ有効です）</source>
        <translation>Sets the time until down mirrors fall (only in Train alone mode)</translation>
    </message>
    <message>
        <source>１から９９までの数字を入力して下さい</source>
        <translation>Enter a number from 1 to 99</translation>
    </message>
    <message>
        <source>%1 - オリジナルステージの設定</source>
        <translation>%1 - Original Stage Settings</translation>
    </message>
</context>
<context>
    <name>GameMenus</name>
    <message>
        <source>操作設定(&amp;K)...</source>
        <translation>&amp;Key settings...</translation>
    </message>
    <message>
        <source>プレイヤー1(&amp;1)</source>
        <translation>Player &amp;1</translation>
    </message>
    <message>
        <source>プレイヤー2(&amp;2)</source>
        <translation>Player &amp;2</translation>
    </message>
    <message>
        <source>（ステージはホストが選びます）</source>
        <translation>(The host chooses the stage)</translation>
    </message>
    <message>
        <source>ステージ１</source>
        <translation>Stage 1</translation>
    </message>
    <message>
        <source>ステージ２</source>
        <translation>Stage 2</translation>
    </message>
    <message>
        <source>ステージ３</source>
        <translation>Stage 3</translation>
    </message>
    <message>
        <source>ステージ４</source>
        <translation>Stage 4</translation>
    </message>
    <message>
        <source>ステージ５</source>
        <translation>Stage 5</translation>
    </message>
    <message>
        <source>ステージ６</source>
        <translation>Stage 6</translation>
    </message>
    <message>
        <source>ステージ７</source>
        <translation>Stage 7</translation>
    </message>
    <message>
        <source>ステージ８</source>
        <translation>Stage 8</translation>
    </message>
    <message>
        <source>ステージ９</source>
        <translation>Stage 9</translation>
    </message>
    <message>
        <source>ステージ１０</source>
        <translation>Stage 10</translation>
    </message>
    <message>
        <source>ステージ１１</source>
        <translation>Stage 11</translation>
    </message>
    <message>
        <source>ステージ１２</source>
        <translation>Stage 12</translation>
    </message>
    <message>
        <source>ステージ１３</source>
        <translation>Stage 13</translation>
    </message>
    <message>
        <source>ステージ１４</source>
        <translation>Stage 14</translation>
    </message>
    <message>
        <source>ｵﾘｼﾞﾅﾙｽﾃｰｼﾞ</source>
        <translation>Original stage</translation>
    </message>
    <message>
        <source>ゲーム(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>タイトルへ移動(&amp;R)</source>
        <translation>&amp;Return to title</translation>
    </message>
    <message>
        <source>リプレイを見る(&amp;P)...</source>
        <translation>Watch re&amp;plays...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>BGM</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Sound effects</translation>
    </message>
    <message>
        <source>音量(&amp;V)...</source>
        <translation>&amp;Volume...</translation>
    </message>
    <message>
        <source>ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定(&amp;S)</source>
        <translation>Original &amp;stage settings</translation>
    </message>
    <message>
        <source>表示の大きさ(&amp;Z)</source>
        <translation>Display si&amp;ze</translation>
    </message>
    <message>
        <source>1倍(&amp;1)</source>
        <translation>&amp;1x</translation>
    </message>
    <message>
        <source>1.5倍(&amp;5)</source>
        <translation>1.&amp;5x</translation>
    </message>
    <message>
        <source>2倍(&amp;2)</source>
        <translation>&amp;2x</translation>
    </message>
    <message>
        <source>全画面(&amp;F)</source>
        <translation>&amp;Full screen</translation>
    </message>
    <message>
        <source>次回の起動から変わります</source>
        <translation>Takes effect on next start</translation>
    </message>
    <message>
        <source>戦績(&amp;T)...</source>
        <translation>Resul&amp;ts...</translation>
    </message>
    <message>
        <source>記録を消去...</source>
        <translation>Clear records...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>人間(&amp;H)</source>
        <translation>&amp;Human</translation>
    </message>
    <message>
        <source>コンピュータ：やさしい(&amp;E)</source>
        <translation>Computer: &amp;Easy</translation>
    </message>
    <message>
        <source>コンピュータ：ふつう(&amp;N)</source>
        <translation>Computer: &amp;Normal</translation>
    </message>
    <message>
        <source>コンピュータ：むずかしい(&amp;D)</source>
        <translation>Computer: Har&amp;d</translation>
    </message>
    <message>
        <source>やさしい</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>むずかしい</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>でたらめ</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>CPU %1</source>
        <translation>CPU %1</translation>
    </message>
    <message>
        <source>コンピュータ：%1</source>
        <translation>Computer: %1</translation>
    </message>
    <message>
        <source>言語 / Language(&amp;L)</source>
        <translation>言語 / Language(&amp;L)</translation>
    </message>
    <message>
        <source>ネット対戦(&amp;N)</source>
        <translation>&amp;Net battle</translation>
    </message>
    <message>
        <source>対戦相手を待つ(&amp;H)...</source>
        <translation>Wait for an Opponent(&amp;H)...</translation>
    </message>
    <message>
        <source>対戦相手に接続(&amp;J)...</source>
        <translation>Connect to Opponent(&amp;J)...</translation>
    </message>
    <message>
        <source>部屋を作る(&amp;R)...</source>
        <translation>Make a &amp;Room...</translation>
    </message>
    <message>
        <source>コードで参加(&amp;C)...</source>
        <translation>Join by &amp;Code...</translation>
    </message>
    <message>
        <source>ロビーの設定(&amp;L)...</source>
        <translation>&amp;Lobby Settings...</translation>
    </message>
    <message>
        <source>切断(&amp;Q)</source>
        <translation>Disconnect(&amp;Q)</translation>
    </message>
    <message>
        <source>（ラウンドの間は選べません）</source>
        <translation>(Not during a round)</translation>
    </message>
    <message>
        <source>プレイヤーの選択</source>
        <translation>Choose player</translation>
    </message>
    <message>
        <source>プレイヤー(&amp;P)</source>
        <translation>&amp;Player</translation>
    </message>
</context>
<context>
    <name>GameScreen</name>
    <message>
        <source>%1 - 二人で対戦</source>
        <translation>%1 - Two-player battle</translation>
    </message>
    <message>
        <source>ゲーム(G) →</source>
        <translation>Game (G) →</translation>
    </message>
    <message>
        <source>%1に進めます</source>
        <translation>You can go on to %1</translation>
    </message>
    <message>
        <source>ステージを選んでください</source>
        <translation>Choose a stage</translation>
    </message>
    <message>
        <source>（%1 で%2）</source>
        <translation>(%1 for %2)</translation>
    </message>
    <message>
        <source>%1：←&#x3000;%2：決定&#x3000;%3：→</source>
        <translation>%1: ←  %2: Select  %3: →</translation>
    </message>
    <message>
        <source>P：一時停止</source>
        <translation>P: Pause</translation>
    </message>
    <message>
        <source>%1 - 一人で特訓</source>
        <translation>%1 - Train alone</translation>
    </message>
</context>
<context>
    <name>GlamoraApp</name>
    <message>
        <source>記録を消去しますか？

コンピュータの強さ、BGM と効果音、特訓のキャラクターと選べるステージ、ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定、表示の大きさが最初の状態に戻ります。</source>
        <translation>Clear the records?

The computer&apos;s strength, BGM and sound effects, the training character and the stages you can choose, the original stage settings and the display size go back to how they were at first.</translation>
    </message>
    <message>
        <source>消去する(&amp;Y)</source>
        <translation>&amp;Yes, clear</translation>
    </message>
    <message>
        <source>やめる(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>HostWindow</name>
    <message>
        <source>%1 - 対戦相手を待つ</source>
        <translation>%1 - Wait for an Opponent</translation>
    </message>
    <message>
        <source>相手に、この機械のアドレスかこの名前で「対戦相手に接続」してもらいます。
同じネットワークなら、相手の一覧にこの機械が出ます。</source>
        <translation>Ask your opponent to use &quot;Connect to Opponent&quot; with this machine&apos;s address or name.
On the same network, this machine appears in their list.</translation>
    </message>
    <message>
        <source>この機械の名前:</source>
        <translation>This machine&apos;s name:</translation>
    </message>
    <message>
        <source>（ネットワークにつながっていません）</source>
        <translation>(Not connected to a network)</translation>
    </message>
    <message>
        <source>アドレス:</source>
        <translation>Addresses:</translation>
    </message>
    <message>
        <source>ポートを変える(&amp;P)</source>
        <translation>Change &amp;Port</translation>
    </message>
    <message>
        <source>ポート (UDP):</source>
        <translation>Port (UDP):</translation>
    </message>
    <message>
        <source>なし（だれでも接続できます）</source>
        <translation>None (anyone can connect)</translation>
    </message>
    <message>
        <source>ファイアウォールがあるときは、このポートの UDP を通してください。</source>
        <translation>If you have a firewall, let UDP through on this port.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ポート %1 で相手を待っています…（合言葉を知っている相手だけ）</source>
        <translation>Waiting for an opponent on port %1… (only one who knows the pass phrase)</translation>
    </message>
    <message>
        <source>ポート %1 で相手を待っています…</source>
        <translation>Waiting for an opponent on port %1…</translation>
    </message>
</context>
<context>
    <name>JoinWindow</name>
    <message>
        <source>%1 - 対戦相手に接続</source>
        <translation>%1 - Connect to Opponent</translation>
    </message>
    <message>
        <source>相手のアドレス（名前か 192.168.1.5 の形、ポートは「:47291」のように続けます）:</source>
        <translation>Opponent&apos;s address (a name or 192.168.1.5; add a port like &quot;:47291&quot;):</translation>
    </message>
    <message>
        <source>192.168.1.5 か 192.168.1.5:%1</source>
        <translation>192.168.1.5 or 192.168.1.5:%1</translation>
    </message>
    <message>
        <source>接続(&amp;C)</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>このネットワークで見つかった対戦（選ぶとアドレスに入ります）:</source>
        <translation>Games found on this network (choose one to fill in the address):</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>（探しています…）</source>
        <translation>(Searching…)</translation>
    </message>
    <message>
        <source>%1 に接続しています…</source>
        <translation>Connecting to %1…</translation>
    </message>
</context>
<context>
    <name>LanGameList</name>
    <message>
        <source>待っています</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>バージョンが違います（%1）</source>
        <translation>Different version (%1)</translation>
    </message>
</context>
<context>
    <name>LobbySettingWindow</name>
    <message>
        <source>%1 - ロビーの設定</source>
        <translation>%1 - Lobby Settings</translation>
    </message>
    <message>
        <source>部屋を作ったりコードで参加したりするには、ロビー（相手と出会うためのサーバー）が要ります。使うロビーを決めてください。</source>
        <translation>To make a room or join one by code, you need a lobby (a server where players meet). Choose the lobby to use.</translation>
    </message>
    <message>
        <source>ロビーは、ゲームといっしょに入っている glamora-lobby を、二人の機械から届くサーバーで動かせば作れます（UDP のポート 47292 を開けておきます。くわしくは README の「Running a lobby」）。友だちやコミュニティが動かしているロビーなら、そのアドレスを入れます。</source>
        <translation>To run a lobby, start glamora-lobby, which comes with the game, on a server both machines can reach (open UDP port 47292; see &quot;Running a lobby&quot; in the README). For a lobby run by friends or a community, enter its address.</translation>
    </message>
    <message>
        <source>lobby.example.org か 203.0.113.5</source>
        <translation>lobby.example.org or 203.0.113.5</translation>
    </message>
    <message>
        <source>ホスト名かアドレス:</source>
        <translation>Host name or address:</translation>
    </message>
    <message>
        <source>ポート (UDP):</source>
        <translation>Port (UDP):</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ロビーのホスト名かアドレスを入れてください。</source>
        <translation>Enter the lobby&apos;s host name or address.</translation>
    </message>
    <message>
        <source>ホスト名に使えるのは、英字、数字と「.」「-」「_」だけです。</source>
        <translation>A host name may contain only letters, digits, &quot;.&quot;, &quot;-&quot; and &quot;_&quot;.</translation>
    </message>
</context>
<context>
    <name>Media</name>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation>Not a file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>Cannot read the file</translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>再生できない種類のファイルです</source>
        <translation>This kind of file cannot be played</translation>
    </message>
    <message>
        <source>曲が長すぎます</source>
        <translation>The music is too long</translation>
    </message>
    <message>
        <source>MThd ヘッダーがありません</source>
        <translation>No MThd header</translation>
    </message>
    <message>
        <source>ヘッダーが途中で切れています</source>
        <translation>The header is cut short</translation>
    </message>
    <message>
        <source>ヘッダーが短すぎます</source>
        <translation>The header is too short</translation>
    </message>
    <message>
        <source>トラックがありません</source>
        <translation>No tracks</translation>
    </message>
    <message>
        <source>分解能が 0 です</source>
        <translation>The time resolution is 0</translation>
    </message>
    <message>
        <source>分解能が不正です</source>
        <translation>Invalid time resolution</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>MIDI ファイルが途中で切れています</source>
        <translation>The MIDI file is cut short</translation>
    </message>
    <message>
        <source>MIDI ファイルとして読めません</source>
        <translation>Cannot read it as a MIDI file</translation>
    </message>
    <message>
        <source>MIDI の音色ファイル (SoundFont) がないため再生できません</source>
        <translation>Cannot play: there is no MIDI sound file (SoundFont)</translation>
    </message>
    <message>
        <source>MIDI シンセサイザーを用意できません</source>
        <translation>Cannot set up the MIDI synthesizer</translation>
    </message>
    <message>
        <source>WAVE ファイルとして読めません</source>
        <translation>Cannot read it as a WAVE file</translation>
    </message>
    <message>
        <source>fmt チャンクがないか、不正です</source>
        <translation>The fmt chunk is missing or invalid</translation>
    </message>
    <message>
        <source>data チャンクがありません</source>
        <translation>No data chunk</translation>
    </message>
    <message>
        <source>対応していない形式か、壊れています</source>
        <translation>Unsupported format, or the file is damaged</translation>
    </message>
    <message>
        <source>RIFF/WAVE のヘッダーがありません</source>
        <translation>No RIFF/WAVE header</translation>
    </message>
    <message>
        <source>WAVE ファイルが途中で切れています</source>
        <translation>The WAVE file is cut short</translation>
    </message>
    <message>
        <source>不正な形式</source>
        <translation>Invalid format</translation>
    </message>
    <message>
        <source>WAVE ファイルが長すぎます</source>
        <translation>The WAVE file is too long</translation>
    </message>
    <message>
        <source>トラック %1</source>
        <translation>Track %1</translation>
    </message>
    <message>
        <source>%1 のイベントがチャンクの外まで続いています</source>
        <translation>An event in %1 runs past the end of the chunk</translation>
    </message>
    <message>
        <source>%1 に不正な可変長の数値があります</source>
        <translation>%1 has an invalid variable-length number</translation>
    </message>
    <message>
        <source>%1 のデータバイトが不正です</source>
        <translation>%1 has an invalid data byte</translation>
    </message>
    <message>
        <source>%1 にステータスバイトがありません</source>
        <translation>%1 has no status byte</translation>
    </message>
    <message>
        <source>%1 に不正なイベントがあります</source>
        <translation>%1 has an invalid event</translation>
    </message>
    <message>
        <source>形式 %1 には対応していません</source>
        <translation>Format %1 is not supported</translation>
    </message>
    <message>
        <source>ヘッダーでは %1 トラック、ファイルには %2 トラック</source>
        <translation>The header says %1 tracks, the file has %2</translation>
    </message>
    <message>
        <source>トラック %1 が途中で切れています</source>
        <translation>Track %1 is cut short</translation>
    </message>
    <message>
        <source>探した場所: %1</source>
        <translation>Looked in: %1</translation>
    </message>
    <message>
        <source>データはヘッダーでは %1 バイト、ファイルには %2 バイト</source>
        <translation>Data: %1 bytes in the header, %2 bytes in the file</translation>
    </message>
    <message>
        <source>チャンクはヘッダーでは %1 バイト、ファイルには %2 バイト</source>
        <translation>Chunk: %1 bytes in the header, %2 bytes in the file</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>メモリーが足りません</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation>Not a file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>範囲ﾁｪｯｸｴﾗｰ</source>
        <translation>Range check error</translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>読み書きが許可されていません</source>
        <translation>Not allowed to read or write</translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation>It is a folder</translation>
    </message>
    <message>
        <source>途中の名前がフォルダーではありません</source>
        <translation>A part of the path is not a folder</translation>
    </message>
    <message>
        <source>シンボリックリンクが多すぎます</source>
        <translation>Too many symbolic links</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>The name is too long</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>読み書きのエラーです</source>
        <translation>Read/write error</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>ディスクの割り当てを超えています</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>読み込み専用の場所です</source>
        <translation>Read-only location</translation>
    </message>
    <message>
        <source>装置がありません</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>使用中です</source>
        <translation>In use</translation>
    </message>
    <message>
        <source>今は使えません</source>
        <translation>Not available right now</translation>
    </message>
    <message>
        <source>中断されました</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>正しくない指定です</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>遊び方のファイルを開けません: %1 (%2)</source>
        <translation>Cannot open the how-to-play file: %1 (%2)</translation>
    </message>
    <message>
        <source>システムエラー %1</source>
        <translation>System error %1</translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は整数ではありません</source>
        <translation>&apos;%1&apos; is not a whole number</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます (%1 MiB まで)</source>
        <translation>File too large (%1 MiB at most)</translation>
    </message>
</context>
<context>
    <name>NetBattleOnScreen</name>
    <message>
        <source>あなた %1</source>
        <translation>You %1</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
</context>
<context>
    <name>NetBattleScreen</name>
    <message>
        <source>%1（相手）</source>
        <translation>%1 (opponent)</translation>
    </message>
    <message>
        <source>%1（この機械・コンピュータ：%2）</source>
        <translation>%1 (this machine, computer: %2)</translation>
    </message>
    <message>
        <source>%1（この機械）</source>
        <translation>%1 (this machine)</translation>
    </message>
    <message>
        <source>相手</source>
        <translation>Opponent</translation>
    </message>
    <message>
        <source>ネット対戦（%1）&#x3000;相手: %2&#x3000;%3往復 %4</source>
        <translation>Net battle (%1)  Opponent: %2  %3Round trip %4</translation>
    </message>
    <message>
        <source>ホスト</source>
        <translation>host</translation>
    </message>
    <message>
        <source>参加</source>
        <translation>guest</translation>
    </message>
    <message>
        <source>%1&#x3000;</source>
        <translation>%1  </translation>
    </message>
    <message>
        <source>%1&#x3000;通信待ち</source>
        <translation>%1  Waiting for data</translation>
    </message>
    <message>
        <source>%1&#x3000;相手が結果を見ています</source>
        <translation>%1  Opponent is viewing the result</translation>
    </message>
    <message>
        <source>%1&#x3000;ステージを選んでください</source>
        <translation>%1  Choose a stage</translation>
    </message>
    <message>
        <source>%1&#x3000;ステージはホストが選びます</source>
        <translation>%1  The host chooses the stage</translation>
    </message>
</context>
<context>
    <name>NetGame</name>
    <message>
        <source>ポート %1 を開けません。ほかのプログラムが使っているかもしれません。別のポートにしてください。</source>
        <translation>Cannot open port %1. Another program may be using it. Choose another port.</translation>
    </message>
    <message>
        <source>%1 からの接続を断りました: %2</source>
        <translation>Refused a connection from %1: %2</translation>
    </message>
    <message>
        <source>「%1」という相手が見つかりません。名前かアドレスを確かめてください。</source>
        <translation>Cannot find an opponent called &quot;%1&quot;. Check the name or address.</translation>
    </message>
</context>
<context>
    <name>NetTexts</name>
    <message>
        <source>相手の通信方式が違います（ゲームのバージョンを合わせてください）</source>
        <translation>The opponent uses a different protocol (use the same game version)</translation>
    </message>
    <message>
        <source>相手のバージョンが違います</source>
        <translation>The opponent has a different version</translation>
    </message>
    <message>
        <source>相手のゲームのルールが違います（同じバージョンにしてください）</source>
        <translation>The opponent&apos;s game has different rules (use the same version)</translation>
    </message>
    <message>
        <source>相手のゲームの速さが違います</source>
        <translation>The opponent&apos;s game runs at a different speed</translation>
    </message>
    <message>
        <source>相手の応答が正しくありません</source>
        <translation>The opponent&apos;s answer is not valid</translation>
    </message>
    <message>
        <source>相手は対戦中です</source>
        <translation>The opponent is in a battle</translation>
    </message>
    <message>
        <source>合言葉が違います</source>
        <translation>Wrong pass phrase</translation>
    </message>
    <message>
        <source>相手に断られました</source>
        <translation>The opponent refused</translation>
    </message>
    <message>
        <source>%1 に断られました: %2。</source>
        <translation>%1 refused: %2.</translation>
    </message>
    <message>
        <source>理由はわかりません</source>
        <translation>reason unknown</translation>
    </message>
    <message>
        <source>%1 から 5 秒たっても応答がありません。相手が「対戦相手を待つ」を開いているか、アドレスとポート、ファイアウォールを確かめてください。</source>
        <translation>No answer from %1 after 5 seconds. Check that the opponent has &quot;Wait for an Opponent&quot; open, and check the address, port and firewall.</translation>
    </message>
    <message>
        <source>%1 には接続できません。</source>
        <translation>Cannot connect to %1.</translation>
    </message>
    <message>
        <source>%1 に接続できませんでした。</source>
        <translation>Could not connect to %1.</translation>
    </message>
    <message>
        <source>ホストが対戦を終えました。</source>
        <translation>The host ended the battle.</translation>
    </message>
    <message>
        <source>相手と対戦の状態が食い違いました（tick %1）。対戦を終えました。</source>
        <translation>The battle went out of step with the opponent (tick %1). The battle has ended.</translation>
    </message>
    <message>
        <source>%1
記録: %2</source>
        <translation>%1
Record: %2</translation>
    </message>
    <message>
        <source>この機械が %1 秒止まっていたため、対戦を終えました。</source>
        <translation>This machine was stopped for %1 seconds, so the battle has ended.</translation>
    </message>
    <message>
        <source>ロビーが対戦の中継をやめました。対戦を終えました。</source>
        <translation>The lobby stopped relaying the battle. The battle has ended.</translation>
    </message>
    <message>
        <source>相手から 5 秒間応答がありません。対戦を終えました。</source>
        <translation>No answer from the opponent for 5 seconds. The battle has ended.</translation>
    </message>
    <message>
        <source>相手が対戦をやめました。</source>
        <translation>The opponent left the battle.</translation>
    </message>
    <message>
        <source>相手のアドレスを入れてください。</source>
        <translation>Enter the opponent&apos;s address.</translation>
    </message>
    <message>
        <source>アドレスは「名前」か「192.168.1.5」の形で、ポート番号は「:47291」のように続けます。</source>
        <translation>Enter the address as a name or like &quot;192.168.1.5&quot;, followed by a port like &quot;:47291&quot; if needed.</translation>
    </message>
    <message>
        <source>ポート番号は 1 から 65535 までです。</source>
        <translation>The port must be from 1 to 65535.</translation>
    </message>
</context>
<context>
    <name>PlayerKeys</name>
    <message>
        <source>左へ移動</source>
        <translation>Move left</translation>
    </message>
    <message>
        <source>決定</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>右へ移動</source>
        <translation>Move right</translation>
    </message>
    <message>
        <source>P と Pause は一時停止のキーです</source>
        <translation>P and Pause are the pause keys</translation>
    </message>
    <message>
        <source>%1 の「%2」に使われているキーです</source>
        <translation>This key is used for %1&apos;s &quot;%2&quot;</translation>
    </message>
    <message>
        <source>このキーは使えません</source>
        <translation>This key cannot be used</translation>
    </message>
</context>
<context>
    <name>ReplayList</name>
    <message>
        <source>記録を読み込んでいます...</source>
        <translation>Reading the records...</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>保存されたラウンドはありません</source>
        <translation>No saved rounds</translation>
    </message>
</context>
<context>
    <name>ReplayWindow</name>
    <message>
        <source>プレイヤー1の勝ち</source>
        <translation>Player 1 wins</translation>
    </message>
    <message>
        <source>プレイヤー2の勝ち</source>
        <translation>Player 2 wins</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Cleared</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Abandoned</translation>
    </message>
    <message>
        <source>未完了</source>
        <translation>Unfinished</translation>
    </message>
    <message>
        <source>二人で対戦</source>
        <translation>Two-player battle</translation>
    </message>
    <message>
        <source>一人で特訓</source>
        <translation>Train alone</translation>
    </message>
    <message>
        <source>ラウンド</source>
        <translation>round</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>リプレイを読み込んでいます...</source>
        <translation>Loading the replay...</translation>
    </message>
    <message>
        <source>%1 - リプレイ</source>
        <translation>%1 - Replay</translation>
    </message>
    <message>
        <source>ラウンド %1</source>
        <translation>round %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; に%2がありません</source>
        <translation>&apos;%1&apos; has no %2</translation>
    </message>
    <message>
        <source>[1/2/4] 速さ  [Space] 一時停止  [←/→] 5 秒  [Esc] 閉じる</source>
        <translation>[1/2/4] Speed  [Space] Pause  [←/→] 5 s  [Esc] Close</translation>
    </message>
    <message>
        <source>%1
%2</source>
        <translation>%1
%2</translation>
    </message>
    <message>
        <source>ラウンド %1 の始まりまで進めています...</source>
        <translation>Seeking to the start of round %1...</translation>
    </message>
    <message>
        <source>再生する位置: クリックかドラッグで移動します [←/→]</source>
        <translation>Position: click or drag to move [←/→]</translation>
    </message>
    <message>
        <source>最初から(&amp;R)</source>
        <translation>&amp;Restart</translation>
    </message>
    <message>
        <source>ラウンドの始まりから再生します [Home]</source>
        <translation>Play from the start of the round [Home]</translation>
    </message>
    <message>
        <source>一時停止と再生を切り替えます [Space]</source>
        <translation>Pause or resume [Space]</translation>
    </message>
    <message>
        <source>%1倍(&amp;%1)</source>
        <translation>%1x(&amp;%1)</translation>
    </message>
    <message>
        <source>%1倍の速さで再生します [%1]</source>
        <translation>Play at %1x speed [%1]</translation>
    </message>
    <message>
        <source>%1 - リプレイ (%2 ステージ%3)</source>
        <translation>%1 - Replay (%2, Stage %3)</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>一時停止(&amp;P)</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>リプレイ  %1 / %2 秒  %3倍</source>
        <translation>Replay  %1 / %2 s  %3x</translation>
    </message>
    <message>
        <source>%1  終了：%2</source>
        <translation>%1  Ended: %2</translation>
    </message>
    <message>
        <source>%1  終了</source>
        <translation>%1  Ended</translation>
    </message>
    <message>
        <source>%1  一時停止中</source>
        <translation>%1  Paused</translation>
    </message>
    <message>
        <source>リプレイのファイルを開けません: %1</source>
        <translation>Cannot open the replay file: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; はリプレイできるスクリプトではありません (%2 行目: %3)</source>
        <translation>&apos;%1&apos; is not a script that can be replayed (line %2: %3)</translation>
    </message>
</context>
<context>
    <name>RoomGame</name>
    <message>
        <source>ロビー「%1」が見つかりません。ロビーの設定のホスト名を確かめてください。</source>
        <translation>Cannot find the lobby &quot;%1&quot;. Check the host name in the lobby settings.</translation>
    </message>
    <message>
        <source>ロビーが見つかりません</source>
        <translation>Lobby not found</translation>
    </message>
    <message>
        <source>ロビーに届きません</source>
        <translation>Cannot reach the lobby</translation>
    </message>
    <message>
        <source>ロビー「%1」がまだ見つかっていません。</source>
        <translation>The lobby &quot;%1&quot; has not been found yet.</translation>
    </message>
</context>
<context>
    <name>RoomHostWindow</name>
    <message>
        <source>%1 - 部屋を作る</source>
        <translation>%1 - Make a Room</translation>
    </message>
    <message>
        <source>このコードを相手に伝えて、「コードで参加」で入ってもらいます。</source>
        <translation>Give this code to your opponent to enter with &quot;Join by Code&quot;.</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>公開する(&amp;P)</source>
        <translation>&amp;Public</translation>
    </message>
    <message>
        <source>（だれでも「コードで参加」の一覧から入れます）</source>
        <translation>(anyone can join from the &quot;Join by Code&quot; list)</translation>
    </message>
    <message>
        <source>名札に出る名前:</source>
        <translation>Name on the plate:</translation>
    </message>
    <message>
        <source>ロビー:</source>
        <translation>Lobby:</translation>
    </message>
    <message>
        <source>なし（コードを知っていればだれでも）</source>
        <translation>None (anyone who knows the code)</translation>
    </message>
    <message>
        <source>作り直す(&amp;R)</source>
        <translation>&amp;Remake</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ロビーに部屋を作っています…</source>
        <translation>Making a room at the lobby…</translation>
    </message>
    <message>
        <source>相手を待っています（合言葉を知っている相手だけ）…</source>
        <translation>Waiting for an opponent (only one who knows the pass phrase)…</translation>
    </message>
    <message>
        <source>相手を待っています…</source>
        <translation>Waiting for an opponent…</translation>
    </message>
    <message>
        <source>相手が来ました。つないでいます…</source>
        <translation>An opponent has come. Connecting…</translation>
    </message>
</context>
<context>
    <name>RoomJoinWindow</name>
    <message>
        <source>%1 - コードで参加</source>
        <translation>%1 - Join by Code</translation>
    </message>
    <message>
        <source>相手から聞いた部屋のコード（6 文字）:</source>
        <translation>Room code from your opponent (6 characters):</translation>
    </message>
    <message>
        <source>例: K7M2QX</source>
        <translation>e.g. K7M2QX</translation>
    </message>
    <message>
        <source>参加(&amp;J)</source>
        <translation>&amp;Join</translation>
    </message>
    <message>
        <source>公開されている部屋（選ぶとコードが入ります）:</source>
        <translation>Public rooms (choose one to fill in the code):</translation>
    </message>
    <message>
        <source>ロビー: %1</source>
        <translation>Lobby: %1</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>（部屋の一覧を読んでいます…）</source>
        <translation>(Reading the list of rooms…)</translation>
    </message>
    <message>
        <source>部屋の名前</source>
        <translation>Room name</translation>
    </message>
    <message>
        <source>コード</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>待っている時間</source>
        <translation>Waiting for</translation>
    </message>
    <message>
        <source>（公開されている部屋はありません）</source>
        <translation>(No public rooms)</translation>
    </message>
    <message>
        <source>%1（バージョン %2）</source>
        <translation>%1 (version %2)</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>部屋 %1 に参加しています…</source>
        <translation>Joining room %1…</translation>
    </message>
</context>
<context>
    <name>RoomTexts</name>
    <message>
        <source>この機械の名前では、ロビーに部屋を作れません。</source>
        <translation>The lobby does not accept a room with this machine&apos;s name.</translation>
    </message>
    <message>
        <source>部屋 %1 のゲームとバージョンが違います。同じバージョンにしてください。</source>
        <translation>Room %1 runs a different version of the game. Use the same version.</translation>
    </message>
    <message>
        <source>部屋 %1 のゲームとルールが違います。同じバージョンにしてください。</source>
        <translation>Room %1&apos;s game has different rules. Use the same version.</translation>
    </message>
    <message>
        <source>ロビーから部屋がなくなりました。「作り直す」で新しい部屋を作ってください。</source>
        <translation>The room is gone from the lobby. Make a new one with &quot;Remake&quot;.</translation>
    </message>
    <message>
        <source>部屋 %1 はありません。コードを確かめてください。</source>
        <translation>There is no room %1. Check the code.</translation>
    </message>
    <message>
        <source>部屋 %1 には、もうほかの人が参加しています。</source>
        <translation>Someone else has already joined room %1.</translation>
    </message>
    <message>
        <source>ロビーの部屋がいっぱいです。しばらくしてからもう一度作ってください。</source>
        <translation>The lobby&apos;s rooms are full. Try making one again later.</translation>
    </message>
    <message>
        <source>ロビーの中継がいっぱいで、ホストにつながりません。しばらくしてからもう一度試してください。</source>
        <translation>The lobby&apos;s relay is full, so the host cannot be reached. Try again later.</translation>
    </message>
    <message>
        <source>ない部屋のコードが続いたため、ロビーが受け付けません。1 分ほど待ってからもう一度試してください。</source>
        <translation>Too many codes of rooms that do not exist: the lobby refuses for now. Wait about 1 minute and try again.</translation>
    </message>
    <message>
        <source>ロビーに断られました。</source>
        <translation>The lobby refused.</translation>
    </message>
    <message>
        <source>0、1、O、I はコードに使われていません（見分けにくいため）。</source>
        <translation>0, 1, O and I are not used in codes (they are hard to tell apart).</translation>
    </message>
    <message>
        <source>コードは英字と数字だけです。</source>
        <translation>A code has only letters and digits.</translation>
    </message>
    <message>
        <source>部屋のコードを入れてください。</source>
        <translation>Enter the room code.</translation>
    </message>
    <message>
        <source>コードは 6 文字です（いまは %1 文字）。</source>
        <translation>A code has 6 characters (now %1).</translation>
    </message>
    <message>
        <source>ロビー（%1）に届きません。ロビーの設定のアドレスとポートを確かめるか、しばらくしてからもう一度試してください。</source>
        <translation>Cannot reach the lobby (%1). Check the address and port in the lobby settings, or try again later.</translation>
    </message>
    <message>
        <source>ロビー（%1）が応答しなくなりました。部屋は閉じられました。</source>
        <translation>The lobby (%1) stopped answering. The room was closed.</translation>
    </message>
    <message>
        <source>ホストに届きません（ロビーの中継も使えませんでした）。</source>
        <translation>Cannot reach the host (the lobby&apos;s relay could not be used either).</translation>
    </message>
    <message>
        <source>通信に使う UDP のポートを開けません。</source>
        <translation>Cannot open a UDP port to communicate.</translation>
    </message>
    <message>
        <source>合言葉が違います。ホストが決めた合言葉を入れてください。</source>
        <translation>Wrong pass phrase. Enter the pass phrase the host set.</translation>
    </message>
    <message>
        <source>相手に断られました: %1。</source>
        <translation>The opponent refused: %1.</translation>
    </message>
    <message>
        <source>理由はわかりません</source>
        <translation>reason unknown</translation>
    </message>
    <message>
        <source>ホストから応答がありません。もう一度参加してみてください。</source>
        <translation>No answer from the host. Try joining again.</translation>
    </message>
    <message>
        <source>部屋を作れませんでした。</source>
        <translation>Could not make a room.</translation>
    </message>
    <message>
        <source>部屋 %1 に参加できませんでした。</source>
        <translation>Could not join room %1.</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 分</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 時間 %2 分</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>直接</source>
        <translation>Direct</translation>
    </message>
    <message>
        <source>中継 (ロビー経由)</source>
        <translation>Relayed (via lobby)</translation>
    </message>
</context>
<context>
    <name>Screens</name>
    <message>
        <source>鏡が映す、華麗なパズル</source>
        <translation>Dazzling mirror puzzle</translation>
    </message>
    <message>
        <source>(C) Glamora 制作チーム</source>
        <translation>(C) The Glamora team</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>次のステージはホストが選びます。</source>
        <translation>The host picks the next stage.</translation>
    </message>
    <message>
        <source>OK で閉じて、お待ち下さい</source>
        <translation>Click OK and wait.</translation>
    </message>
    <message>
        <source>%1 - キャラクター紹介</source>
        <translation>%1 - Characters</translation>
    </message>
    <message>
        <source>ゲームに戻ります</source>
        <translation>Back to the game</translation>
    </message>
    <message>
        <source>操作表(&amp;W)</source>
        <translation>Controls(&amp;W)</translation>
    </message>
    <message>
        <source>遊び方(&amp;P)</source>
        <translation>How to &amp;play</translation>
    </message>
    <message>
        <source>ビジュアルヘルプ(&amp;V)</source>
        <translation>&amp;Visual help</translation>
    </message>
    <message>
        <source>テクニック(&amp;T)</source>
        <translation>&amp;Techniques</translation>
    </message>
    <message>
        <source>キャラクター紹介(&amp;C)</source>
        <translation>&amp;Characters</translation>
    </message>
    <message>
        <source>その他の機能(&amp;O)</source>
        <translation>&amp;Other features</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>%1 - 遊び方</source>
        <translation>%1 - How to play</translation>
    </message>
    <message>
        <source>%1 - その他の機能</source>
        <translation>%1 - Other features</translation>
    </message>
    <message>
        <source>（二人で対戦モードのみ）</source>
        <translation>(2-player battle only)</translation>
    </message>
    <message>
        <source>  &apos;A&apos;,&apos;a&apos;         &apos;4&apos;       … 左へ移動 </source>
        <translation>  &apos;A&apos;,&apos;a&apos;         &apos;4&apos;       … Move left </translation>
    </message>
    <message>
        <source>  &apos;D&apos;,&apos;d&apos;         &apos;6&apos;       … 右へ移動 </source>
        <translation>  &apos;D&apos;,&apos;d&apos;         &apos;6&apos;       … Move right </translation>
    </message>
    <message>
        <source>  &apos;S&apos;,&apos;s&apos;         &apos;5&apos;       … 決定 </source>
        <translation>  &apos;S&apos;,&apos;s&apos;         &apos;5&apos;       … Select </translation>
    </message>
    <message>
        <source>*KEYは「ポン、ポン」とたたくように入力して下さい（二人で対戦モードのみ）</source>
        <translation>*Tap each key briefly, one press at a time (2-player battle only)</translation>
    </message>
    <message>
        <source>*NUM LOCK をして下さい（二人で対戦モードのみ）</source>
        <translation>*Turn NUM LOCK on (2-player battle only)</translation>
    </message>
    <message>
        <source>%1 - 操作表</source>
        <translation>%1 - Controls</translation>
    </message>
    <message>
        <source>もう一度(&amp;R)</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>同じステージをもう一度遊びます</source>
        <translation>Play the same stage again</translation>
    </message>
    <message>
        <source>ゲームを続ける場合は、ゲーム(&amp;G)をクリックした後、</source>
        <translation>To go on, click &amp;Game and</translation>
    </message>
    <message>
        <source>ステージを選択して下さい</source>
        <translation>choose a stage.</translation>
    </message>
    <message>
        <source>（ファンデーションの代わりに、</source>
        <translation>(Instead of foundation,</translation>
    </message>
    <message>
        <source>上向きのクシ、下向きのクシでも</source>
        <translation>an up comb or a down comb</translation>
    </message>
    <message>
        <source>同様の結果を得ることができます）</source>
        <translation>gives the same result.)</translation>
    </message>
    <message>
        <source>%1 - テクニック</source>
        <translation>%1 - Techniques</translation>
    </message>
    <message>
        <source>ﾌｧﾝﾃﾞｰｼｮﾝ</source>
        <translation>Foundation</translation>
    </message>
    <message>
        <source>右向きﾙｰｼﾞｭ</source>
        <translation>Right rouge</translation>
    </message>
    <message>
        <source>左向きﾙｰｼﾞｭ</source>
        <translation>Left rouge</translation>
    </message>
    <message>
        <source>上向きクシ</source>
        <translation>Up comb</translation>
    </message>
    <message>
        <source>下向きクシ</source>
        <translation>Down comb</translation>
    </message>
    <message>
        <source>上向き鏡</source>
        <translation>Up mirror</translation>
    </message>
    <message>
        <source>下向き鏡</source>
        <translation>Down mirror</translation>
    </message>
    <message>
        <source>右向き鏡</source>
        <translation>Right mirror</translation>
    </message>
    <message>
        <source>左向き鏡</source>
        <translation>Left mirror</translation>
    </message>
    <message>
        <source>%1 - ビジュアルヘルプ</source>
        <translation>%1 - Visual help</translation>
    </message>
    <message>
        <source>物の名前</source>
        <translation>Items</translation>
    </message>
</context>
<context>
    <name>StartupStep</name>
    <message>
        <source>探した場所:
%1

ゲームのファイル（音楽、声、遊び方）のあるフォルダーで起動して下さい。ソースから遊ぶときは、ソースのフォルダーで make run と入力します。</source>
        <translation>Searched in:
%1

Start the game in the folder that has its files (music, voices, how to play). To play from the source, type make run in the source folder.</translation>
    </message>
</context>
<context>
    <name>TitleScreen</name>
    <message>
        <source>%1 - タイトル</source>
        <translation>%1 - Title</translation>
    </message>
    <message>
        <source>一人で特訓(&amp;O)</source>
        <translation>Train al&amp;one</translation>
    </message>
    <message>
        <source>対戦プレーではありません</source>
        <translation>Not a battle</translation>
    </message>
    <message>
        <source>二人で対戦(&amp;B)</source>
        <translation>&amp;Battle (2P)</translation>
    </message>
    <message>
        <source>一人ではプレーできません</source>
        <translation>Needs two players</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ゲームを終了します</source>
        <translation>Quits the game</translation>
    </message>
    <message>
        <source>右クリックでヘルプメニュー</source>
        <translation>Right-click for the Help menu</translation>
    </message>
</context>
<context>
    <name>WindowRows</name>
    <message>
        <source>合言葉を決める(&amp;K)</source>
        <translation>Set pass phrase(&amp;K)</translation>
    </message>
    <message>
        <source>合言葉:</source>
        <translation>Pass phrase:</translation>
    </message>
    <message>
        <source>相手が決めたときだけ</source>
        <translation>Only if the other side set one</translation>
    </message>
</context>
<context>
    <name>glamora::MoreFeaturesScreen</name>
    <message>
        <source>遊んだラウンドは、ネット対戦のものも含めて自動で残ります。ゲーム(G) → リプレイを見る(P) で一覧から選ぶと、そのラウンドをもう一度見られます。リプレイの操作は、その画面の下に出ています。</source>
        <translation>Every round you play, network battles included, is saved automatically. Choose one from the list in Game(G) → Watch replays(P) to watch that round again. The replay controls are shown at the bottom of that window.</translation>
    </message>
    <message>
        <source>オプション(O) → 音量(V) で、BGM と効果音の大きさを 0 ～ 100 % で決められます。つまみを動かすと、すぐに聞こえ方が変わります。BGM と効果音の ON/OFF はそれぞれのメニューのままです。</source>
        <translation>Options(O) → Volume(V) sets the volume of the BGM and the sound effects from 0 to 100 %. Move a slider and you hear the change at once. BGM and sound effects are still switched ON/OFF in their own menu items.</translation>
    </message>
    <message>
        <source>コンピュータと遊ぶ</source>
        <translation>Playing the computer</translation>
    </message>
    <message>
        <source>二人で対戦では オプション(O) → プレイヤー1(1) / プレイヤー2(2) で、その側をコンピュータにまかせられます。強さは やさしい・ふつう・むずかしい の三つです。両方をコンピュータにすれば、見ているだけの対戦になります。一人で特訓では オプション(O) → プレイヤー(P) です。コンピュータが遊ぶ側の名札には「CPU」と強さが出ます。</source>
        <translation>In &quot;Two-player battle&quot;, Options(O) → Player 1(1) / Player 2(2) lets the computer play that side. It has three strengths: Easy, Normal and Hard. Give both sides to the computer and you can just watch the battle. In &quot;Train alone&quot; use Options(O) → Player(P). The name plate of a side the computer plays shows &quot;CPU&quot; and its strength.</translation>
    </message>
    <message>
        <source>ネット対戦</source>
        <translation>Network battle</translation>
    </message>
    <message>
        <source>二人で対戦の ゲーム(G) → ネット対戦(N) から、別の機械の相手と遊べます。同じネットワーク（家や学校の LAN）なら、一人が「対戦相手を待つ(H)」、もう一人が「対戦相手に接続(J)」を選び、見つかった相手を選ぶか、相手のアドレス（例 192.168.1.5）とポートを入れます。合言葉を決めておけば、知っている相手だけが入れます。離れた相手とは、一人が「部屋を作る(R)」で部屋のコードを受け取って伝え、もう一人が「コードで参加(C)」でそのコードを入れます。部屋にはロビーが要ります（ネット対戦(N) → ロビーの設定(L)）。ステージは待った側・部屋を作った側（ホスト）が選びます。名札の「あなた」がこの機械の側です。ネット対戦(N) → 切断(Q) でいつでも終えられます。</source>
        <translation>In &quot;Two-player battle&quot;, Game(G) → Network battle(N) lets you play an opponent on another machine. On the same network (a home or school LAN), one player chooses &quot;Wait for an Opponent(H)&quot; and the other &quot;Connect to Opponent(J)&quot;, then picks the opponent found or enters the opponent&apos;s address (e.g. 192.168.1.5) and port. Set a pass phrase and only opponents who know it can join. With a far-away opponent, one player chooses &quot;Make a Room(R)&quot;, gets a room code and passes it on; the other chooses &quot;Join by Code(C)&quot; and enters that code. Rooms need a lobby (Network battle(N) → Lobby Settings(L)). The side that waited or made the room (the host) chooses the stage. The name plate that says &quot;You&quot; is this machine&apos;s side. Network battle(N) → Disconnect(Q) ends the battle at any time.</translation>
    </message>
    <message>
        <source>リプレイ</source>
        <translation>Replays</translation>
    </message>
    <message>
        <source>操作設定</source>
        <translation>Controls settings</translation>
    </message>
    <message>
        <source>オプション(O) → 操作設定(K) で、二人のプレイヤーの 左・決定・右 のキーを変えられます。ゲームパッドをつなぐと、どのパッドがどのプレイヤーかもここで決められます。変えたキーは 操作表 にも出ます。</source>
        <translation>Options(O) → Controls settings(K) changes the Left, Select and Right keys of both players. With gamepads connected, you also choose here which pad plays which player. Changed keys are also shown in Controls.</translation>
    </message>
    <message>
        <source>表示の大きさ</source>
        <translation>Display size</translation>
    </message>
    <message>
        <source>オプション(O) → 表示の大きさ(Z) で、画面を 1倍・1.5倍・2倍 か全画面で表示できます。画面に入りきる大きさだけが選べ、次に起動したときから変わります。</source>
        <translation>Options(O) → Display size(Z) shows the game at 1x, 1.5x or 2x, or full screen. Only sizes that fit your screen can be chosen, and the change takes effect the next time you start the game.</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>戦績と記録</source>
        <translation>Records and saved settings</translation>
    </message>
    <message>
        <source>オプション(O) → 戦績 で、これまでの勝ち負けを見られます。コンピュータの強さ、BGM と効果音、特訓で選べるステージ、ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定、表示の大きさ、キー、音量は自動で残り、次に起動したときもそのままです。オプション(O) → 記録を消去 で、最初の状態に戻せます。</source>
        <translation>Options(O) → Records shows your wins and losses so far. The computer&apos;s strength, BGM and sound effects, the stages you can choose in training, the original stage settings, the display size, the keys and the volume are saved automatically and are still there the next time you start the game. Options(O) → Erase records puts them all back to the start.</translation>
    </message>
</context>
<context>
    <name>glamora::VolumeWindow</name>
    <message>
        <source>%1 - 音量</source>
        <translation>%1 - Volume</translation>
    </message>
    <message>
        <source>BGM(&amp;M)</source>
        <translation>BG&amp;M</translation>
    </message>
    <message>
        <source>効果音(&amp;E)</source>
        <translation>Sound &amp;effects</translation>
    </message>
    <message>
        <source>動かすとすぐに聞こえ方が変わります。BGM と効果音の ON/OFF はそのままです。</source>
        <translation>Changes are heard at once. BGM and sound effects stay ON or OFF.</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>glamora::records::RecordsWindow</name>
    <message>
        <source>戦績</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>相手別</source>
        <translation>Opponents</translation>
    </message>
    <message>
        <source>ステージ別</source>
        <translation>Stages</translation>
    </message>
    <message>
        <source>特訓</source>
        <translation>Training</translation>
    </message>
    <message>
        <source>最近のラウンド</source>
        <translation>Latest rounds</translation>
    </message>
    <message>
        <source>相手</source>
        <translation>Opponent</translation>
    </message>
    <message>
        <source>ラウンド</source>
        <translation>Rounds</translation>
    </message>
    <message>
        <source>勝ち</source>
        <translation>Wins</translation>
    </message>
    <message>
        <source>負け</source>
        <translation>Losses</translation>
    </message>
    <message>
        <source>勝率</source>
        <translation>Win %</translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>最短の勝ち</source>
        <translation>Fastest win</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clears</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Best score</translation>
    </message>
    <message>
        <source>最速クリア</source>
        <translation>Best time</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>対戦</source>
        <translation>Battle</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>ダブルクリックでリプレイを見ます</source>
        <translation>Double-click to watch the replay</translation>
    </message>
    <message>
        <source>記録を作り直す(&amp;R)</source>
        <translation>&amp;Rebuild records</translation>
    </message>
    <message>
        <source>戦績を消去(&amp;E)...</source>
        <translation>&amp;Erase records...</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>グラフを表示できません（Qt Charts が見つかりません）</source>
        <translation>Cannot show the chart (Qt Charts not found)</translation>
    </message>
    <message>
        <source>戦績のデータベースを開けません。</source>
        <translation>Cannot open the records database.</translation>
    </message>
    <message>
        <source>コンピュータ：やさしい</source>
        <translation>Computer: Easy</translation>
    </message>
    <message>
        <source>コンピュータ：ふつう</source>
        <translation>Computer: Normal</translation>
    </message>
    <message>
        <source>コンピュータ：むずかしい</source>
        <translation>Computer: Hard</translation>
    </message>
    <message>
        <source>コンピュータ：でたらめ</source>
        <translation>Computer: Random</translation>
    </message>
    <message>
        <source>ネット：%1</source>
        <translation>Net: %1</translation>
    </message>
    <message>
        <source>名前なし</source>
        <translation>no name</translation>
    </message>
    <message>
        <source>人間</source>
        <translation>Human</translation>
    </message>
    <message>
        <source>全 %1 ラウンド&#x3000;&#x3000;連勝：いま %2、最長 %3&#x3000;&#x3000;特訓の連続クリア：いま %4、最長 %5</source>
        <translation>%1 rounds in all    Winning streak: now %2, longest %3    Training clears in a row: now %4, longest %5</translation>
    </message>
    <message>
        <source>同じキーボードの相手</source>
        <translation>Same keyboard</translation>
    </message>
    <message>
        <source>オリジナル</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>二人で対戦</source>
        <translation>Two-player</translation>
    </message>
    <message>
        <source>コンピュータと対戦</source>
        <translation>vs computer</translation>
    </message>
    <message>
        <source>ネット対戦</source>
        <translation>Net battle</translation>
    </message>
    <message>
        <source>%1 対 %2</source>
        <translation>%1 vs %2</translation>
    </message>
    <message>
        <source>クリア（%1／%2）</source>
        <translation>Cleared (%1/%2)</translation>
    </message>
    <message>
        <source>失敗（%1／%2）</source>
        <translation>Failed (%1/%2)</translation>
    </message>
    <message>
        <source>引き分け</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>プレイヤー%1の勝ち</source>
        <translation>Player %1 wins</translation>
    </message>
    <message>
        <source>この30日（%1 〜 %2）</source>
        <translation>Last 30 days (%1 - %2)</translation>
    </message>
    <message>
        <source>記録を作り直せませんでした。</source>
        <translation>Could not rebuild the records.</translation>
    </message>
    <message>
        <source>記録を作り直しました。残っているセッションに %1 ラウンドが見つかりました。</source>
        <translation>Records rebuilt. %1 rounds were found in the saved sessions.</translation>
    </message>
    <message>
        <source>戦績を消去しますか？

すべてのラウンドの記録が消えます。残っているセッションからは「記録を作り直す」で戻せます。</source>
        <translation>Erase the records?

The records of all rounds will be erased. &quot;Rebuild records&quot; can bring them back from the saved sessions.</translation>
    </message>
    <message>
        <source>消去する(&amp;Y)</source>
        <translation>Erase(&amp;Y)</translation>
    </message>
    <message>
        <source>やめる(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>戦績を消去しました。</source>
        <translation>The records were erased.</translation>
    </message>
    <message>
        <source>戦績を消去できませんでした。</source>
        <translation>Could not erase the records.</translation>
    </message>
</context>
</TS>
