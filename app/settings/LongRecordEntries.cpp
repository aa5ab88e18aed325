#include "LongRecordEntries.h"

#include "files/RecordingSpace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace kelvra {

namespace {

const QString kEnabledKey = QStringLiteral("LongRecord");
const QString kFolderKey = QStringLiteral("RecordFolder");
const QString kSplitKey = QStringLiteral("RecordSplit");
const QString kRepeatKey = QStringLiteral("RepeatTrigger");
const QString kHookKey = QStringLiteral("RecordHook");
const QString kHookKindsKey = QStringLiteral("RecordHookKinds");
const QString kMinFreeKey = QStringLiteral("RecordMinFree");
const QString kServeKey = QStringLiteral("RecordServe");
const QString kServeTokenKey = QStringLiteral("RecordServeToken");

bool flagOf(const QString &text)
{
	return text.trimmed().toInt() != 0;
}

} // namespace

LongRecordSettings LoadLongRecord(const SettingsStore &store)
{
	LongRecordSettings s;
	s.enabled = flagOf(store.value(kEnabledKey, QStringLiteral("0")));
	s.folder = store.value(kFolderKey, QString());
	const int split = store.value(kSplitKey, QStringLiteral("0")).toInt();
	s.split = split >= 0 && split <= 2 ? static_cast<SplitPeriod>(split) : SplitPeriod::None;
	s.repeatTrigger = flagOf(store.value(kRepeatKey, QStringLiteral("0")));
	s.hookCommand = store.value(kHookKey, QString());
	s.hookKinds = store.value(kHookKindsKey, QString());
	s.minFree = store.value(kMinFreeKey, QString());
	s.serveAddress = store.value(kServeKey, QString());
	s.serveToken = store.value(kServeTokenKey, QString());
	return s;
}

void SaveLongRecord(SettingsStore &store, const LongRecordSettings &s)
{
	store.setValue(kEnabledKey, QString::number(toFlag(s.enabled)));
	store.setValue(kFolderKey, s.folder);
	store.setValue(kSplitKey, QString::number(static_cast<int>(s.split)));
	store.setValue(kRepeatKey, QString::number(toFlag(s.repeatTrigger)));
	store.setValue(kHookKey, s.hookCommand);
	store.setValue(kHookKindsKey, s.hookKinds);
	store.setValue(kMinFreeKey, s.minFree);
	store.setValue(kServeKey, s.serveAddress);
	store.setValue(kServeTokenKey, s.serveToken);
}

UnattendedCheck CheckUnattended(const LongRecordSettings &s)
{
	UnattendedOptions o;
	if (!s.hookCommand.trimmed().isEmpty()) {
		const HookCommandCheck check = ParseHookCommand(s.hookCommand);
		if (!check.command)
			return {std::nullopt, check.message};
		o.command = check.command;
	}
	if (!s.hookKinds.trimmed().isEmpty()) {
		const HookKindsCheck check = ParseHookKinds(s.hookKinds);
		if (!check.kinds)
			return {std::nullopt, check.message};
		o.kinds = *check.kinds;
	}
	if (!s.minFree.trimmed().isEmpty()) {
		const MinFreeCheck check = ParseMinFree(s.minFree.trimmed());
		if (!check.minFree)
			return {std::nullopt, check.message};
		o.minFree = check.minFree;
	}
	if (!s.serveAddress.trimmed().isEmpty()) {
		QString error;
		o.serve = ParseStatusOptions(
				s.serveAddress.trimmed(), s.serveToken.toUtf8(), error);
		if (!o.serve)
			return {std::nullopt, error};
	}
	return {o, {}};
}

QString NoRecordFolderText()
{
	return QCoreApplication::translate("LongRecordEntries", "記録フォルダがありません。");
}

QString RecordFolderNotWritableText()
{
	return QCoreApplication::translate("LongRecordEntries", "記録フォルダに書き込めません。");
}

QString CheckRecordFolder(const QString &folder)
{
	if (folder.trimmed().isEmpty() || !QFileInfo(folder).isDir())
		return NoRecordFolderText();
	QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kelvra-XXXXXX")));
	if (!probe.open())
		return RecordFolderNotWritableText();
	return {};
}

QString FreeSpaceText(const ModuleData &md, const QString &folder)
{
	const auto free = QFileInfo(folder).isDir() ? FreeSpace(folder) : std::nullopt;
	if (!free || !md.anyUnitInUse())
		return {};
	return QCoreApplication::translate("LongRecordEntries", "空き容量で約 %1 記録できます。")
			.arg(SpanText(SecondsOfSpace(md, *free)));
}

} // namespace kelvra
