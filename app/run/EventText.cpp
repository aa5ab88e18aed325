#include "EventText.h"

#include "acquisition/DeviceControl.h"
#include "core/NumberText.h"

#include <QCoreApplication>

#include <cmath>
#include <utility>

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
		QT_TRANSLATE_NOOP("EventText", "フック"),
		QT_TRANSLATE_NOOP("EventText", "フック未実行"),
		QT_TRANSLATE_NOOP("EventText", "空き容量不足"),
		QT_TRANSLATE_NOOP("EventText", "空き容量回復"),
		QT_TRANSLATE_NOOP("EventText", "再開"),
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
		QT_TRANSLATE_NOOP3("EventText", "フック", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "フック未実行", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "空き容量不足", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "空き容量回復", "a word of an event line"),
		QT_TRANSLATE_NOOP3("EventText", "再開", "a word of an event line"),
};

// The events a hook runs for, as --on-event-kinds names them in every language.
const char *const kHookCauseWords[] = {"", "alarm", "dropout", "reconnect", "disk-trouble",
		"low-space", "resumed", "run-end"};

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

// "1.99 GB", "500 MB": three figures at most, cut rather than rounded, so
// that space just below a limit never reads as the limit. The bytes come
// as a Single: what lies within its precision of a figure reads as it.
QString byteText(double bytes)
{
	static const std::pair<double, const char *> units[] = {
			{1e12, " TB"}, {1e9, " GB"}, {1e6, " MB"}, {1e3, " kB"}};
	for (const auto &[factor, name] : units) {
		if (bytes < factor)
			continue;
		const double value = bytes / factor * (1.0 + 1e-7);
		const int decimals = value < 10.0 ? 2 : value < 100.0 ? 1 : 0;
		const double scale = std::pow(10.0, decimals);
		return QString::number(std::floor(value * scale) / scale, 'g', 3) +
				QLatin1String(name);
	}
	return QString::number(bytes, 'f', 0) + QStringLiteral(" B");
}

QString hookText(const RunEvent &event, const LanguageTexts &texts)
{
	const QString cause =
			QString::fromLatin1(kHookCauseWords[static_cast<int>(event.hookCause)]);
	QString text;
	switch (event.hookEnd) {
	case HookEnd::Exited:
	case HookEnd::None:
		text = texts(kContext, QT_TRANSLATE_NOOP("EventText", "%1 のフック: 終了コード %2"))
				       .arg(cause)
				       .arg(event.code);
		break;
	case HookEnd::NotStarted:
		text = texts(kContext,
				QT_TRANSLATE_NOOP("EventText", "%1 のフックを起動できません"))
				       .arg(cause);
		break;
	case HookEnd::Crashed:
		text = texts(kContext,
				QT_TRANSLATE_NOOP("EventText", "%1 のフックが異常終了しました"))
				       .arg(cause);
		break;
	case HookEnd::Killed:
		text = texts(kContext,
				QT_TRANSLATE_NOOP(
						"EventText", "%1 のフックを %2 秒で打ち切りました"))
				       .arg(cause, shortestText(event.threshold));
		break;
	case HookEnd::Stopped:
		text = texts(kContext, QT_TRANSLATE_NOOP("EventText", "%1 のフックを止めました"))
				       .arg(cause);
		break;
	}
	if (event.text.isEmpty())
		return text;
	return texts(kContext, QT_TRANSLATE_NOOP("EventText", "%1「%2」")).arg(text, event.text);
}

QString spaceText(const RunEvent &event, const LanguageTexts &texts)
{
	const char *text = event.kind == EventKind::LowSpace
			? QT_TRANSLATE_NOOP("EventText", "空き容量 %1 が下限 %2 を下回りました")
			: QT_TRANSLATE_NOOP("EventText", "空き容量 %1 が下限 %2 を上回りました");
	return texts(kContext, text).arg(byteText(event.value), byteText(event.threshold));
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
	case EventKind::Hook:
		return hookText(event, texts);
	case EventKind::HooksDropped:
		return texts(kContext,
				QT_TRANSLATE_NOOP("EventText",
						"待ち行列が満杯のため %1 件のイベントでフックを実行しませんでした"))
				.arg(event.code);
	case EventKind::LowSpace:
	case EventKind::SpaceBack:
		return spaceText(event, texts);
	case EventKind::Resumed:
		return texts(kContext,
				QT_TRANSLATE_NOOP("EventText", "中断 %1 秒の後に記録を続けました"))
				.arg(QString::number(event.value, 'f', 1));
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
