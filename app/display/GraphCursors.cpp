#include "GraphCursors.h"

namespace kelvra {

void GraphCursors::set(int cursor, double seconds)
{
	times_[cursor] = seconds;
	emit moved();
}

void GraphCursors::clear()
{
	times_ = {};
	emit moved();
}

} // namespace kelvra
