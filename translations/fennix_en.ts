<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
        <name>Options</name>
        <message>
            <source>'%1' は有効な整数値ではありません</source>
            <translation>'%1' is not a valid integer</translation>
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
