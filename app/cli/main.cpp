// kelvra-cli: records a measurement headless, converts and describes data files.

#include "Commands.h"
#include "ConsolePrompt.h"

#include "core/InterfaceLanguage.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = QT_TRANSLATE_NOOP("CliText",
		"使い方: kelvra-cli COMMAND [options]\n"
		"\n"
		"コマンド:\n"
		"  record --out FILE [options]   測定を一回行い FILE (.vn2 か .csv) に書き出す\n"
		"  record --continuous --out REC.kvr|--folder DIR [options]\n"
		"                                止めるまで長時間記録 (.kvr) に記録する\n"
		"  convert [--csv-encoding cp932|utf-8] IN.vn2 OUT.csv\n"
		"                                データファイルを CSV に書き出す\n"
		"  convert [--from S] [--to S] REC.kvr OUT.h5|OUT.csv|OUT.vn2\n"
		"                                長時間記録を解析用に書き出す\n"
		"  info IN.vn2|REC.kvr           データファイルか長時間記録の内容を示す\n"
		"  recover --list                保存されなかった測定データの控えを一覧する\n"
		"  recover [JOURNAL] --out FILE  控えの測定を FILE (.vn2 か .csv) に書き出す\n");
const char kAnalyzeUsage[] = QT_TRANSLATE_NOOP("CliText",
		"  analyze FILE --spectrum|--psd|--rainflow|--stats INTERVAL --out RESULT\n"
		"                                記録かデータファイルのスペクトル、PSD、\n"
		"                                レインフローのサイクルか区間統計を書き出す\n");
const char kPrintUsage[] = QT_TRANSLATE_NOOP("CliText",
		"  print IN.vn2 --pdf OUT.pdf    データファイルの印刷ページを PDF に書き出す\n");
const char kUsageEnd[] = QT_TRANSLATE_NOOP("CliText",
		"\n"
		"--lang ja|en (または KELVRA_LANG) でメッセージの言語を選びます。指定がなければ\n"
		"ロケールに従い、日本語か C のロケールでは日本語、それ以外では英語です。\n"
		"'kelvra-cli COMMAND --help' でコマンドの説明、'kelvra-cli --version' でバージョンを示します。\n");

QString usage()
{
	QString text = kelvra::cli::CliText::tr(kUsage) + kelvra::cli::CliText::tr(kAnalyzeUsage);
#ifdef KELVRA_CLI_PRINT
	text += kelvra::cli::CliText::tr(kPrintUsage);
#endif
	return text + kelvra::cli::CliText::tr(kUsageEnd);
}

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
	if (command == QLatin1String("analyze"))
		return kelvra::cli::analyzeCommand(rest);
	if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
		std::fputs(usage().toLocal8Bit().constData(), stdout);
		return kelvra::cli::kExitOk;
	}
	if (command == QLatin1String("--version")) {
		std::printf("kelvra-cli %s\n", KELVRA_VERSION);
		return kelvra::cli::kExitOk;
	}
	if (command.isEmpty())
		kelvra::cli::printError(kelvra::cli::CliText::tr("コマンドが指定されていません"));
	else if (command.startsWith(QLatin1Char('-')))
		kelvra::cli::printError(kelvra::cli::CliText::tr("不明なオプション '%1' です")
							.arg(command));
	else
		kelvra::cli::printError(
				kelvra::cli::CliText::tr("不明なコマンド '%1' です").arg(command));
	std::fputs(usage().toLocal8Bit().constData(), stderr);
	return kelvra::cli::kExitUsage;
}
