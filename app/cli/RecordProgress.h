#pragma once

// kelvra-cli record's progress on standard error: one line a tick, rewritten
// in place on a terminal, one after another when asked for elsewhere.

#include "core/ModuleData.h"

#include <QElapsedTimer>

namespace kelvra::cli {

class RecordProgress {
public:
	RecordProgress(const ModuleData &md, bool forced);

	void update();
	void finish();

private:
	const ModuleData &md_;
	bool terminal_;
	bool shown_;
	QElapsedTimer clock_;
};

} // namespace kelvra::cli
