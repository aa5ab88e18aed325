#pragma once

// Where the move tool's buttons put the main window: steps of a fifth of the
// window's size, taken once when the tool opens, and no limit, so the window
// may leave the screen and come back.

#include <QPoint>
#include <QSize>

namespace kelvra {

class MoveSteps {
public:
	// The tool's buttons, cmdMV(0..4).
	enum Button { Left, Right, Up, Down, TopLeft };

	explicit MoveSteps(QSize windowSize);

	QPoint moved(int button, QPoint position) const;
	QSize step() const { return step_; }

private:
	QSize step_;
};

} // namespace kelvra
