#pragma once

// The check of a long recording's target before its run starts: the file can
// be written, or the folder exists and takes files, and its disk holds at
// least a minute of the units in use. Each front end words the problem.

#include "RunPlan.h"

#include <QString>

namespace kelvra {

struct TargetProblem {
	enum class Kind { None, FileNotWritable, NoFolder, FolderNotWritable, TooLittleSpace };
	Kind kind = Kind::None;
	// The file system's reason, or the text of the space check.
	QString detail;

	explicit operator bool() const { return kind != Kind::None; }
};

TargetProblem CheckRecordingTarget(const RunPlan &plan, const ModuleData &md);

} // namespace kelvra
