// kelvra-cli print: the printed page of a data file as a PDF, without a window.

#include "CommandLine.h"
#include "Commands.h"
#include "ConsolePrompt.h"

#include "display/GraphView.h"
#include "display/PrintDatGraph.h"
#include "display/QCustomPlotChart.h"
#include "display/SeriesDrawing.h"
#include "display/ShowReadData.h"
#include "files/DataFile.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <qcustomplot.h>

#include <cstdio>
#include <optional>

namespace kelvra::cli {

namespace {

const OptionTable kPrintOptions{"print",
		QT_TRANSLATE_NOOP("CliText",
				"使い方: kelvra-cli print IN.vn2 --pdf OUT.pdf [--page-size NAME]\n"
				"データファイルの印刷ページ (日付、タイトル、測定条件、グラフ) を一ページの\n"
				"PDF に書き出します。NAME は A4 (既定)、A3、B5、Letter などの用紙サイズです。\n"
				"ディスプレイは要りません。\n"
				"\n"),
		{
				{{{"pdf", "OUT.pdf"}},
						QT_TRANSLATE_NOOP("CliText", "書き出すファイル")},
				{{{"page-size", "NAME"}},
						QT_TRANSLATE_NOOP(
								"CliText", "用紙サイズ (既定 A4)")},
		}};

struct PrintOptions {
	QString in;
	QString out;
	QPageSize pageSize{QPageSize::A4};
};

std::optional<QPageSize> pageSizeNamed(const QString &name)
{
	for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
		const auto size = static_cast<QPageSize::PageSizeId>(id);
		if (QPageSize::key(size).compare(name, Qt::CaseInsensitive) == 0)
			return QPageSize(size);
	}
	return std::nullopt;
}

std::optional<PrintOptions> parse(const QCommandLineParser &parser)
{
	PrintOptions options;
	const QStringList files = parser.positionalArguments();
	options.in = files.value(0);
	options.out = parser.value(QStringLiteral("pdf"));
	if (files.size() != 1 || options.out.isEmpty()) {
		printError(CliText::tr("print には IN.vn2 --pdf OUT.pdf を指定します"));
		return std::nullopt;
	}
	if (QFileInfo(options.out).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) !=
			0) {
		printError(CliText::tr("--pdf には .pdf ファイルを指定します"));
		return std::nullopt;
	}
	if (parser.isSet(QStringLiteral("page-size"))) {
		const QString name = parser.value(QStringLiteral("page-size"));
		const auto size = pageSizeNamed(name);
		if (!size) {
			printError(CliText::tr("用紙サイズ %1 は不明です").arg(name));
			return std::nullopt;
		}
		options.pageSize = *size;
	}
	return options;
}

// Nothing shows on a screen: the view's controls are left out.
class NoViewControls : public ViewControls {
public:
	void setScrollButtonsEnabled(bool) override {}
	void setCountListEnabled(bool) override {}
	void setCountList(const QStringList &, int) override {}
	int32_t countListValue() const override { return 100; }
	void showScrollMode(int) override {}
	void showScaleMode(int) override {}
	void setScaleInputs(bool, const QString &, const QString &) override {}
	QString scaleTopText() const override { return {}; }
	QString scaleBottomText() const override { return {}; }
};

int printPage(ModuleData &md, const PrintOptions &options)
{
	ConsolePrompt prompt;
	QCustomPlot plot;
	plot.resize(800, 600);
	QCustomPlotChart chart(&plot);
	NoViewControls controls;
	GraphView view(md, chart, controls, prompt);
	SeriesDrawing drawing(md, chart, view);
	view.DispConnectflg = [&drawing] { drawing.DispConnectflg(); };
	drawing.InitGraph();
	ShowReadData(md, drawing, view, chart);

	// The file is replaced only when the whole page was written.
	QSaveFile file(options.out);
	if (!file.open(QIODevice::WriteOnly)) {
		printError(CliText::tr("%1 に書き込めません: %2")
						.arg(options.out, file.errorString()));
		return kExitFailure;
	}
	{
		QPdfWriter pdf(&file);
		pdf.setCreator(QStringLiteral("Kelvra"));
		pdf.setPageLayout(QPageLayout(options.pageSize, QPageLayout::Portrait,
				QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
		if (!PrintDatGraph(md, chart, pdf, prompt, QDateTime::currentDateTime()))
			return kExitFailure;
	}
	if (!file.commit()) {
		printError(CliText::tr("%1 に書き込めません: %2")
						.arg(options.out, file.errorString()));
		return kExitFailure;
	}
	return kExitOk;
}

} // namespace

int printCommand(int argc, char *argv[])
{
	// The page is drawn into a file; no display is needed or wanted.
	qputenv("QT_QPA_PLATFORM", "offscreen");
	// Without a session's runtime folder Qt warns on every start; a private one
	// for this run keeps standard error for what the user must know.
	std::optional<QTemporaryDir> runtime;
	if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.emplace().isValid())
		qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
	QApplication app(argc, argv);
	QCoreApplication::setApplicationName(QStringLiteral("kelvra-cli"));
	QStringList arguments = QCoreApplication::arguments();
	if (!useChosenLanguage(app, arguments))
		return kExitUsage;
	QCommandLineParser parser;
	if (const auto answered = ParseCommandLine(kPrintOptions, arguments.mid(2), parser))
		return *answered;
	const auto options = parse(parser);
	if (!options)
		return kExitUsage;

	ModuleData md;
	md.InitDataArray();
	if (const FileResult read = ReadDataFile(md, options->in); !read.ok) {
		printError(CliText::tr("%1 を読み込めません: %2").arg(options->in, read.error));
		return kExitFailure;
	}
	if (md.DataCount < 1) { // as the print button: nothing to print
		printError(CliText::tr("%1: データがありません。").arg(options->in));
		return kExitFailure;
	}
	md.SetRange();
	return printPage(md, *options);
}

} // namespace kelvra::cli
