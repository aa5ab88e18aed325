#pragma once

// The move tool "移動": a cross of five buttons that move the main window by a
// fifth of its size, or put it at the top left of the screen. The steps are
// taken from the window's size when the tool opens; closing it unloads it.

#include "MoveSteps.h"

#include <QDialog>

#include <array>

class QPushButton;

namespace kelvra {

class DialogMoveWindow : public QDialog {
	Q_OBJECT

public:
	// Owned by the window it moves, and kept above it.
	explicit DialogMoveWindow(QWidget *mainWindow);

	void cmdMV_Click(int index);

	std::array<QPushButton *, 5> cmdMV{};

private:
	QWidget *mainWindow_;
	MoveSteps steps_;
};

} // namespace kelvra
