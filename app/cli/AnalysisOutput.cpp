#include "AnalysisOutput.h"

#include "AnalysisCsvOutput.h"
#include "AnalysisHdf5Output.h"

#include "files/MeasurementFiles.h"

#include <QFileInfo>

namespace kelvra::cli {

std::unique_ptr<AnalysisOutput> CreateAnalysisOutput(
		const QString &fileName, const AnalysisHeading &heading, QString *error)
{
	if (IsHdf5File(fileName)) {
		auto out = std::make_unique<AnalysisHdf5Output>(fileName, heading);
		return out->begun(error) ? std::move(out) : nullptr;
	}
	auto out = std::make_unique<AnalysisCsvOutput>(fileName, heading);
	return out->begun(error) ? std::move(out) : nullptr;
}

QString MatrixFileName(const QString &fileName)
{
	const QString suffix = QFileInfo(fileName).suffix();
	return (suffix.isEmpty() ? fileName : fileName.chopped(suffix.size() + 1)) +
			QStringLiteral("-matrix.csv");
}

} // namespace kelvra::cli
