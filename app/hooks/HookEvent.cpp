#include "HookEvent.h"
#include "HookText.h"

#include <QStringList>

#include <array>
#include <cmath>

namespace kelvra {

namespace {

constexpr std::array<const char16_t *, 9> kKindNames = {u"alarm", u"dropout", u"reconnect",
		u"disk-trouble", u"low-space", u"resumed", u"run-end", u"hook", u"hooks-dropped"};

QString knownKinds()
{
	QStringList names;
	for (int k = 0; k < kHookEventKindCount; ++k)
		names << HookKindName(static_cast<HookKind>(k));
	return names.join(QStringLiteral(", "));
}

std::optional<HookKind> eventKindNamed(const QString &word)
{
	for (int k = 0; k < kHookEventKindCount; ++k) {
		if (word == HookKindName(static_cast<HookKind>(k)))
			return static_cast<HookKind>(k);
	}
	return std::nullopt;
}

// Whole numbers (free bytes, counts) in full; measured values to the
// precision a sample has.
QString valueText(double value)
{
	if (std::floor(value) == value && std::abs(value) < 1e15)
		return QString::number(static_cast<qint64>(value));
	return QString::number(value, 'g', 7);
}

} // namespace

QString HookKindName(HookKind kind)
{
	return QString::fromUtf16(kKindNames[static_cast<size_t>(kind)]);
}

HookKindsCheck ParseHookKinds(const QString &list)
{
	HookKinds kinds = HookKinds::none();
	const QStringList words = list.split(u',');
	for (const QString &word : words) {
		const std::optional<HookKind> kind = eventKindNamed(word.trimmed());
		if (!kind)
			return {std::nullopt,
					HookText::tr("--on-event-kinds の '%1' は不明な種類です（使えるもの: %2）")
							.arg(word.trimmed(), knownKinds())};
		kinds.add(*kind);
	}
	return {kinds, {}};
}

QProcessEnvironment HookEnvironment(const HookEvent &event, const QString &recording)
{
	QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
	env.insert(QStringLiteral("KELVRA_EVENT"), HookKindName(event.kind));
	env.insert(QStringLiteral("KELVRA_UNIT"),
			event.unit >= 0 ? QString::number(event.unit) : QString());
	env.insert(QStringLiteral("KELVRA_TIME"), QString::number(event.timeS, 'f', 3));
	env.insert(QStringLiteral("KELVRA_VALUE"),
			event.value ? valueText(*event.value) : QString());
	env.insert(QStringLiteral("KELVRA_TEXT"), event.text);
	env.insert(QStringLiteral("KELVRA_RECORDING"), recording);
	return env;
}

} // namespace kelvra
