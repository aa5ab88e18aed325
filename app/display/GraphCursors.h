#pragma once

// The graph's two cursors: a moment each on the chart's time axis (seconds),
// or none. Whoever needs the first cursor's moment (a marker placed there, the
// cursor panel) reads it here and hears of every move.

#include <QObject>

#include <array>
#include <optional>

namespace kelvra {

class GraphCursors : public QObject {
	Q_OBJECT

public:
	static constexpr int kCount = 2;

	std::optional<double> time(int cursor) const { return times_[cursor]; }
	bool bothSet() const { return times_[0] && times_[1]; }
	void set(int cursor, double seconds);
	void clear();

signals:
	void moved();

private:
	std::array<std::optional<double>, kCount> times_;
};

} // namespace kelvra
