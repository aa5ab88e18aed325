#pragma once

// The texts of the hooks and the low-space watch in the interface
// language: HookText::tr().

#include <QCoreApplication>

namespace kelvra {

struct HookText {
	Q_DECLARE_TR_FUNCTIONS(HookText)
};

} // namespace kelvra
