<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>keldra</name>
    <message>
        <source>ﾌｧｲﾙ %1 は開けません</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>'%1' は整数ではありません</source>
        <translation>'%1' is not an integer</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ %1 を作成できません</source>
        <translation>Cannot create file %1</translation>
    </message>
    <message>
        <source>%1 行目の '%2' は石の値 (0, 1, 2) ではありません</source>
        <translation>Line %1: '%2' is not a stone code (0, 1, 2)</translation>
    </message>
    <message>
        <source>ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています</source>
        <translation>The file has fewer than 169 lines</translation>
    </message>
    <message>
        <source>%1 路盤</source>
        <translation>%1x%1 board</translation>
    </message>
    <message>
        <source>%1×%2 路盤</source>
        <translation>%1x%2 board</translation>
    </message>
    <message>
        <source>石が 13 路盤の隅に収まりません（%1）</source>
        <translation>The stones do not fit a corner of the 13x13 board (%1)</translation>
    </message>
    <message>
        <source>白の周りが盤の端に接するため 13 路盤に移せません（%1）</source>
        <translation>Cannot move to the 13x13 board: the stones around white touch the board's edge (%1)</translation>
    </message>
    <message>
        <source>白先の問題のため色を入れ替えました</source>
        <translation>White to play in the file: the colours were swapped</translation>
    </message>
    <message>
        <source>SGF の書式が正しくありません（%1 行目）</source>
        <translation>The SGF is malformed (line %1)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ %1 は大きすぎます</source>
        <translation>File %1 is too large</translation>
    </message>
    <message>
        <source>盤の大きさ SZ[%1] には対応していません</source>
        <translation>Board size SZ[%1] is not supported</translation>
    </message>
    <message>
        <source>座標 [%1] は盤の上にありません</source>
        <translation>Point [%1] is not on the board</translation>
    </message>
    <message>
        <source>ゲームツリー %1 はありません（全 %2）</source>
        <translation>There is no game tree %1 (the file has %2)</translation>
    </message>
    <message>
        <source>囲碁の棋譜ではありません</source>
        <translation>Not a Go game record</translation>
    </message>
    <message>
        <source>SGF のゲームツリーがありません</source>
        <translation>The SGF holds no game tree</translation>
    </message>
    <message>
        <source>設定ファイル %1 は通常のファイルではないため、既定の設定で始めます</source>
        <translation>The settings file %1 is not a regular file; starting with the default settings</translation>
    </message>
    <message>
        <source>設定ファイル %1 は大きすぎる（1 MiB 超）ため、既定の設定で始めます</source>
        <translation>The settings file %1 is too large (over 1 MiB); starting with the default settings</translation>
    </message>
    <message>
        <source>詰碁 (*.go)</source>
        <translation>Problems (*.go)</translation>
    </message>
    <message>
        <source>ZORVEK　VER 2.05</source>
        <translation>ZORVEK VER 2.05</translation>
    </message>
    <message>
        <source>黒先白死のみ対応</source>
        <translation>Black to play and kill only</translation>
    </message>
    <message>
        <source>戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>再生します</source>
        <translation>Replays the game</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>入力．対局</source>
        <translation>Input/Play</translation>
    </message>
    <message>
        <source>入力モードと対局モードをクリックすると切り替えます</source>
        <translation>Click to switch between input mode and play mode</translation>
    </message>
    <message>
        <source>解答時間（秒）</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>速　再生速度　遅</source>
        <translation>Fast  Speed  Slow</translation>
    </message>
    <message>
        <source>解答</source>
        <translation>Solve</translation>
    </message>
    <message>
        <source>問題を解きます</source>
        <translation>Solves the problem</translation>
    </message>
    <message>
        <source>問題</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>問題を選択する</source>
        <translation>Choose a problem</translation>
    </message>
    <message>
        <source>左クリック</source>
        <translation>Left click</translation>
    </message>
    <message>
        <source>右クリック</source>
        <translation>Right click</translation>
    </message>
    <message>
        <source>白範囲</source>
        <translation>White range</translation>
    </message>
    <message>
        <source>黒範囲</source>
        <translation>Black range</translation>
    </message>
    <message>
        <source>白ヒント</source>
        <translation>White hint</translation>
    </message>
    <message>
        <source>黒ヒント</source>
        <translation>Black hint</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>名前をつけて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>SGF を開く(&amp;G)...</source>
        <translation>Open S&amp;GF...</translation>
    </message>
    <message>
        <source>SGF で保存(&amp;E)...</source>
        <translation>Sav&amp;e as SGF...</translation>
    </message>
    <message>
        <source>前の問題(&amp;P)</source>
        <translation>&amp;Previous problem</translation>
    </message>
    <message>
        <source>次の問題(&amp;N)</source>
        <translation>&amp;Next problem</translation>
    </message>
    <message>
        <source>検討(&amp;A)</source>
        <translation>&amp;Analyse</translation>
    </message>
    <message>
        <source>検証(&amp;V)</source>
        <translation>&amp;Verify</translation>
    </message>
    <message>
        <source>検証で応じる(&amp;S)</source>
        <translation>White an&amp;swers by verifying</translation>
    </message>
    <message>
        <source>システムの言語</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>そこは、だめです。</source>
        <translation>You cannot play there.</translation>
    </message>
    <message>
        <source>詰みました。黒の勝ち。</source>
        <translation>White is dead. Black wins.</translation>
    </message>
    <message>
        <source>失敗です。黒の負け。</source>
        <translation>White lives. Black loses.</translation>
    </message>
    <message>
        <source>対局</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>ZORVEK　ＶＥＲ２．０４       問題  =  </source>
        <translation>ZORVEK VER 2.04       Problem  =  </translation>
    </message>
    <message>
        <source>X=%1 Y=%2 を計算中</source>
        <translation>X=%1 Y=%2 reading</translation>
    </message>
    <message>
        <source>X=%1 Y=%2 を再計算中</source>
        <translation>X=%1 Y=%2 counting</translation>
    </message>
    <message>
        <source>解答不能</source>
        <translation>No solution found</translation>
    </message>
    <message>
        <source>%1秒かかりました。</source>
        <translation>Took %1 seconds.</translation>
    </message>
    <message>
        <source>　　白　が思考中</source>
        <translation>    White is thinking</translation>
    </message>
    <message>
        <source>　　黒　が思考中</source>
        <translation>    Black is thinking</translation>
    </message>
    <message>
        <source>解答時間</source>
        <translation>Time to solve</translation>
    </message>
    <message>
        <source>白の打てる範囲です</source>
        <translation>Where white can play</translation>
    </message>
    <message>
        <source>黒の打てる範囲です</source>
        <translation>Where black can play</translation>
    </message>
    <message>
        <source>これが最後の問題です</source>
        <translation>This is the last problem</translation>
    </message>
    <message>
        <source>これが最初の問題です</source>
        <translation>This is the first problem</translation>
    </message>
    <message>
        <source>　</source>
        <translation> </translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>検証中（Escで中止）</source>
        <translation>Verifying (Esc stops)</translation>
    </message>
    <message>
        <source>黒先白死（無条件）</source>
        <translation>Black kills (unconditionally)</translation>
    </message>
    <message>
        <source>コウで白死</source>
        <translation>White dies by ko</translation>
    </message>
    <message>
        <source>白生き</source>
        <translation>White lives</translation>
    </message>
    <message>
        <source>セキで白生き</source>
        <translation>White lives in seki</translation>
    </message>
    <message>
        <source>判定できません</source>
        <translation>Undecided</translation>
    </message>
    <message>
        <source>囲まれた白石がありません。</source>
        <translation>No white stones are enclosed.</translation>
    </message>
    <message>
        <source>殺す手：%1</source>
        <translation>Killing moves: %1</translation>
    </message>
    <message>
        <source>コウで殺す手：%1</source>
        <translation>Killing by ko: %1</translation>
    </message>
    <message>
        <source>検証を中止しました。</source>
        <translation>Verification stopped.</translation>
    </message>
    <message>
        <source>時間内に調べ切れない手がありました。</source>
        <translation>Some moves could not be read out in time.</translation>
    </message>
    <message>
        <source>手順：</source>
        <translation>Line:</translation>
    </message>
    <message>
        <source>パス</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>　　検証中</source>
        <translation>    Verifying</translation>
    </message>
    <message>
        <source>白はパス  検証</source>
        <translation>White passes  verified</translation>
    </message>
    <message>
        <source>X= %1  Y= %2  検証</source>
        <translation>X= %1  Y= %2  verified</translation>
    </message>
    <message>
        <source>＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝</source>
        <translation>=============================================</translation>
    </message>
    <message>
        <source>－－－－－－－－－－－－－－－－－－－－－－－－－－－－－</source>
        <translation>---------------------------------------------</translation>
    </message>
    <message>
        <source>■Ver2.04との違い</source>
        <translation>■What is new since Ver2.04</translation>
    </message>
    <message>
        <source>・画面の解像度　800×600　と　640×480　に対応しました。</source>
        <translation>- The board and buttons fit screens of 800x600 and 640x480,</translation>
    </message>
    <message>
        <source>　どちらの解像度でも、盤とボタンが画面に収まります。</source>
        <translation>  and the window fills whatever screen it starts on.</translation>
    </message>
    <message>
        <source>・640×480 では、盤と文字が少し小さくなります。</source>
        <translation>- On 640x480 the board and the texts are a little smaller.</translation>
    </message>
    <message>
        <source>■配布ファイル</source>
        <translation>■Files that come with the program</translation>
    </message>
    <message>
        <source>　問題ファイルは、ﾌｧｲﾙメニューの「開く」で呼び出せます。</source>
        <translation>  Open a problem file with "Open" in the File menu.</translation>
    </message>
    <message>
        <source>■動作環境、動作方法</source>
        <translation>■Where it runs, and how to start it</translation>
    </message>
    <message>
        <source>　設定は ~/.config/ZORVEK/keldra.conf に残ります。</source>
        <translation>  The settings stay in ~/.config/ZORVEK/keldra.conf.</translation>
    </message>
    <message>
        <source>■このソフトについて</source>
        <translation>■About this program</translation>
    </message>
    <message>
        <source>　これまでの詰碁ソフトは、あらかじめ記録された答えを</source>
        <translation>  Life-and-death programs used to replay answers</translation>
    </message>
    <message>
        <source>　再生するだけのものでした。</source>
        <translation>  that were stored beforehand.</translation>
    </message>
    <message>
        <source>　このソフトは、コンピュータが自分で考えて解きます。</source>
        <translation>  This program reads the problem out by itself,</translation>
    </message>
    <message>
        <source>　そのため、初めて見る問題でも、解くことができます。</source>
        <translation>  so it can solve problems it has never seen.</translation>
    </message>
    <message>
        <source>　ただし、まだ、すべての問題を解けるわけではありません。</source>
        <translation>  It cannot solve every problem yet, though.</translation>
    </message>
    <message>
        <source>　解ける問題を、いくつか付けておきました。</source>
        <translation>  A few problems it can solve come with it.</translation>
    </message>
    <message>
        <source>　問題は、13路盤の詰碁で、黒先白死のものに限ります。</source>
        <translation>  Problems are on a 13x13 board: black to play and kill.</translation>
    </message>
    <message>
        <source>　考える手数は、12手先までです。</source>
        <translation>  It reads up to 12 moves ahead.</translation>
    </message>
    <message>
        <source>　問題によっては、答えが出るまでに時間がかかります。</source>
        <translation>  Some problems take a while to answer.</translation>
    </message>
    <message>
        <source>　考えている間は、時間の欄の下に、調べている手が表示されます。</source>
        <translation>  While it thinks, the move it is reading shows below the time box.</translation>
    </message>
    <message>
        <source>■操作方法</source>
        <translation>■How to use it</translation>
    </message>
    <message>
        <source>〇問題の入力方法</source>
        <translation>o Entering a problem</translation>
    </message>
    <message>
        <source>　入力．対局ボタンの表示が「対局」のときは、押して入力モードにします。</source>
        <translation>  When the mode button reads "Play", press it for input mode.</translation>
    </message>
    <message>
        <source>　まず、消去ボタンで盤をきれいにします。</source>
        <translation>  First clear the board with the Clear button.</translation>
    </message>
    <message>
        <source>　入力モードで、盤の上を左クリックすると黒石を置きます。</source>
        <translation>  In input mode, a left click on the board puts a black stone,</translation>
    </message>
    <message>
        <source>　右クリックすると白石を置きます。</source>
        <translation>  a right click a white stone.</translation>
    </message>
    <message>
        <source>　置いた石をクリックすると、その石を取り除きます。</source>
        <translation>  Clicking a stone takes it off again.</translation>
    </message>
    <message>
        <source>〇問題の保存方法</source>
        <translation>o Saving a problem</translation>
    </message>
    <message>
        <source>　ﾌｧｲﾙメニューの「名前をつけて保存」を選びます。</source>
        <translation>  Choose "Save As" in the File menu.</translation>
    </message>
    <message>
        <source>　ファイル名は、拡張子を付けずに入力してください。</source>
        <translation>  Type the file name without an extension:</translation>
    </message>
    <message>
        <source>　拡張子「.go」は、自動的に付きます。</source>
        <translation>  ".go" is added by itself.</translation>
    </message>
    <message>
        <source>　保存した問題は、「開く」で何度でも呼び出せます。</source>
        <translation>  A saved problem opens again with "Open" as often as you like.</translation>
    </message>
    <message>
        <source>〇ボタン説明</source>
        <translation>o The buttons</translation>
    </message>
    <message>
        <source>　モードボタンは、押すたびに　入力→対局→入力　と切り替わります。</source>
        <translation>  The mode button switches input -&gt; play -&gt; input at each press.</translation>
    </message>
    <message>
        <source>◆入力．対局ボタン：</source>
        <translation>* Input/Play button:</translation>
    </message>
    <message>
        <source>　入力モードと対局モードを切り替える。</source>
        <translation>  switches between input mode and play mode.</translation>
    </message>
    <message>
        <source>◆終了ボタン：終了する。</source>
        <translation>* Quit button: ends the program.</translation>
    </message>
    <message>
        <source>◆解答ボタン：問題を呼び出してから、クリックする。</source>
        <translation>* Solve button: open a problem, then click it.</translation>
    </message>
    <message>
        <source>　コンピュータが、自動的に問題を解きます。</source>
        <translation>  The computer solves the problem by itself.</translation>
    </message>
    <message>
        <source>○遊び方（コンピュータと対局）</source>
        <translation>o Playing against the computer</translation>
    </message>
    <message>
        <source>　1．ﾌｧｲﾙメニューの「開く」で、問題を呼び出します。</source>
        <translation>  1. Open a problem with "Open" in the File menu.</translation>
    </message>
    <message>
        <source>　2．入力．対局ボタンを押して、対局モードにします。</source>
        <translation>  2. Press the Input/Play button for play mode.</translation>
    </message>
    <message>
        <source>　3．黒の打つ場所を、クリックします。</source>
        <translation>  3. Click where black plays.</translation>
    </message>
    <message>
        <source>　　　白は、コンピュータが自動的に打ちます。</source>
        <translation>     The computer answers for white by itself.</translation>
    </message>
    <message>
        <source>　4．打ち間違えたときは、戻すボタンで戻します。</source>
        <translation>  4. After a wrong move, take it back with the Undo button.</translation>
    </message>
    <message>
        <source>　　　進むボタンで、戻した手を進めることもできます。</source>
        <translation>     The Redo button plays a taken-back move again.</translation>
    </message>
    <message>
        <source>　5．白を取り切れば、黒の勝ちです。</source>
        <translation>  5. Black wins when white's group is captured.</translation>
    </message>
    <message>
        <source>　6．打てない場所をクリックすると、「そこは、だめです。」と表示されます。</source>
        <translation>  6. A click on a point where black cannot play says "You cannot play there."</translation>
    </message>
    <message>
        <source>　　　対局の手順は、再生ボタンで見直せます。</source>
        <translation>     The Replay button shows the game's moves again.</translation>
    </message>
    <message>
        <source>※甲の時、打てない場所は、黄色で表示。</source>
        <translation>* In a ko, the point that may not be retaken shows in yellow.</translation>
    </message>
    <message>
        <source>○遊び方（詰碁「黒先白死」を自動解答）</source>
        <translation>o Letting the computer solve "black to play and kill"</translation>
    </message>
    <message>
        <source>　2．解答ボタンを押すと、コンピュータが問題を解きます。</source>
        <translation>  2. Press the Solve button and the computer solves it.</translation>
    </message>
    <message>
        <source>　　　答えの手順は、右下の欄に表示されます。</source>
        <translation>     The moves of the answer show in the box at the bottom right.</translation>
    </message>
    <message>
        <source>　3．もう一度見たいときは、再生ボタンを押します。</source>
        <translation>  3. Press the Replay button to see them again.</translation>
    </message>
    <message>
        <source>　4．再生の速さは、再生速度のバーで調節します。</source>
        <translation>  4. The replay speed bar sets how fast they are replayed:</translation>
    </message>
    <message>
        <source>　　　左にするほど速く、右にするほど遅くなります。</source>
        <translation>     faster to the left, slower to the right.</translation>
    </message>
    <message>
        <source>　5．消去ボタンを押すと、盤と答えの欄が消えます。</source>
        <translation>  5. The Clear button empties the board and the answer box.</translation>
    </message>
    <message>
        <source>※盤が正しく表示されないときは、画面の解像度を</source>
        <translation>* If the board does not show properly, try a screen of</translation>
    </message>
    <message>
        <source>　800×600 にして、お試しください。</source>
        <translation>  800x600.</translation>
    </message>
    <message>
        <source>　このソフトは、800×600 で開発しました。</source>
        <translation>  The program was developed on 800x600.</translation>
    </message>
    <message>
        <source>■SGF ファイルと問題集</source>
        <translation>■SGF files and problem collections</translation>
    </message>
    <message>
        <source>・ﾌｧｲﾙメニューの「SGF を開く」で、</source>
        <translation>- "Open SGF" in the File menu opens</translation>
    </message>
    <message>
        <source>　SGF 形式の詰碁を開きます。</source>
        <translation>  a problem in SGF.</translation>
    </message>
    <message>
        <source>　「開く」や「問題」でも、.sgf の</source>
        <translation>  "Open" and the Load button open</translation>
    </message>
    <message>
        <source>　ファイルはそのまま開けます。</source>
        <translation>  .sgf files as they are, too.</translation>
    </message>
    <message>
        <source>・19 路盤や 9 路盤の問題は、石のある隅を</source>
        <translation>- On a 19x19 or 9x9 board, the corner with the stones</translation>
    </message>
    <message>
        <source>　13 路盤の同じ隅に移します。</source>
        <translation>  moves to the same corner of the 13x13 board.</translation>
    </message>
    <message>
        <source>　隅に収まらない問題は開けません。</source>
        <translation>  A problem that does not fit a corner does not open.</translation>
    </message>
    <message>
        <source>・白先の問題は白黒を入れ替えて黒先にし、</source>
        <translation>- A white-to-play problem gets its colours swapped</translation>
    </message>
    <message>
        <source>　メモ欄にその旨を表示します。</source>
        <translation>  to black to play, and the memo says so.</translation>
    </message>
    <message>
        <source>・1 つのファイルに問題がいくつもあるときは、</source>
        <translation>- When a file holds several problems,</translation>
    </message>
    <message>
        <source>　題名に (何番目/全部) を表示します。</source>
        <translation>  the caption shows (which/how many).</translation>
    </message>
    <message>
        <source>・「前の問題」「次の問題」</source>
        <translation>- "Previous problem" and "Next problem"</translation>
    </message>
    <message>
        <source>　（PageUp／PageDown）で、同じフォルダの</source>
        <translation>  (PageUp/PageDown) open the problems</translation>
    </message>
    <message>
        <source>　問題（.go と .sgf、名前順）を順に</source>
        <translation>  (.go and .sgf, by name) of the same folder</translation>
    </message>
    <message>
        <source>　開きます。問題集のファイルでは、</source>
        <translation>  in turn. In a collection file they first</translation>
    </message>
    <message>
        <source>　まずその中の問題を順に進みます。</source>
        <translation>  step through the problems inside it.</translation>
    </message>
    <message>
        <source>・「SGF で保存」は、始めの局面と棋譜、</source>
        <translation>- "Save as SGF" saves the starting position,</translation>
    </message>
    <message>
        <source>　メモ欄の文章を保存します。</source>
        <translation>  the game's moves and the text of the memo.</translation>
    </message>
    <message>
        <source>・ファイルをウィンドウにドロップするか、</source>
        <translation>- A file dropped on the window opens,</translation>
    </message>
    <message>
        <source>　「keldra ファイル名」で起動しても</source>
        <translation>  and so does one named at the start,</translation>
    </message>
    <message>
        <source>　開けます。</source>
        <translation>  as "keldra FILE".</translation>
    </message>
    <message>
        <source>■検討（検証）</source>
        <translation>■Analyse (Verify)</translation>
    </message>
    <message>
        <source>　検討メニューの「検証」（F5キー）で、盤の局面を黒番として</source>
        <translation>  "Verify" in the Analyse menu (F5) reads the board out to the end</translation>
    </message>
    <message>
        <source>　最後まで読み切り、本当に白が死ぬかどうかを確かめます。</source>
        <translation>  with black to play, and tells whether white really dies.</translation>
    </message>
    <message>
        <source>　盤の石と対局の手順は、変わりません。</source>
        <translation>  The stones on the board and the game's moves stay as they are.</translation>
    </message>
    <message>
        <source>　結果は、右下の欄に表示されます。</source>
        <translation>  The result shows in the box at the bottom right.</translation>
    </message>
    <message>
        <source>・黒先白死（無条件）：コウにならずに白を取れます。</source>
        <translation>- Black kills (unconditionally): black captures white without a ko.</translation>
    </message>
    <message>
        <source>・コウで白死：コウに勝てば白を取れます。</source>
        <translation>- White dies by ko: black captures white by winning a ko.</translation>
    </message>
    <message>
        <source>・白生き、セキで白生き：黒がどう打っても白は生きます。</source>
        <translation>- White lives, white lives in seki: white lives whatever black plays.</translation>
    </message>
    <message>
        <source>・判定できません：時間内に読み切れませんでした。</source>
        <translation>- Undecided: the reading did not finish in time.</translation>
    </message>
    <message>
        <source>　白を殺す初手は、盤に緑の四角で、コウで殺す初手は</source>
        <translation>  First moves that kill are marked with green squares on the board,</translation>
    </message>
    <message>
        <source>　だいだい色の四角で示します。盤が変わると消えます。</source>
        <translation>  those that kill by ko with orange ones; they go when the board changes.</translation>
    </message>
    <message>
        <source>　手順は、殺す初手からの白の最強の抵抗です。</source>
        <translation>  The line is white's strongest resistance after the killing first move.</translation>
    </message>
    <message>
        <source>　検証中に Esc キーを押すと、中止します。</source>
        <translation>  Esc stops a running verification.</translation>
    </message>
    <message>
        <source>・「検証で応じる」にチェックを付けると、対局で白が</source>
        <translation>- With "Answer by verifying" ticked, white answers in a game</translation>
    </message>
    <message>
        <source>　検証の読みで応じます。黒の手で白が生きるときは</source>
        <translation>  from the verified reading: when white can live after black's move</translation>
    </message>
    <message>
        <source>　生きる手を、死ぬときは最も長く粘る手を打ちます。</source>
        <translation>  it plays a living move, when it dies the move that resists longest.</translation>
    </message>
    <message>
        <source>　白がパスを選んだときは、白は打たずに黒の番になります。</source>
        <translation>  When white chooses to pass, it plays nowhere and black is to play.</translation>
    </message>
    <message>
        <source>　読み切れないときは、いつもの応手で打ちます。</source>
        <translation>  When the reading does not finish, white answers as usual.</translation>
    </message>
    <message>
        <source>　この設定は、次に起動したときも残ります。</source>
        <translation>  The setting is kept for the next start.</translation>
    </message>
    <message>
        <source>■その他</source>
        <translation>■Other</translation>
    </message>
    <message>
        <source>・不具合を見つけたときは、メールでお知らせください。</source>
        <translation>- Please tell us by e-mail when you find a fault.</translation>
    </message>
    <message>
        <source>・ご意見、ご感想も、お待ちしています。</source>
        <translation>- Your opinions and impressions are welcome too.</translation>
    </message>
    <message>
        <source>・このソフトを使用したことによって生じた、いかなる損害に</source>
        <translation>- We take no responsibility for any damage</translation>
    </message>
    <message>
        <source>　ついても、責任を負いません。</source>
        <translation>  that comes from using this program.</translation>
    </message>
    <message>
        <source>・このソフトは、フリーソフトです。</source>
        <translation>- This program is free software.</translation>
    </message>
    <message>
        <source>　自由にコピーして、お使いください。</source>
        <translation>  Copy it and use it freely.</translation>
    </message>
    <message>
        <source>　ZORVEK サポート窓口</source>
        <translation>  ZORVEK support</translation>
    </message>
    <message>
        <source>　E-mail　：support@zorvek.example</source>
        <translation>  E-mail: support@zorvek.example</translation>
    </message>
    <message>
        <source>　ホームページ：https://zorvek.example/</source>
        <translation>  Web site: https://zorvek.example/</translation>
    </message>
    <message>
        <source>　最新版は、ホームページから入手できます。</source>
        <translation>  The latest version is on the web site,</translation>
    </message>
    <message>
        <source>　改良したときは、ホームページでお知らせします。</source>
        <translation>  where improvements are announced.</translation>
    </message>
    <message>
        <source>E-mail　support@zorvek.example</source>
        <translation>E-mail  support@zorvek.example</translation>
    </message>
    <message>
        <source>質問．意見．感想は、上記　ｱﾄﾞﾚｽに、お願いします。</source>
        <translation>Questions, comments: please write to the address above.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ZORVEKソフト　デスクトップ版    Ver2.05</source>
        <translation>ZORVEK for the desktop    Ver2.05</translation>
    </message>
    <message>
        <source>・SGF ファイルを開き、SGF で保存できます。</source>
        <translation>- SGF files open, and problems save as SGF.</translation>
    </message>
    <message>
        <source>・検討メニューの「検証」で、答えを最後まで確かめます。</source>
        <translation>- "Verify" in the Analyse menu reads a problem out to the end.</translation>
    </message>
    <message>
        <source>・言語メニューで、日本語と英語を選べます。</source>
        <translation>- The Language menu chooses Japanese or English.</translation>
    </message>
    <message>
        <source>　keldra　　　　　　　本体（ウィンドウの実行ファイル）</source>
        <translation>  keldra            the program (the window)</translation>
    </message>
    <message>
        <source>　keldra-cli　　　　　コマンドラインで解く実行ファイル</source>
        <translation>  keldra-cli        the same solver on the command line</translation>
    </message>
    <message>
        <source>　share/keldra/problems　　問題ファイル 9 題</source>
        <translation>  share/keldra/problems    nine problem files,</translation>
    </message>
    <message>
        <source>　　01-bent-three.go　から　09-which-side.go　まで</source>
        <translation>    01-bent-three.go to 09-which-side.go</translation>
    </message>
    <message>
        <source>　share/keldra/translations　　英語の表示</source>
        <translation>  share/keldra/translations    the English texts</translation>
    </message>
    <message>
        <source>　デスクトップの項目とアイコン（SGF ファイルも開けます）</source>
        <translation>  a desktop entry and icon (SGF files open with it too)</translation>
    </message>
    <message>
        <source>・Linux のデスクトップ（Debian 12 など、Qt 6）で動作します。</source>
        <translation>- It runs on a Linux desktop (Debian 12 or the like, Qt 6).</translation>
    </message>
    <message>
        <source>・ソースからは、scripts/run.sh が必要なものを入れて作り、</source>
        <translation>- From the sources, scripts/run.sh installs what is missing,</translation>
    </message>
    <message>
        <source>　起動します。</source>
        <translation>  builds the program and starts it.</translation>
    </message>
    <message>
        <source>・「keldra」または「keldra ファイル名」で起動します。</source>
        <translation>- Start it as "keldra" or "keldra FILE".</translation>
    </message>
    <message>
        <source>・起動中に「keldra ファイル名」で起動すると、そのファイルは</source>
        <translation>- "keldra FILE" while it runs opens FILE in the running</translation>
    </message>
    <message>
        <source>　起動中のウィンドウで開きます。ウィンドウは一つだけです。</source>
        <translation>  window; there is only ever one window.</translation>
    </message>
    <message>
        <source>・盤とボタンは、画面の大きさに合わせて並びます。</source>
        <translation>- The board and buttons are laid out for the screen's size.</translation>
    </message>
    <message>
        <source>・アンインストールは、インストールしたファイルを削除してください。</source>
        <translation>- To uninstall, delete the installed files.</translation>
    </message>
    <message>
        <source>問題集モード(&amp;T)</source>
        <translation>S&amp;tudy mode</translation>
    </message>
    <message>
        <source>次の未解決の問題(&amp;U)</source>
        <translation>Next &amp;unsolved problem</translation>
    </message>
    <message>
        <source>解答図</source>
        <translation>Solution tree</translation>
    </message>
    <message>
        <source>未確定の手：%1（一覧は不完全です）</source>
        <translation>Undecided moves: %1 (the lists are incomplete)</translation>
    </message>
    <message>
        <source>正解</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>コウ</source>
        <translation>Ko</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Wrong</translation>
    </message>
    <message>
        <source>初手 %1：%2</source>
        <translation>First move %1: %2</translation>
    </message>
    <message>
        <source>検証：判定できません</source>
        <translation>Check: undecided</translation>
    </message>
    <message>
        <source>検証：正しい</source>
        <translation>Check: correct</translation>
    </message>
    <message>
        <source>検証：コウ</source>
        <translation>Check: ko</translation>
    </message>
    <message>
        <source>検証：誤り（白 パス で生き）</source>
        <translation>Check: wrong (White lives by passing)</translation>
    </message>
    <message>
        <source>検証：誤り（白 %1 で生き）</source>
        <translation>Check: wrong (White lives at %1)</translation>
    </message>
    <message>
        <source>不正解</source>
        <translation>Wrong</translation>
    </message>
    <message>
        <source>正解！</source>
        <translation>Solved!</translation>
    </message>
    <message>
        <source>PageDown：次の問題</source>
        <translation>PageDown: next problem</translation>
    </message>
    <message>
        <source>R：やり直す</source>
        <translation>R: try again</translation>
    </message>
    <message>
        <source>白 %1 で生き</source>
        <translation>White lives at %1</translation>
    </message>
    <message>
        <source>白 パス で生き</source>
        <translation>White lives by passing</translation>
    </message>
    <message>
        <source>%1/%2 解いた</source>
        <translation>%1/%2 solved</translation>
    </message>
    <message>
        <source>未解決の問題はありません</source>
        <translation>No unsolved problems left</translation>
    </message>
    <message>
        <source>問題集の解答</source>
        <translation>Solution from the problem file</translation>
    </message>
    <message>
        <source>検証の解答図：%1</source>
        <translation>Solution tree from the proof: %1</translation>
    </message>
    <message>
        <source>解答図がありません</source>
        <translation>No solution tree</translation>
    </message>
    <message>
        <source>・</source>
        <translation>·</translation>
    </message>
    <message>
        <source>（以下略：%1 手）</source>
        <translation>(%1 more moves not shown)</translation>
    </message>
    <message>
        <source>記録ファイルが壊れていたので %1 に移して、新しく記録します。</source>
        <translation>The progress file was damaged: it was moved to %1 and a new one is started.</translation>
    </message>
    <message>
        <source>記録ファイルに書き込めません（%1）。この間の記録は保存されません。</source>
        <translation>Cannot write the progress file (%1). Progress made now will not be saved.</translation>
    </message>
    <message>
        <source>黒 %1</source>
        <translation>Black %1</translation>
    </message>
    <message>
        <source>白 %1</source>
        <translation>White %1</translation>
    </message>
    <message>
        <source>対象：%1 の石</source>
        <translation>Target: the group of the stone at %1</translation>
    </message>
    <message>
        <source>注意：白の周りが元の盤の端に接しています。13 路盤では結果が変わることがあります（%1）</source>
        <translation>Note: White's area touches the edge of the original board. On the 13×13 board the result may differ (%1).</translation>
    </message>
    <message>
        <source>解答図が大きすぎるため一部を読み込みませんでした</source>
        <translation>The solution tree is too large; part of it was not read.</translation>
    </message>
    <message>
        <source>劣るコウの手：%1</source>
        <translation>Weaker kos: %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>白はコウ材 4 以上</source>
        <translation>white needs 4 or more ko threats</translation>
    </message>
    <message>
        <source>黒はコウ材 4 以上</source>
        <translation>black needs 4 or more ko threats</translation>
    </message>
    <message>
        <source>白はコウ材 %1</source>
        <translation>white needs %1 ko threats</translation>
    </message>
    <message>
        <source>黒はコウ材 %1</source>
        <translation>black needs %1 ko threats</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>死に形</source>
        <translation>Dead shape</translation>
    </message>
</context>
</TS>
