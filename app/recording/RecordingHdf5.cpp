#include "RecordingHdf5.h"

#include "run/EventText.h"

#include <QFile>

#include <hdf5.h>

#include <vector>

namespace kelvra {

namespace {

constexpr hsize_t kChunk = 65536;
constexpr uint64_t kSlab = 1 << 20;

// Closes an HDF5 handle with its own close function.
class Handle {
public:
	Handle(hid_t id, herr_t (*close)(hid_t)) : id_(id), close_(close) {}
	~Handle()
	{
		if (id_ >= 0)
			close_(id_);
	}
	Handle(const Handle &) = delete;
	Handle &operator=(const Handle &) = delete;

	operator hid_t() const { return id_; }
	bool ok() const { return id_ >= 0; }

private:
	hid_t id_;
	herr_t (*close_)(hid_t);
};

hid_t utf8Text()
{
	const hid_t type = H5Tcopy(H5T_C_S1);
	H5Tset_size(type, H5T_VARIABLE);
	H5Tset_cset(type, H5T_CSET_UTF8);
	return type;
}

bool writeTextAttribute(
		hid_t at, const char *name, const std::vector<QByteArray> &lines, bool scalar)
{
	Handle type(utf8Text(), H5Tclose);
	const hsize_t count = lines.size();
	Handle space(scalar ? H5Screate(H5S_SCALAR) : H5Screate_simple(1, &count, nullptr),
			H5Sclose);
	std::vector<const char *> texts;
	for (const QByteArray &line : lines)
		texts.push_back(line.constData());
	Handle attribute(H5Acreate2(at, name, type, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
	return attribute.ok() && H5Awrite(attribute, type, texts.data()) >= 0;
}

bool writeAttributes(hid_t file, const RecordingHeader &h)
{
	Handle scalar(H5Screate(H5S_SCALAR), H5Sclose);
	Handle interval(H5Acreate2(file, "interval_s", H5T_IEEE_F64LE, scalar, H5P_DEFAULT,
					H5P_DEFAULT),
			H5Aclose);
	if (!interval.ok() || H5Awrite(interval, H5T_NATIVE_DOUBLE, &h.intervalS) < 0)
		return false;
	std::vector<QByteArray> memo;
	for (const QString &line : h.MemoStr)
		memo.push_back(line.toUtf8());
	return writeTextAttribute(file, "start_time", {h.startTimeIso.toUtf8()}, true) &&
			writeTextAttribute(file, "unit", {h.unitText.toUtf8()}, true) &&
			writeTextAttribute(file, "memo", memo, false);
}

bool writeUnit(hid_t file, const RecordingReader &reader, int unit, SampleSpan span)
{
	const hsize_t size = span.size();
	Handle space(H5Screate_simple(1, &size, nullptr), H5Sclose);
	Handle properties(H5Pcreate(H5P_DATASET_CREATE), H5Pclose);
	const hsize_t chunk = std::max<hsize_t>(1, std::min(kChunk, size));
	H5Pset_chunk(properties, 1, &chunk);
	H5Pset_shuffle(properties);
	H5Pset_deflate(properties, 1);
	const QByteArray name = QStringLiteral("ID%1").arg(unit).toLatin1();
	Handle data(H5Dcreate2(file, name.constData(), H5T_IEEE_F32LE, space, H5P_DEFAULT,
				    properties, H5P_DEFAULT),
			H5Dclose);
	if (!data.ok())
		return false;
	std::vector<float> values;
	for (uint64_t at = span.from; at < span.to; at += kSlab) {
		const uint64_t end = std::min(span.to, at + kSlab);
		values.resize(end - at);
		reader.readSamples(unit, at, end, values.data());
		const hsize_t offset = at - span.from;
		const hsize_t count = end - at;
		Handle memory(H5Screate_simple(1, &count, nullptr), H5Sclose);
		Handle slab(H5Dget_space(data), H5Sclose);
		H5Sselect_hyperslab(slab, H5S_SELECT_SET, &offset, nullptr, &count, nullptr);
		if (H5Dwrite(data, H5T_NATIVE_FLOAT, memory, slab, H5P_DEFAULT, values.data()) < 0)
			return false;
	}
	return true;
}

struct EventRow {
	double time;
	int32_t unit;
	const char *kind;
	const char *text;
};

bool writeEvents(hid_t file, const RecordingReader &reader, SampleSpan span)
{
	const double interval = reader.header().intervalS;
	const LanguageTexts english = LanguageTexts::English();
	std::vector<QByteArray> texts;
	std::vector<EventRow> rows;
	for (const RecordingEvent &event : reader.events()) {
		if (event.timeS < span.from * interval || event.timeS >= span.to * interval)
			continue;
		texts.push_back(EventKindName(event.kind).toUtf8());
		texts.push_back(EventDetailText(event, english).toUtf8());
		rows.push_back({event.timeS, event.unit, nullptr, nullptr});
	}
	texts.shrink_to_fit();
	for (size_t i = 0; i < rows.size(); ++i) {
		rows[i].kind = texts[2 * i].constData();
		rows[i].text = texts[2 * i + 1].constData();
	}
	Handle text(utf8Text(), H5Tclose);
	Handle type(H5Tcreate(H5T_COMPOUND, sizeof(EventRow)), H5Tclose);
	H5Tinsert(type, "time", HOFFSET(EventRow, time), H5T_NATIVE_DOUBLE);
	H5Tinsert(type, "unit", HOFFSET(EventRow, unit), H5T_NATIVE_INT32);
	H5Tinsert(type, "kind", HOFFSET(EventRow, kind), text);
	H5Tinsert(type, "text", HOFFSET(EventRow, text), text);
	const hsize_t count = rows.size();
	Handle space(H5Screate_simple(1, &count, nullptr), H5Sclose);
	Handle data(H5Dcreate2(file, "events", type, space, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT),
			H5Dclose);
	return data.ok() &&
			(rows.empty() ||
					H5Dwrite(data, type, H5S_ALL, H5S_ALL, H5P_DEFAULT,
							rows.data()) >= 0);
}

bool writeFile(const QString &fileName, const RecordingReader &reader, SampleSpan span)
{
	const QByteArray name = QFile::encodeName(fileName);
	Handle file(H5Fcreate(name.constData(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT), H5Fclose);
	if (!file.ok() || !writeAttributes(file, reader.header()))
		return false;
	for (int u = 0; u < kUnitCount; ++u) {
		if (reader.header().inUse(u) && !writeUnit(file, reader, u, span))
			return false;
	}
	return writeEvents(file, reader, span) && H5Fflush(file, H5F_SCOPE_GLOBAL) >= 0;
}

} // namespace

FileResult ExportHdf5(const RecordingReader &reader, SampleSpan span, const QString &fileName)
{
	// Written beside the target and put in its place only when whole.
	const QString partial = fileName + QStringLiteral(".part");
	H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr); // a failure is told once, below
	if (!writeFile(partial, reader, span)) {
		QFile::remove(partial);
		return FileResult::failure(QStringLiteral("cannot write %1").arg(fileName));
	}
	QFile::remove(fileName);
	if (!QFile::rename(partial, fileName)) {
		QFile::remove(partial);
		return FileResult::failure(QStringLiteral("cannot write %1").arg(fileName));
	}
	return {};
}

} // namespace kelvra
