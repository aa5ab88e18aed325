#pragma once

// The exports are called from C and from other languages, so no exception may
// unwind through them: that would be undefined behaviour in the caller. An
// export runs its body through guarded(), which turns anything thrown (out of
// memory, a broken invariant in a toolkit) into the exchange-failure code.

#include <cstdint>

#include "varnelio.h"

namespace varnelio {

template <typename Body>
int16_t guarded(Body &&body) noexcept
{
	try {
		return body();
	} catch (...) {
		return VARNELIO_ERR_USB;
	}
}

} // namespace varnelio
