#include "files/DataFile.h"
#include "fakes/Measurements.h"
#include "fakes/QtPrinting.h"
#include "files/CsvFile.h"
#include "files/TextCodec.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <random>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

// Little-endian fields, appended by hand as the file format lays them out.
class Bytes {
public:
	template <typename T>
	Bytes &add(T value)
	{
		char raw[sizeof(T)];
		qToLittleEndian(value, raw);
		bytes.append(raw, sizeof(T));
		return *this;
	}
	Bytes &raw(std::initializer_list<int> values)
	{
		for (int v : values)
			bytes.append(static_cast<char>(v));
		return *this;
	}
	Bytes &text(const char *ascii)
	{
		add<int16_t>(static_cast<int16_t>(qstrlen(ascii)));
		bytes.append(ascii);
		return *this;
	}
	QByteArray bytes;
};

QByteArray smallMeasurementBytes()
{
	Bytes b;
	b.text("2026/1/2 3:4:5");
	b.add<int16_t>(6).raw({0x82, 0xD0, 0x82, 0xB8, 0x82, 0xDD}); // ひずみ in code page 932
	for (int i = 0; i < 4; ++i)
		b.add<int16_t>(0);
	b.add<int16_t>(0).add<int32_t>(1000).add<int16_t>(0); // timer type, interval, averaging
	b.add<int16_t>(0).add<float>(0).add<int16_t>(0).add<float>(0); // no trigger in this run
	b.add<int32_t>(0).add<int32_t>(0).add<int16_t>(0);
	b.raw({0, 0, 0, 0, 0, 0, 0, 0}).add<int32_t>(2);
	b.add<double>(1.5).add<double>(-9999).add<double>(-9999).add<double>(-9999);
	b.add<double>(-2.0).add<double>(-9999).add<double>(-9999).add<double>(-9999);
	b.add<int16_t>(1);
	b.add<float>(2).add<float>(100).add<float>(100).add<float>(100);
	b.add<int16_t>(0).add<int16_t>(0).add<int16_t>(0).add<int16_t>(0);
	b.add<float>(500).add<float>(100).add<float>(100).add<float>(100);
	return b.bytes;
}

class DataFileTest : public ::testing::Test {
protected:
	QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

	void writeRaw(const QString &file, const QByteArray &bytes)
	{
		QFile out(file);
		ASSERT_TRUE(out.open(QIODevice::WriteOnly));
		out.write(bytes);
	}

	QTemporaryDir dir;
};

} // namespace

TEST_F(DataFileTest, DedicatedFileBytesMatchTheLayout)
{
	EXPECT_EQ(smallMeasurementBytes().toHex().toStdString(),
			EncodeDataFile(smallMeasurement()).toHex().toStdString());
}

TEST_F(DataFileTest, ReadingInfersUnitsInUseAndRestoresUnitSettings)
{
	writeRaw(path("small.vn2"), smallMeasurementBytes());
	ModuleData md;
	md.InitDataArray();
	md.Channels[3].Mflag = kTrue;
	md.settings.DataAverage = kTrue;
	ASSERT_TRUE(ReadDataFile(md, path("small.vn2")).ok);
	EXPECT_EQ(kTrue, md.Channels[0].Mflag);
	EXPECT_EQ(kFalse, md.Channels[3].Mflag);
	EXPECT_EQ(2, md.DataCount);
	EXPECT_EQ(2, md.DataMaxNum);
	EXPECT_EQ(2, md.Channels[0].DataNum);
	EXPECT_EQ(-2.0f, md.Channels[0].Data[1]);
	EXPECT_EQ(kFalse, md.settings.TrgMaxFlag)
			<< "a file without trigger turns the triggers off";
	EXPECT_EQ(kFalse, md.TrgMode);
	EXPECT_EQ(kFalse, md.settings.DataAverage);
	EXPECT_EQ(1, md.AverageNum);
	EXPECT_EQ(QStringLiteral("ひずみ"), md.MemoStr[0]);
	EXPECT_EQ(1, md.settings.Sing);
	EXPECT_EQ(500.0f, md.Channels[0].Capacity);
}

TEST_F(DataFileTest, LaterMarkersAndLevelsWithoutTheirFlagsReadAsStored)
{
	QByteArray bytes = smallMeasurementBytes();
	const qsizetype header = bytes.size() - 42 - 64;
	qToLittleEndian(12.5f, bytes.data() + header - 32);  // upper level, its flag left 0
	qToLittleEndian(-7.25f, bytes.data() + header - 26); // lower level, its flag left 0
	qToLittleEndian(double{kNoData}, bytes.data() + header + 32); // unit 0 in the second row
	ModuleData md;
	md.InitDataArray();
	ASSERT_TRUE(ReadDataFileBytes(md, bytes).ok);
	EXPECT_EQ(12.5f, md.settings.TrgVMax);
	EXPECT_EQ(-7.25f, md.settings.TrgVMin);
	EXPECT_EQ(kFalse, md.TrgMode);
	EXPECT_EQ(kTrue, md.Channels[0].Mflag);
	EXPECT_EQ(1, md.Channels[0].DataNum) << "a marker in a later row is not a sample";
	EXPECT_EQ(kNoData, md.Channels[0].Data[1]);
	EXPECT_EQ(2, md.DataCount);
}

TEST_F(DataFileTest, UnitSettingsStayWhenTheFileCarriesNone)
{
	QByteArray bytes = smallMeasurementBytes();
	bytes.chop(42); // ends right after the rows
	writeRaw(path("short.vn2"), bytes);
	ModuleData md;
	md.InitDataArray();
	md.settings.Sing = 3;
	md.Channels[0].Capacity = 77.0f;
	ASSERT_TRUE(ReadDataFile(md, path("short.vn2")).ok);
	EXPECT_EQ(0, md.settings.Sing);
	EXPECT_EQ(77.0f, md.Channels[0].Capacity);
}

TEST_F(DataFileTest, TriggerCaptureIsWrittenInRingOrderAndReadsBackLinear)
{
	ModuleData md = smallMeasurement();
	md.TrgMode = kTrue;
	md.settings.TrgMinFlag = kFalse;
	md.settings.TrgVMax = 12.5f;
	md.settings.TrgDnum1 = 2;
	md.settings.TrgDnum2 = 3;
	md.settings.TrgUnitID = 2;
	md.Channels[2].Mflag = kTrue;
	for (int u : {0, 2}) {
		md.Channels[u].StartPos = kBufferLength - 2; // the window wraps past the last slot
		md.Channels[u].DataNum = 5;
		for (int k = 1; k <= 5; ++k)
			md.Channels[u].Data[md.RingIndex(u, k)] = static_cast<float>(u * 100 + k);
	}
	md.DataCount = 5;
	ASSERT_TRUE(SaveDataFile(md, path("trigger.vn2")).ok);

	ModuleData back;
	back.InitDataArray();
	ASSERT_TRUE(ReadDataFile(back, path("trigger.vn2")).ok);
	EXPECT_EQ(kTrue, back.TrgMode);
	EXPECT_EQ(kTrue, back.TrgOn);
	EXPECT_EQ(2, back.TrgPoint);
	EXPECT_EQ(12.5f, back.settings.TrgVMax);
	EXPECT_EQ(2, back.settings.TrgUnitID);
	for (int u : {0, 2}) {
		EXPECT_EQ(0, back.Channels[u].StartPos);
		EXPECT_EQ(4, back.Channels[u].WritePos);
		for (int k = 1; k <= 5; ++k)
			EXPECT_EQ(static_cast<float>(u * 100 + k), back.SampleAt(u, k));
	}
	EXPECT_EQ(kFalse, back.Channels[1].Mflag);
}

TEST_F(DataFileTest, BadFilesAreRefusedAndLeaveTheStateCleared)
{
	const QByteArray good = smallMeasurementBytes();
	const qsizetype rowCountAt = good.size() - 42 - 64 - 4;
	auto withRows = [&](int32_t rows) {
		QByteArray bytes = good;
		qToLittleEndian(rows, bytes.data() + rowCountAt);
		return bytes;
	};
	const struct {
		const char *name;
		QByteArray bytes;
	} cases[] = {
			{"negative rows", withRows(-1)},
			{"too many rows", withRows(88001)},
			{"more rows than the file holds", withRows(4)},
			{"ends inside the header", good.left(30)},
			{"ends inside the rows", good.left(rowCountAt + 4 + 40)},
			{"empty", QByteArray()},
			{"string longer than the file", Bytes().add<int16_t>(30000).bytes},
			{"negative string length", Bytes().add<int16_t>(-5).bytes},
	};
	for (const auto &bad : cases) {
		SCOPED_TRACE(bad.name);
		writeRaw(path("bad.vn2"), bad.bytes);
		ModuleData md = smallMeasurement();
		const FileResult result = ReadDataFile(md, path("bad.vn2"));
		EXPECT_FALSE(result.ok);
		EXPECT_FALSE(result.error.isEmpty());
		EXPECT_EQ(0, md.DataCount);
		EXPECT_EQ(kNoData, md.Channels[0].Data[0]) << "the state is left cleared";
	}
	ModuleData md;
	md.InitDataArray();
	EXPECT_FALSE(ReadDataFile(md, path("missing.vn2")).ok);
}

TEST_F(DataFileTest, OtherFilesAreNamedAsNoDataFile)
{
	const QString notOurs = QStringLiteral("Kelvraのデータファイルではありません");
	const QByteArray good = smallMeasurementBytes();
	const qsizetype flagAt = good.size() - 42 - 64 - 34; // the upper trigger flag
	QByteArray badFlag = good;
	badFlag[flagAt] = 7;
	QByteArray random(4096, Qt::Uninitialized);
	std::mt19937 generator(5);
	for (char &byte : random)
		byte = static_cast<char>(generator());
	ASSERT_TRUE(SaveCsvFile(smallMeasurement(), path("small.csv")).ok);
	QFile csv(path("small.csv"));
	ASSERT_TRUE(csv.open(QIODevice::ReadOnly));

	const struct {
		const char *name;
		QByteArray bytes;
		QString reason; // the start of the reason
	} cases[] = {
			{"empty", QByteArray(), notOurs},
			{"text", QByteArrayLiteral("Hello, world.\r\n"), notOurs},
			{"csv", csv.readAll(), notOurs},
			{"random bytes", random, notOurs},
			{"date field holds no date", Bytes().text("hello").bytes, notOurs},
			{"flag of 7", badFlag, notOurs},
			{"bytes after the unit settings", good + QByteArray(8, 0), notOurs},
			{"a data file cut in its header", good.left(30),
					QStringLiteral("ファイルがヘッダーの途中で終わっています。")},
	};
	for (const auto &other : cases) {
		SCOPED_TRACE(other.name);
		ModuleData md;
		md.InitDataArray();
		const FileResult result = ReadDataFileBytes(md, other.bytes);
		EXPECT_FALSE(result.ok);
		EXPECT_TRUE(result.error.startsWith(other.reason)) << result.error.toStdString();
	}
	for (qsizetype cut = 0; cut <= 42; cut += 21) {
		ModuleData md;
		md.InitDataArray();
		EXPECT_TRUE(ReadDataFileBytes(md, good.left(good.size() - cut)).ok)
				<< "unit settings cut by " << cut;
	}
}

TEST_F(DataFileTest, RefusalsSayWhatIsWrongInWordsNotInternalValues)
{
	const QByteArray good = smallMeasurementBytes();
	QByteArray longInterval = good;
	qToLittleEndian<int32_t>(70000000, longInterval.data() + 34);
	const struct {
		const char *name;
		QByteArray bytes;
		QString words;
	} cases[] = {
			{"date length", Bytes().add<int16_t>(-32222).bytes,
					QStringLiteral("先頭に測定日時がありません")},
			{"memo length", Bytes().text("2026/1/2 3:4:5").add<int16_t>(-3).bytes,
					QStringLiteral("メモ欄が壊れています")},
			{"interval", longInterval, QStringLiteral("測定間隔が範囲外です")},
			{"cut in the rows", good.left(good.size() - 42 - 20),
					QStringLiteral("最後までコピーされていない")},
	};
	for (const auto &bad : cases) {
		SCOPED_TRACE(bad.name);
		ModuleData md;
		md.InitDataArray();
		const FileResult result = ReadDataFileBytes(md, bad.bytes);
		EXPECT_TRUE(result.error.contains(bad.words)) << result.error.toStdString();
		EXPECT_FALSE(result.error.contains(QRegularExpression(QStringLiteral("\\d{3,}"))))
				<< result.error.toStdString();
	}
}

TEST_F(DataFileTest, GarbageNeverCrashesTheReader)
{
	std::mt19937 random(3);
	const QByteArray good = smallMeasurementBytes();
	for (int round = 0; round < 300; ++round) {
		QByteArray bytes = good;
		for (int flips = 0; flips < 4; ++flips)
			bytes[random() % bytes.size()] = static_cast<char>(random());
		bytes.truncate(random() % (bytes.size() + 1));
		QString reason;
		const auto content = ParseDataFile(bytes, &reason);
		if (content)
			EXPECT_LE(content->header.rowCount, kBufferLength);
		else
			EXPECT_FALSE(reason.isEmpty());
	}
}

TEST_F(DataFileTest, FullBuffersRoundTrip)
{
	ModuleData md = smallMeasurement();
	fillEveryUnit(md, [](int u, int32_t i) { return static_cast<float>(i) * 0.25f - u; });
	ASSERT_TRUE(SaveDataFile(md, path("full.vn2")).ok);
	ModuleData back;
	back.InitDataArray();
	ASSERT_TRUE(ReadDataFile(back, path("full.vn2")).ok);
	for (int u = 0; u < kUnitCount; ++u)
		EXPECT_EQ(md.Channels[u].Data, back.Channels[u].Data);
	EXPECT_FALSE(SaveDataFile(md, path("no/such/dir/x.vn2")).ok);
}
