#include "RecordingResume.h"

#include "RecordingReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <map>

namespace kelvra {

namespace {

const QString kSuffix = QStringLiteral(".kvr");

// The file's name without ".kvr" and, in a numbered part, without "-001".
QString baseNameOf(const QString &file, int part)
{
	const QString name = file.chopped(kSuffix.size());
	const QString number = QStringLiteral("-%1").arg(part, 3, 10, QLatin1Char('0'));
	return part > 0 && name.endsWith(number) ? name.chopped(number.size()) : name;
}

// The header of a file's first record, read alone.
std::optional<RecordingHeader> headerOf(const QString &file)
{
	constexpr qsizetype kFrameSize = 12;
	constexpr uint32_t kLongestHeader = 1 << 20;
	QFile in(file);
	if (!in.open(QIODevice::ReadOnly))
		return std::nullopt;
	QByteArray bytes = in.read(kFrameSize);
	if (bytes.size() < kFrameSize)
		return std::nullopt;
	const uint32_t size = qFromLittleEndian<uint32_t>(bytes.constData());
	if (size > kLongestHeader)
		return std::nullopt;
	bytes += in.read(size);
	qsizetype next = 0;
	const auto record = RecordAt(bytes, 0, &next);
	QString refusal;
	return record && record->kind == RecordKind::Header
			? DecodeHeader(bytes.constData() + record->payload, record->size, &refusal)
			: std::nullopt;
}

// The highest number of a part named so, whether it opens or not.
int lastPartNumber(const QString &baseName)
{
	const QFileInfo info(baseName);
	const QRegularExpression numbered(
			QStringLiteral("^%1-(\\d{3,})\\.kvr$")
					.arg(QRegularExpression::escape(info.fileName())));
	int last = 0;
	for (const QString &name : info.absoluteDir().entryList(
			     {info.fileName() + QStringLiteral("-*.kvr")}, QDir::Files)) {
		if (const auto match = numbered.match(name); match.hasMatch())
			last = std::max(last, match.captured(1).toInt());
	}
	return last;
}

// The files of a folder's newest recording (by the start time in its name),
// its lowest part first: a part cut off as it was made may not open.
QStringList newestInFolder(const QString &folder)
{
	static const QRegularExpression named(
			QStringLiteral("^(kelvra-\\d{8}-\\d{6})(?:-(\\d{3,}))?\\.kvr$"));
	QString newest;
	std::map<int, QString> parts;
	for (const QString &name :
			QDir(folder).entryList({QStringLiteral("kelvra-*.kvr")}, QDir::Files)) {
		const auto match = named.match(name);
		if (!match.hasMatch() || match.captured(1) < newest)
			continue;
		if (match.captured(1) > newest)
			parts.clear();
		newest = match.captured(1);
		parts[match.captured(2).toInt()] = QDir(folder).filePath(name);
	}
	QStringList files;
	for (const auto &[number, file] : parts)
		files << file;
	return files;
}

// The part that opens the recording `file` is a part of.
QString firstFileOf(const QString &file, const RecordingHeader &header, QString *baseName)
{
	*baseName = baseNameOf(file, header.part);
	for (int number = 0; number < header.part; ++number) {
		const QString candidate = RecordingPartFile(*baseName, number);
		const auto first = headerOf(candidate);
		if (first && first->startTimeIso == header.startTimeIso &&
				first->StartTimeStr == header.StartTimeStr)
			return candidate;
	}
	return file;
}

} // namespace

uint64_t ResumePoint::end() const
{
	uint64_t last = header.firstSample;
	for (int u = 0; u < kUnitCount; ++u)
		last = header.inUse(u) ? std::max(last, unitEnds[u]) : last;
	return last;
}

uint64_t ResumePoint::earliestEnd() const
{
	uint64_t first = UINT64_MAX;
	for (int u = 0; u < kUnitCount; ++u)
		first = header.inUse(u) ? std::min(first, unitEnds[u]) : first;
	return first == UINT64_MAX ? end() : first;
}

ResumeLookup FindResumePoint(const QString &fileOrFolder)
{
	ResumeLookup found;
	const QStringList candidates = QFileInfo(fileOrFolder).isDir()
			? newestInFolder(fileOrFolder)
			: QStringList{fileOrFolder};
	if (candidates.isEmpty() || !QFileInfo::exists(candidates.first()))
		return found;
	QString given = candidates.first();
	std::optional<RecordingHeader> header;
	for (const QString &candidate : candidates) {
		if ((header = headerOf(candidate))) {
			given = candidate;
			break;
		}
	}
	if (!header) {
		found.kind = ResumeLookup::Kind::Unreadable;
		found.file = given;
		found.detail = QCoreApplication::translate(
				"RecordingResume", "長時間記録のファイルではありません");
		return found;
	}
	ResumePoint point;
	found.file = point.firstFile = firstFileOf(given, *header, &point.baseName);
	QString error;
	const auto reader = RecordingReader::open(point.firstFile, &error);
	if (!reader) {
		found.kind = ResumeLookup::Kind::Unreadable;
		found.detail = error;
		return found;
	}
	if (reader->ended()) {
		found.kind = ResumeLookup::Kind::Ended;
		return found;
	}
	point.header = reader->partHeaders().back();
	point.nextPart = std::max<int>(point.header.part, lastPartNumber(point.baseName)) + 1;
	for (int u = 0; u < kUnitCount; ++u)
		point.unitEnds[u] = std::max(reader->sampleEnd(u), reader->header().firstSample);
	found.kind = ResumeLookup::Kind::Interrupted;
	found.point = std::move(point);
	return found;
}

uint64_t ResumeSample(const ResumePoint &point, const QDateTime &now)
{
	const QDateTime start = StartOf(point.header);
	const double elapsedS = start.isValid() ? start.msecsTo(now) / 1000.0 : 0.0;
	const double byClock = std::max(0.0, std::round(elapsedS / point.header.intervalS));
	return std::max(point.end(), static_cast<uint64_t>(byClock));
}

} // namespace kelvra
