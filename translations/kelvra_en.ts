<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>ChannelTexts</name>
    <message>
        <source>ID%1: ひずみ設定は表示単位がμひずみのときに使えます。</source>
        <translation>ID%1: a strain setup needs microstrain as the display unit.</translation>
    </message>
    <message>
        <source>ID%1: ゲージ率は正の数です。</source>
        <translation>ID%1: the gauge factor must be a positive number.</translation>
    </message>
    <message>
        <source>ID%1: ポアソン比は 0 以上 0.5 未満です。</source>
        <translation>ID%1: Poisson&apos;s ratio must be at least 0 and below 0.5.</translation>
    </message>
    <message>
        <source>ID%1: リード線抵抗は 0 以上の数です。</source>
        <translation>ID%1: the lead resistance must be a number of 0 or more.</translation>
    </message>
    <message>
        <source>ID%1: ゲージ抵抗は正の数です。</source>
        <translation>ID%1: the gauge resistance must be a positive number.</translation>
    </message>
    <message>
        <source>ID%1: 換算表は 2〜32 点です。</source>
        <translation>ID%1: a scaling table has 2 to 32 points.</translation>
    </message>
    <message>
        <source>ID%1: 換算表の %2 点目に誤りがあります。X と Y は数で、X は前の点より大きくします。</source>
        <translation>ID%1: point %2 of the scaling table is wrong. X and Y must be numbers, and X above the point before.</translation>
    </message>
    <message>
        <source>ID%1: 換算表がないのに単位名があります。</source>
        <translation>ID%1: there is a unit name but no scaling table.</translation>
    </message>
    <message>
        <source>ID%1: 縦弾性係数 (GPa) は正の数です。</source>
        <translation>ID%1: the modulus (GPa) must be a positive number.</translation>
    </message>
    <message>
        <source>風袋引きのサンプル数は 1〜%1 です。</source>
        <translation>The tare takes 1 to %1 samples.</translation>
    </message>
    <message>
        <source>ロゼットは %1 個までです。</source>
        <translation>At most %1 rosettes can be defined.</translation>
    </message>
    <message>
        <source>ロゼット %1: 3 枚のゲージは別々のユニットにします。</source>
        <translation>Rosette %1: the three gauges must be on different units.</translation>
    </message>
    <message>
        <source>ロゼット %1: ゲージ %2 の ID%3 は使用ユニットではありません。</source>
        <translation>Rosette %1: gauge %2 is on ID%3, which is not in use.</translation>
    </message>
    <message>
        <source>ロゼット %1: ロゼットは表示単位がμひずみのときに使えます。</source>
        <translation>Rosette %1: rosettes need microstrain as the display unit.</translation>
    </message>
    <message>
        <source>ロゼット %1: 材料の縦弾性係数 (GPa) は正の数です。</source>
        <translation>Rosette %1: the material&apos;s modulus (GPa) must be a positive number.</translation>
    </message>
    <message>
        <source>ロゼット %1: 材料のポアソン比は 0 以上 0.5 未満です。</source>
        <translation>Rosette %1: the material&apos;s Poisson&apos;s ratio must be at least 0 and below 0.5.</translation>
    </message>
    <message>
        <source>演算チャンネルは %1 個までです。</source>
        <translation>At most %1 computed channels can be defined.</translation>
    </message>
    <message>
        <source>%1: 式の %2 文字目: %3。</source>
        <translation>%1: character %2 of the expression: %3.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は名前に使えません (ID0〜ID3、IDn_stress、関数名、time、events)。</source>
        <translation>&apos;%1&apos; cannot be a name (ID0 to ID3, IDn_stress, the functions, time and events are kept).</translation>
    </message>
    <message>
        <source>名前 &apos;%1&apos; は既に使われています。</source>
        <translation>The name &apos;%1&apos; is already taken.</translation>
    </message>
    <message>
        <source>%1 の単位名に誤りがあります。%2 文字までで、制御文字と前後の空白は使えません。</source>
        <translation>The unit name of %1 is wrong. It has at most %2 characters, no control characters and no spaces at either end.</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos; が %3 の形ではありません</source>
        <translation>--%1 &apos;%2&apos; is not %3</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos;: &apos;%3&apos; はユニット 0〜3 ではありません</source>
        <translation>--%1 &apos;%2&apos;: &apos;%3&apos; is not a unit 0 to 3</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos;: &apos;%3&apos; は数ではありません</source>
        <translation>--%1 &apos;%2&apos;: &apos;%3&apos; is not a number</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos;: &apos;%3&apos; は none、quarter1、quarter2、half1、half2、full1、full2、full3 のいずれでもありません</source>
        <translation>--%1 &apos;%2&apos;: &apos;%3&apos; is none of none, quarter1, quarter2, half1, half2, full1, full2, full3</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos;: &apos;%3&apos; は rect でも delta でもありません</source>
        <translation>--%1 &apos;%2&apos;: &apos;%3&apos; is neither rect nor delta</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos;: ロゼット &apos;%3&apos; はありません (先に --rosette で定義します)</source>
        <translation>--%1 &apos;%2&apos;: there is no rosette &apos;%3&apos; (define it with --rosette first)</translation>
    </message>
    <message>
        <source>--%1 &apos;%2&apos;: チャンネル &apos;%3&apos; はありません (先に --channel で定義します)</source>
        <translation>--%1 &apos;%2&apos;: there is no channel &apos;%3&apos; (define it with --channel first)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は定義の行ではありません</source>
        <translation>&apos;%1&apos; is not a line of the definitions</translation>
    </message>
    <message>
        <source>数、名前、&apos;(&apos; か &apos;-&apos; が必要です</source>
        <translation>a number, a name, &apos;(&apos; or &apos;-&apos; is expected</translation>
    </message>
    <message>
        <source>演算子か式の終わりが必要です</source>
        <translation>an operator or the end of the expression is expected</translation>
    </message>
    <message>
        <source>&apos;)&apos; が必要です</source>
        <translation>&apos;)&apos; is expected</translation>
    </message>
    <message>
        <source>%1 の後に &apos;(&apos; が必要です</source>
        <translation>&apos;(&apos; is expected after %1</translation>
    </message>
    <message>
        <source>%1 の引数の間に &apos;,&apos; か、終わりに &apos;)&apos; が必要です</source>
        <translation>&apos;,&apos; between the arguments of %1 or &apos;)&apos; after them is expected</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は使用ユニットの名前でも、前に定義したチャンネルの名前でもありません</source>
        <translation>&apos;%1&apos; is the name of no unit in use and of no channel defined before</translation>
    </message>
    <message>
        <source>指数の数字が必要です</source>
        <translation>the digits of the exponent are expected</translation>
    </message>
    <message>
        <source>double の範囲の数が必要です</source>
        <translation>a number within the range of a double is expected</translation>
    </message>
    <message>
        <source>入れ子は %1 段までです</source>
        <translation>at most %1 levels of nesting are allowed</translation>
    </message>
    <message>
        <source>式は %1 文字までです</source>
        <translation>an expression has at most %1 characters</translation>
    </message>
    <message>
        <source>ユニットの読み</source>
        <translation>the unit&apos;s reading</translation>
    </message>
    <message>
        <source>1/4 ブリッジ I (アクティブ 1 枚)</source>
        <translation>quarter bridge I (one active gauge)</translation>
    </message>
    <message>
        <source>1/4 ブリッジ II (アクティブとダミー)</source>
        <translation>quarter bridge II (active and dummy gauge)</translation>
    </message>
    <message>
        <source>ハーフブリッジ I (軸方向とポアソン)</source>
        <translation>half bridge I (axial and Poisson gauge)</translation>
    </message>
    <message>
        <source>ハーフブリッジ II (曲げ、アクティブ 2 枚)</source>
        <translation>half bridge II (bending, two active gauges)</translation>
    </message>
    <message>
        <source>フルブリッジ I (曲げ、アクティブ 4 枚)</source>
        <translation>full bridge I (bending, four active gauges)</translation>
    </message>
    <message>
        <source>フルブリッジ II (曲げ、ポアソン)</source>
        <translation>full bridge II (bending, with Poisson gauges)</translation>
    </message>
    <message>
        <source>フルブリッジ III (軸方向、ポアソン)</source>
        <translation>full bridge III (axial, with Poisson gauges)</translation>
    </message>
    <message>
        <source>最大主ひずみ</source>
        <translation>maximum principal strain</translation>
    </message>
    <message>
        <source>最小主ひずみ</source>
        <translation>minimum principal strain</translation>
    </message>
    <message>
        <source>ゲージ A から最大主ひずみの方向 (反時計回り)</source>
        <translation>direction of the maximum principal strain from gauge A (counter-clockwise)</translation>
    </message>
    <message>
        <source>最大主応力</source>
        <translation>maximum principal stress</translation>
    </message>
    <message>
        <source>最小主応力</source>
        <translation>minimum principal stress</translation>
    </message>
    <message>
        <source>最大せん断応力</source>
        <translation>maximum shear stress</translation>
    </message>
    <message>
        <source>ミーゼス相当応力</source>
        <translation>von Mises equivalent stress</translation>
    </message>
    <message>
        <source>%1 の引数は 2 個以上です</source>
        <translation>%1 takes two or more arguments</translation>
    </message>
    <message>
        <source>%1 の引数は 1 個です</source>
        <translation>%1 takes one argument</translation>
    </message>
    <message>
        <source>%1 の引数は %2 個です</source>
        <translation>%1 takes %2 arguments</translation>
    </message>
    <message>
        <source>英字、数字、_ の %1 文字までで、数字で始まらない名前にします。</source>
        <translation>A name has up to %1 letters, digits and _, and does not start with a digit.</translation>
    </message>
    <message>
        <source>風袋引き %1 サンプル</source>
        <translation>tare over %1 samples</translation>
    </message>
    <message>
        <source>換算表 %1 点</source>
        <translation>scaling table of %1 points</translation>
    </message>
    <message>
        <source>ロゼット %1 (%2: A ID%3, B ID%4, C ID%5) の%6</source>
        <translation>%6 of rosette %1 (%2: A ID%3, B ID%4, C ID%5)</translation>
    </message>
    <message>
        <source>定義の %1 行目: %2</source>
        <translation>Line %1 of the definitions: %2</translation>
    </message>
    <message>
        <source>直角 0°/45°/90°</source>
        <translation>rectangular 0°/45°/90°</translation>
    </message>
    <message>
        <source>デルタ 0°/60°/120°</source>
        <translation>delta 0°/60°/120°</translation>
    </message>
    <message>
        <source>ID%1 の応力 (E = %2 GPa)</source>
        <translation>stress of ID%1 (E = %2 GPa)</translation>
    </message>
    <message>
        <source>演算: %1</source>
        <translation>computed: %1</translation>
    </message>
    <message>
        <source>ロゼット名 &apos;%1&apos; に誤りがあります。%2</source>
        <translation>The rosette name &apos;%1&apos; is wrong. %2</translation>
    </message>
    <message>
        <source>チャンネル名 &apos;%1&apos; に誤りがあります。%2</source>
        <translation>The channel name &apos;%1&apos; is wrong. %2</translation>
    </message>
</context>
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
        <source>&apos;kelvra-cli %1 --help&apos; でオプションを示します</source>
        <translation>&apos;kelvra-cli %1 --help&apos; shows the options</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos; は ja でも en でもありません</source>
        <translation>%1 &apos;%2&apos; is not ja or en</translation>
    </message>
    <message>
        <source>%1 は Kelvra が書き出した CSV ファイルです。%2 が読むのはデータファイル (.vn2) と長時間記録 (.kvr) です</source>
        <translation>%1 is a CSV file Kelvra wrote: %2 reads data files (.vn2) and recordings (.kvr)</translation>
    </message>
    <message>
        <source>%1 は長時間記録 (.kvr) ではありません。HDF5 (.h5) に書き出せるのは長時間記録だけです</source>
        <translation>%1 is no recording (.kvr): only a recording converts to HDF5 (.h5)</translation>
    </message>
    <message>
        <source>%1 にはサンプルがありません</source>
        <translation>%1 holds no samples</translation>
    </message>
    <message>
        <source>--from と --to の間にサンプルがありません。記録は %1 s から %2 s までです</source>
        <translation>--from and --to hold no sample: the recording runs from %1 s to %2 s</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli COMMAND [options]

コマンド:
  record --out FILE [options]   測定を一回行い FILE (.vn2 か .csv) に書き出す
  record --continuous --out REC.kvr|--folder DIR [options]
                                止めるまで長時間記録 (.kvr) に記録する
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
  record --continuous --out REC.kvr|--folder DIR [options]
                                record to a long recording (.kvr) until stopped
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
        <source>最初の異常でそのティックのうちに測定を終え、
その異常のデータまでを FILE に書き出して
3 で終了する</source>
        <translation>at the first alarm, end the run within that tick,
write FILE up to the alarm&apos;s sample and exit 3</translation>
    </message>
    <message>
        <source>記録されたデータはありません</source>
        <translation>nothing was recorded</translation>
    </message>
    <message>
        <source>異常で停止しました。%1 にユニットごとにその異常までの %2 個のデータがあります</source>
        <translation>stopped at an alarm; %1 holds the %2 samples per unit up to it</translation>
    </message>
    <message>
        <source>%1 で停止しました。%2 にユニットごとに %3 個のデータがあります</source>
        <translation>stopped by %1; %2 holds %3 samples per unit</translation>
    </message>
    <message>
        <source>記録を終えました。%1 にユニットごとに %2 個のデータがあります</source>
        <translation>the recording ended; %1 holds %2 samples per unit</translation>
    </message>
    <message>
        <source>記録の部分 (%1 個): %2</source>
        <translation>the recording&apos;s %1 parts: %2</translation>
    </message>
    <message>
        <source>ディスクのためにデータが失われました (%1)</source>
        <translation>samples were lost to the disk (%1)</translation>
    </message>
    <message>
        <source>ユニットのバッファがあふれ、%1 個のデータが失われました。%2 にはそれが欠落データとして入っています</source>
        <translation>a unit&apos;s buffer overflowed and %1 samples were lost; %2 holds them as missing samples</translation>
    </message>
    <message>
        <source>%1 で停止しました。%2 に %3 個のデータがあります</source>
        <translation>stopped by %1; %2 holds %3 samples</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli analyze FILE --spectrum|--psd|--rainflow|--stats INTERVAL
                           --out RESULT.csv|RESULT.h5 [options]
長時間記録 (.kvr)、データファイル (.vn2) か Kelvra の書き出した CSV の
ユニットを解析し、結果を CSV か HDF5 に書き出します。欠落したサンプルは
ゼロではなく欠落として扱い、スペクトルと PSD は範囲のうち欠落のない
最長の区間を解析します。

</source>
        <translation>Usage: kelvra-cli analyze FILE --spectrum|--psd|--rainflow|--stats INTERVAL
                           --out RESULT.csv|RESULT.h5 [options]
Analyses the units of a long recording (.kvr), a data file (.vn2) or a CSV
file written by Kelvra, and writes the result as CSV or HDF5. Missing samples
count as missing, never as zeros; the spectrum and the PSD analyse the
longest stretch of the range without a gap.

</translation>
    </message>
    <message>
        <source>振幅スペクトル: 平均を除いた片側、振幅 A の正弦波が
その周波数で A を示す</source>
        <translation>amplitude spectrum: mean removed, one-sided, a sine
of amplitude A reads A at its frequency</translation>
    </message>
    <message>
        <source>--spectrum の窓関数 (既定は hann)</source>
        <translation>the window of --spectrum (default hann)</translation>
    </message>
    <message>
        <source>Welch 法のパワースペクトル密度 (単位²/Hz)</source>
        <translation>power spectral density by Welch&apos;s method (unit²/Hz)</translation>
    </message>
    <message>
        <source>--psd のセグメントのサンプル数 (既定は 4096)</source>
        <translation>the samples of a --psd segment (default 4096)</translation>
    </message>
    <message>
        <source>レインフロー法 (ASTM E1049-85 の三点法) の
サイクル、一サイクル一行</source>
        <translation>rainflow cycles (ASTM E1049-85, three-point method),
a line per cycle</translation>
    </message>
    <message>
        <source>--rainflow: これより小さい反転を除く</source>
        <translation>--rainflow: drop reversals smaller than this</translation>
    </message>
    <message>
        <source>--rainflow: 行列の範囲と平均の区分数
(既定は 32)</source>
        <translation>--rainflow: the matrix&apos;s bins of range and of
mean (default 32)</translation>
    </message>
    <message>
        <source>--rainflow: 範囲 × 平均の行列も書き出す
(CSV では NAME-matrix.csv)</source>
        <translation>--rainflow: write the range × mean matrix too
(in NAME-matrix.csv beside a CSV file)</translation>
    </message>
    <message>
        <source>区間ごとの統計: 1s、10s、1min、10min、1h、1d</source>
        <translation>statistics per interval: 1s, 10s, 1min, 10min, 1h, 1d</translation>
    </message>
    <message>
        <source>解析するユニット (既定は使用した全ユニット)</source>
        <translation>the units to analyse (default every unit used)</translation>
    </message>
    <message>
        <source>先にゼロ位相のフィルタを掛ける:
lowpass:FC[:ORDER] か highpass:FC[:ORDER] は
FC Hz のバターワース (次数 1 から 8、既定は 4)、
moving:N は N サンプルの移動平均</source>
        <translation>filter first, zero-phase: lowpass:FC[:ORDER] or
highpass:FC[:ORDER] a Butterworth at FC Hz (order
1 to 8, default 4), moving:N a moving average of
N samples</translation>
    </message>
    <message>
        <source>書き出すファイル (.csv か .h5)</source>
        <translation>the file to write (.csv or .h5)</translation>
    </message>
    <message>
        <source>--%1 は --%2 と共に指定します</source>
        <translation>--%1 goes with --%2</translation>
    </message>
    <message>
        <source>--filter には lowpass:FC[:ORDER]、highpass:FC[:ORDER] か moving:N を指定します</source>
        <translation>--filter takes lowpass:FC[:ORDER], highpass:FC[:ORDER] or moving:N</translation>
    </message>
    <message>
        <source>--window には hann、flattop、rect のいずれかを指定します</source>
        <translation>--window takes hann, flattop or rect</translation>
    </message>
    <message>
        <source>--segment には 2 以上の整数を指定します</source>
        <translation>--segment takes a whole number of at least 2</translation>
    </message>
    <message>
        <source>--gate には 0 以上の数を指定します</source>
        <translation>--gate takes a number of at least 0</translation>
    </message>
    <message>
        <source>--bins には 1 から 1024 の整数を指定します</source>
        <translation>--bins takes a whole number from 1 to 1024</translation>
    </message>
    <message>
        <source>--stats には 1s、10s、1min、10min、1h、1d のいずれかを指定します</source>
        <translation>--stats takes 1s, 10s, 1min, 10min, 1h or 1d</translation>
    </message>
    <message>
        <source>analyze には解析するファイルを一つ指定します</source>
        <translation>analyze takes one file to analyse</translation>
    </message>
    <message>
        <source>FILE には .kvr、.vn2、.csv のいずれかのファイルを指定します</source>
        <translation>FILE must be a .kvr, .vn2 or .csv file</translation>
    </message>
    <message>
        <source>--spectrum、--psd、--rainflow、--stats のどれか一つを指定します</source>
        <translation>give one of --spectrum, --psd, --rainflow and --stats</translation>
    </message>
    <message>
        <source>--out には .csv か .h5 のファイルを指定します</source>
        <translation>--out takes a .csv or .h5 file</translation>
    </message>
    <message>
        <source>カットオフ周波数 %1 Hz はサンプリング周波数の半分 (%2 Hz) 未満の正の値にします</source>
        <translation>the cut-off of %1 Hz must be above 0 and below half the sampling rate (%2 Hz)</translation>
    </message>
    <message>
        <source>フィルタの次数は 1 から 8 です</source>
        <translation>the filter&apos;s order is 1 to 8</translation>
    </message>
    <message>
        <source>移動平均は 1 から %1 サンプルです</source>
        <translation>a moving average takes 1 to %1 samples</translation>
    </message>
    <message>
        <source>解析できません</source>
        <translation>cannot analyse</translation>
    </message>
    <message>
        <source>系列 %1 はありません (このファイルにあるのは %2)</source>
        <translation>unknown series %1 (the file holds %2)</translation>
    </message>
    <message>
        <source>このファイルには解析できるユニットがありません</source>
        <translation>the file holds no unit to analyse</translation>
    </message>
    <message>
        <source>%1 s から %2 s の範囲に %3 のサンプルがありません</source>
        <translation>the range from %1 s to %2 s holds no samples of %3</translation>
    </message>
    <message>
        <source>%1 s から %2 s の範囲には欠落のない区間がありません</source>
        <translation>the range from %1 s to %2 s holds no stretch without a gap</translation>
    </message>
    <message>
        <source>セグメントの %1 サンプルは解析する範囲の %2 サンプルより長いです</source>
        <translation>a segment of %1 samples is longer than the %2 samples analysed</translation>
    </message>
    <message>
        <source>範囲に欠落があるため、欠落のない最長の区間 %1 s から %2 s を解析しました</source>
        <translation>the range has gaps: analysed its longest stretch without one, %1 s to %2 s</translation>
    </message>
    <message>
        <source>  analyze FILE --spectrum|--psd|--rainflow|--stats INTERVAL --out RESULT
                                記録かデータファイルのスペクトル、PSD、
                                レインフローのサイクルか区間統計を書き出す
</source>
        <translation>  analyze FILE --spectrum|--psd|--rainflow|--stats INTERVAL --out RESULT
                                write the spectrum, PSD, rainflow cycles or
                                interval statistics of a recording or data file
</translation>
    </message>
    <message>
        <source>イベント: %1</source>
        <translation>event: %1</translation>
    </message>
    <message>
        <source>測定が終わりました。%1 に %2 個のデータがあります</source>
        <translation>the run ended; %1 holds %2 samples</translation>
    </message>
    <message>
        <source>異常、切断、再接続、ディスクの障害、空き容量不足、
再開、測定の終わりごとに COMMAND を実行する
(シェルは通さず語に分けるだけ)。イベントは環境変数
KELVRA_EVENT、KELVRA_UNIT、KELVRA_TIME、KELVRA_VALUE、
KELVRA_TEXT、KELVRA_RECORDING に入る。一度に一つ、
30 秒で打ち切り、終了コードと出力の一行目は
イベントとして残す</source>
        <translation>run COMMAND at every alarm, dropout, reconnect,
disk trouble, low space, resume and at the end
(no shell: the line is split into words). The
event is in KELVRA_EVENT, KELVRA_UNIT,
KELVRA_TIME, KELVRA_VALUE, KELVRA_TEXT and
KELVRA_RECORDING. One at a time, killed after
30 s; its exit status and first line of output
are kept as events</translation>
    </message>
    <message>
        <source>--on-event を実行するイベントの種類 (コンマ区切り):
alarm、dropout、reconnect、disk-trouble、low-space、
resumed、run-end</source>
        <translation>the kinds of event --on-event runs for, apart
by commas: alarm, dropout, reconnect,
disk-trouble, low-space, resumed, run-end</translation>
    </message>
    <message>
        <source>--continuous のとき: 記録先の空き容量が SIZE (2GB、500MB)
か、この測定で TIME (6h、30m) 記録できる量を
下回ったとき、また上回ったときにイベントにする</source>
        <translation>with --continuous: an event when the free space
of the recording&apos;s disk falls below SIZE (2GB,
500MB) or what TIME (6h, 30m) of this recording
takes, and one when it rises back above it</translation>
    </message>
    <message>
        <source>--on-event-kinds は --on-event と一緒に指定します</source>
        <translation>--on-event-kinds goes with --on-event</translation>
    </message>
    <message>
        <source>--min-free は --continuous と一緒に指定します</source>
        <translation>--min-free goes with --continuous</translation>
    </message>
    <message>
        <source>状態ページ: %1</source>
        <translation>status page: %1</translation>
    </message>
    <message>
        <source>読み取り専用の状態ページを ADDRESS:PORT で開く
(127.0.0.1:8080、ポート 0 は空きポート)。ループバック
以外のアドレスには --serve-token か --serve-token-file が必要</source>
        <translation>serve a read-only status page at ADDRESS:PORT
(127.0.0.1:8080; port 0 takes a free one). An address
other than loopback needs --serve-token or --serve-token-file</translation>
    </message>
    <message>
        <source>--serve のとき: 要求ごとに Authorization: Bearer TOKEN
(ページの最初の読み込みは ?token=TOKEN) を求める</source>
        <translation>with --serve: every request needs Authorization: Bearer TOKEN
(the page&apos;s first load ?token=TOKEN)</translation>
    </message>
    <message>
        <source>--serve のとき: トークンを FILE の一行目から読む</source>
        <translation>with --serve: the token is the first line of FILE</translation>
    </message>
    <message>
        <source>--serve-token と --serve-token-file は --serve と一緒に指定します</source>
        <translation>--serve-token and --serve-token-file go with --serve</translation>
    </message>
    <message>
        <source>--serve-token と --serve-token-file はどちらか一方だけを指定します</source>
        <translation>give either --serve-token or --serve-token-file, not both</translation>
    </message>
    <message>
        <source>%1 はもう記録する長さを記録しました</source>
        <translation>%1 has already recorded the length asked for</translation>
    </message>
    <message>
        <source>使い方: kelvra-cli record --out FILE [options]
        kelvra-cli record --continuous --out FILE.kvr|--folder DIR [options]
        kelvra-cli record --resume FILE.kvr|DIR [options]
測定を一回行い、FILE をデータファイル (.vn2) か CSV (.csv) として書き出します。
--continuous では止めるまで .kvr ファイルに直接記録します。
指定のない設定は保存された測定条件から取ります。エミュレータのユニットで
保存された条件がなければ、ウィンドウと同じく記述した全ユニットを使用し、
ユニット計時の 100 ms で測定します。
Ctrl+C (SIGTERM、SIGHUP も) は停止ボタンと同じく測定を止め、
ファイルはそれでも書き出します。

</source>
        <translation>Usage: kelvra-cli record --out FILE [options]
       kelvra-cli record --continuous --out FILE.kvr|--folder DIR [options]
       kelvra-cli record --resume FILE.kvr|DIR [options]
Runs one measurement and writes FILE as a data file (.vn2) or CSV (.csv);
with --continuous, records straight to a .kvr file until stopped.
Settings not given are taken from the stored measuring conditions; with
emulated units and none stored, every described unit is in use, unit-timed
at 100 ms, as in the window.
Ctrl+C (and SIGTERM, SIGHUP) stops the run as the stop button does; the file
is still written.

</translation>
    </message>
    <message>
        <source>強制終了や停電で途切れた長時間記録を、同じ設定と
メモで次の部分として続ける (DIR では一番新しい記録)。
途切れた間は各ユニットの欠落データと resumed イベントに
なる。正常に終わった記録は続けず 2 で終了する。
まだ記録がなければ新しく始める。--duration と --samples
は記録全体の長さ</source>
        <translation>goes on with a long recording cut off by a kill or a power
cut (in DIR, the newest) as its next part, with its settings
and memo; the outage is missing data of every unit and a
resumed event. A recording that ended normally is refused
with exit status 2; where there is none yet, one begins.
--duration and --samples count the whole recording</translation>
    </message>
    <message>
        <source>--resume は --out とも --folder とも一緒に指定できません</source>
        <translation>--resume cannot be given with --out or --folder</translation>
    </message>
    <message>
        <source>--resume には .kvr ファイルかフォルダを指定します</source>
        <translation>--resume takes a .kvr file or a folder</translation>
    </message>
    <message>
        <source>%1 に続ける記録はありません。新しく記録を始めます</source>
        <translation>%1 holds no recording to go on with; a new one begins</translation>
    </message>
    <message>
        <source>%1 は正常に終わった記録です。続けることはできません</source>
        <translation>%1 is a recording that ended normally; it cannot go on</translation>
    </message>
    <message>
        <source>%1 を続けられません: %2</source>
        <translation>Cannot go on with %1: %2</translation>
    </message>
    <message>
        <source>%1 はほかのプログラムが記録しているところです</source>
        <translation>%1 is being recorded by another program</translation>
    </message>
    <message>
        <source>途切れた記録 %1 を続けます</source>
        <translation>Going on with the interrupted recording %1</translation>
    </message>
    <message>
        <source>記録の設定とメモで続けるため、%1 は使いません</source>
        <translation>The recording goes on with its own settings and memo: %1 not used</translation>
    </message>
    <message>
        <source>各ユニットを位相ずれのないフィルタ (前後両方向) に
通して書き出す。欠落はそのまま欠落</source>
        <translation>writes every unit through the filter zero-phase (forward
and backward); a missing sample stays missing</translation>
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
    <message>
        <source>ユニットのバッファがあふれ、データが失われました</source>
        <translation>The unit&apos;s buffer overflowed; samples were lost</translation>
    </message>
    <message>
        <source>ID%1 (ID%2 に設定した16ビットのユニット)</source>
        <translation>ID%1 (a 16-bit unit set to ID%2)</translation>
    </message>
    <message>
        <source>16ビットのユニットは ID 1 と 2 を入れ替えて答えます: ID%1 に設定したユニットは ID%2 として使います。</source>
        <translation>A 16-bit unit set to 1 or 2 answers under the other ID: use the unit set to ID%1 as ID%2.</translation>
    </message>
    <message>
        <source>ID%1 のユニットが見つかりません。接続されているユニットはありません。</source>
        <translation>There is no unit ID%1. No unit is connected.</translation>
    </message>
    <message>
        <source>ID%1 のユニットが見つかりません。接続されているユニット: %2</source>
        <translation>There is no unit ID%1. Units connected: %2</translation>
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
    <message>
        <source>全体</source>
        <translation>all</translation>
    </message>
    <message>
        <source>フック</source>
        <translation>Hook</translation>
    </message>
    <message>
        <source>フック未実行</source>
        <translation>Hooks dropped</translation>
    </message>
    <message>
        <source>空き容量不足</source>
        <translation>Low space</translation>
    </message>
    <message>
        <source>空き容量回復</source>
        <translation>Space back</translation>
    </message>
    <message>
        <source>フック</source>
        <comment>a word of an event line</comment>
        <translation>hook</translation>
    </message>
    <message>
        <source>フック未実行</source>
        <comment>a word of an event line</comment>
        <translation>hooks-dropped</translation>
    </message>
    <message>
        <source>空き容量不足</source>
        <comment>a word of an event line</comment>
        <translation>low-space</translation>
    </message>
    <message>
        <source>空き容量回復</source>
        <comment>a word of an event line</comment>
        <translation>space-back</translation>
    </message>
    <message>
        <source>%1 のフック: 終了コード %2</source>
        <translation>hook for %1: exit status %2</translation>
    </message>
    <message>
        <source>%1 のフックを起動できません</source>
        <translation>the hook for %1 could not start</translation>
    </message>
    <message>
        <source>%1 のフックが異常終了しました</source>
        <translation>the hook for %1 crashed</translation>
    </message>
    <message>
        <source>%1 のフックを %2 秒で打ち切りました</source>
        <translation>the hook for %1 was killed after %2 s</translation>
    </message>
    <message>
        <source>%1 のフックを止めました</source>
        <translation>the hook for %1 was stopped</translation>
    </message>
    <message>
        <source>%1「%2」</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>待ち行列が満杯のため %1 件のイベントでフックを実行しませんでした</source>
        <translation>the queue was full: no hook ran for %1 events</translation>
    </message>
    <message>
        <source>空き容量 %1 が下限 %2 を下回りました</source>
        <translation>free space %1 fell below the limit of %2</translation>
    </message>
    <message>
        <source>空き容量 %1 が下限 %2 を上回りました</source>
        <translation>free space %1 is back above the limit of %2</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resumed</translation>
    </message>
    <message>
        <source>再開</source>
        <comment>a word of an event line</comment>
        <translation>resumed</translation>
    </message>
    <message>
        <source>中断 %1 秒の後に記録を続けました</source>
        <translation>recording went on after an outage of %1 s</translation>
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
    <name>HookText</name>
    <message>
        <source>--on-event にコマンドがありません</source>
        <translation>--on-event has no command</translation>
    </message>
    <message>
        <source>--on-event のプログラム &apos;%1&apos; が見つからないか実行できません</source>
        <translation>the program &apos;%1&apos; of --on-event is not there or cannot be run</translation>
    </message>
    <message>
        <source>--on-event-kinds の &apos;%1&apos; は不明な種類です（使えるもの: %2）</source>
        <translation>--on-event-kinds: &apos;%1&apos; is no known kind (known: %2)</translation>
    </message>
    <message>
        <source>%1 のフック: 終了コード %2</source>
        <translation>hook for %1: exit status %2</translation>
    </message>
    <message>
        <source>%1 のフックを起動できません</source>
        <translation>hook for %1 could not be started</translation>
    </message>
    <message>
        <source>%1 のフックが異常終了しました</source>
        <translation>hook for %1 crashed</translation>
    </message>
    <message>
        <source>%1 のフックを %2 秒で打ち切りました</source>
        <translation>hook for %1 killed after %2 s</translation>
    </message>
    <message>
        <source>%1 のフックを止めました</source>
        <translation>hook for %1 stopped</translation>
    </message>
    <message>
        <source>待ち行列が満杯のため %1 件のイベントでフックを実行しませんでした</source>
        <translation>no hook ran for %1 events: the queue was full</translation>
    </message>
    <message>
        <source>%1「%2」</source>
        <translation>%1: “%2”</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>空き容量 %1 が下限 %2 を下回りました</source>
        <translation>free space %1 fell below the limit of %2</translation>
    </message>
    <message>
        <source>空き容量 %1 が下限 %2 を上回りました</source>
        <translation>free space %1 is back above the limit of %2</translation>
    </message>
    <message>
        <source>空き容量 不明</source>
        <translation>free space unknown</translation>
    </message>
    <message>
        <source>空き %1</source>
        <translation>%1 free</translation>
    </message>
    <message>
        <source>空き容量不足 %1（下限 %2）</source>
        <translation>low space: %1 free (limit %2)</translation>
    </message>
    <message>
        <source>--min-free &apos;%1&apos; は 2GB、500MB、6h、30m のような空き容量か記録時間ではありません（kB・MB・GB・TB は 1000 倍ずつ、s・m・h・d は秒・分・時間・日）</source>
        <translation>--min-free &apos;%1&apos; is neither a free space nor a recording time such as 2GB, 500MB, 6h or 30m (kB, MB, GB and TB step by 1000; s, m, h and d are seconds, minutes, hours and days)</translation>
    </message>
    <message>
        <source>%1日</source>
        <translation>%1 d</translation>
    </message>
    <message>
        <source>%1時間</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
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
    <message>
        <source>%1 の空き容量 (%2 バイト) では、この測定間隔で1分も記録できません。記録を始めません。</source>
        <translation>The free space in %1 (%2 bytes) holds less than a minute of recording at this interval; the recording does not start.</translation>
    </message>
</context>
<context>
    <name>MainControls</name>
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
        <source>移動ツールの表示</source>
        <translation>Show the move tool</translation>
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
    <name>RecordingExport</name>
    <message>
        <source>範囲にサンプルがありません</source>
        <translation>the span holds no samples</translation>
    </message>
    <message>
        <source>範囲は 1 ユニット %1 サンプルです。データファイルには %2 サンプルまでしか入りません</source>
        <translation>the span holds %1 samples a unit; a data file takes at most %2</translation>
    </message>
</context>
<context>
    <name>RecordingHdf5</name>
    <message>
        <source>HDF5 ライブラリがファイルを書けませんでした</source>
        <translation>the HDF5 library could not write the file</translation>
    </message>
</context>
<context>
    <name>RecordingReader</name>
    <message>
        <source>%1 を開けません: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>%1 は記録ではないか、そのヘッダーが壊れています</source>
        <translation>%1 is no recording, or its header is damaged</translation>
    </message>
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
    <name>RecordingResume</name>
    <message>
        <source>長時間記録のファイルではありません</source>
        <translation>not a long recording&apos;s file</translation>
    </message>
</context>
<context>
    <name>RunHooks</name>
    <message>
        <source>測定が終わりました</source>
        <translation>the measurement ended</translation>
    </message>
    <message>
        <source>記録を閉じた後のイベント: %1</source>
        <translation>event after the recording was closed: %1</translation>
    </message>
    <message>
        <source>フックの終了を待っています (最長 %1 秒)</source>
        <translation>waiting for the hooks to end (at most %1 s)</translation>
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
    <name>StatusText</name>
    <message>
        <source>&apos;%1&apos; は ADDRESS:PORT の形ではありません (例 127.0.0.1:8080)</source>
        <translation>&apos;%1&apos; is not ADDRESS:PORT (for example 127.0.0.1:8080)</translation>
    </message>
    <message>
        <source>ポート &apos;%1&apos; は 0 から 65535 の数ではありません</source>
        <translation>the port &apos;%1&apos; is not a number from 0 to 65535</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は IP アドレスではありません</source>
        <translation>&apos;%1&apos; is not an IP address</translation>
    </message>
    <message>
        <source>トークンは 16 から 256 文字の英数字と - . _ ~ + / = で作ります</source>
        <translation>a token is 16 to 256 characters of letters, digits and - . _ ~ + / =</translation>
    </message>
    <message>
        <source>ループバックでないアドレス %1 で状況ページを開くにはトークンが要ります</source>
        <translation>serving the status page on %1, which is not a loopback address, needs a token</translation>
    </message>
    <message>
        <source>トークンファイル %1 を読み込めません: %2</source>
        <translation>cannot read the token file %1: %2</translation>
    </message>
    <message>
        <source>トークンファイル %1 の最初の行が空です</source>
        <translation>the first line of the token file %1 is empty</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>en</translation>
    </message>
    <message>
        <source>記録の状況 - Kelvra</source>
        <translation>Recording status - Kelvra</translation>
    </message>
    <message>
        <source>記録の状況</source>
        <translation>Recording status</translation>
    </message>
    <message>
        <source>接続しています…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <source>接続中</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>接続が切れました。つなぎ直しています…</source>
        <translation>The connection was lost. Reconnecting…</translation>
    </message>
    <message>
        <source>記録中</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>記録は終了しました</source>
        <translation>The recording has ended</translation>
    </message>
    <message>
        <source>最終更新</source>
        <translation>Last update</translation>
    </message>
    <message>
        <source>現在値</source>
        <translation>Current values</translation>
    </message>
    <message>
        <source>各ユニットとチャンネルの現在値と状態</source>
        <translation>The value and state of every unit and channel</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Normal</translation>
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
        <source>データなし</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>不明</source>
        <translation>Not known</translation>
    </message>
    <message>
        <source>(ファイルに記録していません)</source>
        <translation>(not recording to a file)</translation>
    </message>
    <message>
        <source>記録</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>記録のファイルと進み具合</source>
        <translation>The recording&apos;s file and progress</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>記録時間</source>
        <translation>Time recorded</translation>
    </message>
    <message>
        <source>欠損サンプル数</source>
        <translation>Samples lost</translation>
    </message>
    <message>
        <source>空き容量</source>
        <translation>Free space</translation>
    </message>
    <message>
        <source>空き容量で記録できる時間</source>
        <translation>Recording time the free space holds</translation>
    </message>
    <message>
        <source>最近10分間のグラフ</source>
        <translation>Graph of the last ten minutes</translation>
    </message>
    <message>
        <source>各系列の最近10分間の値のグラフ。最新の点は下の表にあります。</source>
        <translation>Graph of the last ten minutes of every series. The latest points are in the table below.</translation>
    </message>
    <message>
        <source>グラフの各系列の最新の点</source>
        <translation>The latest point of each series of the graph</translation>
    </message>
    <message>
        <source>系列</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>時刻 [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <source>最新のイベント (50件まで)</source>
        <translation>Latest events (up to 50)</translation>
    </message>
    <message>
        <source>新しい順のイベント</source>
        <translation>Events, newest first</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>ユニット</source>
        <translation>Unit</translation>
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
        <source>イベントはまだありません</source>
        <translation>No events yet</translation>
    </message>
    <message>
        <source>このページの値は JavaScript で更新されます。</source>
        <translation>The values of this page are kept up to date by JavaScript.</translation>
    </message>
    <message>
        <source>状況ページはもう開いています</source>
        <translation>the status page is already served</translation>
    </message>
    <message>
        <source>%1 で状況ページを開けません: %2</source>
        <translation>cannot serve the status page on %1: %2</translation>
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
    <message>
        <source>%1 文字目のフィールド &apos;%2&apos; を読めません</source>
        <translation>cannot read the field &apos;%2&apos; at character %1</translation>
    </message>
    <message>
        <source>%1 文字目のユニット &apos;%2&apos; にフィールド &apos;id&apos; がありません</source>
        <translation>the unit &apos;%2&apos; at character %1 has no field &apos;id&apos;</translation>
    </message>
    <message>
        <source>demo のユニットは自分の ID を使います: %1 文字目の &apos;%2&apos; は指定できません</source>
        <translation>the demo units keep their own IDs: &apos;%2&apos; at character %1 cannot be given</translation>
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
    <message>
        <source>時刻（時:分:秒）</source>
        <translation>Time (h:mm:ss)</translation>
    </message>
    <message>
        <source>時刻</source>
        <translation>Clock time</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogComputedChannels</name>
    <message>
        <source>演算チャンネル</source>
        <translation>Computed channels</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>演算チャンネル (上のチャンネルから順に計算)</source>
        <translation>Computed channels (computed from the top down)</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>式</source>
        <translation>Expression</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>チャンネル名</source>
        <translation>Channel name</translation>
    </message>
    <message>
        <source>単位名</source>
        <translation>Unit name</translation>
    </message>
    <message>
        <source>式で読める名前 (このほか上のチャンネル)</source>
        <translation>Names an expression reads (and the channels above it)</translation>
    </message>
    <message>
        <source>説明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>式で読める名前</source>
        <translation>Names an expression reads</translation>
    </message>
    <message>
        <source>ロゼット</source>
        <translation>Rosettes</translation>
    </message>
    <message>
        <source>ロゼットの配置</source>
        <translation>Rosette layout</translation>
    </message>
    <message>
        <source>配置</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>ゲージ %1</source>
        <translation>Gauge %1</translation>
    </message>
    <message>
        <source>ロゼット名</source>
        <translation>Rosette name</translation>
    </message>
    <message>
        <source>材料 (主応力、せん断応力、ミーゼス応力を求める)</source>
        <translation>Material (gives the principal, shear and von Mises stresses)</translation>
    </message>
    <message>
        <source>材料の縦弾性係数 E (GPa)</source>
        <translation>Material&apos;s modulus E (GPa)</translation>
    </message>
    <message>
        <source>材料のポアソン比 ν</source>
        <translation>Material&apos;s Poisson&apos;s ratio ν</translation>
    </message>
    <message>
        <source>縦弾性係数 E</source>
        <translation>Modulus E</translation>
    </message>
    <message>
        <source>ポアソン比 ν</source>
        <translation>Poisson&apos;s ratio ν</translation>
    </message>
    <message>
        <source>ロゼットを追加</source>
        <translation>Add rosette</translation>
    </message>
    <message>
        <source>定義したロゼット</source>
        <translation>Rosettes defined</translation>
    </message>
    <message>
        <source>ロゼットを削除</source>
        <translation>Remove rosette</translation>
    </message>
    <message>
        <source>式に誤りはありません。</source>
        <translation>The expression is correct.</translation>
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
    <message>
        <source>イベントで実行</source>
        <translation>Run at events</translation>
    </message>
    <message>
        <source>異常、切断、再接続、ディスクの障害、空き容量不足、再開、測定の終わりごとに実行するコマンド (シェルは通さない)</source>
        <translation>The command run at every alarm, dropout, reconnect, disk trouble, low space, resume and run end (no shell)</translation>
    </message>
    <message>
        <source>実行するイベント</source>
        <translation>Events to run at</translation>
    </message>
    <message>
        <source>すべて (alarm,dropout,…)</source>
        <translation>all (alarm,dropout,…)</translation>
    </message>
    <message>
        <source>最小空き容量</source>
        <translation>Least free space</translation>
    </message>
    <message>
        <source>2GB か 6h</source>
        <translation>2GB or 6h</translation>
    </message>
    <message>
        <source>状態ページ</source>
        <translation>Status page</translation>
    </message>
    <message>
        <source>トークン</source>
        <translation>Token</translation>
    </message>
    <message>
        <source>ループバック以外では必要</source>
        <translation>needed beyond loopback</translation>
    </message>
</context>
<context>
    <name>kelvra::DialogStrainSetup</name>
    <message>
        <source>ひずみ設定</source>
        <translation>Strain setup</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>使用ユニットの指定がありません。</source>
        <translation>No unit is in use.</translation>
    </message>
    <message>
        <source>ユニット</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>ブリッジ</source>
        <translation>Bridge</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>ブリッジの種類</source>
        <translation>Bridge type</translation>
    </message>
    <message>
        <source>ゲージ率 K</source>
        <translation>Gauge factor K</translation>
    </message>
    <message>
        <source>ポアソン比 ν</source>
        <translation>Poisson&apos;s ratio ν</translation>
    </message>
    <message>
        <source>リード線抵抗 R_L (Ω)</source>
        <translation>Lead resistance R_L (Ω)</translation>
    </message>
    <message>
        <source>ゲージ抵抗 R_G (Ω)</source>
        <translation>Gauge resistance R_G (Ω)</translation>
    </message>
    <message>
        <source>リード線抵抗 R_L</source>
        <translation>Lead resistance R_L</translation>
    </message>
    <message>
        <source>ゲージ抵抗 R_G</source>
        <translation>Gauge resistance R_G</translation>
    </message>
    <message>
        <source>風袋引き</source>
        <translation>Tare</translation>
    </message>
    <message>
        <source>測定開始からのサンプルの平均を引く</source>
        <translation>Subtract the mean of the first samples of the run</translation>
    </message>
    <message>
        <source>風袋引きのサンプル数 N</source>
        <translation>Tare samples N</translation>
    </message>
    <message>
        <source>サンプル数 N</source>
        <translation>Samples N</translation>
    </message>
    <message>
        <source>(全ユニット共通)</source>
        <translation>(for all units)</translation>
    </message>
    <message>
        <source>換算表</source>
        <translation>Scaling table</translation>
    </message>
    <message>
        <source>換算表 (X から Y へ)</source>
        <translation>Scaling table (X to Y)</translation>
    </message>
    <message>
        <source>行を追加</source>
        <translation>Add row</translation>
    </message>
    <message>
        <source>行を削除</source>
        <translation>Remove row</translation>
    </message>
    <message>
        <source>Y の単位名</source>
        <translation>Unit name of Y</translation>
    </message>
    <message>
        <source>縦弾性係数 E (GPa)</source>
        <translation>Modulus E (GPa)</translation>
    </message>
    <message>
        <source>縦弾性係数 E</source>
        <translation>Modulus E</translation>
    </message>
    <message>
        <source>応力チャンネル %1 (MPa)</source>
        <translation>Stress channel %1 (MPa)</translation>
    </message>
</context>
<context>
    <name>kelvra::EventPresenter</name>
    <message>
        <source>データがありません。</source>
        <translation>No data.</translation>
    </message>
    <message>
        <source>メモ（空欄のままでも可）</source>
        <translation>Note (may stay empty)</translation>
    </message>
    <message>
        <source>マーク</source>
        <translation>Mark</translation>
    </message>
</context>
<context>
    <name>kelvra::FileActions</name>
    <message>
        <source>測定データがありません。</source>
        <translation>No measured data.</translation>
    </message>
    <message>
        <source>連続記録のデータはすべて記録ファイル %1 にあります。</source>
        <translation>All the data of the long recording are in the recording file %1.</translation>
    </message>
    <message>
        <source>表示データが消去されます。よろしいですか？</source>
        <translation>The data shown will be erased. Continue?</translation>
    </message>
    <message>
        <source>記録ファイル  (*.kvr)</source>
        <translation>Recordings  (*.kvr)</translation>
    </message>
    <message>
        <source>データがありません。</source>
        <translation>No data.</translation>
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
</context>
<context>
    <name>kelvra::FormMain</name>
    <message>
        <source>ひずみ測定(Ver1.2)</source>
        <translation>Strain measurement (Ver1.2)</translation>
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
</context>
<context>
    <name>kelvra::LimitsPresenter</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>異常</source>
        <translation>Alarm</translation>
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
    <name>kelvra::QCustomPlotChart</name>
    <message>
        <source>（秒）</source>
        <translation> (s)</translation>
    </message>
    <message>
        <source>（時:分:秒）</source>
        <translation> (h:mm:ss)</translation>
    </message>
    <message>
        <source>（時刻）</source>
        <translation> (clock time)</translation>
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
    <message>
        <source>  空き容量不足 (残り %1)</source>
        <translation>  Low space (%1 left)</translation>
    </message>
    <message>
        <source>  状態ページ %1</source>
        <translation>  Status page %1</translation>
    </message>
</context>
<context>
    <name>kelvra::ReviewController</name>
    <message>
        <source>範囲保存</source>
        <translation>Save span</translation>
    </message>
    <message>
        <source>表示範囲をファイルに保存</source>
        <translation>Save the span shown to a file</translation>
    </message>
    <message>
        <source>時刻表示</source>
        <translation>Clock time</translation>
    </message>
    <message>
        <source>時間軸とカーソルを開始からの経過時間でなく時刻で表示</source>
        <translation>Show the time axis and the cursors as clock times, not as the time from the start</translation>
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
    <message>
        <source>%1 &apos;%2&apos; は ja でも en でもありません</source>
        <translation>%1 &apos;%2&apos; is not ja or en</translation>
    </message>
</context>
</TS>
