#pragma once

// The panel "統計": for each unit in use the minimum, maximum, mean, RMS,
// standard deviation, peak-to-peak and sample count over the span shown, or
// between the cursors when both are set; "コピー" copies it tab-separated.

#include "ReviewSource.h"
#include "SpanStatistics.h"
#include "core/ModuleData.h"
#include "core/RunClock.h"

#include <QGroupBox>

#include <array>

class QLabel;
class QPushButton;

namespace kelvra {

class FigureLabel;

class StatisticsPanel : public QGroupBox {
	Q_OBJECT

public:
	static constexpr int kFigures = 7;

	explicit StatisticsPanel(QWidget *parent = nullptr);

	// Over from..to seconds; `betweenCursors` tells which span that is.
	void show(const ReviewSource *source, double from, double to, bool betweenCursors);
	// The span's moments as the time axis labels them.
	void setTimeAxis(TimeAxis axis, const QDateTime &zero);
	// The table as shown: a header line, then a line per unit in use.
	QString tableText() const;

	QPushButton *copyButton = nullptr;
	QLabel *span = nullptr;
	std::array<std::array<FigureLabel *, kFigures>, kUnitCount> cells{};

private:
	std::array<QLabel *, kUnitCount> unitNames_{};
	TimeAxis timeAxis_ = TimeAxis::Seconds;
	QDateTime clockZero_;
};

} // namespace kelvra
