#include "EventText.h"

#include "acquisition/DeviceControl.h"
#include "core/NumberText.h"

#include <QCoreApplication>

namespace kelvra {

namespace {

constexpr const char *kContext = "EventText";

const char *const kKindTexts[] = {
		QT_TRANSLATE_NOOP("EventText", "警告"),
		QT_TRANSLATE_NOOP("EventText", "異常"),
		QT_TRANSLATE_NOOP("EventText", "復帰"),
		QT_TRANSLATE_NOOP("EventText", "マーク"),
		QT_TRANSLATE_NOOP("EventText", "切断"),
		QT_TRANSLATE_NOOP("EventText", "再接続"),
		QT_TRANSLATE_NOOP("EventText", "ゼロ点"),
		QT_TRANSLATE_NOOP("EventText", "トリガ"),
};

struct Word {
	const char *source;
	const char *disambiguation;
};

// The same words within a line, where English writes them as files do.
const Word kKindWords[] = {
		QT_TRANSLATE_NOOP3("EventText", "警告", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "異常", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "復帰", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "マーク", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "切断", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "再接続", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "ゼロ点", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "トリガ", "a word of an event line"),
};

QString kindWord(EventKind kind, const LanguageTexts &texts)
{
	const Word &word = kKindWords[static_cast<int>(kind)];
	return texts(kContext, word.source, word.disambiguation);
}

// "上限 100 (150)": the level passed or left and the sample that did it.
QString levelText(const RunEvent &event, const LanguageTexts &texts)
{
	const char *side = event.side == EventSide::Upper
			? QT_TRANSLATE_NOOP("EventText", "上限 %1 (%2)")
			: QT_TRANSLATE_NOOP("EventText", "下限 %1 (%2)");
	return texts(kContext, side).arg(shortestText(event.threshold), shortestText(event.value));
}

QString dropoutText(const RunEvent &event, const LanguageTexts &texts)
{
	if (event.cause == EventCause::Disk)
		return texts(kContext,
				QT_TRANSLATE_NOOP("EventText",
						"ディスクに書き込めずデータが欠けました: %1"))
				.arg(event.text);
	const QString answer =
			DeviceControl::DeviceErrorText(static_cast<int16_t>(event.code), texts);
	return answer.isEmpty() ? texts(kContext, QT_TRANSLATE_NOOP("EventText", "結果コード %1"))
						  .arg(event.code)
				: answer;
}

} // namespace

QString EventKindText(EventKind kind, const LanguageTexts &texts)
{
	return texts(kContext, kKindTexts[static_cast<int>(kind)]);
}

QString EventDetailText(const RunEvent &event, const LanguageTexts &texts)
{
	switch (event.kind) {
	case EventKind::Warning:
	case EventKind::Alarm:
	case EventKind::Trigger:
		return event.side == EventSide::None ? event.text : levelText(event, texts);
	case EventKind::Clear:
		if (event.side == EventSide::None)
			return event.text;
		// The kind does not say which limit was left.
		return kindWord(event.level == EventLevel::Alarm ? EventKind::Alarm
								 : EventKind::Warning,
				       texts) +
				QLatin1Char(' ') + levelText(event, texts);
	case EventKind::Dropout:
		return event.cause == EventCause::None ? event.text : dropoutText(event, texts);
	case EventKind::Marker:
	case EventKind::Reconnect:
	case EventKind::Zero:
		break;
	}
	return event.text;
}

QString EventLine(const RunEvent &event, const LanguageTexts &texts)
{
	QString line = QString::number(event.timeS, 'f', 2) + QStringLiteral(" s");
	line += event.unit >= 0 ? QStringLiteral(" ID%1").arg(event.unit)
				: QLatin1Char(' ') +
					texts(kContext, QT_TRANSLATE_NOOP("EventText", "全体"));
	line += QLatin1Char(' ') + kindWord(event.kind, texts);
	const QString detail = EventDetailText(event, texts);
	if (!detail.isEmpty())
		line += QLatin1Char(' ') + detail;
	return line;
}

} // namespace kelvra
