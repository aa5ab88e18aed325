#pragma once

// Watches the free space of the recording's disk against --min-free: one
// change when it falls below the limit, one more when it is back above the
// limit by a margin, so that space that comes and goes around the limit
// is not told again and again. A limit in time is turned into bytes at
// the recording's pace.

#include "HookEvent.h"
#include "MinFree.h"

#include <QTimer>

#include <functional>
#include <optional>

namespace kelvra {

struct SpaceChange {
	bool low = false; // fell below the limit; false: back above it
	qint64 freeBytes = 0;
	qint64 limitBytes = 0;
	MinFree limit;
};

// The change as a "low-space" event of the whole run, the free bytes its value.
HookEvent LowSpaceEvent(const SpaceChange &change, double timeS);

class LowSpaceWatch {
public:
	static constexpr double kMarginShare = 0.05;
	static constexpr qint64 kLeastMarginBytes = 10'000'000;
	static constexpr int kCheckPeriodMs = 10 * 1000;

	// The free bytes now, or nullopt when they cannot be known.
	using FreeSpace = std::function<std::optional<qint64>()>;
	// The free space of the disk that holds `folder`, through QStorageInfo.
	static FreeSpace DiskOf(const QString &folder);

	LowSpaceWatch(MinFree limit, FreeSpace freeSpace);

	// What the recording writes a second: its units in use times the bytes
	// a sample takes, over its interval. Needed by a limit in time only.
	void setBytesPerSecond(double bytesPerSecond) { bytesPerSecond_ = bytesPerSecond; }

	// Reads the free space once: the change it finds, if any. An unknown
	// free space changes nothing.
	std::optional<SpaceChange> check();
	// Checks at once and then every kCheckPeriodMs from the event loop.
	void start(std::function<void(const SpaceChange &)> onChange);
	void stop() { timer_.stop(); }

	bool low() const { return low_; }
	qint64 limitBytes() const { return limit_.bytesAt(bytesPerSecond_); }
	// For the window's header: "空き 12 GB", "空き容量不足 1.9 GB（下限 2 GB）".
	QString stateText() const;

private:
	MinFree limit_;
	FreeSpace freeSpace_;
	double bytesPerSecond_ = 0.0;
	bool low_ = false;
	std::optional<qint64> lastFree_;
	QTimer timer_;
};

} // namespace kelvra
