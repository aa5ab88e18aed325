// kelvra-cli analyze: the spectrum, PSD, rainflow cycles or interval
// statistics of a recording's or a data file's units, as CSV or HDF5.

#include "AnalysisInputs.h"
#include "AnalysisOutput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"
#include "FilterOption.h"

#include "analysis/AmplitudeSpectrum.h"
#include "analysis/FilteredSeries.h"
#include "analysis/GapFreeStretch.h"
#include "analysis/Rainflow.h"
#include "analysis/WelchPsd.h"
#include "core/NumberText.h"
#include "files/MeasurementFiles.h"

#include <cmath>

namespace kelvra::cli {

namespace {

using namespace analysis;

const OptionTable kAnalyzeOptions{"analyze",
		QT_TRANSLATE_NOOP("CliText",
				"使い方: kelvra-cli analyze FILE --spectrum|--psd|--rainflow|--stats INTERVAL\n"
				"                           --out RESULT.csv|RESULT.h5 [options]\n"
				"長時間記録 (.kvr)、データファイル (.vn2) か Kelvra の書き出した CSV の\n"
				"ユニットを解析し、結果を CSV か HDF5 に書き出します。欠落したサンプルは\n"
				"ゼロではなく欠落として扱い、スペクトルと PSD は範囲のうち欠落のない\n"
				"最長の区間を解析します。\n"
				"\n"),
		{
				{{{"spectrum"}},
						QT_TRANSLATE_NOOP("CliText",
								"振幅スペクトル: 平均を除いた片側、振幅 A の正弦波が\n"
								"その周波数で A を示す")},
				{{{"window", "hann|flattop|rect"}},
						QT_TRANSLATE_NOOP("CliText",
								"--spectrum の窓関数 (既定は hann)")},
				{{{"psd"}},
						QT_TRANSLATE_NOOP("CliText",
								"Welch 法のパワースペクトル密度 (単位²/Hz)")},
				{{{"segment", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"--psd のセグメントのサンプル数 (既定は 4096)")},
				{{{"rainflow"}},
						QT_TRANSLATE_NOOP("CliText",
								"レインフロー法 (ASTM E1049-85 の三点法) の\n"
								"サイクル、一サイクル一行")},
				{{{"gate", "VALUE"}},
						QT_TRANSLATE_NOOP("CliText",
								"--rainflow: これより小さい反転を除く")},
				{{{"bins", "N"}},
						QT_TRANSLATE_NOOP("CliText",
								"--rainflow: 行列の範囲と平均の区分数\n"
								"(既定は 32)")},
				{{{"matrix"}},
						QT_TRANSLATE_NOOP("CliText",
								"--rainflow: 範囲 × 平均の行列も書き出す\n"
								"(CSV では NAME-matrix.csv)")},
				{{{"stats", "INTERVAL"}},
						QT_TRANSLATE_NOOP("CliText",
								"区間ごとの統計: 1s、10s、1min、10min、1h、1d")},
				{{{"units", "0,2"}},
						QT_TRANSLATE_NOOP("CliText",
								"解析するユニット (既定は使用した全ユニット)")},
				{{{"from", "S"}},
						QT_TRANSLATE_NOOP("CliText",
								"記録の開始からこの秒数以降")},
				{{{"to", "S"}},
						QT_TRANSLATE_NOOP("CliText",
								"記録の開始からこの秒数まで")},
				{{{"filter", "SPEC"}},
						QT_TRANSLATE_NOOP("CliText",
								"先にゼロ位相のフィルタを掛ける:\n"
								"lowpass:FC[:ORDER] か highpass:FC[:ORDER] は\n"
								"FC Hz のバターワース (次数 1 から 8、既定は 4)、\n"
								"moving:N は N サンプルの移動平均")},
				{{{"out", "RESULT"}},
						QT_TRANSLATE_NOOP("CliText",
								"書き出すファイル (.csv か .h5)")},
		}};

struct AnalyzeOptions {
	QString file;
	QString out;
	AnalysisKind kind = AnalysisKind::Spectrum;
	std::optional<QString> units;
	std::optional<double> fromS;
	std::optional<double> toS;
	SpectrumWindow window = SpectrumWindow::Hann;
	uint64_t segment = kDefaultPsdSegment;
	RainflowOptions rainflow;
	bool matrix = false;
	double statisticsS = 0.0;
	std::optional<FilterSpec> filter;
};

// The series as analysed (filtered when asked), and what they come from.
struct Selection {
	QStringList names;
	std::vector<const SeriesSource *> recorded;
	std::vector<std::unique_ptr<FilteredSeries>> filtered;
	std::vector<const SeriesSource *> analysed;
};

std::optional<QString> value(const QCommandLineParser &parser, const char *name)
{
	const QString option = QString::fromLatin1(name);
	return parser.isSet(option) ? std::optional(parser.value(option)) : std::nullopt;
}

// The one analysis asked for; none when none or several were.
std::optional<AnalysisKind> kindOf(const QCommandLineParser &parser)
{
	const std::pair<const char *, AnalysisKind> kinds[] = {{"spectrum", AnalysisKind::Spectrum},
			{"psd", AnalysisKind::Psd}, {"rainflow", AnalysisKind::Rainflow},
			{"stats", AnalysisKind::Statistics}};
	std::optional<AnalysisKind> kind;
	int asked = 0;
	for (const auto &[name, k] : kinds) {
		if (parser.isSet(QString::fromLatin1(name))) {
			kind = k;
			++asked;
		}
	}
	return asked == 1 ? kind : std::nullopt;
}

// An option of one analysis given to another.
void requireKind(const QCommandLineParser &parser, const AnalyzeOptions &o,
		std::initializer_list<const char *> names, AnalysisKind kind, const char *owner)
{
	for (const char *name : names) {
		if (parser.isSet(QString::fromLatin1(name)) && o.kind != kind)
			throw UsageError{CliText::tr("--%1 は --%2 と共に指定します")
							 .arg(QString::fromLatin1(name),
									 QString::fromLatin1(
											 owner))};
	}
}

std::optional<double> secondsOption(const QCommandLineParser &parser, const char *name)
{
	const auto text = value(parser, name);
	if (!text)
		return std::nullopt;
	const auto seconds = readNumber(*text);
	if (!seconds || !(*seconds >= 0.0))
		throw UsageError{CliText::tr("--from と --to には開始からの秒数を指定します")};
	return seconds;
}

void parseAnalysisOptions(const QCommandLineParser &parser, AnalyzeOptions &o)
{
	if (const auto name = value(parser, "window")) {
		const auto window = SpectrumWindowNamed(name->toStdString());
		if (!window)
			throw UsageError{CliText::tr(
					"--window には hann、flattop、rect のいずれかを指定します")};
		o.window = *window;
	}
	if (const auto text = value(parser, "segment")) {
		bool ok = false;
		o.segment = text->toULongLong(&ok);
		if (!ok || o.segment < 2)
			throw UsageError{CliText::tr("--segment には 2 以上の整数を指定します")};
	}
	if (const auto text = value(parser, "gate")) {
		const auto gate = readNumber(*text);
		if (!gate || !(*gate >= 0.0))
			throw UsageError{CliText::tr("--gate には 0 以上の数を指定します")};
		o.rainflow.gate = *gate;
	}
	if (const auto text = value(parser, "bins")) {
		bool ok = false;
		o.rainflow.bins = text->toInt(&ok);
		if (!ok || o.rainflow.bins < 1 || o.rainflow.bins > 1024)
			throw UsageError{CliText::tr("--bins には 1 から 1024 の整数を指定します")};
	}
	o.matrix = parser.isSet(QStringLiteral("matrix"));
	if (const auto name = value(parser, "stats")) {
		const auto seconds = StatisticsIntervalNamed(name->toStdString());
		if (!seconds)
			throw UsageError{
					CliText::tr("--stats には 1s、10s、1min、10min、1h、1d "
						    "のいずれかを指定します")};
		o.statisticsS = *seconds;
	}
}

AnalyzeOptions parseOptions(const QCommandLineParser &parser)
{
	AnalyzeOptions o;
	const QStringList files = parser.positionalArguments();
	if (files.size() != 1)
		throw UsageError{CliText::tr("analyze には解析するファイルを一つ指定します")};
	o.file = files[0];
	if (!IsRecordingFile(o.file) && !FileTypeOf(o.file))
		throw UsageError{CliText::tr(
				"FILE には .kvr、.vn2、.csv のいずれかのファイルを指定します")};
	const auto kind = kindOf(parser);
	if (!kind)
		throw UsageError{CliText::tr(
				"--spectrum、--psd、--rainflow、--stats のどれか一つを指定します")};
	o.kind = *kind;
	o.out = value(parser, "out").value_or(QString());
	if (!IsHdf5File(o.out) && FileTypeOf(o.out) != FileType::Csv)
		throw UsageError{CliText::tr("--out には .csv か .h5 のファイルを指定します")};
	requireKind(parser, o, {"window"}, AnalysisKind::Spectrum, "spectrum");
	requireKind(parser, o, {"segment"}, AnalysisKind::Psd, "psd");
	requireKind(parser, o, {"gate", "bins", "matrix"}, AnalysisKind::Rainflow, "rainflow");
	parseAnalysisOptions(parser, o);
	o.units = value(parser, "units");
	o.fromS = secondsOption(parser, "from");
	o.toS = secondsOption(parser, "to");
	if (const auto text = value(parser, "filter"))
		o.filter = ParseFilterOption(*text);
	return o;
}

// The units named by --units, or every unit of the file. Computed channels
// (--channel NAME) are to join here as series of their own names.
Selection selectSeries(const AnalysisInput &input, const std::optional<QString> &units)
{
	Selection selection;
	QStringList held;
	for (const AnalysisSeries &s : input.series)
		held << s.name;
	QStringList wanted = held;
	if (units) {
		wanted.clear();
		for (const QString &unit : units->split(QLatin1Char(','), Qt::SkipEmptyParts))
			wanted << QStringLiteral("ID") + unit.trimmed();
	}
	for (const QString &name : wanted) {
		const AnalysisSeries *series = input.find(name);
		if (!series)
			throw UsageError{CliText::tr(
					"系列 %1 はありません (このファイルにあるのは %2)")
							 .arg(name, held.join(QLatin1Char(',')))};
		selection.names << name;
		selection.recorded.push_back(series->source.get());
	}
	if (selection.names.isEmpty())
		throw UsageError{CliText::tr("このファイルには解析できるユニットがありません")};
	return selection;
}

void applyFilter(Selection &selection, const FilterSpec &spec, double intervalS)
{
	const DesignedFilter design = DesignFilterOption(spec, intervalS);
	for (const SeriesSource *recorded : selection.recorded)
		selection.filtered.push_back(std::make_unique<FilteredSeries>(
				*recorded, design, FilterMode::ZeroPhase));
	selection.analysed.clear();
	for (const auto &filtered : selection.filtered)
		selection.analysed.push_back(filtered.get());
}

QString secondsText(double seconds)
{
	return QString::fromLatin1(significantText(seconds, 15));
}

// The samples between --from and --to, refused when a series has none there.
SampleRange rangeOf(const AnalyzeOptions &o, const AnalysisInput &input, const Selection &selection)
{
	const uint64_t count = selection.recorded.front()->sampleCount();
	auto at = [&](double seconds) {
		const double n = std::ceil(seconds / input.intervalS - 1e-9);
		return std::min<uint64_t>(n > 0.0 ? static_cast<uint64_t>(n) : 0, count);
	};
	const SampleRange range{o.fromS ? at(*o.fromS) : 0, o.toS ? at(*o.toS) : count};
	for (qsizetype s = 0; s < selection.names.size(); ++s) {
		if (range.empty() ||
				selection.recorded[s]->summarize(range.from, range.to).count == 0)
			throw UsageError{CliText::tr(
					"%1 s から %2 s の範囲に %3 のサンプルがありません")
							 .arg(secondsText(o.fromS.value_or(0.0)),
									 secondsText(o.toS.value_or(
											 count *
											 input.intervalS)),
									 selection.names[s])};
	}
	return range;
}

// Spectra want every sample: the longest stretch no series misses one in.
SampleRange spectrumStretch(const AnalyzeOptions &o, const AnalysisInput &input,
		const Selection &selection, SampleRange range)
{
	const SampleRange stretch = LongestGapFreeStretch(selection.recorded, range);
	const auto fromS = [&](uint64_t sample) { return secondsText(sample * input.intervalS); };
	if (stretch.size() < 2)
		throw UsageError{CliText::tr("%1 s から %2 s の範囲には欠落のない区間がありません")
						 .arg(fromS(range.from), fromS(range.to))};
	if (o.kind == AnalysisKind::Psd && o.segment > stretch.size())
		throw UsageError{CliText::tr(
				"セグメントの %1 サンプルは解析する範囲の %2 サンプルより"
				"長いです")
						 .arg(o.segment)
						 .arg(stretch.size())};
	if (stretch != range)
		printError(CliText::tr(
				"範囲に欠落があるため、欠落のない最長の区間 %1 s から %2 s を"
				"解析しました")
						.arg(fromS(stretch.from), fromS(stretch.to)));
	return stretch;
}

void writeSpectra(const AnalyzeOptions &o, const Selection &selection, SampleRange stretch,
		AnalysisOutput &out)
{
	std::vector<Spectrum> spectra;
	for (const SeriesSource *series : selection.analysed) {
		auto spectrum = o.kind == AnalysisKind::Psd
				? WelchPsdOf(*series, stretch, o.segment)
				: AmplitudeSpectrumOf(*series, stretch, o.window);
		if (!spectrum)
			throw UsageError{CliText::tr("解析できません")};
		spectra.push_back(std::move(*spectrum));
	}
	out.spectra(spectra);
}

void writeRainflow(const AnalyzeOptions &o, const Selection &selection, SampleRange range,
		AnalysisOutput &out)
{
	// One set of bins for every series, so that their matrices compare.
	RangeSummary extent;
	for (const SeriesSource *series : selection.analysed)
		extent.add(series->summarize(range.from, range.to));
	RainflowOptions options = o.rainflow;
	options.bounds = std::pair{extent.min, extent.max};
	for (std::size_t s = 0; s < selection.analysed.size(); ++s) {
		const int series = static_cast<int>(s);
		const auto count = CountRainflow(*selection.analysed[s], range, options,
				[&](const RainflowCycle &cycle) { out.cycle(series, cycle); });
		if (!count)
			throw UsageError{CliText::tr("解析できません")};
		if (o.matrix)
			out.matrix(series, count->matrix);
	}
}

int analyze(const AnalyzeOptions &o)
{
	QString error;
	auto input = OpenAnalysisInput(o.file, &error);
	if (!input) {
		printError(CliText::tr("%1 を読み込めません: %2").arg(o.file, error));
		return kExitFailure;
	}
	Selection selection = selectSeries(*input, o.units);
	selection.analysed = selection.recorded;
	if (o.filter)
		applyFilter(selection, *o.filter, input->intervalS);
	const SampleRange range = rangeOf(o, *input, selection);
	const bool spectral = o.kind == AnalysisKind::Spectrum || o.kind == AnalysisKind::Psd;
	const SampleRange analysed =
			spectral ? spectrumStretch(o, *input, selection, range) : range;

	const AnalysisHeading heading{o.kind, selection.names, input->intervalS, input->unitText,
			analysed.from * input->intervalS, analysed.to * input->intervalS, o.matrix};
	auto out = CreateAnalysisOutput(o.out, heading, &error);
	if (!out) {
		printError(CliText::tr("%1 に書き込めません: %2").arg(o.out, error));
		return kExitFailure;
	}
	if (spectral)
		writeSpectra(o, selection, analysed, *out);
	else if (o.kind == AnalysisKind::Rainflow)
		writeRainflow(o, selection, analysed, *out);
	else
		ForEachIntervalRow(selection.analysed, analysed, o.statisticsS,
				[&](const IntervalRow &row) { out->statistics(row); });
	if (!out->finish(&error)) {
		printError(CliText::tr("%1 に書き込めません: %2").arg(o.out, error));
		return kExitFailure;
	}
	return kExitOk;
}

} // namespace

int analyzeCommand(const QStringList &arguments)
{
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kAnalyzeOptions, arguments, parser))
		return *answered;
	try {
		return analyze(parseOptions(parser));
	} catch (const UsageError &usage) {
		printError(usage.text);
		return kExitUsage;
	}
}

} // namespace kelvra::cli
