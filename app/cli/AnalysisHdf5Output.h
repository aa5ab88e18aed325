#pragma once

// The HDF5 result of kelvra-cli analyze (layout in AnalysisOutput.h),
// written beside the target and put in its place when whole.

#include "AnalysisOutput.h"

#include <hdf5.h>

#include <map>
#include <vector>

namespace kelvra::cli {

class AnalysisHdf5Output final : public AnalysisOutput {
public:
	AnalysisHdf5Output(const QString &fileName, AnalysisHeading heading);
	~AnalysisHdf5Output() override;

	bool begun(QString *error) const;

	void spectra(const std::vector<analysis::Spectrum> &spectra) override;
	void cycle(int series, const analysis::RainflowCycle &cycle) override;
	void matrix(int series, const analysis::RainflowMatrix &matrix) override;
	void statistics(const analysis::IntervalRow &row) override;
	bool finish(QString *error) override;

private:
	// A dataset of rows of one compound type that grows as rows come,
	// appended a chunk at a time.
	struct Table {
		hid_t data = -1;
		hid_t type = -1;
		std::size_t rowBytes = 0;
		hsize_t written = 0;
		std::vector<char> pending;
	};

	hid_t groupOf(int series);
	Table &tableOf(std::map<int, Table> &tables, int series, const char *name, hid_t type,
			std::size_t rowBytes);
	void append(Table &table, const void *row);
	void flush(Table &table);
	void writeAttributes();
	void writeVector(hid_t at, const char *name, const std::vector<double> &values);
	void close();

	QString fileName_;
	QString partial_;
	AnalysisHeading heading_;
	hid_t file_ = -1;
	bool ok_ = true;
	std::map<int, hid_t> groups_;
	std::map<int, Table> tables_;
};

} // namespace kelvra::cli
