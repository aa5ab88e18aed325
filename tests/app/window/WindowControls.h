#pragma once

// A control of a window found by its object name, as a user's tool finds it.

#include <QPushButton>
#include <QWidget>

namespace kelvra::testing {

template <class Control = QPushButton>
Control *control(const QWidget &window, const char *name)
{
	Control *found = window.findChild<Control *>(QLatin1String(name));
	if (!found)
		qFatal("the window has no control named %s", name);
	return found;
}

} // namespace kelvra::testing
