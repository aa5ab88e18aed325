#pragma once

// The CSV result of kelvra-cli analyze (columns in AnalysisOutput.h).

#include "AnalysisOutput.h"

#include <QByteArray>
#include <QSaveFile>

#include <map>

namespace kelvra::cli {

class AnalysisCsvOutput final : public AnalysisOutput {
public:
	AnalysisCsvOutput(const QString &fileName, AnalysisHeading heading);

	bool begun(QString *error) const;

	void spectra(const std::vector<analysis::Spectrum> &spectra) override;
	void cycle(int series, const analysis::RainflowCycle &cycle) override;
	void matrix(int series, const analysis::RainflowMatrix &matrix) override;
	void statistics(const analysis::IntervalRow &row) override;
	bool finish(QString *error) override;

private:
	// Lines of items separated by commas, ended by CR LF.
	struct Lines {
		QByteArray bytes;
		bool first = true;

		void number(double value, int digits);
		void text(const QString &item);
		void end();
	};

	void endLine();
	QByteArray matrixLines() const;

	AnalysisHeading heading_;
	QSaveFile file_;
	Lines lines_; // not yet written
	bool failed_ = false;
	std::map<int, analysis::RainflowMatrix> matrices_;
};

} // namespace kelvra::cli
