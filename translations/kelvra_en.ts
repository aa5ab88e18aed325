<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>DataFile</name>
    <message>
        <source>Kelvraのデータファイルではありません（%1）。</source>
        <translation>This is not a Kelvra data file (%1).</translation>
    </message>
    <message>
        <source>ファイルがヘッダーの途中で終わっています。最後までコピーされていない可能性があります。</source>
        <translation>The file ends inside its header. It may not have been copied completely.</translation>
    </message>
    <message>
        <source>データ数が0〜88000ではありません</source>
        <translation>the sample count is not 0 to 88000</translation>
    </message>
    <message>
        <source>空のファイルです</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>先頭に測定日時がありません</source>
        <translation>no measuring date at the start</translation>
    </message>
    <message>
        <source>測定日が日時の文字列ではありません</source>
        <translation>the measuring date is no date and time</translation>
    </message>
    <message>
        <source>メモ欄が壊れています</source>
        <translation>the memo lines are damaged</translation>
    </message>
    <message>
        <source>ファイルがデータの途中で終わっています。最後までコピーされていない可能性があります。</source>
        <translation>The file ends inside its data. It may not have been copied completely.</translation>
    </message>
    <message>
        <source>ファイルの大きさがデータ数と合いません</source>
        <translation>the file size does not match the sample count</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>the file is too large</translation>
    </message>
</context>
<context>
    <name>DeviceControl</name>
    <message>
        <source>正常終了</source>
        <translation>Completed normally</translation>
    </message>
    <message>
        <source>ID番号が異なる</source>
        <translation>Wrong unit ID</translation>
    </message>
    <message>
        <source>ドライバが正常にインストールされていない</source>
        <translation>The driver is not installed properly</translation>
    </message>
    <message>
        <source>このデバイスは既にオープンされている</source>
        <translation>This unit is already open</translation>
    </message>
    <message>
        <source>接続台数が多すぎる</source>
        <translation>Too many units connected</translation>
    </message>
    <message>
        <source>デバイスをオープンできなかった</source>
        <translation>The unit could not be opened</translation>
    </message>
    <message>
        <source>指定のデバイスが見つからない</source>
        <translation>The unit was not found</translation>
    </message>
    <message>
        <source>指定のデバイスはオープンされてない</source>
        <translation>The unit is not open</translation>
    </message>
    <message>
        <source>指定パラメータのエラー</source>
        <translation>Parameter out of range</translation>
    </message>
    <message>
        <source>USB通信エラー</source>
        <translation>USB communication error</translation>
    </message>
    <message>
        <source>使用ユニットの指定がありません。</source>
        <translation>No unit is in use.</translation>
    </message>
    <message>
        <source>終了しました。</source>
        <translation>Done.</translation>
    </message>
</context>
<context>
    <name>GraphView</name>
    <message>
        <source>設定値に誤りがあります。</source>
        <translation>The setting is wrong.</translation>
    </message>
</context>
<context>
    <name>JournalRecovery</name>
    <message>
        <source>前回の測定データが保存されていません。復元しますか？</source>
        <translation>The last measurement was not saved. Restore it?</translation>
    </message>
    <message>
        <source>次の測定データの控えは読み取れないため、復元の対象から外しました。ファイルは名前の末尾に .bad を付けて残してあります。
%1</source>
        <translation>These run journals cannot be read and will not be restored. The files are kept with .bad added to their names.
%1</translation>
    </message>
</context>
<context>
    <name>LimitEntries</name>
    <message>
        <source>リミットの値に誤りがあります。</source>
        <translation>A limit value is wrong.</translation>
    </message>
    <message>
        <source>警告のレベルが異常のレベルを超えています。</source>
        <translation>A warning level lies beyond its alarm level.</translation>
    </message>
    <message>
        <source>ヒステリシスに誤りがあります。</source>
        <translation>The hysteresis is wrong.</translation>
    </message>
</context>
<context>
    <name>MeasInfo</name>
    <message>
        <source>保存された測定条件のうち次の項目は設定できない値のため、初期値に戻しました: %1</source>
        <translation>These stored measuring conditions held values no setting takes and are back at their defaults: %1</translation>
    </message>
</context>
<context>
    <name>MeasParamLines</name>
    <message>
        <source>ID%1：%2&#x3000;</source>
        <translation>ID%1: %2   </translation>
    </message>
    <message>
        <source>測定日</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>測定間隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>平均化</source>
        <translation>Averaging</translation>
    </message>
    <message>
        <source>有り</source>
        <translation>On</translation>
    </message>
    <message>
        <source>無し</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>上限トリガ</source>
        <translation>Upper trigger</translation>
    </message>
    <message>
        <source>下限トリガ</source>
        <translation>Lower trigger</translation>
    </message>
    <message>
        <source>取込データ数</source>
        <translation>Samples kept</translation>
    </message>
    <message>
        <source>トリガ前：%1  トリガ後：%2</source>
        <translation>Before trigger: %1  After trigger: %2</translation>
    </message>
    <message>
        <source>トリガ使用ユニット  ID%1</source>
        <translation>Trigger unit  ID%1</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>定格出力</source>
        <translation>Rated output</translation>
    </message>
    <message>
        <source>定格容量</source>
        <translation>Rated capacity</translation>
    </message>
</context>
<context>
    <name>MeasurementFiles</name>
    <message>
        <source>CSVファイル  (*.csv)</source>
        <translation>CSV files  (*.csv)</translation>
    </message>
    <message>
        <source>専用ファイル  (*.vn2)</source>
        <translation>Data files  (*.vn2)</translation>
    </message>
</context>
<context>
    <name>PrintDatGraph</name>
    <message>
        <source>印刷できませんでした。プリンタを確認して下さい。</source>
        <translation>Could not print. Please check the printer.</translation>
    </message>
    <message>
        <source>グラフ印刷エラー</source>
        <translation>Graph printing error</translation>
    </message>
    <message>
        <source>----- ひずみ測定 -----</source>
        <translation>----- Strain measurement -----</translation>
    </message>
    <message>
        <source>＜取込設定＞</source>
        <translation>&lt; Acquisition settings &gt;</translation>
    </message>
</context>
<context>
    <name>Prompt</name>
    <message>
        <source>VarnelApp</source>
        <translation>VarnelApp</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>エラーメッセージ</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>RunJournal</name>
    <message>
        <source>測定データの控えを書き込めません。測定は続けますが、異常終了したときは復元できません。
%1</source>
        <translation>Cannot write the run journal. The measurement goes on, but it cannot be restored after a crash.
%1</translation>
    </message>
    <message>
        <source>測定データの控えを最後まで書き込めませんでした。保存しないまま異常終了したときは、最後の部分を復元できません。
%1</source>
        <translation>The run journal could not be written to its end. After a crash without saving, its last part cannot be restored.
%1</translation>
    </message>
</context>
<context>
    <name>RunSettings</name>
    <message>
        <source>測定方法の値が範囲外です</source>
        <translation>the timing is out of range</translation>
    </message>
    <message>
        <source>平均化の値が範囲外です</source>
        <translation>the averaging is out of range</translation>
    </message>
    <message>
        <source>トリガの有無の値が範囲外です</source>
        <translation>the trigger choice is out of range</translation>
    </message>
    <message>
        <source>測定間隔が範囲外です</source>
        <translation>the interval is out of range</translation>
    </message>
    <message>
        <source>トリガの取込データ数が範囲外です</source>
        <translation>the trigger sample counts are out of range</translation>
    </message>
    <message>
        <source>トリガ使用ユニットIDが0〜3ではありません</source>
        <translation>the trigger unit ID is not 0 to 3</translation>
    </message>
    <message>
        <source>表示単位が範囲外です</source>
        <translation>the display unit is out of range</translation>
    </message>
    <message>
        <source>使用ユニットの値が範囲外です</source>
        <translation>the units in use are out of range</translation>
    </message>
</context>
<context>
    <name>SeriesDrawing</name>
    <message>
        <source>開始時刻 [ </source>
        <translation>Start time [ </translation>
    </message>
    <message>
        <source>トリガ時刻 [ </source>
        <translation>Trigger time [ </translation>
    </message>
    <message>
        <source>トリガの経過時間（秒）</source>
        <translation>Time from the trigger (s)</translation>
    </message>
    <message>
        <source>開始からの経過時間（秒）</source>
        <translation>Time from the start (s)</translation>
    </message>
</context>
<context>
    <name>SettingEntries</name>
    <message>
        <source>使用ユニットにチェックが付いていません。</source>
        <translation>No unit is ticked as in use.</translation>
    </message>
    <message>
        <source>時間の入力に誤りがあります。</source>
        <translation>The interval is wrong.</translation>
    </message>
    <message>
        <source>トリガ処理の設定に誤りがあります。</source>
        <translation>The trigger settings are wrong.</translation>
    </message>
</context>
<context>
    <name>UnitEntries</name>
    <message>
        <source>設定に誤りがあります。</source>
        <translation>The settings are wrong.</translation>
    </message>
</context>
<context>
    <name>Units</name>
    <message>
        <source>μひずみ</source>
        <translation>με</translation>
    </message>
</context>
<context>
    <name>VarnelLibrary</name>
    <message>
        <source>デバイスライブラリ %1 を読み込めません。
%2</source>
        <translation>Cannot load the device library %1.
%2</translation>
    </message>
    <message>
        <source>デバイスライブラリ %1 に関数がありません: %2</source>
        <translation>The device library %1 lacks functions: %2</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogDatalist</name>
    <message>
        <source>データ表示</source>
        <translation>Show data</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>データ数</source>
        <translation>Samples</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogLimits</name>
    <message>
        <source>リミット設定</source>
        <translation>Limit settings</translation>
    </message>
    <message>
        <source>異常で音を鳴らす</source>
        <translation>Beep on an alarm</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>リミット</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>ヒステリシス</source>
        <translation>Hysteresis</translation>
    </message>
    <message>
        <source> 値</source>
        <translation> value</translation>
    </message>
    <message>
        <source> ヒステリシス</source>
        <translation> hysteresis</translation>
    </message>
    <message>
        <source>使用ユニットの指定がありません。</source>
        <translation>No unit is in use.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>異常</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Lower</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogMemo</name>
    <message>
        <source>データ保存</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>メモ</source>
        <translation>Memo</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>４</source>
        <translation>4</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>．</source>
        <translation>.</translation>
    </message>
    <message>
        <source>ファイルの保存形式</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>専用</source>
        <translation>Data file</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。
%1
%2</source>
        <translation>Could not save the file.
%1
%2</translation>
    </message>
    <message>
        <source>メモ%1</source>
        <translation>Memo %1</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogMoveWindow</name>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>左に移動</source>
        <translation>Move left</translation>
    </message>
    <message>
        <source>右に移動</source>
        <translation>Move right</translation>
    </message>
    <message>
        <source>上に移動</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下に移動</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>左上合わせ</source>
        <translation>To the top left corner</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogSetUnit</name>
    <message>
        <source>単位設定</source>
        <translation>Unit settings</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>使用ユニット</source>
        <translation>Units in use</translation>
    </message>
    <message>
        <source>  定格出力</source>
        <translation>  Rated output</translation>
    </message>
    <message>
        <source>  定格容量</source>
        <translation>  Rated capacity</translation>
    </message>
    <message>
        <source>ID%1 定格出力</source>
        <translation>ID%1 rated output</translation>
    </message>
    <message>
        <source>μひずみ</source>
        <translation>με</translation>
    </message>
    <message>
        <source>ID%1 定格容量</source>
        <translation>ID%1 rated capacity</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>設定に誤りがあります。</source>
        <translation>The settings are wrong.</translation>
    </message>
    <message>
        <source>ｋｇｆ</source>
        <translation>kgf</translation>
    </message>
    <message>
        <source>ｔｆ</source>
        <translation>tf</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogSetting</name>
    <message>
        <source>取込設定</source>
        <translation>Acquisition settings</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>使用ユニット</source>
        <translation>Units in use</translation>
    </message>
    <message>
        <source>測定間隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>ミリ秒</source>
        <translation>Milliseconds</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>データ値の平均化</source>
        <translation>Average the readings</translation>
    </message>
    <message>
        <source>トリガ設定</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>トリガレベル</source>
        <translation>Trigger level</translation>
    </message>
    <message>
        <source>上限トリガ</source>
        <translation>Upper trigger</translation>
    </message>
    <message>
        <source>下限トリガ</source>
        <translation>Lower trigger</translation>
    </message>
    <message>
        <source>取込データ数</source>
        <translation>Samples kept</translation>
    </message>
    <message>
        <source>トリガ前</source>
        <translation>Before trigger</translation>
    </message>
    <message>
        <source>トリガ後</source>
        <translation>After trigger</translation>
    </message>
</context>
<context>
    <name>kelvra::FormMain</name>
    <message>
        <source>ひずみ測定(Ver1.2)</source>
        <translation>Strain measurement (Ver1.2)</translation>
    </message>
    <message>
        <source>移動ツールの表示</source>
        <translation>Show the move tool</translation>
    </message>
    <message>
        <source>表示範囲</source>
        <translation>Display range</translation>
    </message>
    <message>
        <source>全表示</source>
        <translation>Show all</translation>
    </message>
    <message>
        <source>自動ｽｸﾛｰﾙ</source>
        <translation>Auto scroll</translation>
    </message>
    <message>
        <source>手動ｽｸﾛｰﾙ</source>
        <translation>Manual scroll</translation>
    </message>
    <message>
        <source>表示データ数</source>
        <translation>Samples shown</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>Upper</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Lower</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>リミット</source>
        <translation>Limits</translation>
    </message>
    <message>
        <source>現在値</source>
        <translation>Current values</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Acknowledge</translation>
    </message>
    <message>
        <source>リミットの表示を戻す</source>
        <translation>Clear the limit display</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>取込設定</source>
        <translation>Acquisition settings</translation>
    </message>
    <message>
        <source>単位設定</source>
        <translation>Unit settings</translation>
    </message>
    <message>
        <source>測定条件保存</source>
        <translation>Save conditions</translation>
    </message>
    <message>
        <source>データ表示</source>
        <translation>Show data</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>読込み</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>異常</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>データがありません</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>データがありません。</source>
        <translation>No data.</translation>
    </message>
    <message>
        <source>設定を変更するとデータが消去されます。よろしいですか？</source>
        <translation>Changing the settings erases the data. Continue?</translation>
    </message>
    <message>
        <source>測定データがありません。</source>
        <translation>No measured data.</translation>
    </message>
    <message>
        <source>表示データが消去されます。よろしいですか？</source>
        <translation>The data shown will be erased. Continue?</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした。
%1
%2</source>
        <translation>Could not read the file.
%1
%2</translation>
    </message>
    <message>
        <source>測定中です。中止してから終了して下さい。</source>
        <translation>A measurement is running. Stop it before exiting.</translation>
    </message>
    <message>
        <source>終了しますか？</source>
        <translation>Exit?</translation>
    </message>
    <message>
        <source>データが消去されます。終了してもよろしいですか？</source>
        <translation>The data will be erased. Exit anyway?</translation>
    </message>
</context>
<context>
    <name>kelvra::RunControl</name>
    <message>
        <source>測定を開始するとデータが消去されます。よろしいですか？</source>
        <translation>Starting a measurement erases the data. Continue?</translation>
    </message>
    <message>
        <source>トリガ待ち...</source>
        <translation>Waiting for trigger...</translation>
    </message>
    <message>
        <source>開始時刻 [ </source>
        <translation>Start time [ </translation>
    </message>
    <message>
        <source>タイマー設定エラーのため測定開始できません。</source>
        <translation>Cannot start the measurement: the timer could not be set.</translation>
    </message>
    <message>
        <source>エラーのため測定開始できません。</source>
        <translation>Cannot start the measurement because of an error.</translation>
    </message>
    <message>
        <source>トリガ時刻 [ </source>
        <translation>Trigger time [ </translation>
    </message>
    <message>
        <source>トリガの経過時間（秒）</source>
        <translation>Time from the trigger (s)</translation>
    </message>
    <message>
        <source>設定数のデータを入力したため測定を終了します。</source>
        <translation>The set number of samples has been taken; the measurement ends.</translation>
    </message>
    <message>
        <source>設定データ数を取込みましたので測定を終了します。</source>
        <translation>The set number of samples has been captured; the measurement ends.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>エミュレータの指定に誤りがあります。
%1</source>
        <translation>The emulator description is wrong.
%1</translation>
    </message>
</context>
</TS>
