<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>COstrelDlg</name>
    <message>
        <source>黒番</source>
        <translation>Black to move</translation>
    </message>
    <message>
        <source>白番</source>
        <translation>White to move</translation>
    </message>
    <message>
        <source>%1 kB を超えています</source>
        <translation>it is larger than %1 kB</translation>
    </message>
    <message>
        <source>文字でないバイトがあります</source>
        <translation>it holds bytes that are not text</translation>
    </message>
    <message>
        <source>「*」で始まる見出し行がありません</source>
        <translation>it has no header line starting with &quot;*&quot;</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>FIFOです</source>
        <translation>it is a FIFO</translation>
    </message>
    <message>
        <source>デバイスです</source>
        <translation>it is a device</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>%1
は問題ファイルではありません: %2</source>
        <translation>%1
is not a problem file: %2</translation>
    </message>
    <message>
        <source>%1
は読めません: %2</source>
        <translation>%1
cannot be read: %2</translation>
    </message>
    <message>
        <source>目標石を選んでください: 印のある石が複数の連にあります %1</source>
        <translation>Choose the target stone: marked stones are in more than one chain %1</translation>
    </message>
    <message>
        <source>目標石を選んでください: 印 (MA, TR, SQ, CR) のある石がありません</source>
        <translation>Choose the target stone: no stone is marked (MA, TR, SQ, CR)</translation>
    </message>
    <message>
        <source>制限時間(秒)</source>
        <translation>Limit (sec)</translation>
    </message>
    <message>
        <source>自動応手</source>
        <translation>Replies</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>保存されていない変更があります。終了しますか？</source>
        <translation>There are changes that were not saved. Quit?</translation>
    </message>
    <message>
        <source>強化探索</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>同じ規則で探索の順序だけを変えます。通常の探索と答えが違うときは、通常の探索の答えを取ってください。</source>
        <translation>The same rules, only a different search order. Should its answer ever differ from the normal search&apos;s, take the normal search&apos;s.</translation>
    </message>
</context>
<context>
    <name>Ostrel</name>
    <message>
        <source>バージョン情報 Ostrel</source>
        <translation>About Ostrel</translation>
    </message>
    <message>
        <source>CPU数は1から16の範囲で入力して下さい</source>
        <translation>Enter a CPU count from 1 to 16</translation>
    </message>
    <message>
        <source>制限時間(秒)は1以上で入力して下さい</source>
        <translation>Enter a time limit of 1 second or more</translation>
    </message>
    <message>
        <source>石に呼吸点がありません</source>
        <translation>A stone has no liberty</translation>
    </message>
    <message>
        <source>黒石</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>白石</source>
        <translation>White</translation>
    </message>
    <message>
        <source>黒先</source>
        <translation>B first</translation>
    </message>
    <message>
        <source>白先</source>
        <translation>W first</translation>
    </message>
    <message>
        <source>目標石</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>目標石選択エラー</source>
        <translation>No target stone chosen</translation>
    </message>
    <message>
        <source>黒番／白番設定エラー</source>
        <translation>No side to move chosen</translation>
    </message>
    <message>
        <source>=== 開始 ===</source>
        <translation>=== Start ===</translation>
    </message>
    <message>
        <source>探索スレッドを%1個起動できませんでした</source>
        <translation>Could not start %1 search threads</translation>
    </message>
    <message>
        <source>黒石を打って下さい</source>
        <translation>Play a black stone</translation>
    </message>
    <message>
        <source>白石を打って下さい</source>
        <translation>Play a white stone</translation>
    </message>
    <message>
        <source>石を打って下さい</source>
        <translation>Play a stone</translation>
    </message>
    <message>
        <source>打てません</source>
        <translation>That move cannot be played</translation>
    </message>
    <message>
        <source>目標石が取られました</source>
        <translation>The target stone was captured</translation>
    </message>
    <message>
        <source>手番設定エラー</source>
        <translation>The file gives no side to move</translation>
    </message>
    <message>
        <source>黒番／白番が入力されていません</source>
        <translation>No side to move is set</translation>
    </message>
    <message>
        <source>目標石が入力されていません</source>
        <translation>No target stone is set</translation>
    </message>
    <message>
        <source>保存できませんでした</source>
        <translation>Could not save</translation>
    </message>
    <message>
        <source>Quenloの詰碁 proof number search</source>
        <translation>Quenlo&apos;s tsumego proof number search</translation>
    </message>
    <message>
        <source>FILE読込</source>
        <translation>Load file</translation>
    </message>
    <message>
        <source>盤面設定</source>
        <translation>Set up</translation>
    </message>
    <message>
        <source>FILE書込</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>全部解く</source>
        <translation>Solve all</translation>
    </message>
    <message>
        <source>パス</source>
        <translation>Pass</translation>
    </message>
    <message>
        <source>CPU数(1-16)</source>
        <translation>CPUs (1-16)</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>最初から</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Quenloの詰碁( proof number search ) V7.22I</source>
        <translation>Quenlo&apos;s tsumego ( proof number search ) V7.22I</translation>
    </message>
    <message>
        <source>バージョン情報 Ostrel(&amp;A)...</source>
        <translation>&amp;About Ostrel...</translation>
    </message>
    <message>
        <source>読み打ち切り time=%1[sec]</source>
        <translation>Search cut off time=%1[sec]</translation>
    </message>
    <message>
        <source>死に</source>
        <translation>dead</translation>
    </message>
    <message>
        <source>生き</source>
        <translation>alive</translation>
    </message>
    <message>
        <source>コウ</source>
        <translation>ko</translation>
    </message>
    <message>
        <source>%1  %2[sec]  メモリ %3MByte</source>
        <translation>%1  %2[sec]  memory %3MByte</translation>
    </message>
    <message>
        <source>打つ手が有りません</source>
        <translation>No move to show</translation>
    </message>
    <message>
        <source>Judged 回数 %1 回  読深さ %2</source>
        <translation>Judged %1 times  depth %2</translation>
    </message>
    <message>
        <source>詰碁</source>
        <translation>Tsumego</translation>
    </message>
</context>
</TS>
