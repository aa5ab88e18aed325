#include "HookCommand.h"
#include "HookText.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kelvra {

namespace {

// A name without a folder is looked for on PATH, as a shell would.
QString programPath(const QString &program)
{
	if (!program.contains(u'/'))
		return QStandardPaths::findExecutable(program);
	const QFileInfo file(program);
	return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
}

} // namespace

HookCommandCheck ParseHookCommand(const QString &line)
{
	QStringList words = QProcess::splitCommand(line);
	if (words.isEmpty())
		return {std::nullopt, HookText::tr("--on-event にコマンドがありません")};
	const QString path = programPath(words.front());
	if (path.isEmpty())
		return {std::nullopt,
				HookText::tr("--on-event のプログラム '%1' が見つからないか実行できません")
						.arg(words.front())};
	words.removeFirst();
	return {HookCommand{path, words}, {}};
}

} // namespace kelvra
