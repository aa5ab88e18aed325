#include "RecordOptions.h"

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"

#include "acquisition/UnitEntries.h"
#include "limits/LimitEntries.h"
#include "recording/LongRecording.h"
#include "settings/SettingEntries.h"

#include <cmath>

namespace kelvra::cli {

const OptionTable kRecordOptions{"record",
		QT_TRANSLATE_NOOP("CliText",
				"使い方: kelvra-cli record --out FILE [options]\n"
				"        kelvra-cli record --continuous --out FILE.kvr|--folder DIR [options]\n"
				"        kelvra-cli record --resume FILE.kvr|DIR [options]\n"
				"測定を一回行い、FILE をデータファイル (.vn2) か CSV (.csv) として書き出します。\n"
				"--continuous では止めるまで .kvr ファイルに直接記録します。\n"
				"指定のない設定は保存された測定条件から取ります。エミュレータのユニットで\n"
				"保存された条件がなければ、ウィンドウと同じく記述した全ユニットを使用し、\n"
				"ユニット計時の 100 ms で測定します。\n"
				"Ctrl+C (SIGTERM、SIGHUP も) は停止ボタンと同じく測定を止め、\n"
				"ファイルはそれでも書き出します。\n"
				"\n"),
		{
				{{{"out", "FILE"}},
						QT_TRANSLATE_NOOP("CliText",
								"書き出すファイル (.vn2 か .csv)")},
				{{{"emulate", "DESCRIPTION"}},
						QT_TRANSLATE_NOOP("CliText",
								"エミュレータのユニットを使う (VARNELIO_EMULATOR)。例: demo")},
				{{{"units", "0,2"}}, QT_TRANSLATE_NOOP("CliText", "使用ユニット")},
				{{{"interval-ms", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット計時で N ms ごと (10の倍数)")},
				{{{"interval-s", "N"}},
						QT_TRANSLATE_NOOP("CliText", "PC計時で N 秒ごと")},
				{{{"average"}, {"no-average"}},
						QT_TRANSLATE_NOOP("CliText",
								"各測定間隔の値を平均化する")},
				{{{"trigger-upper", "V"}},
						QT_TRANSLATE_NOOP("CliText",
								"上限トリガを V に設定する")},
				{{{"trigger-lower", "V"}},
						QT_TRANSLATE_NOOP("CliText",
								"下限トリガを V に設定する")},
				{{{"no-trigger"}},
						QT_TRANSLATE_NOOP(
								"CliText", "トリガなしで測定する")},
				{{{"pre", "N"}, {"post", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"トリガ前に残す / トリガ後に取るデータ数")},
				{{{"trigger-unit", "U"}},
						QT_TRANSLATE_NOOP(
								"CliText", "トリガを見るユニット")},
				{{{"display-unit", "UNIT"}},
						QT_TRANSLATE_NOOP("CliText",
								"ue、kgf、tf、N、kN、MN のいずれか")},
				{{{"rated-output", "U:VALUE:mV/V or U:VALUE:ue"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U の定格出力")},
				{{{"capacity", "U:VALUE"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U の定格容量 (表示単位で)")},
				{{{"zero"}},
						QT_TRANSLATE_NOOP("CliText",
								"先に各使用ユニットのゼロ点を取る")},
				{{{"samples", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"トリガなしのとき: データが N 個になったら止める")},
				{{{"memo", "TEXT"}},
						QT_TRANSLATE_NOOP("CliText",
								"ファイルのメモ行 (五回まで)")},
				{{{"progress"}},
						QT_TRANSLATE_NOOP("CliText",
								"標準エラーに一回の読み取りごとに進行状況を一行、\n"
								"端末でなくても出す")},
				{{{"csv-encoding", "NAME"}},
						QT_TRANSLATE_NOOP("CliText",
								".csv ファイルの文字コード: cp932 (既定) か utf-8\n"
								"(utf-8 はバイトオーダーマーク付き)")},
				{{{"limit", "U:upper|lower:warning|alarm:VALUE"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U をレベルで監視する (表示単位、\n"
								"繰り返し可)。超えたときと戻ったときに\n"
								"標準エラーに一行ずつ出す")},
				{{{"hysteresis", "U:VALUE"}},
						QT_TRANSLATE_NOOP("CliText",
								"ユニット U の値がレベルの内側へどれだけ\n"
								"戻る必要があるか")},
				{{{"fail-on-alarm"}},
						QT_TRANSLATE_NOOP("CliText",
								"最初の異常でそのティックのうちに測定を終え、\n"
								"その異常のデータまでを FILE に書き出して\n"
								"3 で終了する")},
				{{{"continuous"}},
						QT_TRANSLATE_NOOP("CliText",
								"長時間記録: 測定したデータを次々に .kvr ファイルへ\n"
								"書き込み、Ctrl+C、--duration か --samples で\n"
								"測定を終える")},
				{{{"folder", "DIR"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous のとき: DIR に記録し、ファイル名は\n"
								"開始時刻 (kelvra-YYYYMMDD-HHMMSS.kvr)")},
				{{{"split", "none|1h|1d"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous のとき: 測定時間の一時間か一日ごとに\n"
								"新しい部分にする")},
				{{{"duration", "90s|30m|12h|2d"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous のとき: 記録する測定時間")},
				{{{"repeat-trigger"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous とトリガのとき: 取込みごとに記録の\n"
								"隣に番号付きの .vn2 ファイルを保存し、\n"
								"トリガを再び掛ける")},
				{{{"resume", "FILE.kvr|DIR"}},
						QT_TRANSLATE_NOOP("CliText",
								"強制終了や停電で途切れた長時間記録を、同じ設定と\n"
								"メモで次の部分として続ける (DIR では一番新しい記録)。\n"
								"途切れた間は各ユニットの欠落データと resumed イベントに\n"
								"なる。正常に終わった記録は続けず 2 で終了する。\n"
								"まだ記録がなければ新しく始める。--duration と --samples\n"
								"は記録全体の長さ")},
				{{{"on-event", "COMMAND"}},
						QT_TRANSLATE_NOOP("CliText",
								"異常、切断、再接続、ディスクの障害、空き容量不足、\n"
								"再開、測定の終わりごとに COMMAND を実行する\n"
								"(シェルは通さず語に分けるだけ)。イベントは環境変数\n"
								"KELVRA_EVENT、KELVRA_UNIT、KELVRA_TIME、KELVRA_VALUE、\n"
								"KELVRA_TEXT、KELVRA_RECORDING に入る。一度に一つ、\n"
								"30 秒で打ち切り、終了コードと出力の一行目は\n"
								"イベントとして残す")},
				{{{"on-event-kinds", "LIST"}},
						QT_TRANSLATE_NOOP("CliText",
								"--on-event を実行するイベントの種類 (コンマ区切り):\n"
								"alarm、dropout、reconnect、disk-trouble、low-space、\n"
								"resumed、run-end")},
				{{{"min-free", "SIZE|TIME"}},
						QT_TRANSLATE_NOOP("CliText",
								"--continuous のとき: 記録先の空き容量が SIZE (2GB、500MB)\n"
								"か、この測定で TIME (6h、30m) 記録できる量を\n"
								"下回ったとき、また上回ったときにイベントにする")},
				{{{"serve", "ADDRESS:PORT"}},
						QT_TRANSLATE_NOOP("CliText",
								"読み取り専用の状態ページを ADDRESS:PORT で開く\n"
								"(127.0.0.1:8080、ポート 0 は空きポート)。ループバック\n"
								"以外のアドレスには --serve-token か --serve-token-file が必要")},
				{{{"serve-token", "TOKEN"}},
						QT_TRANSLATE_NOOP("CliText",
								"--serve のとき: 要求ごとに Authorization: Bearer TOKEN\n"
								"(ページの最初の読み込みは ?token=TOKEN) を求める")},
				{{{"serve-token-file", "FILE"}},
						QT_TRANSLATE_NOOP("CliText",
								"--serve のとき: トークンを FILE の一行目から読む")},
		},
		QT_TRANSLATE_NOOP("CliText",
				"測定は控えに記録します。プログラムが強制終了されても、'kelvra-cli recover' で\n"
				"その一秒前までに測定したデータを書き出せます。\n")};

namespace {

int parseUnit(const QString &text)
{
	bool ok = false;
	const int unit = text.toInt(&ok);
	if (!ok || unit < 0 || unit >= kUnitCount)
		throw UsageError{CliText::tr("ユニット '%1' が0〜3ではありません").arg(text)};
	return unit;
}

int32_t parsePositive(const QString &option, const QString &text)
{
	bool ok = false;
	const int32_t value = text.toInt(&ok);
	if (!ok || value < 1)
		throw UsageError{CliText::tr("--%1 には正の整数を指定します").arg(option)};
	return value;
}

SensorOption parseSensor(const QString &option, const QString &text, bool withUnit)
{
	const QStringList parts = text.split(QLatin1Char(':'));
	if (parts.size() != (withUnit ? 3 : 2))
		throw UsageError{
				CliText::tr("--%1 '%2' が %3 の形ではありません")
						.arg(option, text,
								withUnit ? QStringLiteral("U:VALUE:mV/V or U:VALUE:ue")
									 : QStringLiteral("U:VALUE"))};
	SensorOption sensor{parseUnit(parts[0]), parts[1], false};
	if (withUnit) {
		if (parts[2] == QLatin1String("ue"))
			sensor.microstrain = true;
		else if (parts[2] != QLatin1String("mV/V"))
			throw UsageError{CliText::tr(
					"--%1 の単位 '%2' が mV/V でも ue でもありません")
							 .arg(option, parts[2])};
	}
	return sensor;
}

LimitOption parseLimit(const QString &text)
{
	const QStringList parts = text.split(QLatin1Char(':'));
	const bool sideOk = parts.size() == 4 &&
			(parts[1] == QLatin1String("upper") || parts[1] == QLatin1String("lower"));
	const bool levelOk = parts.size() == 4 &&
			(parts[2] == QLatin1String("warning") ||
					parts[2] == QLatin1String("alarm"));
	if (!sideOk || !levelOk)
		throw UsageError{CliText::tr(
				"--limit '%1' が U:upper|lower:warning|alarm:VALUE の形ではありません")
						 .arg(text)};
	return {parseUnit(parts[0]),
			parts[2] == QLatin1String("alarm") ? LimitLevel::Alarm
							   : LimitLevel::Warning,
			parts[1] == QLatin1String("upper") ? LimitSide::Upper : LimitSide::Lower,
			parts[3]};
}

int16_t parseDisplayUnit(const QString &text)
{
	static const QStringList names{QStringLiteral("ue"), QStringLiteral("kgf"),
			QStringLiteral("tf"), QStringLiteral("N"), QStringLiteral("kN"),
			QStringLiteral("MN")};
	const auto index = names.indexOf(text);
	if (index < 0)
		throw UsageError{CliText::tr(
				"--display-unit '%1' が ue、kgf、tf、N、kN、MN のいずれでもありません")
						 .arg(text)};
	return static_cast<int16_t>(index);
}

SplitPeriod parseSplit(const QString &text)
{
	if (text == QLatin1String("none"))
		return SplitPeriod::None;
	if (text == QLatin1String("1h"))
		return SplitPeriod::Hour;
	if (text == QLatin1String("1d"))
		return SplitPeriod::Day;
	throw UsageError{CliText::tr("--split '%1' が none、1h、1d のいずれでもありません")
					 .arg(text)};
}

double parseDuration(const QString &text)
{
	static const std::pair<QChar, double> units[] = {{QLatin1Char('s'), 1.0},
			{QLatin1Char('m'), 60.0}, {QLatin1Char('h'), 3600.0},
			{QLatin1Char('d'), 86400.0}};
	for (const auto &[suffix, seconds] : units) {
		bool ok = false;
		const double n = text.endsWith(suffix) ? text.chopped(1).toDouble(&ok) : 0.0;
		if (ok && n > 0.0 && std::isfinite(n))
			return n * seconds;
	}
	throw UsageError{CliText::tr(
			"--duration '%1' が 90s、30m、12h、2d のような時間ではありません")
					 .arg(text)};
}

// The options of the settings a resumed recording has of its own.
const char *const kSettingsOptions[] = {"units", "interval-ms", "interval-s", "average",
		"no-average", "trigger-upper", "trigger-lower", "no-trigger", "pre", "post",
		"trigger-unit", "display-unit", "rated-output", "capacity", "memo", "split",
		"zero"};

// --resume: a long recording, to a file or folder found once the recording is looked up.
void parseResume(QCommandLineParser &parser, RecordOptions &o)
{
	if (!parser.isSet(QStringLiteral("resume")))
		return;
	if (!o.out.isEmpty() || parser.isSet(QStringLiteral("folder")))
		throw UsageError{CliText::tr(
				"--resume は --out とも --folder とも一緒に指定できません")};
	o.resume = parser.value(QStringLiteral("resume"));
	for (const char *name : kSettingsOptions) {
		if (parser.isSet(QString::fromLatin1(name)))
			o.settingsOptions << QStringLiteral("--") + QString::fromLatin1(name);
	}
}

// The options of a long recording, checked together.
void parseContinuous(QCommandLineParser &parser, RecordOptions &o)
{
	o.continuous = parser.isSet(QStringLiteral("continuous")) || o.resume.has_value();
	o.folder = parser.value(QStringLiteral("folder"));
	o.repeatTrigger = parser.isSet(QStringLiteral("repeat-trigger"));
	const bool longOnly = !o.folder.isEmpty() || parser.isSet(QStringLiteral("split")) ||
			parser.isSet(QStringLiteral("duration")) || o.repeatTrigger;
	if (!o.continuous) {
		if (longOnly)
			throw UsageError{CliText::tr(
					"--folder、--split、--duration、--repeat-trigger は "
					"--continuous と一緒に指定します")};
		return;
	}
	if (o.out.isEmpty() == o.folder.isEmpty() && !o.resume)
		throw UsageError{CliText::tr(
				"--continuous には --out FILE.kvr か --folder DIR を指定します")};
	if (!o.out.isEmpty() && !IsRecordingFile(o.out))
		throw UsageError{CliText::tr("長時間記録の --out には .kvr ファイルを指定します")};
	if (parser.isSet(QStringLiteral("split")))
		o.split = parseSplit(parser.value(QStringLiteral("split")));
	if (parser.isSet(QStringLiteral("duration")))
		o.durationS = parseDuration(parser.value(QStringLiteral("duration")));
	if (o.durationS && parser.isSet(QStringLiteral("samples")))
		throw UsageError{CliText::tr(
				"--duration と --samples はどちらか一方だけを指定します")};
}

// --on-event, --on-event-kinds and --min-free, checked together.
void parseUnattended(QCommandLineParser &parser, RecordOptions &o)
{
	if (parser.isSet(QStringLiteral("on-event"))) {
		const HookCommandCheck check =
				ParseHookCommand(parser.value(QStringLiteral("on-event")));
		if (!check.command)
			throw UsageError{check.message};
		o.onEvent = check.command;
	}
	if (parser.isSet(QStringLiteral("on-event-kinds"))) {
		if (!o.onEvent)
			throw UsageError{CliText::tr(
					"--on-event-kinds は --on-event と一緒に指定します")};
		const HookKindsCheck check =
				ParseHookKinds(parser.value(QStringLiteral("on-event-kinds")));
		if (!check.kinds)
			throw UsageError{check.message};
		o.onEventKinds = *check.kinds;
	}
	if (parser.isSet(QStringLiteral("min-free"))) {
		if (!o.continuous)
			throw UsageError{CliText::tr(
					"--min-free は --continuous と一緒に指定します")};
		const MinFreeCheck check = ParseMinFree(parser.value(QStringLiteral("min-free")));
		if (!check.minFree)
			throw UsageError{check.message};
		o.minFree = check.minFree;
	}
}

// --serve with its token, given or read from a file.
void parseServe(QCommandLineParser &parser, RecordOptions &o)
{
	const QString tokenOption = QStringLiteral("serve-token");
	const QString tokenFileOption = QStringLiteral("serve-token-file");
	if (!parser.isSet(QStringLiteral("serve"))) {
		if (parser.isSet(tokenOption) || parser.isSet(tokenFileOption))
			throw UsageError{CliText::tr(
					"--serve-token と --serve-token-file は --serve と一緒に指定します")};
		return;
	}
	if (parser.isSet(tokenOption) && parser.isSet(tokenFileOption))
		throw UsageError{CliText::tr(
				"--serve-token と --serve-token-file はどちらか一方だけを指定します")};
	QString error;
	QByteArray token = parser.value(tokenOption).toUtf8();
	if (parser.isSet(tokenFileOption)) {
		const std::optional<QByteArray> read =
				ReadStatusToken(parser.value(tokenFileOption), error);
		if (!read)
			throw UsageError{error};
		token = *read;
	}
	o.serve = ParseStatusOptions(parser.value(QStringLiteral("serve")), token, error);
	if (!o.serve)
		throw UsageError{error};
}

} // namespace

RecordOptions ParseRecordOptions(QCommandLineParser &parser)
{
	RecordOptions o;
	auto value = [&](const char *name) -> std::optional<QString> {
		const QString key = QString::fromLatin1(name);
		return parser.isSet(key) ? std::optional(parser.value(key)) : std::nullopt;
	};
	o.out = value("out").value_or(QString());
	parseResume(parser, o);
	parseContinuous(parser, o);
	if (o.out.isEmpty() && !o.continuous)
		throw UsageError{CliText::tr("--out FILE を指定して下さい")};
	if (!o.continuous) {
		const auto type = FileTypeOf(o.out);
		if (!type)
			throw UsageError{CliText::tr(
					"--out には .vn2 か .csv ファイルを指定します")};
		o.type = *type;
	}

	if (const auto name = value("csv-encoding")) {
		if (o.continuous || o.type != FileType::Csv)
			throw UsageError{CliText::tr(
					"--csv-encoding は .csv ファイルにだけ指定できます")};
		const auto encoding = parseCsvEncoding(*name);
		if (!encoding)
			throw UsageError{CliText::tr(
					"--csv-encoding には cp932 か utf-8 を指定します")};
		o.csvEncoding = *encoding;
	}
	o.emulate = value("emulate");
	if (const auto units = value("units")) {
		std::array<bool, kUnitCount> ticked{};
		for (const QString &unit : units->split(QLatin1Char(','), Qt::SkipEmptyParts))
			ticked[parseUnit(unit.trimmed())] = true;
		o.units = ticked;
	}
	if (const auto ms = value("interval-ms")) {
		const int32_t n = parsePositive(QStringLiteral("interval-ms"), *ms);
		if (n % 10 != 0)
			throw UsageError{CliText::tr("--interval-ms には10の倍数を指定します")};
		o.intervalSteps = QString::number(n / 10);
	}
	o.intervalSeconds = value("interval-s");
	if (o.intervalSteps && o.intervalSeconds)
		throw UsageError{CliText::tr(
				"--interval-ms と --interval-s はどちらか一方だけを指定します")};
	if (parser.isSet(QStringLiteral("average")))
		o.average = true;
	if (parser.isSet(QStringLiteral("no-average")))
		o.average = false;
	o.upper = value("trigger-upper");
	o.lower = value("trigger-lower");
	o.noTrigger = parser.isSet(QStringLiteral("no-trigger"));
	if (o.noTrigger && (o.upper || o.lower))
		throw UsageError{CliText::tr(
				"--no-trigger は --trigger-upper とも --trigger-lower とも一緒に指定できません")};
	o.pre = value("pre");
	o.post = value("post");
	if (const auto unit = value("trigger-unit"))
		o.triggerUnit = parseUnit(*unit);
	if (const auto unit = value("display-unit"))
		o.displayUnit = parseDisplayUnit(*unit);
	for (const QString &text : parser.values(QStringLiteral("rated-output")))
		o.ratedOutputs.push_back(parseSensor(QStringLiteral("rated-output"), text, true));
	for (const QString &text : parser.values(QStringLiteral("capacity")))
		o.capacities.push_back(parseSensor(QStringLiteral("capacity"), text, false));
	o.zero = parser.isSet(QStringLiteral("zero"));
	if (const auto samples = value("samples"))
		o.samples = parsePositive(QStringLiteral("samples"), *samples);
	o.memos = parser.values(QStringLiteral("memo"));
	o.progress = parser.isSet(QStringLiteral("progress"));
	for (const QString &text : parser.values(QStringLiteral("limit")))
		o.limits.push_back(parseLimit(text));
	for (const QString &text : parser.values(QStringLiteral("hysteresis"))) {
		const SensorOption h = parseSensor(QStringLiteral("hysteresis"), text, false);
		o.hystereses.emplace_back(h.unit, h.value);
	}
	o.failOnAlarm = parser.isSet(QStringLiteral("fail-on-alarm"));
	if (o.memos.size() > 5)
		throw UsageError{CliText::tr("--memo は五回までしか指定できません")};
	parseUnattended(parser, o);
	parseServe(parser, o);
	return o;
}

namespace {

void applyOptions(const RecordOptions &o, SettingEntries &entries, UnitEntries &units)
{
	if (o.units)
		entries.unitTicked = *o.units;
	if (o.intervalSteps) {
		entries.milliseconds = true;
		entries.timeSteps = *o.intervalSteps;
	}
	if (o.intervalSeconds) {
		entries.milliseconds = false;
		entries.timeSeconds = *o.intervalSeconds;
	}
	if (o.average)
		entries.average = *o.average;
	if (o.noTrigger || o.upper || o.lower) {
		entries.triggerTicked = {o.upper.has_value(), o.lower.has_value()};
		entries.triggerLevel = {o.upper.value_or(entries.triggerLevel[0]),
				o.lower.value_or(entries.triggerLevel[1])};
	}
	entries.triggerCount = {o.pre.value_or(entries.triggerCount[0]),
			o.post.value_or(entries.triggerCount[1])};
	if (o.triggerUnit)
		entries.triggerUnit = *o.triggerUnit;

	if (o.displayUnit)
		units.sing = *o.displayUnit;
	for (const SensorOption &rated : o.ratedOutputs) {
		units.power[rated.unit] = rated.value;
		units.powerInMicrostrain[rated.unit] = rated.microstrain;
	}
	for (const SensorOption &capacity : o.capacities)
		units.capacity[capacity.unit] = capacity.value;
}

} // namespace

QString ApplyRecordSettings(const RecordOptions &o, ModuleData &md)
{
	SettingEntries entries = LoadSettingEntries(md);
	UnitEntries units = LoadUnitData(md);
	applyOptions(o, entries, units);

	QString error = CheckUnits(entries);
	if (!error.isEmpty())
		return error;
	for (int i = 0; i < kUnitCount; ++i)
		md.Channels[i].Mflag = toFlag(entries.unitTicked[i]);
	error = CheckUnitData(units, md);
	if (!error.isEmpty())
		return error;
	SaveUnitData(units, md);
	md.SetRange();
	error = CheckSettings(entries, md);
	if (!error.isEmpty())
		return error;
	ApplySettings(entries, md);
	md.ClearMeasData();
	return {};
}

LimitSettings ApplyRecordLimits(
		const RecordOptions &o, const ModuleData &md, const LimitSettings &stored)
{
	LimitEntries entries = EntriesOf(stored);
	for (const LimitOption &limit : o.limits)
		entries[limit.unit].levels[static_cast<int>(limit.level)]
					  [static_cast<int>(limit.side)] = {true, limit.value};
	for (const auto &[unit, value] : o.hystereses)
		entries[unit].hysteresis = value;
	for (const LimitOption &limit : o.limits) {
		if (!md.Channels[limit.unit].inUse())
			throw UsageError{CliText::tr(
					"--limit のユニット %1 は使用ユニットではありません")
							 .arg(limit.unit)};
	}
	const LimitCheck check = CheckLimits(entries, md, stored);
	if (!check.limits)
		throw UsageError{check.message};
	return *check.limits;
}

} // namespace kelvra::cli
