#pragma once

// The page, its script and its style as the server sends them: built into
// the program as resources, the page's texts put in once in the interface
// language. The page's script shows the words it is given in the page.

#include <QByteArray>

namespace kelvra {

struct StatusPage {
	StatusPage();

	QByteArray html;
	QByteArray script;
	QByteArray style;
};

} // namespace kelvra
