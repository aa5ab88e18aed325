#include "recording/RecordingHdf5.h"
#include "recording/RecordingStore.h"
#include "settings/DataFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cmath>

using namespace kelvra;

namespace {

// Units 0, 1 and 3 in use at 10 ms; unit 1 is out for samples 100..199.
std::unique_ptr<RecordingReader> recordingOf(const QTemporaryDir &dir, uint64_t samples)
{
	ModuleData md;
	for (int u : {0, 1, 3})
		md.Channels[u].Mflag = kTrue;
	md.IntervalTM = 10;
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
		store.event({2.5, -1, EventKind::Marker, QStringLiteral("荷重 \"5 kN\", 開始")});
	}
	QString error;
	return RecordingReader::open(base + QStringLiteral(".kvr"), &error);
}

// Runs a Python script; empty when Python or a module it needs is missing.
std::optional<QString> python(const QString &script, const QStringList &arguments)
{
	// The system's Python has the Debian modules.
	const QString program = QFile::exists(QStringLiteral("/usr/bin/python3"))
			? QStringLiteral("/usr/bin/python3")
			: QStringLiteral("python3");
	QProcess process;
	process.start(program, QStringList{QStringLiteral("-c"), script} + arguments);
	if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
		return std::nullopt;
	if (process.exitCode() == 77)
		return std::nullopt;
	return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

} // namespace

TEST(RecordingExport, Hdf5ReadsBackWithH5py)
{
	QTemporaryDir dir;
	auto reader = recordingOf(dir, 300000);
	ASSERT_TRUE(reader);
	const QString out = dir.filePath(QStringLiteral("r.h5"));
	ASSERT_TRUE(ExportHdf5(*reader, SpanOfSeconds(*reader, std::nullopt, std::nullopt), out)
					.ok);
	const auto printed = python(QStringLiteral(R"(
import sys
try:
    import h5py, numpy
except ImportError:
    sys.exit(77)
f = h5py.File(sys.argv[1], "r")
n = numpy.arange(300000, dtype=numpy.float32)
print(sorted(k for k in f.keys()))
print(bool((f["ID0"][:] == n).all()), bool((f["ID3"][:] == n).all()))
one = f["ID1"][:]
print(bool(numpy.isnan(one[100:200]).all()), bool((one[200:] == n[200:]).all()), one.dtype)
print(f.attrs["interval_s"], f.attrs["start_time"], repr(f.attrs["unit"]), f.attrs["memo"][1])
e = f["events"][0]
print(e["time"], e["unit"], e["kind"].decode(), e["text"].decode(), f["ID0"].compression)
)"),
			{out});
	if (!printed)
		GTEST_SKIP() << "python3 with h5py is not installed";
	EXPECT_EQ("['ID0', 'ID1', 'ID3', 'events']\nTrue True\nTrue True float32\n"
		  "0.01 2026-12-09T13:40:00Z 'μひずみ' 疲労試験\n1.0 1 dropout ID1 外れ gzip\n",
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
	const auto events = [&] {
		QFile file(EventsFileName(out));
		return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
	};
	EXPECT_EQ(QByteArray("\xEF\xBB\xBFtime_s,unit,kind,text\r\n1,1,dropout,\"ID1 外れ\"\r\n"
			     "2.5,,marker,\"荷重 \"\"5 kN\"\", 開始\"\r\n"),
			events());

	written.clear();
	ASSERT_TRUE(ExportCsv(
			*reader, SpanOfSeconds(*reader, 1.0, 2.0), out, CsvEncoding::Utf8, &written)
					.ok);
	EXPECT_EQ(QStringList{out}, written) << "what fits one file keeps its name";
	EXPECT_EQ(QByteArray("\xEF\xBB\xBFtime_s,unit,kind,text\r\n1,1,dropout,\"ID1 外れ\"\r\n"),
			events())
			<< "the span's events only";
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
	EXPECT_EQ((std::vector<RunEvent>{{0.5, 1, EventKind::Dropout, QStringLiteral("ID1 外れ")}}),
			md.Events)
			<< "the span's events, from its start";
	ASSERT_TRUE(ExportDataFile(*reader, SpanOfSeconds(*reader, 0.5, 880.5), out).ok);
	QString error;
	const auto content = LoadDataFileContent(out, &error);
	ASSERT_TRUE(content) << error.toStdString();
	ASSERT_EQ(88000u, content->rows.size());
	EXPECT_EQ(50.0, content->rows[0][0]);
	EXPECT_EQ(kNoData, content->rows[100][1]) << "sample 150 is in the gap";
	EXPECT_EQ(87999.0 + 50, content->rows.back()[3]);
	EXPECT_EQ(QStringLiteral("疲労試験"), content->header.memo[1]);
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
	if (!printed)
		GTEST_SKIP() << "no python3";
	EXPECT_EQ("0.01 μひずみ\n0 5000 0.0\n1 4900 0.0\n3 5000 0.0\n", printed->toStdString());
}
