// kelvra-cli print: the printed page of a data file as a PDF, without a window.

#include "Commands.h"
#include "ConsolePrompt.h"

#include "display/GraphView.h"
#include "display/PrintDatGraph.h"
#include "display/QCustomPlotChart.h"
#include "display/SeriesDrawing.h"
#include "display/ShowReadData.h"
#include "settings/DataFile.h"

#include <QApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <qcustomplot.h>

#include <cstdio>
#include <optional>

namespace kelvra::cli {

namespace {

const char kPrintUsage[] =
		"Usage: kelvra-cli print IN.vn2 --pdf OUT.pdf [--page-size NAME]\n"
		"Writes the printed page of a data file (date, title, measuring conditions,\n"
		"graph) as a one-page PDF. NAME is a paper size such as A4 (the default),\n"
		"A3, B5 or Letter. Needs no display.\n";

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

std::optional<PrintOptions> parse(const QStringList &arguments)
{
	PrintOptions options;
	for (qsizetype i = 0; i < arguments.size(); ++i) {
		const QString &argument = arguments[i];
		const bool hasValue = i + 1 < arguments.size();
		if (argument == QLatin1String("--pdf") && hasValue) {
			options.out = arguments[++i];
		} else if (argument == QLatin1String("--page-size") && hasValue) {
			const auto size = pageSizeNamed(arguments[++i]);
			if (!size) {
				printError(QStringLiteral("unknown page size %1").arg(arguments[i]));
				return std::nullopt;
			}
			options.pageSize = *size;
		} else if (!argument.startsWith(QLatin1Char('-')) && options.in.isEmpty()) {
			options.in = argument;
		} else {
			printError(QStringLiteral("print: unexpected argument %1").arg(argument));
			return std::nullopt;
		}
	}
	if (options.in.isEmpty() || options.out.isEmpty()) {
		printError(QStringLiteral("print takes IN.vn2 --pdf OUT.pdf"));
		return std::nullopt;
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
		printError(QStringLiteral("cannot write %1: %2").arg(options.out, file.errorString()));
		return kExitFailure;
	}
	{
		QPdfWriter pdf(&file);
		pdf.setCreator(QStringLiteral("Kelvra"));
		pdf.setPageLayout(QPageLayout(options.pageSize, QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
				QPageLayout::Millimeter));
		if (!PrintDatGraph(md, chart, pdf, prompt, QDateTime::currentDateTime()))
			return kExitFailure;
	}
	if (!file.commit()) {
		printError(QStringLiteral("cannot write %1: %2").arg(options.out, file.errorString()));
		return kExitFailure;
	}
	return kExitOk;
}

} // namespace

int printCommand(int argc, char *argv[])
{
	// The page is drawn into a file; no display is needed or wanted.
	qputenv("QT_QPA_PLATFORM", "offscreen");
	QApplication app(argc, argv);
	QCoreApplication::setApplicationName(QStringLiteral("kelvra-cli"));
	const QStringList arguments = QCoreApplication::arguments().mid(2);
	if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
		std::fputs(kPrintUsage, stdout);
		return kExitOk;
	}
	const auto options = parse(arguments);
	if (!options)
		return kExitUsage;

	ModuleData md;
	md.InitDataArray();
	if (const FileResult read = ReadDataFile(md, options->in); !read.ok) {
		printError(QStringLiteral("cannot read %1: %2").arg(options->in, read.error));
		return kExitFailure;
	}
	if (md.DataCount < 1) { // as the print button: nothing to print
		printError(QStringLiteral("%1: データがありません。").arg(options->in));
		return kExitFailure;
	}
	md.SetRange();
	return printPage(md, *options);
}

} // namespace kelvra::cli
