#pragma once

// The panel "カーソル": the moment of each cursor (typed in to move it),
// their difference, and for each unit in use its value at each cursor and
// the difference of the two.

#include "GraphCursors.h"
#include "ReviewSource.h"
#include "core/ModuleData.h"
#include "core/RunClock.h"

#include <QGroupBox>

#include <array>

class QLabel;
class QLineEdit;

namespace kelvra {

class FigureLabel;

class CursorPanel : public QGroupBox {
	Q_OBJECT

public:
	CursorPanel(GraphCursors &cursors, QWidget *parent = nullptr);

	void setSource(const ReviewSource *source);
	// The moments as the time axis labels them; typed ones are read alike.
	void setTimeAxis(TimeAxis axis, const QDateTime &zero);
	void refresh();

	std::array<QLineEdit *, GraphCursors::kCount> timeEdit{};
	FigureLabel *timeDelta = nullptr;
	// Per unit: at cursor 1, at cursor 2, the difference.
	std::array<std::array<FigureLabel *, 3>, kUnitCount> values{};

private:
	void timeTyped(int cursor);

	GraphCursors &cursors_;
	const ReviewSource *source_ = nullptr;
	TimeAxis timeAxis_ = TimeAxis::Seconds;
	QDateTime clockZero_;
	QLabel *timeCaption_ = nullptr;
	std::array<QLabel *, kUnitCount> unitNames_{};
};

} // namespace kelvra
