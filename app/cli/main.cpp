// kelvra-cli: records a measurement headless, converts and describes data files.

#include "Commands.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
		"Usage: kelvra-cli COMMAND [options]\n"
		"\n"
		"Commands:\n"
		"  record --out FILE [options]   run one measurement and write FILE (.vn2 or .csv)\n"
		"  convert IN.vn2 OUT.csv        write a data file as CSV\n"
		"  info IN.vn2                   describe a data file\n"
#ifdef KELVRA_CLI_PRINT
		"  print IN.vn2 --pdf OUT.pdf    write a data file's printed page as PDF\n"
#endif
		"\n"
		"'kelvra-cli COMMAND --help' explains a command.\n";

} // namespace

int main(int argc, char *argv[])
{
#ifdef KELVRA_CLI_PRINT
	// The page needs fonts and the chart, so this one command runs a GUI
	// application on the offscreen platform; the others stay Qt Core only.
	if (argc > 1 && std::strcmp(argv[1], "print") == 0)
		return kelvra::cli::printCommand(argc, argv);
#endif
	QCoreApplication app(argc, argv);
	QCoreApplication::setApplicationName(QStringLiteral("kelvra-cli"));
	const QStringList arguments = QCoreApplication::arguments();
	const QString command = arguments.value(1);
	const QStringList rest = arguments.mid(2);

	if (command == QLatin1String("record"))
		return kelvra::cli::recordCommand(rest);
	if (command == QLatin1String("convert"))
		return kelvra::cli::convertCommand(rest);
	if (command == QLatin1String("info"))
		return kelvra::cli::infoCommand(rest);
	if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
		std::fputs(kUsage, stdout);
		return kelvra::cli::kExitOk;
	}
	std::fprintf(stderr, "kelvra-cli: %s\n%s",
			command.isEmpty() ? "no command given" : "unknown command", kUsage);
	return kelvra::cli::kExitUsage;
}
