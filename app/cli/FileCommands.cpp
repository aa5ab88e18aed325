// kelvra-cli convert and info: data files without a measurement.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"
#include "FilterOption.h"

#include "files/CsvFile.h"
#include "files/DataFile.h"
#include "files/MeasurementFiles.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace kelvra::cli {

namespace {

const OptionTable kConvertOptions{"convert",
		QT_TRANSLATE_NOOP("CliText",
				"使い方: kelvra-cli convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv\n"
				"        kelvra-cli convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2\n"
				"データファイルを読み、CSV として書き出します。文字コードはコードページ 932 か\n"
				"バイトオーダーマーク付きの UTF-8 です (既定は cp932)。長時間記録 (最初の部分を\n"
				"指定すれば全部分) は HDF5、CSV (表計算ソフトの行数を超えれば番号付きの複数の\n"
				"ファイル)、または 88000 データまでならデータファイルに書き出します。\n"
				"\n"),
		{{{{"csv-encoding", "NAME"}},
				 QT_TRANSLATE_NOOP("CliText",
						 ".csv ファイルの文字コード: cp932 (既定) か utf-8")},
				{{{"from", "S"}},
						QT_TRANSLATE_NOOP("CliText",
								"記録の開始からこの秒数以降")},
				{{{"to", "S"}},
						QT_TRANSLATE_NOOP("CliText",
								"記録の開始からこの秒数まで")},
				{{{"filter", "lowpass:FC[:ORDER]|highpass:FC[:ORDER]|moving:N"}},
						QT_TRANSLATE_NOOP("CliText",
								"各ユニットを位相ずれのないフィルタ (前後両方向) に\n"
								"通して書き出す。欠落はそのまま欠落")}}};

const OptionTable kInfoOptions{"info",
		QT_TRANSLATE_NOOP("CliText",
				"使い方: kelvra-cli info IN.vn2|REC.kvr\n"
				"データファイルか記録のヘッダー、ユニットの設定、データ数、使用ユニットを\n"
				"一項目一行の 'name: value' の形で示します。\n"),
		{}};

QString onOff(int16_t flag)
{
	return flag != 0 ? CliText::tr("有り") : CliText::tr("無し");
}

void printInfo(const DataFileContent &content)
{
	const DataFileHeader &h = content.header;
	QTextStream out(stdout);
	auto line = [&](const QString &name, const QString &value) {
		out << name << ": " << value << '\n';
	};

	line(CliText::tr("測定日時"), h.startTime.trimmed());
	for (int i = 0; i < 5; ++i)
		line(CliText::tr("メモ%1").arg(i + 1), h.memo[i]);
	line(CliText::tr("測定方法"),
			h.timerType != 0 ? CliText::tr("PC計時の単一データ")
					 : CliText::tr("ユニット計時のブロック"));
	line(CliText::tr("測定間隔 ms"), QString::number(h.interval));
	line(CliText::tr("平均化"), onOff(h.average));
	line(CliText::tr("上限トリガ"), onOff(h.upperTrigger));
	line(CliText::tr("上限レベル"), QString::number(h.upperLevel));
	line(CliText::tr("下限トリガ"), onOff(h.lowerTrigger));
	line(CliText::tr("下限レベル"), QString::number(h.lowerLevel));
	line(CliText::tr("トリガ前のデータ数"), QString::number(h.before));
	line(CliText::tr("トリガ後のデータ数"), QString::number(h.after));
	line(CliText::tr("トリガ使用ユニット"), QString::number(h.triggerUnit));
	line(CliText::tr("データ数"), QString::number(h.rowCount));

	QStringList used;
	for (int u = 0; u < kUnitCount; ++u) {
		if (!content.rows.empty() && content.rows.front()[u] != kNoData)
			used << QString::number(u);
	}
	line(CliText::tr("使用ユニット"), used.join(QStringLiteral(",")));

	const int16_t sing = content.unitInfo ? content.unitInfo->sing : 0;
	line(CliText::tr("表示単位"), ShownUnitText(GetSingStr(sing)));
	if (sing == 0)
		return;
	for (int u = 0; u < kUnitCount; ++u) {
		const DataFileUnitInfo &info = *content.unitInfo;
		line(CliText::tr("定格出力 %1").arg(u),
				QString::number(info.power[u]) + QLatin1Char(' ') +
						ShownUnitText(GetPowerSingStr(info.powerSing[u])));
		line(CliText::tr("定格容量 %1").arg(u),
				QString::number(info.capacity[u]) + QLatin1Char(' ') +
						ShownUnitText(GetSingStr(sing)));
	}
}

// A CSV file that Kelvra wrote is refused by name: the commands read data
// files and recordings only.
bool refusedCsvExport(const QString &fileName, const char *command)
{
	QFile file(fileName);
	if (!file.open(QIODevice::ReadOnly) || !IsCsvExport(file.read(64)))
		return false;
	printError(
			CliText::tr("%1 は Kelvra が書き出した CSV ファイルです。%2 "
				    "が読むのはデータファイル (.vn2) と長時間記録 (.kvr) です")
					.arg(fileName, QString::fromLatin1(command)));
	return true;
}

// The data file in the state, its rows through the filter when one is given.
int readFiltered(const QString &in, const std::optional<analysis::FilterSpec> &filter,
		ModuleData &md)
{
	QString error;
	std::optional<DataFileContent> content = LoadDataFileContent(in, &error);
	if (!content) {
		printError(CliText::tr("%1 を読み込めません: %2").arg(in, error));
		return kExitFailure;
	}
	try {
		const double intervalS = content->header.interval / 1000.0;
		if (filter)
			FilterRows(content->rows, DesignFilterOption(*filter, intervalS),
					intervalS);
	} catch (const UsageError &failure) {
		printError(failure.text);
		return kExitUsage;
	}
	ApplyDataFileContent(*content, md);
	return kExitOk;
}

} // namespace

std::optional<CsvEncoding> parseCsvEncoding(const QString &name)
{
	if (name == QLatin1String("cp932"))
		return CsvEncoding::CodePage932;
	if (name == QLatin1String("utf-8"))
		return CsvEncoding::Utf8;
	return std::nullopt;
}

int convertCommand(const QStringList &arguments)
{
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kConvertOptions, arguments, parser))
		return *answered;
	const QString encodingName = parser.isSet(QStringLiteral("csv-encoding"))
			? parser.value(QStringLiteral("csv-encoding"))
			: QStringLiteral("cp932");
	const auto encoding = parseCsvEncoding(encodingName);
	if (!encoding) {
		printError(CliText::tr("--csv-encoding には cp932 か utf-8 を指定します"));
		return kExitUsage;
	}
	const QStringList files = parser.positionalArguments();
	if (files.size() != 2) {
		printError(CliText::tr("convert には IN.vn2 OUT.csv を指定します"));
		return kExitUsage;
	}
	std::optional<analysis::FilterSpec> filter;
	try {
		if (parser.isSet(QStringLiteral("filter")))
			filter = ParseFilterOption(parser.value(QStringLiteral("filter")));
	} catch (const UsageError &error) {
		printError(error.text);
		return kExitUsage;
	}
	if (IsRecordingFile(files[0]))
		return convertRecording(parser, files[0], files[1], *encoding, filter);
	if (refusedCsvExport(files[0], "convert"))
		return kExitUsage;
	if (IsHdf5File(files[1])) {
		printError(
				CliText::tr("%1 は長時間記録 (.kvr) ではありません。HDF5 (.h5) "
					    "に書き出せるのは長時間記録だけです")
						.arg(files[0]));
		return kExitUsage;
	}
	if (FileTypeOf(files[1]) != FileType::Csv) {
		printError(CliText::tr("OUT には .csv ファイルを指定します"));
		return kExitUsage;
	}
	ModuleData md;
	md.InitDataArray();
	if (const int status = readFiltered(files[0], filter, md); status != kExitOk)
		return status;
	md.SetRange();
	if (const FileResult written = SaveCsvFile(md, files[1], *encoding); !written.ok) {
		printError(CliText::tr("%1 に書き込めません: %2").arg(files[1], written.error));
		return kExitFailure;
	}
	return kExitOk;
}

int infoCommand(const QStringList &arguments)
{
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kInfoOptions, arguments, parser))
		return *answered;
	const QStringList files = parser.positionalArguments();
	if (files.size() != 1) {
		printError(CliText::tr("info にはデータファイルを一つ指定します"));
		return kExitUsage;
	}
	if (IsRecordingFile(files[0]))
		return infoRecording(files[0]);
	if (refusedCsvExport(files[0], "info"))
		return kExitUsage;
	QString reason;
	const auto content = LoadDataFileContent(files[0], &reason);
	if (!content) {
		printError(CliText::tr("%1 を読み込めません: %2").arg(files[0], reason));
		return kExitFailure;
	}
	printInfo(*content);
	return kExitOk;
}

} // namespace kelvra::cli
