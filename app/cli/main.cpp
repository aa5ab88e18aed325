// kelvra-cli: records a measurement headless, converts and describes data files.

#include "Commands.h"
#include "ConsolePrompt.h"

#include "core/InterfaceLanguage.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
		"Usage: kelvra-cli COMMAND [options]\n"
		"\n"
		"Commands:\n"
		"  record --out FILE [options]   run one measurement and write FILE (.vn2 or .csv)\n"
		"  convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv\n"
		"                                write a data file as CSV\n"
		"  convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2\n"
		"                                write a long recording for analysis\n"
		"  info IN.vn2|REC.kvr           describe a data file or a long recording\n"
		"  recover --list                list the journals of runs never saved\n"
		"  recover [JOURNAL] --out FILE  write a journaled run as FILE (.vn2 or .csv)\n"
#ifdef KELVRA_CLI_PRINT
		"  print IN.vn2 --pdf OUT.pdf    write a data file's printed page as PDF\n"
#endif
		"\n"
		"\n"
		"--lang ja|en (or KELVRA_LANG) chooses the language of the messages; without it\n"
		"the locale does: Japanese under a Japanese or the C locale, else English.\n"
		"'kelvra-cli COMMAND --help' explains a command; 'kelvra-cli --version' names the version.\n";

// The command's name: the first argument that is not --lang or its value.
const char *commandName(int argc, char *argv[])
{
	for (int i = 1; i < argc; ++i) {
		if (std::strcmp(argv[i], "--lang") == 0)
			++i;
		else if (std::strncmp(argv[i], "--lang=", 7) != 0)
			return argv[i];
	}
	return "";
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef KELVRA_CLI_PRINT
	// The page needs fonts and the chart, so this one command runs a GUI
	// application on the offscreen platform; the others stay Qt Core only.
	if (std::strcmp(commandName(argc, argv), "print") == 0)
		return kelvra::cli::printCommand(argc, argv);
#endif
	QCoreApplication app(argc, argv);
	QCoreApplication::setApplicationName(QStringLiteral("kelvra-cli"));
	QStringList arguments = QCoreApplication::arguments();
	if (!kelvra::cli::useChosenLanguage(app, arguments))
		return kelvra::cli::kExitUsage;
	const QString command = arguments.value(1);
	const QStringList rest = arguments.mid(2);

	if (command == QLatin1String("record"))
		return kelvra::cli::recordCommand(rest);
	if (command == QLatin1String("convert"))
		return kelvra::cli::convertCommand(rest);
	if (command == QLatin1String("info"))
		return kelvra::cli::infoCommand(rest);
	if (command == QLatin1String("recover"))
		return kelvra::cli::recoverCommand(rest);
	if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
		std::fputs(kUsage, stdout);
		return kelvra::cli::kExitOk;
	}
	if (command == QLatin1String("--version")) {
		std::printf("kelvra-cli %s\n", KELVRA_VERSION);
		return kelvra::cli::kExitOk;
	}
	if (command.isEmpty())
		kelvra::cli::printError(QStringLiteral("no command given"));
	else if (command.startsWith(QLatin1Char('-')))
		kelvra::cli::printError(QStringLiteral("unknown option '%1'").arg(command));
	else
		kelvra::cli::printError(QStringLiteral("unknown command '%1'").arg(command));
	std::fputs(kUsage, stderr);
	return kelvra::cli::kExitUsage;
}
