#pragma once

// The file kelvra-cli analyze reads, as named series on one time line: a
// long recording (.kvr, its summaries answering the statistics), a data
// file (.vn2) or a CSV file Kelvra wrote (either code page). Each unit in
// use is a series "ID0" … "ID3"; computed channels join them under their
// own names.

#include "analysis/SeriesSource.h"
#include "recording/RecordingReader.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace kelvra::cli {

struct AnalysisSeries {
	QString name;
	std::unique_ptr<analysis::SeriesSource> source;
};

struct AnalysisInput {
	std::unique_ptr<RecordingReader> recording; // what the series of a .kvr read
	std::vector<AnalysisSeries> series;
	double intervalS = 0.0;
	QString unitText; // the unit of display the samples are in

	const AnalysisSeries *find(const QString &name) const;
};

// nullopt with the reason when the file cannot be read as one of the three.
std::optional<AnalysisInput> OpenAnalysisInput(const QString &fileName, QString *error);

// The samples of a CSV file as Kelvra writes it: its interval and unit from
// the lines above the rows, the rows below "ID0","ID1","ID2","ID3"; an
// empty cell is a missing sample, a column without a number a unit not in use.
std::optional<AnalysisInput> ParseCsvExport(const QByteArray &bytes, QString *error);

} // namespace kelvra::cli
