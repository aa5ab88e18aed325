#include "RecordingTarget.h"

#include "files/DataFile.h"
#include "recording/LongRecording.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace kelvra {

namespace {

TargetProblem checkWritable(const RunPlan &plan)
{
	if (!plan.targetIsFolder) {
		if (const FileResult writable = CheckWholeFileWritable(plan.target); !writable.ok)
			return {TargetProblem::Kind::FileNotWritable, writable.error};
		return {};
	}
	if (plan.target.trimmed().isEmpty() || !QFileInfo(plan.target).isDir())
		return {TargetProblem::Kind::NoFolder, {}};
	QTemporaryFile probe(QDir(plan.target).filePath(QStringLiteral(".kelvra-XXXXXX")));
	if (!probe.open())
		return {TargetProblem::Kind::FolderNotWritable, probe.errorString()};
	return {};
}

} // namespace

QString RecordingFolder(const RunPlan &plan)
{
	return plan.targetIsFolder ? plan.target : QFileInfo(plan.target).absolutePath();
}

TargetProblem CheckRecordingTarget(const RunPlan &plan, const ModuleData &md)
{
	if (TargetProblem problem = checkWritable(plan))
		return problem;
	if (const QString tooLittle = CheckRecordingSpace(md, RecordingFolder(plan));
			!tooLittle.isEmpty())
		return {TargetProblem::Kind::TooLittleSpace, tooLittle};
	return {};
}

} // namespace kelvra
