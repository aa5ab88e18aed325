#pragma once

// A figure of a panel. Its accessible name says what it is ("ID0 最小"); a
// screen reader tells the name in place of the text, so the value shown is
// its accessible description as well.

#include <QLabel>

namespace kelvra {

class FigureLabel : public QLabel {
	Q_OBJECT

public:
	FigureLabel(const QString &name, QWidget *parent);

	void setFigure(const QString &text);
};

} // namespace kelvra
