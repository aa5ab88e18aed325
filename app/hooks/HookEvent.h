#pragma once

// An event as a hook sees it: a kind word, the unit, the time from the
// recording's start, a number and a text. The program run for it finds
// them in its environment (KELVRA_EVENT, KELVRA_UNIT, KELVRA_TIME,
// KELVRA_VALUE, KELVRA_TEXT, KELVRA_RECORDING).

#include <QProcessEnvironment>
#include <QString>

#include <cstdint>
#include <optional>

namespace kelvra {

// The seven kinds a hook runs for, then the two the runner reports of itself,
// which never run a hook.
enum class HookKind : uint8_t {
	Alarm,
	Dropout,
	Reconnect,
	DiskTrouble,
	LowSpace,
	Resumed,
	RunEnd,
	Hook,
	HooksDropped,
};
inline constexpr int kHookEventKindCount = 7;

// "alarm", "dropout", "reconnect", "disk-trouble", "low-space", "resumed",
// "run-end"; "hook" and "hooks-dropped" for the reports.
QString HookKindName(HookKind kind);

// The kinds a hook is run for: all seven unless narrowed.
class HookKinds {
public:
	static HookKinds all() { return HookKinds((1u << kHookEventKindCount) - 1); }
	static HookKinds none() { return HookKinds(0); }
	bool has(HookKind kind) const { return (bits_ >> static_cast<int>(kind) & 1u) != 0; }
	void add(HookKind kind) { bits_ |= 1u << static_cast<int>(kind); }

	bool operator==(const HookKinds &) const = default;

private:
	explicit HookKinds(uint32_t bits) : bits_(bits) {}
	uint32_t bits_;
};

struct HookKindsCheck {
	std::optional<HookKinds> kinds;
	QString message; // the refusal, when kinds is empty
};

// "alarm,dropout": words apart by commas, spaces around them allowed. An
// unknown word is refused with the list of the known ones.
HookKindsCheck ParseHookKinds(const QString &list);

struct HookEvent {
	HookKind kind = HookKind::Alarm;
	int unit = -1;      // -1: the whole run
	double timeS = 0.0; // from the recording's start
	std::optional<double> value;
	QString text;

	bool operator==(const HookEvent &) const = default;
};

// The environment of a hook: the program's own, with the event's variables
// set (to empty where the event has no unit or no value, so that nothing
// inherited is taken for the event's).
QProcessEnvironment HookEnvironment(const HookEvent &event, const QString &recording);

} // namespace kelvra
