#include "MoveSteps.h"

#include "core/ModuleData.h"

namespace kelvra {

MoveSteps::MoveSteps(QSize windowSize)
	: step_(roundHalfEven(windowSize.width() / 5.0), roundHalfEven(windowSize.height() / 5.0))
{
}

QPoint MoveSteps::moved(int button, QPoint position) const
{
	switch (button) {
	case Left:
		return position - QPoint(step_.width(), 0);
	case Right:
		return position + QPoint(step_.width(), 0);
	case Up:
		return position - QPoint(0, step_.height());
	case Down:
		return position + QPoint(0, step_.height());
	case TopLeft:
		return {0, 0};
	default:
		return position;
	}
}

} // namespace kelvra
