<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Media</name>
    <message>
        <source>ファイルが見つかりません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>再生できない種類のファイルです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>曲が長すぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MThd ヘッダーがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダーが途中で切れています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヘッダーが短すぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>トラックがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分解能が 0 です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分解能が不正です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>なし</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI ファイルが途中で切れています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI ファイルとして読めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI の音色ファイル (SoundFont) がないため再生できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI シンセサイザーを用意できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAVE ファイルとして読めません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fmt チャンクがないか、不正です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data チャンクがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>対応していない形式か、壊れています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIFF/WAVE のヘッダーがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAVE ファイルが途中で切れています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不正な形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAVE ファイルが長すぎます</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>メモリーが足りません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルではありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>範囲ﾁｪｯｸｴﾗｰ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み書きが許可されていません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>途中の名前がフォルダーではありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>シンボリックリンクが多すぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み書きのエラーです</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ディスクの割り当てを超えています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み込み専用の場所です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>装置がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使用中です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>今は使えません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中断されました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正しくない指定です</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReplayWindow</name>
    <message>
        <source>プレイヤー1の勝ち</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プレイヤー2の勝ち</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>クリア</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>失敗</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中断</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未完了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二人で対戦</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一人で特訓</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ラウンド</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[1/2/4] 速さ  [Space] 一時停止  [Esc] 閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>リプレイを読み込んでいます...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
