#pragma once

// The status page's own texts in the interface language: StatusText::tr().

#include <QCoreApplication>

namespace kelvra {

struct StatusText {
	Q_DECLARE_TR_FUNCTIONS(StatusText)
};

} // namespace kelvra
