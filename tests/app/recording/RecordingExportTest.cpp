#include "fakes/SmallFileSystem.h"
#include "files/DataFile.h"
#include "recording/RecordingHdf5.h"
#include "recording/RecordingStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>

using namespace kelvra;

namespace {

// Units 0, 1 and 3 in use at 10 ms; unit 1 is out for samples 100..199.
// The events come in unit order, as a tick writes them, one after the last sample.
std::unique_ptr<RecordingReader> recordingOf(const QTemporaryDir &dir, uint64_t samples)
{
	ModuleData md;
	for (int u : {0, 1, 3})
		md.Channels[u].Mflag = kTrue;
	md.settings.IntervalTM = 10;
	md.StartTimeStr = QStringLiteral("2026/12/9 13:40:0");
	md.MemoStr[1] = QStringLiteral("疲労試験");
	const QString base = dir.filePath(QStringLiteral("r"));
	{
		RecordingWriter writer;
		RecordingStore store(RecordingHeaderOf(md,
						     QDateTime(QDate(2026, 12, 9), QTime(13, 40),
								     QTimeZone::utc()),
						     SplitPeriod::None),
				base, writer, 0);
		std::vector<float> values(samples);
		for (uint64_t n = 0; n < samples; ++n)
			values[n] = static_cast<float>(n);
		for (int u : {0, 3})
			store.add(u, values.data(), static_cast<qsizetype>(samples));
		store.add(1, values.data(), 100);
		store.skip(1, 100);
		store.add(1, values.data() + 200, static_cast<qsizetype>(samples - 200));
		store.event({1.0, 1, EventKind::Dropout, QStringLiteral("ID1 外れ")});
		store.event({1.0, 0, EventKind::Warning, QStringLiteral("upper 100 (150)")});
		store.event({2.5, -1, EventKind::Marker, QStringLiteral("荷重 \"5 kN\", 開始")});
		store.event({samples * 0.01 + 1.0, -1, EventKind::Marker, QStringLiteral("後")});
	}
	QString error;
	return RecordingReader::open(base + QStringLiteral(".kvr"), &error);
}

// What the system's Python prints; a failure of the test when it cannot run the script.
std::optional<QString> python(const QString &script, const QStringList &arguments)
{
	QProcess process;
	process.start(QStringLiteral("/usr/bin/python3"),
			QStringList{QStringLiteral("-c"), script} + arguments);
	const bool ran = process.waitForFinished(60000) &&
			process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
	const QString said = QString::fromUtf8(
			process.readAllStandardOutput() + process.readAllStandardError());
	if (ran)
		return said;
	ADD_FAILURE() << "/usr/bin/python3 could not run its check: "
		      << process.errorString().toStdString() << "\n"
		      << said.toStdString();
	return std::nullopt;
}

QByteArray contentOf(const QString &fileName)
{
	QFile file(fileName);
	return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// xarray plots a span against the time it was measured at, with no code of
// our own: its samples and its events share one time base.
TEST(RecordingExport, Hdf5OfASpanOpensInXarrayOnTheRecordingsTime)
{
	QTemporaryDir dir;
	auto reader = recordingOf(dir, 300000);
	ASSERT_TRUE(reader);
	const QString out = dir.filePath(QStringLiteral("r.h5"));
	ASSERT_TRUE(ExportHdf5(*reader, SpanOfSeconds(*reader, 0.5, 2000.0), out).ok);
	const auto printed = python(QStringLiteral(R"(
import sys, numpy, xarray
ds = xarray.open_dataset(sys.argv[1], engine="h5netcdf")
t = ds.time.values
print(sorted(ds.data_vars), ds.ID1.dims, t[0], t[-1], ds.time.attrs["units"])
print(bool((ds.ID0.values == numpy.round(t * 100)).all()), ds.ID3.dtype, ds.ID0.attrs["units"])
dropout = ds.event_time.values[ds.event_kind.values == "dropout"]
print(t[numpy.isnan(ds.ID1.values)].min() == dropout[0], len(t[numpy.isnan(ds.ID1.values)]))
print(list(zip(ds.event_time.values.tolist(), ds.event_unit.values.tolist())))
print(ds.attrs["start_time"], ds.attrs["unit"], ds.attrs["memo"][1], ds.event_text.values[1])
)"),
			{out});
	ASSERT_TRUE(printed);
	EXPECT_EQ("['ID0', 'ID1', 'ID3', 'event_kind', 'event_text', 'event_time', "
		  "'event_unit'] ('time',) 0.5 1999.99 s\n"
		  "True float32 με\n"
		  "True 100\n"
		  "[(1.0, 0), (1.0, 1), (2.5, -1)]\n"
		  "2026-12-09T13:40:00Z μひずみ 疲労試験 ID1 外れ\n",
			printed->toStdString());
}

TEST(RecordingExport, CsvTakesAtMostASpreadsheetsRowsAFile)
{
	QTemporaryDir dir;
	auto reader = recordingOf(dir, 1048600);
	ASSERT_TRUE(reader);
	QStringList written;
	const QString out = dir.filePath(QStringLiteral("r.csv"));
	ASSERT_TRUE(ExportCsv(*reader, {0, reader->sampleEnd()}, out, CsvEncoding::Utf8, &written)
					.ok);
	ASSERT_EQ(2, written.size());
	EXPECT_TRUE(written[1].endsWith(QStringLiteral("r-002.csv")));
	QFile first(written[0]);
	ASSERT_TRUE(first.open(QIODevice::ReadOnly));
	const QByteArray bytes = first.readAll();
	EXPECT_EQ(kCsvMaxLines, bytes.count("\r\n"));
	EXPECT_TRUE(bytes.contains("\r\n99,99,\"\",99\r\n100,\"\",\"\",100\r\n"))
			<< "a gap is an empty cell";
	// 1048563 rows after the 13 lines of the head: 10485.63 s on.
	EXPECT_TRUE(contentOf(written[1]).contains("\"測定日\",\"2026/12/9 16:34:45\""));
	const auto events = [&] { return contentOf(EventsFileName(out)); };
	EXPECT_EQ(QByteArray("\xEF\xBB\xBFtime_s,unit,kind,text\r\n"
			     "1,0,warning,\"upper 100 (150)\"\r\n1,1,dropout,\"ID1 外れ\"\r\n"
			     "2.5,,marker,\"荷重 \"\"5 kN\"\", 開始\"\r\n10487,,marker,\"後\"\r\n"),
			events())
			<< "in the order of time, then unit, and past the last sample";

	written.clear();
	ASSERT_TRUE(ExportCsv(
			*reader, SpanOfSeconds(*reader, 1.0, 2.0), out, CsvEncoding::Utf8, &written)
					.ok);
	EXPECT_EQ(QStringList{out}, written) << "what fits one file keeps its name";
	EXPECT_TRUE(contentOf(out).contains("\"測定日\",\"2026/12/9 13:40:1\""));
	EXPECT_EQ(QByteArray("\xEF\xBB\xBFtime_s,unit,kind,text\r\n"
			     "0,0,warning,\"upper 100 (150)\"\r\n0,1,dropout,\"ID1 外れ\"\r\n"),
			events())
			<< "the span's events only, from its start";
}

TEST(RecordingExport, ADataFileTakesASpanThatFitsTheBuffers)
{
	QTemporaryDir dir;
	auto reader = recordingOf(dir, 100000);
	ASSERT_TRUE(reader);
	const QString out = dir.filePath(QStringLiteral("r.vn2"));
	EXPECT_FALSE(ExportDataFile(*reader, {0, 88001}, out).ok);
	ModuleData md;
	ASSERT_TRUE(LoadRecordingSpan(*reader, SpanOfSeconds(*reader, 0.5, 2.0), md).ok);
	EXPECT_EQ((std::vector<RunEvent>{
				  {0.5, 0, EventKind::Warning, QStringLiteral("upper 100 (150)")},
				  {0.5, 1, EventKind::Dropout, QStringLiteral("ID1 外れ")}}),
			md.Events)
			<< "the span's events, from its start";
	EXPECT_EQ(kNoData, md.Channels[1].Data[100]) << "sample 150 is in the gap";
	ASSERT_TRUE(ExportDataFile(*reader, SpanOfSeconds(*reader, 75.5, 955.5), out).ok);
	QString error;
	const auto content = LoadDataFileContent(out, &error);
	ASSERT_TRUE(content) << error.toStdString();
	ASSERT_EQ(88000u, content->rows.size());
	EXPECT_EQ(7550.0, content->rows[0][0]);
	EXPECT_EQ(87999.0 + 7550, content->rows.back()[3]);
	EXPECT_EQ(QStringLiteral("2026/12/9 13:41:15"), content->header.startTime.trimmed())
			<< "the span's first sample";
	EXPECT_EQ(QStringLiteral("疲労試験"), content->header.memo[1]);
}

// Every export to a full disk or a read-only place gives the system's reason
// and writes nothing under a final name: an earlier file of that name stays.
TEST(RecordingExport, AFullOrReadOnlyPlaceIsToldAndKeepsWhatWasThere)
{
	QTemporaryDir dir;
	auto reader = recordingOf(dir, 100000);
	ASSERT_TRUE(reader);
	const kelvra::testing::SmallFileSystem full("16k");
	const kelvra::testing::SmallFileSystem readOnly("16k", MS_RDONLY);
	ASSERT_TRUE(full.mounted() && readOnly.mounted()) << full.reason();
	const SampleSpan span{0, 80000};
	const struct {
		QString file;
		std::function<FileResult(const QString &)> write;
	} exports[] = {
			{QStringLiteral("r.h5"),
					[&](const QString &f) {
						return ExportHdf5(*reader, span, f);
					}},
			{QStringLiteral("r.csv"),
					[&](const QString &f) {
						return ExportCsv(*reader, span, f,
								CsvEncoding::Utf8);
					}},
			{QStringLiteral("r.vn2"),
					[&](const QString &f) {
						return ExportDataFile(*reader, span, f);
					}},
	};
	const auto reason = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
	for (const auto &e : exports) {
		SCOPED_TRACE(e.file.toStdString());
		const QString earlier = full.filePath(e.file);
		ASSERT_TRUE(WriteWholeFile(earlier, "earlier").ok);
		EXPECT_EQ(reason(ENOSPC), e.write(earlier).error);
		EXPECT_EQ(QStringList{e.file}, full.entries());
		EXPECT_EQ("earlier", contentOf(earlier));
		QFile::remove(earlier);
		EXPECT_EQ(reason(EROFS), e.write(readOnly.filePath(e.file)).error);
	}
	// The companion of a CSV export cannot be made: the data file is not left alone.
	ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("c-events.csv")));
	const QString csv = dir.filePath(QStringLiteral("c.csv"));
	EXPECT_EQ(QStringLiteral("c-events.csv: ") + reason(EISDIR),
			ExportCsv(*reader, span, csv, CsvEncoding::Utf8).error);
	EXPECT_FALSE(QFile::exists(csv));
}

TEST(RecordingExport, ThePythonReaderOfTheFormatDocumentReadsIt)
{
	QTemporaryDir dir;
	auto reader = recordingOf(dir, 5000);
	ASSERT_TRUE(reader);
	QFile doc(QStringLiteral(KELVRA_SOURCE_DIR "/docs/recording-format.md"));
	ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
	const auto match = QRegularExpression(QStringLiteral("```python\n(.*?)```"),
			QRegularExpression::DotMatchesEverythingOption)
					   .match(QString::fromUtf8(doc.readAll()));
	ASSERT_TRUE(match.hasMatch());
	const auto printed = python(match.captured(1), {reader->files()[0]});
	ASSERT_TRUE(printed);
	EXPECT_EQ("0.01 μひずみ\n0 5000 0.0\n1 4900 0.0\n3 5000 0.0\n", printed->toStdString());
}
