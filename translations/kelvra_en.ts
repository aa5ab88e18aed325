<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>CliText</name>
    <message>
        <source>コマンドが指定されていません</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>不明なオプション &apos;%1&apos; です</source>
        <translation>unknown option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>不明なコマンド &apos;%1&apos; です</source>
        <translation>unknown command &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--lang &apos;%1&apos; は ja でも en でもありません</source>
        <translation>--lang &apos;%1&apos; is not ja or en</translation>
    </message>
    <message>
        <source> (はい)</source>
        <translation> (yes)</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv
        kelvra-cli convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2
データファイルを読み、CSV として書き出します。文字コードはコードページ 932 か
バイトオーダーマーク付きの UTF-8 です (既定は cp932)。長時間記録 (最初の部分を
指定すれば全部分) は HDF5、CSV (表計算ソフトの行数を超えれば番号付きの複数の
ファイル)、または 88000 データまでならデータファイルに書き出します。

</source>
        <translation>Usage: kelvra-cli convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv
       kelvra-cli convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2
Reads a data file and writes it as CSV, in code page 932 or in UTF-8
with a byte-order mark (default cp932). A long recording (every part of
it when the first is named) goes to HDF5, CSV (in numbered files when it
has more lines than a spreadsheet takes) or, up to 88000 samples, a data file.

</translation>
    </message>
    <message>
        <source>.csv ファイルの文字コード: cp932 (既定) か utf-8</source>
        <translation>text of the .csv file: cp932 (default) or utf-8</translation>
    </message>
    <message>
        <source>記録の開始からこの秒数以降</source>
        <translation>a recording from this many seconds after its start</translation>
    </message>
    <message>
        <source>記録の開始からこの秒数まで</source>
        <translation>a recording up to this many seconds after its start</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli info IN.vn2|REC.kvr
データファイルか記録のヘッダー、ユニットの設定、データ数、使用ユニットを
一項目一行の &apos;name: value&apos; の形で示します。
</source>
        <translation>Usage: kelvra-cli info IN.vn2|REC.kvr
Prints a data file&apos;s or a recording&apos;s header, unit settings, row count and units in use,
one &apos;name: value&apos; line each.
</translation>
    </message>
    <message>
        <source>--csv-encoding には cp932 か utf-8 を指定します</source>
        <translation>--csv-encoding takes cp932 or utf-8</translation>
    </message>
    <message>
        <source>convert には IN.vn2 OUT.csv を指定します</source>
        <translation>convert takes IN.vn2 OUT.csv</translation>
    </message>
    <message>
        <source>OUT には .csv ファイルを指定します</source>
        <translation>OUT must name a .csv file</translation>
    </message>
    <message>
        <source>%1 を読み込めません: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 に書き込めません: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>info にはデータファイルを一つ指定します</source>
        <translation>info takes one data file</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli COMMAND [options]

コマンド:
  record --out FILE [options]   測定を一回行い FILE (.vn2 か .csv) に書き出す
  convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv
                                データファイルを CSV に書き出す
  convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2
                                長時間記録を解析用に書き出す
  info IN.vn2|REC.kvr           データファイルか長時間記録の内容を示す
  recover --list                保存されなかった測定データの控えを一覧する
  recover [JOURNAL] --out FILE  控えの測定を FILE (.vn2 か .csv) に書き出す
</source>
        <translation>Usage: kelvra-cli COMMAND [options]

Commands:
  record --out FILE [options]   run one measurement and write FILE (.vn2 or .csv)
  convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv
                                write a data file as CSV
  convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2
                                write a long recording for analysis
  info IN.vn2|REC.kvr           describe a data file or a long recording
  recover --list                list the journals of runs never saved
  recover [JOURNAL] --out FILE  write a journaled run as FILE (.vn2 or .csv)
</translation>
    </message>
    <message>
        <source>  print IN.vn2 --pdf OUT.pdf    データファイルの印刷ページを PDF に書き出す
</source>
        <translation>  print IN.vn2 --pdf OUT.pdf    write a data file&apos;s printed page as PDF
</translation>
    </message>
    <message>
        <source>
--lang ja|en (または KELVRA_LANG) でメッセージの言語を選びます。指定がなければ
ロケールに従い、日本語か C のロケールでは日本語、それ以外では英語です。
&apos;kelvra-cli COMMAND --help&apos; でコマンドの説明、&apos;kelvra-cli --version&apos; でバージョンを示します。
</source>
        <translation>
--lang ja|en (or KELVRA_LANG) chooses the language of the messages; without it
the locale does: Japanese under a Japanese or the C locale, else English.
&apos;kelvra-cli COMMAND --help&apos; explains a command; &apos;kelvra-cli --version&apos; names the version.
</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli print IN.vn2 --pdf OUT.pdf [--page-size NAME]
データファイルの印刷ページ (日付、タイトル、測定条件、グラフ) を一ページの
PDF に書き出します。NAME は A4 (既定)、A3、B5、Letter などの用紙サイズです。
ディスプレイは要りません。

</source>
        <translation>Usage: kelvra-cli print IN.vn2 --pdf OUT.pdf [--page-size NAME]
Writes the printed page of a data file (date, title, measuring conditions,
graph) as a one-page PDF. NAME is a paper size such as A4 (the default),
A3, B5 or Letter. Needs no display.

</translation>
    </message>
    <message>
        <source>書き出すファイル</source>
        <translation>file to write</translation>
    </message>
    <message>
        <source>用紙サイズ (既定 A4)</source>
        <translation>paper size (default A4)</translation>
    </message>
    <message>
        <source>print には IN.vn2 --pdf OUT.pdf を指定します</source>
        <translation>print takes IN.vn2 --pdf OUT.pdf</translation>
    </message>
    <message>
        <source>--pdf には .pdf ファイルを指定します</source>
        <translation>--pdf must name a .pdf file</translation>
    </message>
    <message>
        <source>用紙サイズ %1 は不明です</source>
        <translation>unknown page size %1</translation>
    </message>
    <message>
        <source>%1: データがありません。</source>
        <translation>%1: no data.</translation>
    </message>
    <message>
        <source>書き出すファイル (.vn2 か .csv)</source>
        <translation>file to write (.vn2 or .csv)</translation>
    </message>
    <message>
        <source>エミュレータのユニットを使う (VARNELIO_EMULATOR)。例: demo</source>
        <translation>use emulated units (VARNELIO_EMULATOR), e.g. demo</translation>
    </message>
    <message>
        <source>使用ユニット</source>
        <translation>units in use</translation>
    </message>
    <message>
        <source>ユニット計時で N ms ごと (10の倍数)</source>
        <translation>unit-timed blocks every N ms (a multiple of 10)</translation>
    </message>
    <message>
        <source>各測定間隔の値を平均化する</source>
        <translation>average the readings of each interval</translation>
    </message>
    <message>
        <source>上限トリガを V に設定する</source>
        <translation>arm the upper-limit trigger at V</translation>
    </message>
    <message>
        <source>下限トリガを V に設定する</source>
        <translation>arm the lower-limit trigger at V</translation>
    </message>
    <message>
        <source>トリガなしで測定する</source>
        <translation>record without trigger</translation>
    </message>
    <message>
        <source>トリガ前に残す / トリガ後に取るデータ数</source>
        <translation>samples kept before / taken after the trigger</translation>
    </message>
    <message>
        <source>トリガを見るユニット</source>
        <translation>unit watched for the trigger</translation>
    </message>
    <message>
        <source>ue、kgf、tf、N、kN、MN のいずれか</source>
        <translation>ue, kgf, tf, N, kN or MN</translation>
    </message>
    <message>
        <source>ユニット U の定格出力</source>
        <translation>rated output of unit U</translation>
    </message>
    <message>
        <source>ユニット U の定格容量 (表示単位で)</source>
        <translation>rated capacity of unit U, in the display unit</translation>
    </message>
    <message>
        <source>先に各使用ユニットのゼロ点を取る</source>
        <translation>take each used unit&apos;s zero reference first</translation>
    </message>
    <message>
        <source>トリガなしのとき: データが N 個になったら止める</source>
        <translation>without trigger: stop once N samples are held</translation>
    </message>
    <message>
        <source>ファイルのメモ行 (五回まで)</source>
        <translation>a memo line of the file (up to five times)</translation>
    </message>
    <message>
        <source>標準エラーに一回の読み取りごとに進行状況を一行、
端末でなくても出す</source>
        <translation>a progress line per tick on standard error, even when
it is no terminal</translation>
    </message>
    <message>
        <source>.csv ファイルの文字コード: cp932 (既定) か utf-8
(utf-8 はバイトオーダーマーク付き)</source>
        <translation>text of a .csv file: cp932 (default) or utf-8,
which is written with a byte-order mark</translation>
    </message>
    <message>
        <source>ユニット U をレベルで監視する (表示単位、
繰り返し可)。超えたときと戻ったときに
標準エラーに一行ずつ出す</source>
        <translation>watch unit U against a level, in the display
unit (repeatable); each crossing and return is
a line on standard error</translation>
    </message>
    <message>
        <source>ユニット U の値がレベルの内側へどれだけ
戻る必要があるか</source>
        <translation>how far a value of unit U must come back inside a
level</translation>
    </message>
    <message>
        <source>最初の異常で測定を終え、FILE を書き出して 3 で終了する</source>
        <translation>at the first alarm, end the run, write FILE and exit 3</translation>
    </message>
    <message>
        <source>測定は控えに記録します。プログラムが強制終了されても、&apos;kelvra-cli recover&apos; で
その一秒前までに測定したデータを書き出せます。
</source>
        <translation>The run is journaled; when the program is killed, &apos;kelvra-cli recover&apos; writes
what it measured up to a second before.
</translation>
    </message>
    <message>
        <source>ユニット &apos;%1&apos; が0〜3ではありません</source>
        <translation>unit &apos;%1&apos; is not 0 to 3</translation>
    </message>
    <message>
        <source>--%1 には正の整数を指定します</source>
        <translation>--%1 takes a positive whole number</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos; が %3 の形ではありません</source>
        <translation>--%1 &apos;%2&apos; is not %3</translation>
    </message>
    <message>
        <source>--%1 の単位 &apos;%2&apos; が mV/V でも ue でもありません</source>
        <translation>--%1 unit &apos;%2&apos; is not mV/V or ue</translation>
    </message>
    <message>
        <source>--limit &apos;%1&apos; が U:upper|lower:warning|alarm:VALUE の形ではありません</source>
        <translation>--limit &apos;%1&apos; is not U:upper|lower:warning|alarm:VALUE</translation>
    </message>
    <message>
        <source>--display-unit &apos;%1&apos; が ue、kgf、tf、N、kN、MN のいずれでもありません</source>
        <translation>--display-unit &apos;%1&apos; is not ue, kgf, tf, N, kN or MN</translation>
    </message>
    <message>
        <source>--out FILE を指定して下さい</source>
        <translation>--out FILE is required</translation>
    </message>
    <message>
        <source>--out には .vn2 か .csv ファイルを指定します</source>
        <translation>--out must name a .vn2 or .csv file</translation>
    </message>
    <message>
        <source>--csv-encoding は .csv ファイルにだけ指定できます</source>
        <translation>--csv-encoding goes with a .csv file</translation>
    </message>
    <message>
        <source>--interval-ms には10の倍数を指定します</source>
        <translation>--interval-ms takes a multiple of 10</translation>
    </message>
    <message>
        <source>--interval-ms と --interval-s はどちらか一方だけを指定します</source>
        <translation>give --interval-ms or --interval-s, not both</translation>
    </message>
    <message>
        <source>--no-trigger は --trigger-upper とも --trigger-lower とも一緒に指定できません</source>
        <translation>--no-trigger goes with neither --trigger-upper nor --trigger-lower</translation>
    </message>
    <message>
        <source>--memo は五回までしか指定できません</source>
        <translation>--memo may be given at most five times</translation>
    </message>
    <message>
        <source>--limit のユニット %1 は使用ユニットではありません</source>
        <translation>--limit names unit %1, which is not in use</translation>
    </message>
    <message>
        <source>--emulate: %1</source>
        <translation>--emulate: %1</translation>
    </message>
    <message>
        <source>保存された測定条件のうち次の項目は設定できない値のため、初期値に戻しました: %1</source>
        <translation>stored measuring conditions no settings dialog would take are back at their defaults: %1</translation>
    </message>
    <message>
        <source>--samples はトリガなしの測定にだけ指定できます</source>
        <translation>--samples goes with a run without trigger</translation>
    </message>
    <message>
        <source>測定は %1 に残してあります。&apos;kelvra-cli recover --out FILE&apos; で書き出せます</source>
        <translation>the run is kept in %1; &apos;kelvra-cli recover --out FILE&apos; writes it</translation>
    </message>
    <message>
        <source>測定データの控え %1 も完全ではありません: %2</source>
        <translation>the run journal %1 is not whole either: %2</translation>
    </message>
    <message>
        <source>Ctrl+C で停止しました。%1 に %2 個のデータがあります</source>
        <translation>stopped by Ctrl+C; %1 holds %2 samples</translation>
    </message>
    <message>
        <source>異常で停止しました。%1 に %2 個のデータがあります</source>
        <translation>stopped at an alarm; %1 holds %2 samples</translation>
    </message>
    <message>
        <source>デバイスエラーで測定が終わりました。%1 にそれまでの %2 個のデータがあります</source>
        <translation>the run ended on a device error; %1 holds the %2 samples taken before it</translation>
    </message>
    <message>
        <source>余分な引数 &apos;%1&apos; があります</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--from と --to には開始からの秒数を指定します</source>
        <translation>--from and --to take seconds from the start</translation>
    </message>
    <message>
        <source>OUT には .h5、.csv、.vn2 のいずれかのファイルを指定します</source>
        <translation>OUT must name a .h5, .csv or .vn2 file</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli recover --list
        kelvra-cli recover [JOURNAL] --out FILE [--csv-encoding cp932|utf-8]
保存されなかった測定データの控えを一覧するか、一つをデータファイル (.vn2) か
CSV (.csv) に書き出してから削除します。指定がなければ最新の控えです。
控えは --list が示すフォルダにあります。

</source>
        <translation>Usage: kelvra-cli recover --list
       kelvra-cli recover [JOURNAL] --out FILE [--csv-encoding cp932|utf-8]
Lists the journals of runs that were never saved, or writes one as a data
file (.vn2) or CSV (.csv) and then deletes it; the newest when none is named.
Journals live in the folder shown by --list.

</translation>
    </message>
    <message>
        <source>控えを一覧する: 開始時刻、ユニット、データ数、状態</source>
        <translation>list the journals: start time, units, samples, state</translation>
    </message>
    <message>
        <source>%1 に復元できる測定データの控えがありません</source>
        <translation>no journal to recover in %1</translation>
    </message>
    <message>
        <source>%2 に測定データの控え %1 がありません</source>
        <translation>no journal %1 in %2</translation>
    </message>
    <message>
        <source>%1 を復元できません: %2</source>
        <translation>cannot recover %1: %2</translation>
    </message>
    <message>
        <source>%1 を復元できません: 実行中のプログラムが使っています</source>
        <translation>cannot recover %1: a running program has taken it</translation>
    </message>
    <message>
        <source>%2 の %1 個のデータを %3 に書き出しました</source>
        <translation>wrote the %1 samples of %2 to %3</translation>
    </message>
    <message>
        <source>recover には --list か [JOURNAL] --out FILE を指定します</source>
        <translation>recover takes --list, or [JOURNAL] --out FILE</translation>
    </message>
    <message>
        <source>recover には [JOURNAL] --out FILE.vn2 か FILE.csv を指定します</source>
        <translation>recover takes [JOURNAL] --out FILE.vn2 or FILE.csv</translation>
    </message>
    <message>
        <source>PC計時で N 秒ごと</source>
        <translation>PC-timed single samples every N s</translation>
    </message>
    <message>
        <source>有り</source>
        <translation>on</translation>
    </message>
    <message>
        <source>無し</source>
        <translation>off</translation>
    </message>
    <message>
        <source>測定日時</source>
        <translation>start time</translation>
    </message>
    <message>
        <source>メモ%1</source>
        <translation>memo %1</translation>
    </message>
    <message>
        <source>測定方法</source>
        <translation>timing</translation>
    </message>
    <message>
        <source>PC計時の単一データ</source>
        <translation>PC-timed single samples</translation>
    </message>
    <message>
        <source>ユニット計時のブロック</source>
        <translation>unit-timed blocks</translation>
    </message>
    <message>
        <source>測定間隔 ms</source>
        <translation>interval ms</translation>
    </message>
    <message>
        <source>平均化</source>
        <translation>averaging</translation>
    </message>
    <message>
        <source>上限トリガ</source>
        <translation>upper trigger</translation>
    </message>
    <message>
        <source>上限レベル</source>
        <translation>upper level</translation>
    </message>
    <message>
        <source>下限トリガ</source>
        <translation>lower trigger</translation>
    </message>
    <message>
        <source>下限レベル</source>
        <translation>lower level</translation>
    </message>
    <message>
        <source>トリガ前のデータ数</source>
        <translation>samples before trigger</translation>
    </message>
    <message>
        <source>トリガ後のデータ数</source>
        <translation>samples after trigger</translation>
    </message>
    <message>
        <source>トリガ使用ユニット</source>
        <translation>trigger unit</translation>
    </message>
    <message>
        <source>データ数</source>
        <translation>rows</translation>
    </message>
    <message>
        <source>表示単位</source>
        <translation>display unit</translation>
    </message>
    <message>
        <source>定格出力 %1</source>
        <translation>rated output %1</translation>
    </message>
    <message>
        <source>定格容量 %1</source>
        <translation>capacity %1</translation>
    </message>
    <message>
        <source>部分数</source>
        <translation>parts</translation>
    </message>
    <message>
        <source>測定時間 s</source>
        <translation>duration s</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>ended</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>いいえ (途中で切れています)</source>
        <translation>no (cut off)</translation>
    </message>
    <message>
        <source>欠落</source>
        <translation>gap</translation>
    </message>
    <message>
        <source>ID%1 %2 s から %3 個</source>
        <translation>ID%1 from %2 s, %3 samples</translation>
    </message>
    <message>
        <source>イベント</source>
        <translation>event</translation>
    </message>
    <message>
        <source>そのプログラムはまだ実行中です</source>
        <translation>its program is still running</translation>
    </message>
    <message>
        <source>読み取れません: </source>
        <translation>unreadable: </translation>
    </message>
    <message>
        <source>測定終了、未保存</source>
        <translation>run ended, not saved</translation>
    </message>
    <message>
        <source>測定中断</source>
        <translation>run interrupted</translation>
    </message>
    <message>
        <source>%1 に控えはありません</source>
        <translation>no journals in %1</translation>
    </message>
    <message>
        <source>%1 の控え</source>
        <translation>journals in %1</translation>
    </message>
    <message>
        <source>  開始 %1  ユニット %2  データ数 %3</source>
        <translation>  start %1  units %2  samples %3</translation>
    </message>
    <message>
        <source>サンプル数</source>
        <translation>samples</translation>
    </message>
    <message>
        <source>測定中</source>
        <translation>measuring</translation>
    </message>
    <message>
        <source>取込み中</source>
        <translation>capturing</translation>
    </message>
    <message>
        <source>トリガ待ち</source>
        <translation>waiting for trigger</translation>
    </message>
    <message>
        <source>データ数 %1  経過 %2 s  %3</source>
        <translation>samples %1  elapsed %2 s  %3</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli record --out FILE [options]
        kelvra-cli record --continuous --out FILE.kvr|--folder DIR [options]
測定を一回行い、FILE をデータファイル (.vn2) か CSV (.csv) として書き出します。
--continuous では止めるまで .kvr ファイルに直接記録します。
指定のない設定は保存された測定条件から取ります。エミュレータのユニットで
保存された条件がなければ、ウィンドウと同じく記述した全ユニットを使用し、
ユニット計時の 100 ms で測定します。
Ctrl+C は停止ボタンと同じく測定を止め、ファイルはそれでも書き出します。

</source>
        <translation>Usage: kelvra-cli record --out FILE [options]
       kelvra-cli record --continuous --out FILE.kvr|--folder DIR [options]
Runs one measurement and writes FILE as a data file (.vn2) or CSV (.csv);
with --continuous, records straight to a .kvr file until stopped.
Settings not given are taken from the stored measuring conditions; with
emulated units and none stored, every described unit is in use, unit-timed
at 100 ms, as in the window.
Ctrl+C stops the run as the stop button does; the file is still written.

</translation>
    </message>
    <message>
        <source>長時間記録: 測定したデータを次々に .kvr ファイルへ
書き込み、Ctrl+C、--duration か --samples で
測定を終える</source>
        <translation>a long recording: every sample goes to a .kvr file
as it is measured, the run ends on Ctrl+C, --duration
or --samples</translation>
    </message>
    <message>
        <source>--continuous のとき: DIR に記録し、ファイル名は
開始時刻 (kelvra-YYYYMMDD-HHMMSS.kvr)</source>
        <translation>with --continuous: record into DIR, the file named
by the start time (kelvra-YYYYMMDD-HHMMSS.kvr)</translation>
    </message>
    <message>
        <source>--continuous のとき: 測定時間の一時間か一日ごとに
新しい部分にする</source>
        <translation>with --continuous: a new part every hour or day of
measurement time</translation>
    </message>
    <message>
        <source>--continuous のとき: 記録する測定時間</source>
        <translation>with --continuous: the measurement time to record</translation>
    </message>
    <message>
        <source>--split &apos;%1&apos; が none、1h、1d のいずれでもありません</source>
        <translation>--split &apos;%1&apos; is not none, 1h or 1d</translation>
    </message>
    <message>
        <source>--duration &apos;%1&apos; が 90s、30m、12h、2d のような時間ではありません</source>
        <translation>--duration &apos;%1&apos; is not a time such as 90s, 30m, 12h or 2d</translation>
    </message>
    <message>
        <source>--continuous には --out FILE.kvr か --folder DIR を指定します</source>
        <translation>--continuous takes --out FILE.kvr or --folder DIR</translation>
    </message>
    <message>
        <source>長時間記録の --out には .kvr ファイルを指定します</source>
        <translation>--out of a long recording must name a .kvr file</translation>
    </message>
    <message>
        <source>--duration と --samples はどちらか一方だけを指定します</source>
        <translation>give --duration or --samples, not both</translation>
    </message>
    <message>
        <source>%1 に記録できません: フォルダがありません</source>
        <translation>cannot record into %1: no such folder</translation>
    </message>
    <message>
        <source>%1 に記録できません: %2</source>
        <translation>cannot record into %1: %2</translation>
    </message>
    <message>
        <source>%1 の空き容量はこの測定間隔でおよそ %2 もちます</source>
        <translation>the free space in %1 lasts about %2 at this interval</translation>
    </message>
    <message>
        <source>Ctrl+C で停止しました。%1 にユニットごとに %2 個のデータがあります</source>
        <translation>stopped by Ctrl+C; %1 holds %2 samples per unit</translation>
    </message>
    <message>
        <source>異常で停止しました。%1 は書き込み済みです</source>
        <translation>stopped at an alarm; %1 is written</translation>
    </message>
    <message>
        <source>ディスクのためにデータが失われました (%1)。それ以外のデータはすべて %2 にあります</source>
        <translation>samples were lost to the disk (%1); %2 holds all the others</translation>
    </message>
    <message>
        <source>記録中にユニットが失われました。%1 にはその間が欠落データとして入っています</source>
        <translation>a unit was lost during the recording; %1 holds the gap as missing samples</translation>
    </message>
    <message>
        <source>--continuous とトリガのとき: 取込みごとに記録の
隣に番号付きの .vn2 ファイルを保存し、
トリガを再び掛ける</source>
        <translation>with --continuous and a trigger: save each capture
as a numbered .vn2 file beside the recording and
arm the trigger again</translation>
    </message>
    <message>
        <source>--folder、--split、--duration、--repeat-trigger は --continuous と一緒に指定します</source>
        <translation>--folder, --split, --duration and --repeat-trigger go with --continuous</translation>
    </message>
    <message>
        <source>--repeat-trigger には --trigger-upper か --trigger-lower が必要です</source>
        <translation>--repeat-trigger needs --trigger-upper or --trigger-lower</translation>
    </message>
    <message>
        <source>トリガは使いません: 長時間記録では --repeat-trigger で使います</source>
        <translation>the trigger is not used: a long recording takes it with --repeat-trigger</translation>
    </message>
    <message>
        <source>トリガの取込データを保存しました: %1</source>
        <translation>trigger capture saved: %1</translation>
    </message>
    <message>
        <source>トリガの取込データを保存できません: %1</source>
        <translation>cannot save a trigger capture: %1</translation>
    </message>
    <message>
        <source>イベント: %1</source>
        <translation>event: %1</translation>
    </message>
</context>
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
    <name>EventText</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>異常</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>復帰</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>マーク</source>
        <translation>Marker</translation>
    </message>
    <message>
        <source>切断</source>
        <translation>Dropout</translation>
    </message>
    <message>
        <source>再接続</source>
        <translation>Reconnect</translation>
    </message>
    <message>
        <source>ゼロ点</source>
        <translation>Zero</translation>
    </message>
    <message>
        <source>トリガ</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>警告</source>
        <comment>a word of an event line</comment>
        <translation>warning</translation>
    </message>
    <message>
        <source>異常</source>
        <comment>a word of an event line</comment>
        <translation>alarm</translation>
    </message>
    <message>
        <source>復帰</source>
        <comment>a word of an event line</comment>
        <translation>clear</translation>
    </message>
    <message>
        <source>マーク</source>
        <comment>a word of an event line</comment>
        <translation>marker</translation>
    </message>
    <message>
        <source>切断</source>
        <comment>a word of an event line</comment>
        <translation>dropout</translation>
    </message>
    <message>
        <source>再接続</source>
        <comment>a word of an event line</comment>
        <translation>reconnect</translation>
    </message>
    <message>
        <source>ゼロ点</source>
        <comment>a word of an event line</comment>
        <translation>zero</translation>
    </message>
    <message>
        <source>トリガ</source>
        <comment>a word of an event line</comment>
        <translation>trigger</translation>
    </message>
    <message>
        <source>上限 %1 (%2)</source>
        <translation>upper %1 (%2)</translation>
    </message>
    <message>
        <source>下限 %1 (%2)</source>
        <translation>lower %1 (%2)</translation>
    </message>
    <message>
        <source>ディスクに書き込めずデータが欠けました: %1</source>
        <translation>samples lost to the disk: %1</translation>
    </message>
    <message>
        <source>結果コード %1</source>
        <translation>result code %1</translation>
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
    <name>JournalReader</name>
    <message>
        <source>測定データの控えではないか、ヘッダーが壊れています</source>
        <translation>not a run journal, or its header is damaged</translation>
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
    <name>JournalWriter</name>
    <message>
        <source>%1 を作成できません: %2</source>
        <translation>cannot create %1: %2</translation>
    </message>
    <message>
        <source>測定データの控えを書き込めません: %1</source>
        <translation>cannot write the run journal: %1</translation>
    </message>
    <message>
        <source>測定データの控えをディスクに書き込めません: %1</source>
        <translation>cannot write the run journal to the disk: %1</translation>
    </message>
    <message>
        <source>測定データの控えを書き直せません: %1</source>
        <translation>cannot write the run journal afresh: %1</translation>
    </message>
    <message>
        <source>測定データの控えを置き換えられません: %1</source>
        <translation>cannot replace the run journal: %1</translation>
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
    <name>LongRecordEntries</name>
    <message>
        <source>記録フォルダがありません。</source>
        <translation>The recording folder does not exist.</translation>
    </message>
    <message>
        <source>記録フォルダに書き込めません。</source>
        <translation>Cannot write into the recording folder.</translation>
    </message>
    <message>
        <source>空き容量で約 %1 記録できます。</source>
        <translation>The free space holds about %1 of recording.</translation>
    </message>
</context>
<context>
    <name>LongRecording</name>
    <message>
        <source>%1日 %2時間</source>
        <translation>%1 d %2 h</translation>
    </message>
    <message>
        <source>%1時間 %2分</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>記録ファイルに書き込めません（%1）。測定は続けます。書き込めるようになれば、新しいファイルで記録を続けます。</source>
        <translation>Cannot write the recording file (%1). The measurement goes on; once writing works again, the recording continues in a new file.</translation>
    </message>
    <message>
        <source>記録フォルダの空き容量が残り1時間分を切りました。</source>
        <translation>The recording folder has less than an hour of free space left.</translation>
    </message>
</context>
<context>
    <name>MeasInfo</name>
    <message>
        <source>保存された測定条件のうち次の項目は設定できない値のため、初期値に戻しました: %1</source>
        <translation>stored measuring conditions no settings dialog would take are back at their defaults: %1</translation>
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
    <name>MessageBoxPrompt</name>
    <message>
        <source>記録フォルダ</source>
        <translation>Recording folder</translation>
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
    <name>RecordingReader</name>
    <message>
        <source>記録のヘッダーが壊れています</source>
        <translation>the recording&apos;s header is damaged</translation>
    </message>
    <message>
        <source>この記録には、このプログラムの知らない項目（%1）があります。新しい版の Kelvra で開いて下さい。</source>
        <translation>the recording holds an item (%1) this program does not know; open it with a newer version of Kelvra</translation>
    </message>
    <message>
        <source>記録の形式 %1 はこのプログラムでは読めません（読めるのは %2 まで）。新しい版の Kelvra で開いて下さい。</source>
        <translation>this program cannot read recordings of format %1 (it reads those up to %2); open it with a newer version of Kelvra</translation>
    </message>
    <message>
        <source>%1 はバイト %2 までしか読めません: %3</source>
        <translation>%1 reads only up to byte %2: %3</translation>
    </message>
    <message>
        <source>使っていないユニット ID%1 のサンプルがあります</source>
        <translation>it holds samples of ID%1, a unit not in use</translation>
    </message>
    <message>
        <source>ID%1 のサンプル番号 %2 が、その前の %3 に続いていません</source>
        <translation>sample number %2 of ID%1 does not follow on from %3 before it</translation>
    </message>
    <message>
        <source>ID%1 のサンプル番号 %2 からの記録が、このファイルの範囲（%3 まで）を超えています</source>
        <translation>the record of ID%1 from sample number %2 goes beyond the numbers of this file (up to %3)</translation>
    </message>
    <message>
        <source>ID%1 の要約の記録が、記録されたサンプルを超えています</source>
        <translation>a summary of ID%1 covers more than the samples recorded</translation>
    </message>
    <message>
        <source>終わりの記録（%1）が、記録されたサンプル（%2 まで）と合いません</source>
        <translation>the end record (%1) does not agree with the samples recorded (up to %2)</translation>
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
    <message>
        <source>%1 に測定データの控えを作成できません</source>
        <translation>cannot create a journal in %1</translation>
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
    <name>kelvra::CursorPanel</name>
    <message>
        <source>カーソル</source>
        <translation>Cursors</translation>
    </message>
    <message>
        <source>カーソル1</source>
        <translation>Cursor 1</translation>
    </message>
    <message>
        <source>カーソル2</source>
        <translation>Cursor 2</translation>
    </message>
    <message>
        <source>差</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>時刻（秒）</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source> 時刻</source>
        <translation> time</translation>
    </message>
    <message>
        <source>時刻の差</source>
        <translation>Time difference</translation>
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
    <name>kelvra::DialogEvents</name>
    <message>
        <source>イベント</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>時刻（秒）</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
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
    <name>kelvra::DialogRecordMemo</name>
    <message>
        <source>記録メモ</source>
        <translation>Recording memo</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
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
    <message>
        <source>使用ユニット</source>
        <comment>the unit watched for the trigger</comment>
        <translation>Trigger unit</translation>
    </message>
    <message>
        <source>連続記録</source>
        <translation>Long recording</translation>
    </message>
    <message>
        <source>ファイルへ連続記録</source>
        <translation>Record to a file continuously</translation>
    </message>
    <message>
        <source>記録フォルダ</source>
        <translation>Recording folder</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>分割</source>
        <translation>Split</translation>
    </message>
    <message>
        <source>しない</source>
        <translation>None</translation>
    </message>
    <message>
        <source>1時間</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>1日</source>
        <translation>1 day</translation>
    </message>
    <message>
        <source>繰り返しトリガ</source>
        <translation>Repeat the trigger</translation>
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
    <message>
        <source>連続記録のデータはすべて記録ファイル %1 にあります。</source>
        <translation>All the data of the long recording are in the recording file %1.</translation>
    </message>
    <message>
        <source>範囲保存</source>
        <translation>Save span</translation>
    </message>
    <message>
        <source>表示範囲をファイルに保存</source>
        <translation>Save the span shown to a file</translation>
    </message>
    <message>
        <source>専用ファイル  (*.vn2);;CSVファイル  (*.csv);;HDF5ファイル  (*.h5)</source>
        <translation>Data files  (*.vn2);;CSV files  (*.csv);;HDF5 files  (*.h5)</translation>
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
        <source>範囲にデータがありません。</source>
        <translation>The span holds no data.</translation>
    </message>
    <message>
        <source>HDF5 には連続記録の範囲を保存できます。</source>
        <translation>Only a span of a long recording can be saved as HDF5.</translation>
    </message>
    <message>
        <source>専用ファイルには 88000 データまで保存できます。</source>
        <translation>A data file holds at most 88000 samples.</translation>
    </message>
    <message>
        <source>マーク</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>最新のデータに印を付ける (M)</source>
        <translation>Mark the newest sample (M)</translation>
    </message>
    <message>
        <source>イベント</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>メモ（空欄のままでも可）</source>
        <translation>Note (may stay empty)</translation>
    </message>
    <message>
        <source>記録ファイル  (*.kvr)</source>
        <translation>Recordings  (*.kvr)</translation>
    </message>
</context>
<context>
    <name>kelvra::OverviewStrip</name>
    <message>
        <source>全体</source>
        <translation>Whole run</translation>
    </message>
    <message>
        <source>全体（表示範囲をドラッグで移動）</source>
        <translation>Whole run (drag the span shown to move it)</translation>
    </message>
</context>
<context>
    <name>kelvra::RecordingSession</name>
    <message>
        <source>%1日 </source>
        <translation>%1 d </translation>
    </message>
    <message>
        <source>トリガの取込データを保存できません。
</source>
        <translation>Cannot save the trigger capture.
</translation>
    </message>
    <message>
        <source>記録中 [ %1 ]  記録時間 %2</source>
        <translation>Recording [ %1 ]  recorded %2</translation>
    </message>
    <message>
        <source>  トリガ取込 %1 件</source>
        <translation>  trigger captures %1</translation>
    </message>
    <message>
        <source>ID%1 との通信が途絶えました（%2）。再び接続されるまで、このユニットのデータは欠けます。記録は続けます。</source>
        <translation>Lost contact with ID%1 (%2). Its data are missing until it is connected again. The recording goes on.</translation>
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
    <name>kelvra::StatisticsPanel</name>
    <message>
        <source>最小</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>実効値</source>
        <translation>RMS</translation>
    </message>
    <message>
        <source>標準偏差</source>
        <translation>Std dev</translation>
    </message>
    <message>
        <source>データ数</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>統計</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>%1  %2 – %3 秒</source>
        <translation>%1  %2 – %3 s</translation>
    </message>
    <message>
        <source>カーソル間</source>
        <translation>Between cursors</translation>
    </message>
    <message>
        <source>表示範囲</source>
        <translation>Span shown</translation>
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
    <message>
        <source>--lang &apos;%1&apos; は ja でも en でもありません</source>
        <translation>--lang &apos;%1&apos; is not ja or en</translation>
    </message>
    <message>
        <source>使い方: kelvra [--emulate [DESCRIPTION]] [--lang ja|en] [FILE.vn2 | FILE.kvr]
最大4台の Varnel ユニットでひずみを測定します。FILE.vn2 は起動時に読み込み、
長時間記録 FILE.kvr は確認のために開きます。

  --emulate [DESCRIPTION]  エミュレータのユニットを使う (省略時は demo)
  --lang ja|en             ウィンドウの言語 (KELVRA_LANG でも指定可)
  --help                   この説明を示す
  --version                バージョンを示す
</source>
        <translation>Usage: kelvra [--emulate [DESCRIPTION]] [--lang ja|en] [FILE.vn2 | FILE.kvr]
Strain measurement with up to four Varnel units; FILE.vn2 is read at start-up,
a long recording FILE.kvr opened for review.

  --emulate [DESCRIPTION]  use emulated units (demo when DESCRIPTION is left out)
  --lang ja|en             the window&apos;s language (also KELVRA_LANG)
  --help                   show this help
  --version                show the version
</translation>
    </message>
</context>
</TS>
