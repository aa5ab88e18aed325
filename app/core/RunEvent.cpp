#include "RunEvent.h"

#include "ModuleData.h"

#include <QtEndian>

#include <cmath>
#include <utility>

namespace kelvra {

namespace {

constexpr qsizetype kEventFixedSize = 8 + 1 + 1 + 1 + 1 + 4 + 4 + 1 + 4 + 2;

template <typename T>
void put(QByteArray &out, T value)
{
	char bytes[sizeof(T)];
	qToLittleEndian(value, bytes);
	out.append(bytes, sizeof(T));
}

template <typename T>
T take(const char *&at)
{
	const T value = qFromLittleEndian<T>(at);
	at += sizeof(T);
	return value;
}

} // namespace

QString EventKindName(EventKind kind)
{
	static const char *const names[] = {"warning", "alarm", "clear", "marker", "dropout",
			"reconnect", "zero", "trigger", "hook", "hooks-dropped", "low-space",
			"space-back", "resumed"};
	return QString::fromLatin1(names[static_cast<int>(kind)]);
}

RunEvent LevelEvent(double timeS, int unit, EventKind kind, EventSide side, EventLevel level,
		float threshold, float value)
{
	RunEvent e{timeS, unit, kind, {}};
	e.side = side;
	e.level = level;
	e.threshold = threshold;
	e.value = value;
	return e;
}

RunEvent UnitLostEvent(double timeS, int unit, int32_t code)
{
	RunEvent e{timeS, unit, EventKind::Dropout, {}};
	e.cause = EventCause::Device;
	e.code = code;
	return e;
}

RunEvent DiskLossEvent(double timeS, int32_t error, QString reason)
{
	RunEvent e{timeS, -1, EventKind::Dropout, std::move(reason)};
	e.cause = EventCause::Disk;
	e.code = error;
	return e;
}

RunEvent HookRanEvent(double timeS, int unit, HookCause cause, HookEnd end, int32_t status,
		float timeLimitS, QString firstLine)
{
	RunEvent e{timeS, unit, EventKind::Hook, std::move(firstLine)};
	e.hookCause = cause;
	e.hookEnd = end;
	e.code = status;
	e.threshold = timeLimitS;
	return e;
}

RunEvent SpaceEvent(double timeS, bool low, double freeBytes, double limitBytes)
{
	RunEvent e{timeS, -1, low ? EventKind::LowSpace : EventKind::SpaceBack, {}};
	e.value = static_cast<float>(freeBytes);
	e.threshold = static_cast<float>(limitBytes);
	return e;
}

RunEvent ResumedEvent(double timeS, double outageS)
{
	RunEvent e{timeS, -1, EventKind::Resumed, {}};
	e.value = static_cast<float>(outageS);
	return e;
}

void AppendEventData(QByteArray &out, const RunEvent &e)
{
	const QByteArray text = e.text.toUtf8().left(0xFFFF);
	put(out, e.timeS);
	put(out, static_cast<int8_t>(e.unit));
	put(out, static_cast<uint8_t>(e.kind));
	put(out, static_cast<uint8_t>(e.side));
	put(out, static_cast<uint8_t>(e.level));
	put(out, e.threshold);
	put(out, e.value);
	put(out, static_cast<uint8_t>(e.cause));
	put(out, e.code);
	put(out, static_cast<uint16_t>(text.size()));
	out.append(text);
	put(out, static_cast<uint8_t>(e.hookCause));
	put(out, static_cast<uint8_t>(e.hookEnd));
}

std::optional<DecodedEvent> DecodeEventData(const char *p, qsizetype size)
{
	if (size < kEventFixedSize)
		return std::nullopt;
	const char *at = p;
	DecodedEvent d;
	RunEvent &e = d.event;
	e.timeS = take<double>(at);
	e.unit = take<int8_t>(at);
	const auto kind = take<uint8_t>(at);
	const auto side = take<uint8_t>(at);
	const auto level = take<uint8_t>(at);
	e.threshold = take<float>(at);
	e.value = take<float>(at);
	const auto cause = take<uint8_t>(at);
	e.code = take<int32_t>(at);
	const auto textSize = take<uint16_t>(at);
	if (p + size - at < textSize || !(e.timeS >= 0.0) || !std::isfinite(e.timeS))
		return std::nullopt;
	e.text = QString::fromUtf8(at, textSize);
	at += textSize;
	// Written since events of hooks were kept; none before.
	uint8_t hookCause = 0;
	uint8_t hookEnd = 0;
	if (p + size - at >= 2) {
		hookCause = take<uint8_t>(at);
		hookEnd = take<uint8_t>(at);
	}
	// Kinds, units and causes this version does not know are a later one's.
	d.known = kind <= uint8_t(EventKind::Resumed) && e.unit >= -1 && e.unit < kUnitCount &&
			side <= uint8_t(EventSide::Lower) && level <= uint8_t(EventLevel::Alarm) &&
			cause <= uint8_t(EventCause::Disk) &&
			hookCause <= uint8_t(HookCause::RunEnd) &&
			hookEnd <= uint8_t(HookEnd::Stopped);
	if (!d.known)
		return d;
	e.kind = static_cast<EventKind>(kind);
	e.side = static_cast<EventSide>(side);
	e.level = static_cast<EventLevel>(level);
	e.cause = static_cast<EventCause>(cause);
	e.hookCause = static_cast<HookCause>(hookCause);
	e.hookEnd = static_cast<HookEnd>(hookEnd);
	return d;
}

} // namespace kelvra
