#include "AnalysisHdf5Output.h"

#include <QFile>

#include <cstring>

namespace kelvra::cli {

namespace {

constexpr hsize_t kChunkRows = 65536;

struct CycleRow {
	double range, mean, count, start_s, end_s;
};

struct StatisticsRow {
	double start_s;
	uint64_t count;
	double min, max, mean, rms, sd;
};

hid_t cycleType()
{
	const hid_t type = H5Tcreate(H5T_COMPOUND, sizeof(CycleRow));
	H5Tinsert(type, "range", HOFFSET(CycleRow, range), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "mean", HOFFSET(CycleRow, mean), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "count", HOFFSET(CycleRow, count), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "start_s", HOFFSET(CycleRow, start_s), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "end_s", HOFFSET(CycleRow, end_s), H5T_NATIVE_DOUBLE);
	return type;
}

hid_t statisticsType()
{
	const hid_t type = H5Tcreate(H5T_COMPOUND, sizeof(StatisticsRow));
	H5Tinsert(type, "start_s", HOFFSET(StatisticsRow, start_s), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "count", HOFFSET(StatisticsRow, count), H5T_NATIVE_UINT64);
	H5Tinsert(type, "min", HOFFSET(StatisticsRow, min), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "max", HOFFSET(StatisticsRow, max), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "mean", HOFFSET(StatisticsRow, mean), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "rms", HOFFSET(StatisticsRow, rms), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "sd", HOFFSET(StatisticsRow, sd), H5T_NATIVE_DOUBLE);
	return type;
}

const char *kindName(AnalysisKind kind)
{
	switch (kind) {
	case AnalysisKind::Spectrum:
		return "spectrum";
	case AnalysisKind::Psd:
		return "psd";
	case AnalysisKind::Rainflow:
		return "rainflow";
	case AnalysisKind::Statistics:
		break;
	}
	return "stats";
}

bool writeText(hid_t at, const char *name, const QByteArray &text)
{
	const hid_t type = H5Tcopy(H5T_C_S1);
	H5Tset_size(type, H5T_VARIABLE);
	H5Tset_cset(type, H5T_CSET_UTF8);
	const hid_t space = H5Screate(H5S_SCALAR);
	const hid_t attribute = H5Acreate2(at, name, type, space, H5P_DEFAULT, H5P_DEFAULT);
	const char *value = text.constData();
	const bool ok = attribute >= 0 && H5Awrite(attribute, type, &value) >= 0;
	H5Aclose(attribute);
	H5Sclose(space);
	H5Tclose(type);
	return ok;
}

bool writeNumber(hid_t at, const char *name, double value)
{
	const hid_t space = H5Screate(H5S_SCALAR);
	const hid_t attribute =
			H5Acreate2(at, name, H5T_IEEE_F64LE, space, H5P_DEFAULT, H5P_DEFAULT);
	const bool ok = attribute >= 0 && H5Awrite(attribute, H5T_NATIVE_DOUBLE, &value) >= 0;
	H5Aclose(attribute);
	H5Sclose(space);
	return ok;
}

} // namespace

AnalysisHdf5Output::AnalysisHdf5Output(const QString &fileName, AnalysisHeading heading)
	: fileName_(fileName), partial_(fileName + QStringLiteral(".part")),
	  heading_(std::move(heading))
{
	H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr); // a failure is told once, by finish()
	const QByteArray name = QFile::encodeName(partial_);
	file_ = H5Fcreate(name.constData(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
	ok_ = file_ >= 0;
	if (ok_)
		writeAttributes();
}

AnalysisHdf5Output::~AnalysisHdf5Output()
{
	if (file_ >= 0) {
		close();
		QFile::remove(partial_);
	}
}

bool AnalysisHdf5Output::begun(QString *error) const
{
	if (file_ >= 0)
		return true;
	*error = QStringLiteral("cannot create %1").arg(partial_);
	return false;
}

void AnalysisHdf5Output::writeAttributes()
{
	ok_ = ok_ && writeText(file_, "kind", kindName(heading_.kind)) &&
			writeNumber(file_, "interval_s", heading_.intervalS) &&
			writeText(file_, "unit", heading_.unitText.toUtf8()) &&
			writeNumber(file_, "analysed_from_s", heading_.fromS) &&
			writeNumber(file_, "analysed_to_s", heading_.toS);
}

void AnalysisHdf5Output::writeVector(hid_t at, const char *name, const std::vector<double> &values)
{
	const hsize_t size = values.size();
	const hid_t space = H5Screate_simple(1, &size, nullptr);
	const hid_t data = H5Dcreate2(
			at, name, H5T_IEEE_F64LE, space, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
	ok_ = ok_ && data >= 0 &&
			(values.empty() ||
					H5Dwrite(data, H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL,
							H5P_DEFAULT, values.data()) >= 0);
	H5Dclose(data);
	H5Sclose(space);
}

void AnalysisHdf5Output::spectra(const std::vector<analysis::Spectrum> &spectra)
{
	if (spectra.empty())
		return;
	std::vector<double> frequencies;
	for (std::size_t k = 0; k < spectra.front().values.size(); ++k)
		frequencies.push_back(spectra.front().frequencyHz(k));
	writeVector(file_, "frequency_hz", frequencies);
	for (std::size_t s = 0; s < spectra.size(); ++s)
		writeVector(file_, heading_.series[static_cast<qsizetype>(s)].toUtf8().constData(),
				spectra[s].values);
}

hid_t AnalysisHdf5Output::groupOf(int series)
{
	auto found = groups_.find(series);
	if (found == groups_.end()) {
		const QByteArray name = heading_.series[series].toUtf8();
		const hid_t group = H5Gcreate2(
				file_, name.constData(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
		ok_ = ok_ && group >= 0;
		found = groups_.emplace(series, group).first;
	}
	return found->second;
}

AnalysisHdf5Output::Table &AnalysisHdf5Output::tableOf(std::map<int, Table> &tables, int series,
		const char *name, hid_t type, std::size_t rowBytes)
{
	auto found = tables.find(series);
	if (found != tables.end()) {
		H5Tclose(type);
		return found->second;
	}
	const hsize_t none = 0;
	const hsize_t unlimited = H5S_UNLIMITED;
	const hid_t space = H5Screate_simple(1, &none, &unlimited);
	const hid_t properties = H5Pcreate(H5P_DATASET_CREATE);
	H5Pset_chunk(properties, 1, &kChunkRows);
	H5Pset_deflate(properties, 1);
	// A table of its own name at the root, or "cycles" in the series' group.
	const QByteArray own = heading_.series[series].toUtf8();
	const hid_t at = name ? groupOf(series) : file_;
	Table table;
	table.data = H5Dcreate2(at, name ? name : own.constData(), type, space, H5P_DEFAULT,
			properties, H5P_DEFAULT);
	table.type = type;
	table.rowBytes = rowBytes;
	ok_ = ok_ && table.data >= 0;
	H5Pclose(properties);
	H5Sclose(space);
	return tables.emplace(series, std::move(table)).first->second;
}

void AnalysisHdf5Output::append(Table &table, const void *row)
{
	const auto *bytes = static_cast<const char *>(row);
	table.pending.insert(table.pending.end(), bytes, bytes + table.rowBytes);
	if (table.pending.size() >= kChunkRows * table.rowBytes)
		flush(table);
}

void AnalysisHdf5Output::flush(Table &table)
{
	const hsize_t count = table.pending.size() / table.rowBytes;
	if (count == 0 || table.data < 0)
		return;
	const hsize_t size = table.written + count;
	ok_ = ok_ && H5Dset_extent(table.data, &size) >= 0;
	const hid_t memory = H5Screate_simple(1, &count, nullptr);
	const hid_t slab = H5Dget_space(table.data);
	H5Sselect_hyperslab(slab, H5S_SELECT_SET, &table.written, nullptr, &count, nullptr);
	ok_ = ok_ &&
			H5Dwrite(table.data, table.type, memory, slab, H5P_DEFAULT,
					table.pending.data()) >= 0;
	H5Sclose(slab);
	H5Sclose(memory);
	table.written = size;
	table.pending.clear();
}

void AnalysisHdf5Output::cycle(int series, const analysis::RainflowCycle &cycle)
{
	const CycleRow row{cycle.range, cycle.mean, cycle.count,
			static_cast<double>(cycle.startSample) * heading_.intervalS,
			static_cast<double>(cycle.endSample) * heading_.intervalS};
	append(tableOf(tables_, series, "cycles", cycleType(), sizeof row), &row);
}

void AnalysisHdf5Output::matrix(int series, const analysis::RainflowMatrix &matrix)
{
	if (!heading_.matrix)
		return;
	const hid_t group = groupOf(series);
	const int bins = matrix.bins();
	std::vector<double> counts, ranges, means;
	for (int r = 0; r < bins; ++r) {
		ranges.push_back(matrix.rangeCentre(r));
		means.push_back(matrix.meanCentre(r));
		for (int m = 0; m < bins; ++m)
			counts.push_back(matrix.count(r, m));
	}
	const hsize_t size[2] = {static_cast<hsize_t>(bins), static_cast<hsize_t>(bins)};
	const hid_t space = H5Screate_simple(2, size, nullptr);
	const hid_t data = H5Dcreate2(group, "matrix", H5T_IEEE_F64LE, space, H5P_DEFAULT,
			H5P_DEFAULT, H5P_DEFAULT);
	ok_ = ok_ && data >= 0 &&
			H5Dwrite(data, H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT,
					counts.data()) >= 0;
	H5Dclose(data);
	H5Sclose(space);
	writeVector(group, "matrix_range", ranges);
	writeVector(group, "matrix_mean", means);
}

void AnalysisHdf5Output::statistics(const analysis::IntervalRow &row)
{
	const analysis::SummaryStatistics &s = row.statistics;
	// An interval without a sample has a count and NaN for the rest.
	const auto figure = [&](double value) { return s.count > 0 ? value : NAN; };
	const StatisticsRow out{row.startS, s.count, figure(s.min), figure(s.max), figure(s.mean),
			figure(s.rms), figure(s.sd)};
	append(tableOf(tables_, static_cast<int>(row.series), nullptr, statisticsType(),
			       sizeof out),
			&out);
}

void AnalysisHdf5Output::close()
{
	for (auto &[series, table] : tables_) {
		flush(table);
		H5Dclose(table.data);
		H5Tclose(table.type);
	}
	tables_.clear();
	for (const auto &[series, group] : groups_)
		H5Gclose(group);
	groups_.clear();
	ok_ = H5Fclose(file_) >= 0 && ok_;
	file_ = -1;
}

bool AnalysisHdf5Output::finish(QString *error)
{
	close();
	QFile::remove(fileName_);
	if (!ok_ || !QFile::rename(partial_, fileName_)) {
		QFile::remove(partial_);
		*error = QStringLiteral("cannot write %1").arg(fileName_);
		return false;
	}
	return true;
}

} // namespace kelvra::cli
