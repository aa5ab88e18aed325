#include "AnalysisCsvOutput.h"

#include "core/NumberText.h"

#include <cmath>

namespace kelvra::cli {

namespace {

constexpr qsizetype kFlushBytes = 1 << 20;

// A cycle's range and mean as precisely as the float samples they come
// from; times, spectra and statistics to double precision.
constexpr int kSampleDigits = 9;
constexpr int kDoubleDigits = 15;

} // namespace

void AnalysisCsvOutput::Lines::number(double value, int digits)
{
	if (!first)
		bytes += ',';
	first = false;
	if (std::isfinite(value))
		bytes += significantText(value, digits);
}

void AnalysisCsvOutput::Lines::text(const QString &item)
{
	if (!first)
		bytes += ',';
	first = false;
	bytes += item.toUtf8();
}

void AnalysisCsvOutput::Lines::end()
{
	bytes += "\r\n";
	first = true;
}

AnalysisCsvOutput::AnalysisCsvOutput(const QString &fileName, AnalysisHeading heading)
	: heading_(std::move(heading)), file_(fileName)
{
	file_.open(QIODevice::WriteOnly);
	QStringList columns;
	switch (heading_.kind) {
	case AnalysisKind::Spectrum:
	case AnalysisKind::Psd:
		columns = QStringList{QStringLiteral("frequency_hz")} + heading_.series;
		break;
	case AnalysisKind::Rainflow:
		if (heading_.series.size() > 1)
			columns << QStringLiteral("series");
		columns << QStringLiteral("range") << QStringLiteral("mean")
			<< QStringLiteral("count") << QStringLiteral("start_s")
			<< QStringLiteral("end_s");
		break;
	case AnalysisKind::Statistics:
		columns = QStringLiteral("start_s,series,count,min,max,mean,rms,sd")
					  .split(QLatin1Char(','));
		break;
	}
	for (const QString &column : columns)
		lines_.text(column);
	endLine();
}

bool AnalysisCsvOutput::begun(QString *error) const
{
	if (file_.isOpen())
		return true;
	*error = file_.errorString();
	return false;
}

void AnalysisCsvOutput::endLine()
{
	lines_.end();
	if (lines_.bytes.size() < kFlushBytes)
		return;
	failed_ = failed_ || file_.write(lines_.bytes) != lines_.bytes.size();
	lines_.bytes.clear();
}

void AnalysisCsvOutput::spectra(const std::vector<analysis::Spectrum> &spectra)
{
	const std::size_t bins = spectra.empty() ? 0 : spectra.front().values.size();
	for (std::size_t k = 0; k < bins; ++k) {
		lines_.number(spectra.front().frequencyHz(k), kDoubleDigits);
		for (const analysis::Spectrum &s : spectra)
			lines_.number(s.values[k], kDoubleDigits);
		endLine();
	}
}

void AnalysisCsvOutput::cycle(int series, const analysis::RainflowCycle &cycle)
{
	if (heading_.series.size() > 1)
		lines_.text(heading_.series[series]);
	lines_.number(cycle.range, kSampleDigits);
	lines_.number(cycle.mean, kSampleDigits);
	lines_.number(cycle.count, kSampleDigits);
	lines_.number(static_cast<double>(cycle.startSample) * heading_.intervalS, kDoubleDigits);
	lines_.number(static_cast<double>(cycle.endSample) * heading_.intervalS, kDoubleDigits);
	endLine();
}

void AnalysisCsvOutput::matrix(int series, const analysis::RainflowMatrix &matrix)
{
	matrices_.insert_or_assign(series, matrix);
}

void AnalysisCsvOutput::statistics(const analysis::IntervalRow &row)
{
	const analysis::SummaryStatistics &s = row.statistics;
	lines_.number(row.startS, kDoubleDigits);
	lines_.text(heading_.series[static_cast<qsizetype>(row.series)]);
	lines_.number(static_cast<double>(s.count), kDoubleDigits);
	// An interval without a sample has a count and nothing else.
	for (double value : {s.min, s.max, s.mean, s.rms, s.sd})
		lines_.number(s.count > 0 ? value : NAN, kDoubleDigits);
	endLine();
}

// The series share their bins (AnalyzeCommand gives every matrix the same
// bounds), so one heading serves them all.
QByteArray AnalysisCsvOutput::matrixLines() const
{
	Lines out;
	const bool named = heading_.series.size() > 1;
	if (matrices_.empty())
		return out.bytes;
	const analysis::RainflowMatrix &first = matrices_.begin()->second;
	if (named)
		out.text(QStringLiteral("series"));
	out.text(QStringLiteral("range\\mean"));
	for (int m = 0; m < first.bins(); ++m)
		out.number(first.meanCentre(m), kDoubleDigits);
	out.end();
	for (const auto &[series, matrix] : matrices_) {
		for (int r = 0; r < matrix.bins(); ++r) {
			if (named)
				out.text(heading_.series[series]);
			out.number(matrix.rangeCentre(r), kDoubleDigits);
			for (int m = 0; m < matrix.bins(); ++m)
				out.number(matrix.count(r, m), kDoubleDigits);
			out.end();
		}
	}
	return out.bytes;
}

bool AnalysisCsvOutput::finish(QString *error)
{
	failed_ = failed_ || file_.write(lines_.bytes) != lines_.bytes.size();
	lines_.bytes.clear();
	if (heading_.matrix) {
		QSaveFile matrixFile(MatrixFileName(file_.fileName()));
		const QByteArray bytes = matrixLines();
		if (!matrixFile.open(QIODevice::WriteOnly) ||
				matrixFile.write(bytes) != bytes.size() || !matrixFile.commit()) {
			*error = matrixFile.errorString();
			file_.cancelWriting();
			return false;
		}
	}
	if (failed_ || !file_.commit()) {
		*error = file_.errorString();
		return false;
	}
	return true;
}

} // namespace kelvra::cli
