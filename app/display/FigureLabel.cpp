#include "FigureLabel.h"

namespace kelvra {

FigureLabel::FigureLabel(const QString &name, QWidget *parent) : QLabel(parent)
{
	setAlignment(Qt::AlignRight | Qt::AlignVCenter);
	setAccessibleName(name);
}

void FigureLabel::setFigure(const QString &text)
{
	setText(text);
	setAccessibleDescription(text);
}

} // namespace kelvra
