#include "RecordingHdf5.h"

#include "Hdf5FileDriver.h"
#include "files/StagedFiles.h"
#include "run/EventText.h"

#include <QCoreApplication>
#include <QFile>

#include <hdf5.h>
#include <hdf5_hl.h>

#include <cmath>
#include <utility>
#include <vector>

namespace kelvra {

namespace {

constexpr hsize_t kChunk = 65536;
constexpr hsize_t kEventChunk = 1024;
constexpr uint64_t kSlab = 1 << 20;
constexpr unsigned kCreationOrder = H5P_CRT_ORDER_TRACKED | H5P_CRT_ORDER_INDEXED;
// How netCDF marks a dimension that has no variable of its own.
constexpr char kDimensionOnly[] = "This is a netCDF dimension but not a netCDF variable.";

// Closes an HDF5 handle with its own close function.
class Handle {
public:
	Handle(hid_t id, herr_t (*close)(hid_t)) : id_(id), close_(close) {}
	~Handle() { close(); }
	Handle(const Handle &) = delete;
	Handle &operator=(const Handle &) = delete;

	operator hid_t() const { return id_; }
	bool ok() const { return id_ >= 0; }
	// False when the library could not close it.
	bool close() { return id_ < 0 || close_(std::exchange(id_, -1)) >= 0; }

private:
	hid_t id_;
	herr_t (*close_)(hid_t);
};

hid_t utf8Lines()
{
	const hid_t type = H5Tcopy(H5T_C_S1);
	H5Tset_size(type, H5T_VARIABLE);
	H5Tset_cset(type, H5T_CSET_UTF8);
	return type;
}

bool writeScalar(hid_t at, const char *name, hid_t fileType, hid_t memoryType, const void *value)
{
	Handle space(H5Screate(H5S_SCALAR), H5Sclose);
	Handle attribute(H5Acreate2(at, name, fileType, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
	return attribute.ok() && H5Awrite(attribute, memoryType, value) >= 0;
}

bool writeText(hid_t at, const char *name, const QString &text)
{
	const QByteArray utf8 = text.toUtf8();
	Handle type(H5Tcopy(H5T_C_S1), H5Tclose);
	H5Tset_size(type, std::max<size_t>(1, static_cast<size_t>(utf8.size())));
	H5Tset_strpad(type, H5T_STR_NULLTERM);
	H5Tset_cset(type, H5T_CSET_UTF8);
	return writeScalar(at, name, type, type, utf8.constData());
}

bool writeLines(hid_t at, const char *name, const std::array<QString, 5> &lines)
{
	std::vector<QByteArray> utf8;
	std::vector<const char *> texts;
	for (const QString &line : lines)
		texts.push_back(utf8.emplace_back(line.toUtf8()).constData());
	Handle type(utf8Lines(), H5Tclose);
	const hsize_t count = texts.size();
	Handle space(H5Screate_simple(1, &count, nullptr), H5Sclose);
	Handle attribute(H5Acreate2(at, name, type, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
	return attribute.ok() && H5Awrite(attribute, type, texts.data()) >= 0;
}

bool describe(hid_t at, const char *units, const QString &longName)
{
	return (!units || writeText(at, "units", QString::fromUtf8(units))) &&
			writeText(at, "long_name", longName);
}

bool writeRootAttributes(hid_t file, const RecordingHeader &h)
{
	return writeScalar(file, "interval_s", H5T_IEEE_F64LE, H5T_NATIVE_DOUBLE, &h.intervalS) &&
			writeText(file, "start_time", h.startTimeIso) &&
			writeText(file, "unit", h.unitText) && writeLines(file, "memo", h.MemoStr);
}

// The display unit as analysis programs write it, in any interface language.
const char *unitSymbol(int16_t sing)
{
	static constexpr const char *kSymbols[] = {"με", "kgf", "tf", "N", "kN", "MN"};
	return sing >= 0 && sing < 6 ? kSymbols[sing] : "";
}

struct Variable {
	const char *name;
	hid_t type;
	hsize_t size;
	bool events = false; // on the event dimension, which netCDF may keep empty: unlimited
	const float *fill = nullptr;
};

hid_t createVariable(hid_t file, const Variable &v)
{
	const hsize_t most = v.events ? H5S_UNLIMITED : v.size;
	Handle space(H5Screate_simple(1, &v.size, &most), H5Sclose);
	Handle properties(H5Pcreate(H5P_DATASET_CREATE), H5Pclose);
	H5Pset_attr_creation_order(properties, kCreationOrder);
	const hsize_t chunk = std::clamp<hsize_t>(v.size, 1, v.events ? kEventChunk : kChunk);
	H5Pset_chunk(properties, 1, &chunk);
	if (!v.events) {
		H5Pset_shuffle(properties);
		H5Pset_deflate(properties, 1);
	}
	if (v.fill)
		H5Pset_fill_value(properties, H5T_NATIVE_FLOAT, v.fill);
	return H5Dcreate2(file, v.name, v.type, space, H5P_DEFAULT, properties, H5P_DEFAULT);
}

bool writeSlab(hid_t data, hid_t memoryType, hsize_t offset, hsize_t count, const void *values)
{
	Handle memory(H5Screate_simple(1, &count, nullptr), H5Sclose);
	Handle slab(H5Dget_space(data), H5Sclose);
	return H5Sselect_hyperslab(slab, H5S_SELECT_SET, &offset, nullptr, &count, nullptr) >= 0 &&
			H5Dwrite(data, memoryType, memory, slab, H5P_DEFAULT, values) >= 0;
}

class Hdf5Writer {
public:
	Hdf5Writer(const RecordingReader &reader, SampleSpan span, const Hdf5FileDriver &driver,
			const SampleReading &read)
		: reader_(reader), header_(reader.header()), span_(span), driver_(driver),
		  read_(read)
	{
	}

	bool write(const QString &fileName)
	{
		Handle creation(H5Pcreate(H5P_FILE_CREATE), H5Pclose);
		H5Pset_link_creation_order(creation, kCreationOrder);
		H5Pset_attr_creation_order(creation, kCreationOrder);
		const QByteArray name = QFile::encodeName(fileName);
		Handle file(H5Fcreate(name.constData(), H5F_ACC_TRUNC, creation,
					    driver_.accessList()),
				H5Fclose);
		if (!file.ok() || !writeRootAttributes(file, header_))
			return false;
		Handle time(createVariable(file, {"time", H5T_IEEE_F64LE, span_.size()}), H5Dclose);
		if (!time.ok() || !writeTime(time))
			return false;
		for (int u = 0; u < kUnitCount; ++u) {
			if (header_.inUse(u) && !writeUnit(file, time, u))
				return false;
		}
		return writeEvents(file, SpanEvents(reader_, span_)) && time.close() &&
				file.close();
	}

private:
	bool going() const { return driver_.failure().isEmpty(); }

	// Fills a slab at a time, so that a day takes a slab's memory.
	template <typename T, typename Fill>
	bool writeSamples(hid_t data, hid_t memoryType, Fill fill)
	{
		std::vector<T> values;
		for (uint64_t at = span_.from; at < span_.to && going(); at += kSlab) {
			const uint64_t end = std::min(span_.to, at + kSlab);
			values.resize(end - at);
			fill(at, end, values.data());
			if (!writeSlab(data, memoryType, at - span_.from, end - at, values.data()))
				return false;
		}
		return going();
	}

	bool writeTime(hid_t time)
	{
		const double interval = header_.intervalS;
		return writeSamples<double>(time, H5T_NATIVE_DOUBLE,
				       [interval](uint64_t at, uint64_t end, double *out) {
					       for (uint64_t n = at; n < end; ++n)
						       *out++ = static_cast<double>(n) * interval;
				       }) &&
				describe(time, "s",
						QStringLiteral("time from the start of the recording")) &&
				H5DSset_scale(time, "time") >= 0;
	}

	bool writeUnit(hid_t file, hid_t time, int unit)
	{
		const QByteArray name = QStringLiteral("ID%1").arg(unit).toLatin1();
		const float missing = NAN;
		Handle data(createVariable(file,
					    {name.constData(), H5T_IEEE_F32LE, span_.size(), false,
							    &missing}),
				H5Dclose);
		const QString what = header_.settings.Sing == 0
				? QStringLiteral("strain of unit ID%1")
				: QStringLiteral("load of unit ID%1");
		return data.ok() && H5DSattach_scale(data, time, 0) >= 0 &&
				describe(data, unitSymbol(header_.settings.Sing), what.arg(unit)) &&
				writeScalar(data, "_FillValue", H5T_IEEE_F32LE, H5T_NATIVE_FLOAT,
						&missing) &&
				writeSamples<float>(data, H5T_NATIVE_FLOAT,
						[&](uint64_t at, uint64_t end, float *out) {
							if (read_)
								read_(unit, at, end, out);
							else
								reader_.readSamples(
										unit, at, end, out);
						}) &&
				data.close();
	}

	bool writeEvents(hid_t file, const std::vector<RecordingEvent> &events)
	{
		const hsize_t count = events.size();
		Handle dimension(createVariable(file, {"event", H5T_IEEE_F32LE, count, true}),
				H5Dclose);
		const QByteArray dimensionName = kDimensionOnly +
				QByteArray::number(qulonglong{count}).rightJustified(10);
		if (!dimension.ok() || H5DSset_scale(dimension, dimensionName.constData()) < 0)
			return false;
		std::vector<double> times;
		std::vector<int32_t> units;
		std::vector<QByteArray> utf8;
		std::vector<const char *> kinds;
		std::vector<const char *> texts;
		utf8.reserve(2 * events.size());
		const LanguageTexts english = LanguageTexts::English();
		for (const RecordingEvent &event : events) {
			times.push_back(event.timeS);
			units.push_back(event.unit);
			kinds.push_back(utf8.emplace_back(EventKindName(event.kind).toUtf8())
							.constData());
			texts.push_back(utf8.emplace_back(EventDetailText(event, english).toUtf8())
							.constData());
		}
		Handle text(utf8Lines(), H5Tclose);
		return writeEventVariable(file, dimension,
				       {"event_time", H5T_IEEE_F64LE, count, true},
				       H5T_NATIVE_DOUBLE, times.data(), "s",
				       "time of the event from the start of the recording") &&
				writeEventVariable(file, dimension,
						{"event_unit", H5T_STD_I32LE, count, true},
						H5T_NATIVE_INT32, units.data(), nullptr,
						"unit ID of the event, -1 for the whole recording") &&
				writeEventVariable(file, dimension,
						{"event_kind", text, count, true}, text,
						kinds.data(), nullptr,
						"kind of the event: warning, alarm, clear, marker, "
						"dropout, reconnect, zero, trigger, hook, "
						"hooks-dropped, low-space or space-back") &&
				writeEventVariable(file, dimension,
						{"event_text", text, count, true}, text,
						texts.data(), nullptr, "text of the event") &&
				dimension.close();
	}

	static bool writeEventVariable(hid_t file, hid_t dimension, const Variable &v,
			hid_t memoryType, const void *values, const char *units,
			const char *longName)
	{
		Handle data(createVariable(file, v), H5Dclose);
		return data.ok() && H5DSattach_scale(data, dimension, 0) >= 0 &&
				(v.size == 0 ||
						H5Dwrite(data, memoryType, H5S_ALL, H5S_ALL,
								H5P_DEFAULT, values) >= 0) &&
				describe(data, units, QString::fromLatin1(longName)) &&
				data.close();
	}

	const RecordingReader &reader_;
	const RecordingHeader &header_;
	SampleSpan span_;
	const Hdf5FileDriver &driver_;
	const SampleReading &read_;
};

} // namespace

FileResult ExportHdf5(const RecordingReader &reader, SampleSpan span, const QString &fileName,
		const SampleReading &read)
{
	if (span.size() == 0)
		return FileResult::failure(EmptySpanText());
	StagedFiles files;
	FileResult staged;
	const QString partial = files.stage(fileName, &staged);
	if (!staged.ok)
		return staged;
	H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr); // a failure is told once, below
	const Hdf5FileDriver driver;
	const bool written = Hdf5Writer(reader, span, driver, read).write(partial);
	if (!driver.failure().isEmpty()) // the disk's reason goes before the library's
		return FileResult::failure(driver.failure());
	if (!written)
		return FileResult::failure(QCoreApplication::translate(
				"RecordingHdf5", "HDF5 ライブラリがファイルを書けませんでした"));
	return files.commit();
}

} // namespace kelvra
