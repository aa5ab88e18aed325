#pragma once

// The result file of kelvra-cli analyze, CSV or HDF5 by its extension,
// written as the analysis goes (a day's rainflow cycles are never held) and
// put in its place only when whole.
//
// CSV, lines ended by CR LF:
//   spectrum   frequency_hz,ID0,…        amplitude in the unit
//   psd        frequency_hz,ID0,…        density in unit²/Hz
//   rainflow   [series,]range,mean,count,start_s,end_s   a line per cycle,
//              `series` when more than one; with the matrix a second file
//              NAME-matrix.csv: "[series,]range\mean" then the mean bins'
//              centres, a line per range bin: its centre, then the counts
//   stats      start_s,series,count,min,max,mean,rms,sd
// HDF5: the same columns as datasets (spectrum, psd: /frequency_hz and one
// per series; stats: a table per series; rainflow: /NAME/cycles and
// /NAME/matrix with /NAME/matrix_range and /NAME/matrix_mean, the centres),
// the root's attributes kind, interval_s, unit, analysed_from_s and
// analysed_to_s.

#include "analysis/IntervalStatistics.h"
#include "analysis/RainflowMatrix.h"
#include "analysis/Spectrum.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace kelvra::cli {

enum class AnalysisKind { Spectrum, Psd, Rainflow, Statistics };

struct AnalysisHeading {
	AnalysisKind kind = AnalysisKind::Spectrum;
	QStringList series;
	double intervalS = 0.0;
	QString unitText;
	double fromS = 0.0; // the samples analysed
	double toS = 0.0;
	bool matrix = false; // rainflow: write the range × mean matrix too
};

class AnalysisOutput {
public:
	virtual ~AnalysisOutput() = default;

	// One spectrum per series, all on the same bins.
	virtual void spectra(const std::vector<analysis::Spectrum> &spectra) = 0;
	virtual void cycle(int series, const analysis::RainflowCycle &cycle) = 0;
	virtual void matrix(int series, const analysis::RainflowMatrix &matrix) = 0;
	virtual void statistics(const analysis::IntervalRow &row) = 0;
	// Puts the files in place; false with the reason when they could not be written.
	virtual bool finish(QString *error) = 0;
};

// By the name's extension, .csv or .h5; null with the reason when the file
// cannot be begun.
std::unique_ptr<AnalysisOutput> CreateAnalysisOutput(
		const QString &fileName, const AnalysisHeading &heading, QString *error);

// NAME-matrix.csv beside NAME.csv.
QString MatrixFileName(const QString &fileName);

} // namespace kelvra::cli
