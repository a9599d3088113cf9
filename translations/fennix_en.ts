<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>BandSurvey</name>
        <message>
            <source>ステップは 1 Hz 以上にしてください。</source>
            <translation>The step must be 1 Hz or more.</translation>
        </message>
        <message>
            <source>範囲が受信機の受信範囲の外です。</source>
            <translation>The range is outside the receiver's range.</translation>
        </message>
        <message>
            <source>点の数が 5,000 を超えます。範囲を狭めるかステップを広げてください。</source>
            <translation>More than 5,000 points. Narrow the range or widen the step.</translation>
        </message>
        <message>
            <source>同調中の周波数を含むバンドがリストにありません。</source>
            <translation>No band of the list holds the tuned frequency.</translation>
        </message>
        <message>
            <source>バンド調査の記録を書き込めません。調査はそのまま続けます。</source>
            <translation>Cannot write the survey file. The survey goes on.</translation>
        </message>
    </context>
    <context>
        <name>Comm</name>
        <message>
            <source>オープンエラー ErrorCode = %1</source>
            <translation>Open error ErrorCode = %1</translation>
        </message>
        <message>
            <source>入出力エラー ErrorCode = %1</source>
            <translation>I/O error ErrorCode = %1</translation>
        </message>
        <message>
            <source>通信が開始されていない。</source>
            <translation>Communication has not been started.</translation>
        </message>
        <message>
            <source>送信データ長が長すぎる。</source>
            <translation>The data to send is too long.</translation>
        </message>
    </context>
    <context>
        <name>CsvDialogs</name>
        <message>
            <source>Fennix CSV, UTF-8 BOM 付き・表計算ソフト向け (*.csv)</source>
            <translation>Fennix CSV, UTF-8 with BOM, for spreadsheets (*.csv)</translation>
        </message>
        <message>
            <source>CSV・JSON (*.csv *.CSV *.json *.JSON)</source>
            <translation>CSV, JSON (*.csv *.CSV *.json *.JSON)</translation>
        </message>
        <message>
            <source>すべてのファイル (*)</source>
            <translation>All files (*)</translation>
        </message>
        <message>
            <source>CSV 書き出し</source>
            <translation>Export CSV</translation>
        </message>
        <message>
            <source>CSV 読み込み</source>
            <translation>Import CSV</translation>
        </message>
        <message>
            <source>メモリーが足りず、ファイルを読み込めませんでした。</source>
            <translation>Not enough memory; the file was not read.</translation>
        </message>
        <message>
            <source>読み込んでいます…</source>
            <translation>Reading…</translation>
        </message>
        <message>
            <source>やめる</source>
            <translation>Stop</translation>
        </message>
        <message>
            <source>検索条件に合う %1 件だけを書き出しますか？</source>
            <translation>Export only the %1 stations that match the search?</translation>
        </message>
        <message>
            <source>は い</source>
            <translation>Yes</translation>
        </message>
        <message>
            <source>い い え</source>
            <translation>No</translation>
        </message>
        <message>
            <source>メモリー (F1～F8) も書き出しますか？</source>
            <translation>Export the memories (F1 to F8) as well?</translation>
        </message>
        <message>
            <source>帯域 (PROG) の %1 件は書き出していません (%2 は一つの周波数だけを持ちます)。</source>
            <translation>%1 bands (PROG) were not exported (%2 holds single frequencies only).</translation>
        </message>
        <message>
            <source>%1 に書き込めません (%2)。</source>
            <translation>Cannot write %1 (%2).</translation>
        </message>
        <message>
            <source>%1 を開けません (%2)。</source>
            <translation>Cannot open %1 (%2).</translation>
        </message>
        <message>
            <source>%1
追加できる行はありません。</source>
            <translation>%1
There are no lines to add.</translation>
        </message>
        <message>
            <source>%1
追加しますか？</source>
            <translation>%1
Add them?</translation>
        </message>
        <message>
            <source>追 加</source>
            <translation>Add</translation>
        </message>
        <message>
            <source>既にある局も追加</source>
            <translation>Add existing ones too</translation>
        </message>
    </context>
    <context>
        <name>DeviceAccess</name>
        <message>
            <source>デバイスが見つかりません</source>
            <translation>Device not found</translation>
        </message>
        <message>
            <source>権限なし: %1 グループへの参加が必要</source>
            <translation>No access: join group %1</translation>
        </message>
        <message>
            <source>デバイスを使用できません</source>
            <translation>Device cannot be used</translation>
        </message>
        <message>
            <source>このデバイスを開く権限がありません。「sudo adduser $USER %1」でグループ %1 に参加し、ログインし直してください。</source>
            <translation>You may not open this device. Join group %1 with "sudo adduser $USER %1" and log in again.</translation>
        </message>
    </context>
    <context>
        <name>FileAudioSource</name>
        <message>
            <source>音声ファイルが空です。</source>
            <translation>The audio file is empty.</translation>
        </message>
    </context>
    <context>
        <name>IniFile</name>
        <message>
            <source>%1 に書き込めません</source>
            <translation>Cannot write %1</translation>
        </message>
        <message>
            <source>%1 に書き込めません（%2）</source>
            <translation>Cannot write %1 (%2)</translation>
        </message>
        <message>
            <source>元のファイルを読み込めません</source>
            <translation>cannot read the existing file</translation>
        </message>
    </context>
    <context>
        <name>Lamp</name>
        <message>
            <source>消灯</source>
            <translation>Off</translation>
        </message>
        <message>
            <source>赤点灯</source>
            <translation>Red</translation>
        </message>
        <message>
            <source>点灯</source>
            <translation>On</translation>
        </message>
    </context>
    <context>
        <name>NetLine</name>
        <message>
            <source>アドレスの書き方が違います (tcp://ホスト:ポート)</source>
            <translation>Malformed address (tcp://host:port)</translation>
        </message>
        <message>
            <source>ホスト名が見つかりません</source>
            <translation>Host name not found</translation>
        </message>
        <message>
            <source>5 秒以内に応答がありません</source>
            <translation>No answer within 5 s</translation>
        </message>
        <message>
            <source>接続を拒否されました</source>
            <translation>Connection refused</translation>
        </message>
    </context>
    <context>
        <name>Options</name>
        <message>
            <source>'%1' は有効な整数値ではありません</source>
            <translation>'%1' is not a valid integer</translation>
        </message>
    </context>
    <context>
        <name>Panadapter</name>
        <message>
            <source>パンアダプター連動中:</source>
            <translation>Panadapter following:</translation>
        </message>
        <message>
            <source>パンアダプター接続待ち:</source>
            <translation>Panadapter waiting:</translation>
        </message>
    </context>
    <context>
        <name>QtAudioSource</name>
        <message>
            <source>録音の入力が見つかりません。</source>
            <translation>The recording input is not found.</translation>
        </message>
        <message>
            <source>録音の入力を開けません。</source>
            <translation>The recording input cannot be opened.</translation>
        </message>
    </context>
    <context>
        <name>ReadoutWidget</name>
        <message>
            <source>モード %1、ステップ %2 kHz</source>
            <translation>Mode %1, step %2 kHz</translation>
        </message>
    </context>
    <context>
        <name>Recorder</name>
        <message>
            <source>録音のフォルダーを作れません。録音を止めます。スキャンはそのまま続けます。</source>
            <translation>The recordings folder cannot be made. Recording stops; the scan goes on.</translation>
        </message>
        <message>
            <source>空き容量が 500 MB を切ったので録音を止めます。スキャンはそのまま続けます。</source>
            <translation>Less than 500 MB free: recording stops; the scan goes on.</translation>
        </message>
        <message>
            <source>録音を書き込めません。録音を止めます。スキャンはそのまま続けます。</source>
            <translation>The recording cannot be written. Recording stops; the scan goes on.</translation>
        </message>
    </context>
    <context>
        <name>RigctlServer</name>
        <message>
            <source>アドレス %1 は IP アドレスではありません</source>
            <translation>Address %1 is not an IP address</translation>
        </message>
    </context>
    <context>
        <name>ScanEngine</name>
        <message>
            <source>スキップの一覧を書き込めません。</source>
            <translation>Cannot write the skip list.</translation>
        </message>
    </context>
    <context>
        <name>ScanLog</name>
        <message>
            <source>スキャン記録を書き込めません。
%1
%2

スキャンはそのまま続けます。</source>
            <translation>Cannot write the scan log.
%1
%2

The scan goes on.</translation>
        </message>
    </context>
    <context>
        <name>Shell</name>
        <message>
            <source>COMポートがオープンできません。</source>
            <translation>Cannot open the COM port.</translation>
        </message>
        <message>
            <source>COMポートでデータが入出力できません。</source>
            <translation>Cannot read or write data on the COM port.</translation>
        </message>
        <message>
            <source>データーが送れません。</source>
            <translation>Cannot send data.</translation>
        </message>
    </context>
    <context>
        <name>StationCsv</name>
        <message>
            <source>種類</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>局名</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>所在地</source>
            <translation>Location</translation>
        </message>
        <message>
            <source>備考</source>
            <translation>Remarks</translation>
        </message>
        <message>
            <source>Fennix の CSV</source>
            <translation>Fennix CSV</translation>
        </message>
        <message>
            <source>CHIRP の CSV</source>
            <translation>CHIRP CSV</translation>
        </message>
        <message>
            <source>gqrx のブックマーク</source>
            <translation>gqrx bookmarks</translation>
        </message>
        <message>
            <source>SDR++ の周波数リスト</source>
            <translation>SDR++ frequency list</translation>
        </message>
        <message>
            <source>、</source>
            <translation>, </translation>
        </message>
        <message>
            <source>読み込みをやめました。</source>
            <translation>Reading stopped.</translation>
        </message>
        <message>
            <source>%1 行目の引用符 (") が閉じていません。ファイルは読み込みませんでした。</source>
            <translation>Line %1: a quote (") is not closed. The file was not read.</translation>
        </message>
        <message>
            <source>%1 の見出しに列 %2 がありません。ファイルは読み込みませんでした。</source>
            <translation>The %1 header is missing %2. The file was not read.</translation>
        </message>
        <message>
            <source>周波数 %1 MHz は局のリストに入りません</source>
            <translation>Frequency %1 MHz does not fit in the station list</translation>
        </message>
        <message>
            <source>ステップ "%1" kHz は 0～999.99 kHz の外です</source>
            <translation>Step "%1" kHz is outside 0 to 999.99 kHz</translation>
        </message>
        <message>
            <source>親子差 "%1" kHz は受け付けられません</source>
            <translation>Shift "%1" kHz is not accepted</translation>
        </message>
        <message>
            <source>メモリー "%1" は F1～F8 ではありません</source>
            <translation>Memory "%1" is not F1 to F8</translation>
        </message>
        <message>
            <source>周波数2 "%1" が読めません</source>
            <translation>Cannot read frequency 2 "%1"</translation>
        </message>
        <message>
            <source>電波型式 "%1" がわかりません</source>
            <translation>Unknown mode "%1"</translation>
        </message>
        <message>
            <source>感度 "%1" が整数ではありません</source>
            <translation>Sensitivity "%1" is not a whole number</translation>
        </message>
        <message>
            <source>gqrx のブックマークに見出し行 "# Frequency ; Name ; Modulation ; Bandwidth; Tags" がありません。ファイルは読み込みませんでした。</source>
            <translation>The gqrx bookmarks have no header line "# Frequency ; Name ; Modulation ; Bandwidth; Tags". The file was not read.</translation>
        </message>
        <message>
            <source>周波数がありません</source>
            <translation>No frequency</translation>
        </message>
        <message>
            <source>周波数 "%1" が読めません</source>
            <translation>Cannot read frequency "%1"</translation>
        </message>
        <message>
            <source>%1 MHz は受信範囲 (25～2000 MHz) の外です</source>
            <translation>%1 MHz is outside the receiving range (25 to 2000 MHz)</translation>
        </message>
        <message>
            <source>局のリストが一杯です (10,000 局)</source>
            <translation>The station list is full (10,000 stations)</translation>
        </message>
        <message>
            <source>メモリー F%1 は使用中です</source>
            <translation>Memory F%1 is in use</translation>
        </message>
        <message>
            <source>既にある局です</source>
            <translation>Already in the list</translation>
        </message>
        <message>
            <source>ファイルが大きすぎます (%1 バイト)。読み込めるのは %2 バイトまでです。ファイルは読み込みませんでした。</source>
            <translation>The file is too large (%1 bytes); at most %2 bytes can be read. The file was not read.</translation>
        </message>
        <message>
            <source>%1 行目が UTF-8 のテキストではありません。ファイルは読み込みませんでした。</source>
            <translation>Line %1 is not UTF-8 text. The file was not read.</translation>
        </message>
        <message>
            <source>%1 行目が UTF-8 のテキストではありません。表計算ソフトからは「CSV UTF-8」で保存してください。ファイルは読み込みませんでした。</source>
            <translation>Line %1 is not UTF-8 text. From a spreadsheet, save as "CSV UTF-8". The file was not read.</translation>
        </message>
        <message>
            <source>行が多すぎます (%1 行)。読み込めるのは %2 行までです。ファイルは読み込みませんでした。</source>
            <translation>Too many lines (%1); at most %2 lines can be read. The file was not read.</translation>
        </message>
        <message>
            <source>1 行目の見出しがわかりません。読み込めるのは Fennix が書き出した CSV、CHIRP の CSV、gqrx の bookmarks.csv、SDR++ の周波数リスト (JSON) です。ファイルは読み込みませんでした。</source>
            <translation>Unknown header in line 1. Fennix reads the CSV it exports, CHIRP CSV, gqrx bookmarks.csv and SDR++ frequency lists (JSON). The file was not read.</translation>
        </message>
        <message>
            <source>ファイルが空です。</source>
            <translation>The file is empty.</translation>
        </message>
        <message>
            <source>SDR++ の周波数リストに "bookmarks" がありません。ファイルは読み込みませんでした。</source>
            <translation>The SDR++ frequency list has no "bookmarks". The file was not read.</translation>
        </message>
        <message>
            <source>%1 行目 %2: %3 → %4</source>
            <translation>Line %1, %2: %3 → %4</translation>
        </message>
        <message>
            <source>%1 行目: %2</source>
            <translation>Line %1: %2</translation>
        </message>
        <message>
            <source>形式: %1</source>
            <translation>Format: %1</translation>
        </message>
        <message>
            <source>局として追加する行: %1</source>
            <translation>Lines to add as stations: %1</translation>
        </message>
        <message>
            <source>メモリーに入れる行: %1</source>
            <translation>Lines to put in memories: %1</translation>
        </message>
        <message>
            <source>既にある局: %1 (これも追加します)</source>
            <translation>Stations already in the list: %1 (added as well)</translation>
        </message>
        <message>
            <source>既にある局: %1 (追加しません)</source>
            <translation>Stations already in the list: %1 (not added)</translation>
        </message>
        <message>
            <source>読み込まない行: %1</source>
            <translation>Lines skipped: %1</translation>
        </message>
        <message>
            <source>受信範囲 (25～2000 MHz) の外 %1</source>
            <translation>%1 outside 25 to 2000 MHz</translation>
        </message>
        <message>
            <source>周波数なし %1</source>
            <translation>%1 without a frequency</translation>
        </message>
        <message>
            <source>受け付けられない値 %1</source>
            <translation>%1 with a value not accepted</translation>
        </message>
        <message>
            <source>リストが一杯 %1</source>
            <translation>%1 with the list full</translation>
        </message>
        <message>
            <source>メモリーが使用中 %1</source>
            <translation>%1 for memories in use</translation>
        </message>
        <message>
            <source>文字を置き換えた欄: %1 (近い文字に %2 字、"?" に %3 字)</source>
            <translation>Fields with letters replaced: %1 (%2 by near letters, %3 by "?")</translation>
        </message>
        <message>
            <source>欄の幅で切った文字列: %1</source>
            <translation>Texts cut to the field width: %1</translation>
        </message>
        <message>
            <source>ファイルの大きさが %1 バイトです (%2 バイトのはずです)</source>
            <translation>The file is %1 bytes (it should be %2 bytes)</translation>
        </message>
        <message>
            <source>記録 %1: %2の長さ %3 が欄の幅 %4 を超えています</source>
            <translation>Record %1: %2 length %3 exceeds the field width %4</translation>
        </message>
        <message>
            <source>記録 %1: 周波数 %2～%3 MHz は編集画面で書けない値です</source>
            <translation>Record %1: frequency %2-%3 MHz cannot be entered in the editor</translation>
        </message>
        <message>
            <source>記録 %1: 電波型式の番号 %2 は 0～7 の外です</source>
            <translation>Record %1: mode number %2 is outside 0 to 7</translation>
        </message>
        <message>
            <source>記録 %1: ステップ %2 kHz は 0～999.99 kHz の外です</source>
            <translation>Record %1: step %2 kHz is outside 0 to 999.99 kHz</translation>
        </message>
        <message>
            <source>記録 %1: 親子差 %2 kHz は編集画面で書けない値です</source>
            <translation>Record %1: shift %2 kHz cannot be entered in the editor</translation>
        </message>
        <message>
            <source>記録 %1: %2～%3 MHz は受信範囲 (25～2000 MHz) の外です</source>
            <translation>Record %1: %2-%3 MHz is outside the receiving range (25 to 2000 MHz)</translation>
        </message>
        <message>
            <source>記録 %1: %2 MHz は受信範囲 (25～2000 MHz) の外です</source>
            <translation>Record %1: %2 MHz is outside the receiving range (25 to 2000 MHz)</translation>
        </message>
        <message>
            <source>記録 %1: 記録 %2 と同じ局です (%3, %4 MHz)</source>
            <translation>Record %1: the same station as record %2 (%3, %4 MHz)</translation>
        </message>
        <message>
            <source>JSON の値が多すぎます (%1 個まで)。ファイルは読み込みませんでした。</source>
            <translation>Too many JSON values (at most %1). The file was not read.</translation>
        </message>
        <message>
            <source>%1 行目が JSON として読めません。ファイルは読み込みませんでした。</source>
            <translation>Line %1 is not valid JSON. The file was not read.</translation>
        </message>
        <message>
            <source>%1 行目: JSON の後に余分な文字があります。ファイルは読み込みませんでした。</source>
            <translation>Line %1: extra characters after the JSON. The file was not read.</translation>
        </message>
    </context>
    <context>
        <name>StationEditor</name>
        <message>
            <source> 種 類^</source>
            <translation> Type^</translation>
        </message>
        <message>
            <source> 局  名^</source>
            <translation> Name^</translation>
        </message>
        <message>
            <source>   周波数^</source>
            <translation>   Frequency^</translation>
        </message>
        <message>
            <source>～ 周波数</source>
            <translation>To freq.</translation>
        </message>
        <message>
            <source>型 式</source>
            <translation>Mode</translation>
        </message>
        <message>
            <source>親子差</source>
            <translation>Shift</translation>
        </message>
        <message>
            <source>感度</source>
            <translation>Sen</translation>
        </message>
        <message>
            <source> 所 在 地^</source>
            <translation> Location^</translation>
        </message>
        <message>
            <source> 備 考</source>
            <translation> Remarks</translation>
        </message>
        <message>
            <source>警察無線</source>
            <translation>Police</translation>
        </message>
        <message>
            <source>消防救急無線</source>
            <translation>Fire and ambulance</translation>
        </message>
        <message>
            <source>航空無線</source>
            <translation>Aviation</translation>
        </message>
        <message>
            <source>鉄道無線</source>
            <translation>Railway</translation>
        </message>
        <message>
            <source>防災行政無線</source>
            <translation>Civil defence</translation>
        </message>
        <message>
            <source>タクシー無線</source>
            <translation>Taxi</translation>
        </message>
        <message>
            <source>アマチュア無線</source>
            <translation>Amateur</translation>
        </message>
        <message>
            <source>各種業務無線</source>
            <translation>Business</translation>
        </message>
    </context>
    <context>
        <name>StationFile</name>
        <message>
            <source>%1 を作成できません（%2）。局リストは空で始まります。終了時の保存もできない可能性があります。</source>
            <translation>Cannot create %1 (%2). The station list starts empty, and saving it at exit may fail too.</translation>
        </message>
        <message>
            <source>%1 を読み込めません（%2）。読めた %3 件だけで続けます。保存の前に元のファイルを %1.bak として残します。</source>
            <translation>Cannot read %1 (%2). Going on with the %3 records read. Before saving, the original file is kept as %1.bak.</translation>
        </message>
        <message>
            <source>%1 が壊れています（%2 バイト、%3 件のうち %4 件を読み込みました）。読めた分だけで続けます。保存の前に元のファイルを %1.bak として残します。</source>
            <translation>%1 is damaged (%2 bytes; %4 of %3 records read). Going on with what was read. Before saving, the original file is kept as %1.bak.</translation>
        </message>
        <message>
            <source>%1 に書き込めません（%2）。変更は保存されていません。元のファイルはそのまま残っています。</source>
            <translation>Cannot write %1 (%2). The changes were not saved. The original file is unchanged.</translation>
        </message>
        <message>
            <source>%1.bak を作れません: %2</source>
            <translation>Cannot make %1.bak: %2</translation>
        </message>
        <message>
            <source>%1 に書き込めません（%2）。変更は保存されていません。ファイルが途中まで書き換わっている可能性があります。</source>
            <translation>Cannot write %1 (%2). The changes were not saved. The file may be partly overwritten.</translation>
        </message>
        <message>
            <source>ファイルが短すぎます</source>
            <translation>the file is too short</translation>
        </message>
    </context>
    <context>
        <name>StationList</name>
        <message>
            <source>
変更は %1 に残しました。次回の起動時に復元できます。</source>
            <translation>
The changes were kept in %1. They can be restored at the next start.</translation>
        </message>
        <message>
            <source>
変更を %1 にも残せませんでした（%2）。</source>
            <translation>
The changes could not be kept in %1 either (%2).</translation>
        </message>
    </context>
    <context>
        <name>TBandSurveyForm</name>
        <message>
            <source>バンド調査</source>
            <translation>Band survey</translation>
        </message>
        <message>
            <source>下端 MHz(&amp;L)</source>
            <translation>&amp;Low MHz</translation>
        </message>
        <message>
            <source>上端 MHz(&amp;U)</source>
            <translation>&amp;Up MHz</translation>
        </message>
        <message>
            <source>ステップ kHz(&amp;K)</source>
            <translation>Step &amp;kHz</translation>
        </message>
        <message>
            <source>滞在(&amp;D)</source>
            <translation>&amp;Dwell</translation>
        </message>
        <message>
            <source>現在のバンド(&amp;N)</source>
            <translation>Ba&amp;nd</translation>
        </message>
        <message>
            <source>繰り返し(&amp;R)</source>
            <translation>&amp;Repeat</translation>
        </message>
        <message>
            <source>開始(&amp;S)</source>
            <translation>&amp;Start</translation>
        </message>
        <message>
            <source>停止(&amp;T)</source>
            <translation>S&amp;top</translation>
        </message>
        <message>
            <source>棒グラフ(&amp;G)</source>
            <translation>Bar&amp;s</translation>
        </message>
        <message>
            <source>ピーク保持(&amp;P)</source>
            <translation>&amp;Peak</translation>
        </message>
        <message>
            <source>最小保持(&amp;M)</source>
            <translation>&amp;Min</translation>
        </message>
        <message>
            <source>保持リセット(&amp;C)</source>
            <translation>&amp;Clear holds</translation>
        </message>
        <message>
            <source>PNG 保存(&amp;I)...</source>
            <translation>PNG &amp;image...</translation>
        </message>
        <message>
            <source>CSV 書き出し(&amp;E)...</source>
            <translation>&amp;Export CSV...</translation>
        </message>
        <message>
            <source>%1 MHz</source>
            <translation>%1 MHz</translation>
        </message>
        <message>
            <source>%1 MHz  レベル %2</source>
            <translation>%1 MHz  level %2</translation>
        </message>
        <message>
            <source>PNG 保存</source>
            <translation>Save PNG</translation>
        </message>
        <message>
            <source>PNG 画像 (*.png)</source>
            <translation>PNG image (*.png)</translation>
        </message>
        <message>
            <source>画像を保存できません。</source>
            <translation>Cannot save the image.</translation>
        </message>
        <message>
            <source>CSV 書き出し</source>
            <translation>Export CSV</translation>
        </message>
        <message>
            <source>CSV ファイル (*.csv)</source>
            <translation>CSV file (*.csv)</translation>
        </message>
        <message>
            <source>CSV を書き出せません。</source>
            <translation>Cannot write the CSV file.</translation>
        </message>
        <message>
            <source>受信機につながっていません。</source>
            <translation>The receiver is not connected.</translation>
        </message>
        <message>
            <source>残り %1 秒</source>
            <translation>%1 s left</translation>
        </message>
    </context>
    <context>
        <name>TComOptionForm</name>
        <message>
            <source>設 定</source>
            <translation>Settings</translation>
        </message>
        <message>
            <source>COMポート</source>
            <translation>COM Ports</translation>
        </message>
        <message>
            <source>通信速度</source>
            <translation>Baud Rates</translation>
        </message>
        <message>
            <source>デバイス</source>
            <translation>Device</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>CANCEL</translation>
        </message>
        <message>
            <source>今回は FENNIX_COM%1 を使用</source>
            <translation>This run uses FENNIX_COM%1</translation>
        </message>
        <message>
            <source>この実行では環境変数の %1 を使います</source>
            <translation>This run uses %1 from the environment</translation>
        </message>
        <message>
            <source>書き方: tcp://ホスト:ポート</source>
            <translation>Form: tcp://host:port</translation>
        </message>
        <message>
            <source>ネットワーク (RFC 2217)</source>
            <translation>Network (RFC 2217)</translation>
        </message>
        <message>
            <source>ネットワーク (TCP)</source>
            <translation>Network (TCP)</translation>
        </message>
        <message>
            <source>ser2net などが受信機のシリアルポートを公開しているアドレス</source>
            <translation>Address where ser2net or the like serves the receiver's port</translation>
        </message>
    </context>
    <context>
        <name>TDataForm</name>
        <message>
            <source>メモリー・エディッタ</source>
            <translation>Memory Editor</translation>
        </message>
        <message>
            <source>一 覧(&amp;L)</source>
            <translation>&amp;List</translation>
        </message>
        <message>
            <source>新  規 (&amp;N)</source>
            <translation>&amp;New</translation>
        </message>
        <message>
            <source>追  加 (&amp;A)</source>
            <translation>&amp;Add</translation>
        </message>
        <message>
            <source>上  書 (W)</source>
            <translation>Write</translation>
        </message>
        <message>
            <source>削  除 (&amp;D)</source>
            <translation>&amp;Delete</translation>
        </message>
        <message>
            <source>検 索 (&amp;F)</source>
            <translation>&amp;Find</translation>
        </message>
        <message>
            <source>閉じる(&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>キャンセル(&amp;C)</source>
            <translation>&amp;Cancel</translation>
        </message>
        <message>
            <source>無線種類</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>局  名</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>周 波 数</source>
            <translation>Freq.</translation>
        </message>
        <message>
            <source>～</source>
            <translation>to</translation>
        </message>
        <message>
            <source>電波型式</source>
            <translation>Mode</translation>
        </message>
        <message>
            <source>親子差</source>
            <translation>Shift</translation>
        </message>
        <message>
            <source>感  度</source>
            <translation>Class</translation>
        </message>
        <message>
            <source>所 在 地</source>
            <translation>Location</translation>
        </message>
        <message>
            <source>備  考</source>
            <translation>Remarks</translation>
        </message>
        <message>
            <source>検索終了(&amp;F)</source>
            <translation>End &amp;find</translation>
        </message>
        <message>
            <source>検 索(&amp;F)</source>
            <translation>&amp;Find</translation>
        </message>
        <message>
            <source>検索条件を指定してください</source>
            <translation>Give a search condition</translation>
        </message>
        <message>
            <source>データーがみつかりません</source>
            <translation>No data found</translation>
        </message>
        <message>
            <source>編集(&amp;E)</source>
            <translation>&amp;Edit</translation>
        </message>
        <message>
            <source>単局だけを表示 (Alt+M)</source>
            <translation>Show single stations (Alt+M)</translation>
        </message>
        <message>
            <source>全部を表示</source>
            <translation>Show all</translation>
        </message>
        <message>
            <source>バンドだけを表示 (Alt+P)</source>
            <translation>Show bands (Alt+P)</translation>
        </message>
        <message>
            <source>単局を表示中のランプ</source>
            <translation>Single stations shown</translation>
        </message>
        <message>
            <source>バンドを表示中のランプ</source>
            <translation>Bands shown</translation>
        </message>
        <message>
            <source>編集画面と一覧画面の切り替え (Alt+L, Alt+E)</source>
            <translation>Edit or list layout (Alt+L, Alt+E)</translation>
        </message>
        <message>
            <source>新しい局を入力 (Alt+N)</source>
            <translation>Enter a new station (Alt+N)</translation>
        </message>
        <message>
            <source>入力した内容を新しく追加 (Alt+A)</source>
            <translation>Add the fields as new (Alt+A)</translation>
        </message>
        <message>
            <source>選んだ局に上書き (Alt+W)</source>
            <translation>Overwrite the chosen one (Alt+W)</translation>
        </message>
        <message>
            <source>選んだ局を削除 (Alt+D)</source>
            <translation>Delete the chosen one (Alt+D)</translation>
        </message>
        <message>
            <source>検索の開始/終了 (Alt+F)</source>
            <translation>Find on/off (Alt+F)</translation>
        </message>
        <message>
            <source>上へ検索 (Alt+,)</source>
            <translation>Find upwards (Alt+,)</translation>
        </message>
        <message>
            <source>下へ検索 (Alt+.)</source>
            <translation>Find downwards (Alt+.)</translation>
        </message>
        <message>
            <source>検索条件の AND/OR 切り替え</source>
            <translation>Switch AND/OR of the conditions</translation>
        </message>
        <message>
            <source>検索条件の組み合わせ</source>
            <translation>How the conditions combine</translation>
        </message>
        <message>
            <source>前の行へ</source>
            <translation>Previous row</translation>
        </message>
        <message>
            <source>次の行へ</source>
            <translation>Next row</translation>
        </message>
        <message>
            <source>閉じる、一覧では選んだ局に同調 (Alt+X)</source>
            <translation>Close; in the list, tune to it (Alt+X)</translation>
        </message>
        <message>
            <source>選ばずに閉じる (Alt+C)</source>
            <translation>Close without a choice (Alt+C)</translation>
        </message>
        <message>
            <source>局リスト: 見出しのクリックで並べ替え、Enter で編集/選択</source>
            <translation>Stations: click a heading to sort, Enter to edit/pick</translation>
        </message>
        <message>
            <source>無線の種類</source>
            <translation>Type of station</translation>
        </message>
        <message>
            <source>局名</source>
            <translation>Station name</translation>
        </message>
        <message>
            <source>周波数 (MHz)</source>
            <translation>Frequency (MHz)</translation>
        </message>
        <message>
            <source>バンドの終わりの周波数 (MHz)</source>
            <translation>End of the band (MHz)</translation>
        </message>
        <message>
            <source>ステップ (kHz)</source>
            <translation>Step (kHz)</translation>
        </message>
        <message>
            <source>親子差 (MHz)</source>
            <translation>Shift (MHz)</translation>
        </message>
        <message>
            <source>感度 (0〜5)</source>
            <translation>Sensitivity (0 to 5)</translation>
        </message>
        <message>
            <source>所在地</source>
            <translation>Location</translation>
        </message>
        <message>
            <source>備考</source>
            <translation>Remarks</translation>
        </message>
        <message>
            <source>スキップに追加</source>
            <translation>Add to skip list</translation>
        </message>
    </context>
    <context>
        <name>TDeleteForm</name>
        <message>
            <source>種   類</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>局   名</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>周波数</source>
            <translation>Freq.</translation>
        </message>
        <message>
            <source>このデーターを削除します</source>
            <translation>This record will be deleted</translation>
        </message>
        <message>
            <source>は い</source>
            <translation>Yes</translation>
        </message>
        <message>
            <source>い い え</source>
            <translation>No</translation>
        </message>
    </context>
    <context>
        <name>TExitForm</name>
        <message>
            <source>終了します</source>
            <translation>Exiting</translation>
        </message>
        <message>
            <source>データーを保存しますか ？</source>
            <translation>Save the data?</translation>
        </message>
        <message>
            <source>保 存</source>
            <translation>Save</translation>
        </message>
        <message>
            <source>破 棄</source>
            <translation>Discard</translation>
        </message>
    </context>
    <context>
        <name>THelpForm</name>
        <message>
            <source>IC-R7100 ヘルプ</source>
            <translation>IC-R7100 Help</translation>
        </message>
        <message>
            <source>目次(&amp;C)</source>
            <translation>&amp;Contents</translation>
        </message>
        <message>
            <source>戻る(&amp;B)</source>
            <translation>&amp;Back</translation>
        </message>
        <message>
            <source>進む(&amp;N)</source>
            <translation>&amp;Next</translation>
        </message>
        <message>
            <source>目次</source>
            <translation>Contents</translation>
        </message>
        <message>
            <source>キーワードを入力してください(&amp;W)</source>
            <translation>Type a key&amp;word</translation>
        </message>
        <message>
            <source>表示(&amp;D)</source>
            <translation>&amp;Display</translation>
        </message>
        <message>
            <source>キーワード</source>
            <translation>Keywords</translation>
        </message>
        <message>
            <source>&lt;p&gt;ヘルプファイル %1 が見つかりません。&lt;/p&gt;</source>
            <translation>&lt;p&gt;Help file %1 not found.&lt;/p&gt;</translation>
        </message>
    </context>
    <context>
        <name>TLanguageForm</name>
        <message>
            <source>言語</source>
            <translation>Language</translation>
        </message>
        <message>
            <source>表示の言語</source>
            <translation>Language of the windows</translation>
        </message>
        <message>
            <source>自動 (デスクトップの言語)</source>
            <translation>Automatic (desktop)</translation>
        </message>
        <message>
            <source>日本語</source>
            <translation>日本語</translation>
        </message>
        <message>
            <source>次回の起動から有効になります。</source>
            <translation>Takes effect from the next start.</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>TMainForm</name>
        <message>
            <source>rigctl 互換ポート %1:%2 を開けません。
%3</source>
            <translation>Cannot open the rigctl port %1:%2.
%3</translation>
        </message>
        <message>
            <source>前回保存されなかった局リストの変更が %1 に残っています。
復元しますか？</source>
            <translation>Changes to the station list that were not saved last time are kept in %1.
Restore them?</translation>
        </message>
        <message>
            <source>復 元</source>
            <translation>Restore</translation>
        </message>
        <message>
            <source>破 棄</source>
            <translation>Discard</translation>
        </message>
        <message>
            <source>%1 を読み込めません（%2）。ファイルはそのまま残します。</source>
            <translation>Cannot read %1 (%2). The file is left as it is.</translation>
        </message>
        <message>
            <source>ファイル(&amp;F)</source>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>CSV 書き出し(&amp;E)...</source>
            <translation>&amp;Export CSV...</translation>
        </message>
        <message>
            <source>CSV 読み込み(&amp;I)...</source>
            <translation>&amp;Import CSV...</translation>
        </message>
        <message>
            <source>保存なし終了(&amp;Q)</source>
            <translation>&amp;Quit without saving</translation>
        </message>
        <message>
            <source>終 了  (&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>表示(&amp;V)</source>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>メモリー・エディッタ(&amp;R)</source>
            <translation>Memo&amp;ry Editor</translation>
        </message>
        <message>
            <source>スキャン記録(&amp;S)...</source>
            <translation>&amp;Scan Log...</translation>
        </message>
        <message>
            <source>オプション(&amp;O)</source>
            <translation>&amp;Options</translation>
        </message>
        <message>
            <source>RS-232C...(&amp;S)</source>
            <translation>&amp;Serial Port (RS-232C)...</translation>
        </message>
        <message>
            <source>環境設定...(&amp;O)</source>
            <translation>&amp;Options...</translation>
        </message>
        <message>
            <source>rigctl 互換ポート(&amp;N)</source>
            <translation>rigctl &amp;Network Port</translation>
        </message>
        <message>
            <source>スキャン記録(&amp;L)</source>
            <translation>Scan &amp;Log</translation>
        </message>
        <message>
            <source>言語(&amp;G)...</source>
            <translation>Lan&amp;guage...</translation>
        </message>
        <message>
            <source>ヘルプ(&amp;H)</source>
            <translation>&amp;Help</translation>
        </message>
        <message>
            <source>目次(&amp;C)</source>
            <translation>&amp;Contents</translation>
        </message>
        <message>
            <source>キーワードで検索(&amp;T)</source>
            <translation>Search by &amp;Term</translation>
        </message>
        <message>
            <source>ヘルプの使い方(&amp;H)</source>
            <translation>&amp;How to Use Help</translation>
        </message>
        <message>
            <source>バージョン情報(&amp;A)...</source>
            <translation>&amp;About...</translation>
        </message>
        <message>
            <source>．</source>
            <translation>.</translation>
        </message>
        <message>
            <source>バンド調査(&amp;B)</source>
            <translation>&amp;Band survey</translation>
        </message>
        <message>
            <source>バンド自動識別 オン/オフ (Alt+P, Q)</source>
            <translation>Band identification on/off (Alt+P, Q)</translation>
        </message>
        <message>
            <source>バンド自動識別のランプ</source>
            <translation>Band identification lamp</translation>
        </message>
        <message>
            <source>バンド内スキャン オン/オフ (Alt+S)</source>
            <translation>Scan within the band on/off (Alt+S)</translation>
        </message>
        <message>
            <source>バンド内スキャンのランプ</source>
            <translation>Band scan lamp</translation>
        </message>
        <message>
            <source>バンドの番号</source>
            <translation>Band number</translation>
        </message>
        <message>
            <source>バンドの種類</source>
            <translation>Band type</translation>
        </message>
        <message>
            <source>バンド名</source>
            <translation>Band name</translation>
        </message>
        <message>
            <source>バンドの周波数範囲</source>
            <translation>Band frequency range</translation>
        </message>
        <message>
            <source>一つ上のバンドへ</source>
            <translation>Next band up</translation>
        </message>
        <message>
            <source>一つ下のバンドへ</source>
            <translation>Next band down</translation>
        </message>
        <message>
            <source>バンドの一覧から選んで同調 (Alt+L)</source>
            <translation>Pick a band from the list (Alt+L)</translation>
        </message>
        <message>
            <source>メモモード オン/オフ (Alt+E, Z)</source>
            <translation>Memo mode on/off (Alt+E, Z)</translation>
        </message>
        <message>
            <source>メモモードのランプ</source>
            <translation>Memo mode lamp</translation>
        </message>
        <message>
            <source>登録局スキャン オン/オフ (Alt+C)</source>
            <translation>Station scan on/off (Alt+C)</translation>
        </message>
        <message>
            <source>登録局スキャンのランプ</source>
            <translation>Station scan lamp</translation>
        </message>
        <message>
            <source>局の番号</source>
            <translation>Station number</translation>
        </message>
        <message>
            <source>局の種類 (クリックでこの種類だけに絞る)</source>
            <translation>Station type (click: this type only)</translation>
        </message>
        <message>
            <source>局名</source>
            <translation>Station name</translation>
        </message>
        <message>
            <source>局の周波数</source>
            <translation>Station frequency</translation>
        </message>
        <message>
            <source>局のステップ (kHz)</source>
            <translation>Station step (kHz)</translation>
        </message>
        <message>
            <source>局の電波型式</source>
            <translation>Station mode</translation>
        </message>
        <message>
            <source>一つ上の局へ</source>
            <translation>Next station up</translation>
        </message>
        <message>
            <source>一つ下の局へ</source>
            <translation>Next station down</translation>
        </message>
        <message>
            <source>局の一覧から選んで同調 (Alt+I)</source>
            <translation>Pick a station from the list (Alt+I)</translation>
        </message>
        <message>
            <source>局リストの編集 (Alt+R)</source>
            <translation>Edit the station list (Alt+R)</translation>
        </message>
        <message>
            <source>メモリー書き込み: 押してから F1〜F8 (Alt+M, F9)</source>
            <translation>Store: press, then F1–F8 (Alt+M, F9)</translation>
        </message>
        <message>
            <source>受信機との接続 オン/オフ (Alt+N)</source>
            <translation>Receiver link on/off (Alt+N)</translation>
        </message>
        <message>
            <source>ウィンドウ A のランプ</source>
            <translation>Window A lamp</translation>
        </message>
        <message>
            <source>ウィンドウ B のランプ</source>
            <translation>Window B lamp</translation>
        </message>
        <message>
            <source>ウィンドウ A/B の切り替え (Alt+W)</source>
            <translation>Switch window A/B (Alt+W)</translation>
        </message>
        <message>
            <source>アッテネーターのランプ</source>
            <translation>Attenuator lamp</translation>
        </message>
        <message>
            <source>アッテネーター オン/オフ</source>
            <translation>Attenuator on/off</translation>
        </message>
        <message>
            <source>スキャン再開条件の切り替え (Alt+Y)</source>
            <translation>Next scan resume rule (Alt+Y)</translation>
        </message>
        <message>
            <source>AF ゲイン (上ほど大きい)</source>
            <translation>AF gain (louder upwards)</translation>
        </message>
        <message>
            <source>Sメーター</source>
            <translation>S meter</translation>
        </message>
        <message>
            <source>スケルチが開くと点灯</source>
            <translation>Lit while the squelch is open</translation>
        </message>
        <message>
            <source>周波数表示 (数字キーで入力、Enter で同調)</source>
            <translation>Frequency (type digits, Enter tunes)</translation>
        </message>
        <message>
            <source>押すと受信機が周波数を読み上げ</source>
            <translation>Press: the receiver speaks the frequency</translation>
        </message>
        <message>
            <source>受信機の応答: NG で赤</source>
            <translation>Receiver answer: red on NG</translation>
        </message>
        <message>
            <source>1ステップ上へ (. キー)</source>
            <translation>One step up (. key)</translation>
        </message>
        <message>
            <source>1ステップ下へ (, キー)</source>
            <translation>One step down (, key)</translation>
        </message>
        <message>
            <source>上方向スキャン (テンキー −, U)</source>
            <translation>Scan up (keypad −, U)</translation>
        </message>
        <message>
            <source>スキャン停止 (Space)</source>
            <translation>Stop scan (Space)</translation>
        </message>
        <message>
            <source>下方向スキャン (テンキー +, D)</source>
            <translation>Scan down (keypad +, D)</translation>
        </message>
        <message>
            <source>上方向スキャンのランプ</source>
            <translation>Scan up lamp</translation>
        </message>
        <message>
            <source>下方向スキャンのランプ</source>
            <translation>Scan down lamp</translation>
        </message>
        <message>
            <source>小数点 (. キー)</source>
            <translation>Decimal point (. key)</translation>
        </message>
        <message>
            <source>1桁消す (BS)</source>
            <translation>Delete a digit (BS)</translation>
        </message>
        <message>
            <source>入力の取り消し (Esc)</source>
            <translation>Cancel the entry (Esc)</translation>
        </message>
        <message>
            <source>入力した周波数に同調 (Enter)</source>
            <translation>Tune to the entry (Enter)</translation>
        </message>
        <message>
            <source>バンドの親子差で同調 (Alt+T)</source>
            <translation>Tune by the band's shift (Alt+T)</translation>
        </message>
        <message>
            <source>局の親子差で同調 (Alt+H)</source>
            <translation>Tune by the station's shift (Alt+H)</translation>
        </message>
        <message>
            <source>コンバーターのランプ</source>
            <translation>Converter lamp</translation>
        </message>
        <message>
            <source>コンバーター オン/オフ</source>
            <translation>Converter on/off</translation>
        </message>
        <message>
            <source>スコープ幅 H (51 点)</source>
            <translation>Scope width H (51 points)</translation>
        </message>
        <message>
            <source>スコープ幅 M (31 点)</source>
            <translation>Scope width M (31 points)</translation>
        </message>
        <message>
            <source>スコープ幅 L (21 点)</source>
            <translation>Scope width L (21 points)</translation>
        </message>
        <message>
            <source>スコープ幅 H のランプ</source>
            <translation>Width H lamp</translation>
        </message>
        <message>
            <source>スコープ幅 M のランプ</source>
            <translation>Width M lamp</translation>
        </message>
        <message>
            <source>スコープ幅 L のランプ</source>
            <translation>Width L lamp</translation>
        </message>
        <message>
            <source>バンドスコープ (クリックで掃引)</source>
            <translation>Band scope (click: sweep)</translation>
        </message>
        <message>
            <source>スコープのマーカー: 動かすとそこに同調</source>
            <translation>Scope marker: move it to tune there</translation>
        </message>
        <message>
            <source>1幅下へずらして掃引</source>
            <translation>Shift one width down and sweep</translation>
        </message>
        <message>
            <source>1幅上へずらして掃引</source>
            <translation>Shift one width up and sweep</translation>
        </message>
        <message>
            <source>バンドスコープ掃引 (テンキー *, S)</source>
            <translation>Band scope sweep (keypad *, S)</translation>
        </message>
        <message>
            <source>繰り返し掃引 オン/オフ</source>
            <translation>Repeated sweep on/off</translation>
        </message>
        <message>
            <source>スコープの最初の周波数</source>
            <translation>First frequency of the scope</translation>
        </message>
        <message>
            <source>スコープの中央の周波数</source>
            <translation>Centre frequency of the scope</translation>
        </message>
        <message>
            <source>スコープの最後の周波数</source>
            <translation>Last frequency of the scope</translation>
        </message>
        <message>
            <source>同調ツマミ: ドラッグして回す (右回りで上へ)</source>
            <translation>Tuning knob: drag round (clockwise: up)</translation>
        </message>
        <message>
            <source>上へ同調中</source>
            <translation>Tuning up</translation>
        </message>
        <message>
            <source>下へ同調中</source>
            <translation>Tuning down</translation>
        </message>
        <message>
            <source>ツマミの速さ (上ほど速い)</source>
            <translation>Knob speed (faster upwards)</translation>
        </message>
        <message>
            <source>100 kHz 単位の同調 (矢印, PgUp/PgDn, Home/End)</source>
            <translation>Tune in 100 kHz (arrows, PgUp/PgDn, Home/End)</translation>
        </message>
        <message>
            <source>受信機の CI-V アドレスを表示</source>
            <translation>Show the receiver's CI-V address</translation>
        </message>
        <message>
            <source>メモリー %1 の呼び出し (F%1)</source>
            <translation>Recall memory %1 (F%1)</translation>
        </message>
        <message>
            <source>数字 %1 (%1 キー)</source>
            <translation>Digit %1 (%1 key)</translation>
        </message>
        <message>
            <source>電波型式 %1</source>
            <translation>Mode %1</translation>
        </message>
        <message>
            <source>ステップ %1 kHz</source>
            <translation>Step %1 kHz</translation>
        </message>
        <message>
            <source>周波数表示</source>
            <translation>Frequency display</translation>
        </message>
        <message>
            <source>受信信号の強さ (0〜255)</source>
            <translation>Signal strength (0 to 255)</translation>
        </message>
        <message>
            <source>同調ツマミ</source>
            <translation>Tuning knob</translation>
        </message>
        <message>
            <source>受信機との接続のランプ</source>
            <translation>Receiver link lamp</translation>
        </message>
        <message>
            <source>スキップの一覧を読めません。
%1
%2</source>
            <translation>Cannot read the skip list.
%1
%2</translation>
        </message>
        <message>
            <source>スキップの一覧を書き込めません。</source>
            <translation>Cannot write the skip list.</translation>
        </message>
        <message>
            <source>プライオリティ %1 MHz</source>
            <translation>Priority %1 MHz</translation>
        </message>
        <message>
            <source>局のリストが一杯です (10,000 局)</source>
            <translation>The station list is full (10,000).</translation>
        </message>
        <message>
            <source>スキャン(&amp;K)</source>
            <translation>Sc&amp;an</translation>
        </message>
        <message>
            <source>スキップに追加(&amp;S)</source>
            <translation>Add to &amp;skip list</translation>
        </message>
        <message>
            <source>一時スキップに追加(&amp;T)</source>
            <translation>Skip un&amp;til exit</translation>
        </message>
        <message>
            <source>プライオリティ(&amp;P)</source>
            <translation>&amp;Priority</translation>
        </message>
        <message>
            <source>ネットワークの受信機に接続できません。</source>
            <translation>Cannot reach the network receiver.</translation>
        </message>
        <message>
            <source>パンアダプター連動(&amp;P)...</source>
            <translation>&amp;Panadapter...</translation>
        </message>
        <message>
            <source>受信機が応答しません: %1</source>
            <translation>No answer from the receiver: %1</translation>
        </message>
        <message>
            <source>ポートを開けません。</source>
            <translation>The port cannot be opened.</translation>
        </message>
        <message>
            <source>パネルは受信機なしで動きます（何も送信しません）。バンドスコープの「DEMO」は見本の表示で、受信した信号ではありません。
接続と「RS-232C...」の設定を確かめてから、ON LINE キーで接続し直してください。</source>
            <translation>The panel runs without the receiver and sends nothing. "DEMO" in the band scope is a sample picture, not received signals.
Check the cable and the "RS-232C..." settings, then press ON LINE to try again.</translation>
        </message>
        <message>
            <source>オンライン: %1</source>
            <translation>On line: %1</translation>
        </message>
        <message>
            <source>オフライン: %1</source>
            <translation>Off line: %1</translation>
        </message>
        <message>
            <source>ネットワークポート (rigctl): 入 %1:%2</source>
            <translation>Network port (rigctl): on, %1:%2</translation>
        </message>
        <message>
            <source>ネットワークポート (rigctl): 切</source>
            <translation>Network port (rigctl): off</translation>
        </message>
        <message>
            <source>録音の入力が選ばれていません。
オプションの「録音入力」で選んでください。</source>
            <translation>No recording input is chosen.
Choose one under Options, Audio input.</translation>
        </message>
        <message>
            <source>手動録音(&amp;R)</source>
            <translation>&amp;Record by hand</translation>
        </message>
        <message>
            <source>録音入力(&amp;A)...</source>
            <translation>&amp;Audio input...</translation>
        </message>
        <message>
            <source>プライオリティ解除(&amp;C)</source>
            <translation>Priority off(&amp;C)</translation>
        </message>
    </context>
    <context>
        <name>TPanadapterForm</name>
        <message>
            <source>パンアダプター連動</source>
            <translation>Panadapter</translation>
        </message>
        <message>
            <source>SDR を受信機に連動させる</source>
            <translation>SDR follows the receiver</translation>
        </message>
        <message>
            <source>アドレス</source>
            <translation>Address</translation>
        </message>
        <message>
            <source>ポート</source>
            <translation>Port</translation>
        </message>
        <message>
            <source>オフセット (Hz)</source>
            <translation>Offset (Hz)</translation>
        </message>
        <message>
            <source>SDR 側の同調にも追従する</source>
            <translation>Follow the SDR's tuning too</translation>
        </message>
    </context>
    <context>
        <name>TRecordOptionForm</name>
        <message>
            <source>録音</source>
            <translation>Recording</translation>
        </message>
        <message>
            <source>録音しない</source>
            <translation>Do not record</translation>
        </message>
        <message>
            <source>FLAC (劣化なし)</source>
            <translation>FLAC (lossless)</translation>
        </message>
        <message>
            <source>Ogg Opus (小さい)</source>
            <translation>Ogg Opus (small)</translation>
        </message>
        <message>
            <source>入力(&amp;I):</source>
            <translation>&amp;Input:</translation>
        </message>
        <message>
            <source>形式(&amp;F):</source>
            <translation>&amp;Format:</translation>
        </message>
    </context>
    <context>
        <name>TScanActivityForm</name>
        <message>
            <source>スキャン記録の集計</source>
            <translation>Scan log activity</translation>
        </message>
        <message>
            <source>この日(&amp;D)</source>
            <translation>This &amp;day</translation>
        </message>
        <message>
            <source>過去 7 日間(&amp;W)</source>
            <translation>Last 7 days(&amp;W)</translation>
        </message>
        <message>
            <source>周波数 (MHz)</source>
            <translation>Frequency (MHz)</translation>
        </message>
        <message>
            <source>回数</source>
            <translation>Stops</translation>
        </message>
        <message>
            <source>時間 (秒)</source>
            <translation>Time (s)</translation>
        </message>
        <message>
            <source>最強レベル</source>
            <translation>Peak level</translation>
        </message>
        <message>
            <source>閉じる(&amp;C)</source>
            <translation>&amp;Close</translation>
        </message>
    </context>
    <context>
        <name>TScanLogForm</name>
        <message>
            <source>スキャン記録</source>
            <translation>Scan Log</translation>
        </message>
        <message>
            <source>日付(&amp;D):</source>
            <translation>&amp;Date:</translation>
        </message>
        <message>
            <source>今日(&amp;N)</source>
            <translation>Today (&amp;N)</translation>
        </message>
        <message>
            <source>時刻</source>
            <translation>Time</translation>
        </message>
        <message>
            <source>周波数 (MHz)</source>
            <translation>Frequency (MHz)</translation>
        </message>
        <message>
            <source>バンド</source>
            <translation>Band</translation>
        </message>
        <message>
            <source>局名</source>
            <translation>Station</translation>
        </message>
        <message>
            <source>モード</source>
            <translation>Mode</translation>
        </message>
        <message>
            <source>レベル</source>
            <translation>Level</translation>
        </message>
        <message>
            <source>同調(&amp;T)</source>
            <translation>&amp;Tune</translation>
        </message>
        <message>
            <source>閉じる(&amp;C)</source>
            <translation>&amp;Close</translation>
        </message>
        <message>
            <source>記録はありません</source>
            <translation>No entries</translation>
        </message>
        <message>
            <source>%1 件</source>
            <translation>%1 entries</translation>
        </message>
        <message>
            <source>スキップに追加(&amp;K)</source>
            <translation>S&amp;kip</translation>
        </message>
        <message>
            <source>局リストに追加(&amp;A)</source>
            <translation>To st&amp;ation list</translation>
        </message>
        <message>
            <source>集計(&amp;G)...</source>
            <translation>Activity(&amp;G)...</translation>
        </message>
        <message>
            <source>スキップ一覧(&amp;L)...</source>
            <translation>Skip &amp;list...</translation>
        </message>
        <message>
            <source>再生(&amp;P)</source>
            <translation>&amp;Play</translation>
        </message>
        <message>
            <source>フォルダーを開く(&amp;F)</source>
            <translation>Open &amp;folder</translation>
        </message>
        <message>
            <source>録音を削除(&amp;E)</source>
            <translation>D&amp;elete recording</translation>
        </message>
        <message>
            <source>一時停止(&amp;P)</source>
            <translation>&amp;Pause</translation>
        </message>
        <message>
            <source>音声の出力がありません</source>
            <translation>No sound output</translation>
        </message>
        <message>
            <source>この録音を削除しますか？
%1</source>
            <translation>Delete this recording?
%1</translation>
        </message>
    </context>
    <context>
        <name>TSkipListForm</name>
        <message>
            <source>スキップ一覧</source>
            <translation>Skip list</translation>
        </message>
        <message>
            <source>周波数 (MHz)</source>
            <translation>Frequency (MHz)</translation>
        </message>
        <message>
            <source>モード</source>
            <translation>Mode</translation>
        </message>
        <message>
            <source>名前</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>追加日</source>
            <translation>Added</translation>
        </message>
        <message>
            <source>削除(&amp;D)</source>
            <translation>Remove(&amp;D)</translation>
        </message>
        <message>
            <source>閉じる(&amp;C)</source>
            <translation>&amp;Close</translation>
        </message>
        <message>
            <source>一時 (終了まで)</source>
            <translation>Until exit</translation>
        </message>
        <message>
            <source>スキップの一覧を書き込めません。
%1
%2</source>
            <translation>Cannot write the skip list.
%1
%2</translation>
        </message>
    </context>
    <context>
        <name>TStdOptionForm</name>
        <message>
            <source>環境設定</source>
            <translation>Options</translation>
        </message>
        <message>
            <source>スキャン</source>
            <translation>Scan</translation>
        </message>
        <message>
            <source>スキャン速度</source>
            <translation>Scan speed</translation>
        </message>
        <message>
            <source>再開時間 （秒）</source>
            <translation>Resume (s)</translation>
        </message>
        <message>
            <source>再開条件 起動時設定</source>
            <translation>Resume rule at start</translation>
        </message>
        <message>
            <source>環 境</source>
            <translation>Environment</translation>
        </message>
        <message>
            <source>Sメーター色分け </source>
            <translation>Coloured S meter</translation>
        </message>
        <message>
            <source>読込頻度</source>
            <translation>Polling</translation>
        </message>
        <message>
            <source>受信機設定優先</source>
            <translation>Receiver's settings first</translation>
        </message>
        <message>
            <source>電波型式入力リストを用意</source>
            <translation>Offer a list of modes</translation>
        </message>
        <message>
            <source>電波型式入力リストを自動追加</source>
            <translation>Add modes in use to it</translation>
        </message>
        <message>
            <source>無線種類入力リストを用意</source>
            <translation>Offer a list of types</translation>
        </message>
        <message>
            <source>無線種類入力リストを自動追加</source>
            <translation>Add types in use to it</translation>
        </message>
        <message>
            <source>コンバーター</source>
            <translation>Converter</translation>
        </message>
        <message>
            <source>シフト周波数</source>
            <translation>Shift freq.</translation>
        </message>
        <message>
            <source>開始 周波数</source>
            <translation>Start freq.</translation>
        </message>
        <message>
            <source>終了 周波数</source>
            <translation>End freq.</translation>
        </message>
        <message>
            <source>レシーバー名 (IC-R7100のみ動作)</source>
            <translation>Receiver (only IC-R7100 works)</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>TVersionForm</name>
        <message>
            <source>Fennix</source>
            <translation>Fennix</translation>
        </message>
        <message>
            <source>for ICOM IC-R7100</source>
            <translation>for ICOM IC-R7100</translation>
        </message>
        <message>
            <source>Version 0.63</source>
            <translation>Version 0.63</translation>
        </message>
        <message>
            <source>O K</source>
            <translation>OK</translation>
        </message>
    </context>
</TS>
