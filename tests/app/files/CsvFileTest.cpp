#include "files/CsvFile.h"
#include "fakes/Measurements.h"
#include "files/TextCodec.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

TEST(CsvFile, CsvOfASmallMeasurement)
{
	ModuleData md = smallMeasurement();
	md.MemoStr[1] = QStringLiteral("say \"hi\"");
	md.Channels[0].Data[1] = 0.5f;
	md.Channels[2].Mflag = kTrue; // in use, but its samples stop after the first
	md.Channels[2].DataNum = 1;
	md.Channels[2].Data[0] = 1.0f / 3.0f;
	QLocale::setDefault(QLocale(QLocale::German)); // a comma locale changes nothing
	const QString expected =
			QStringLiteral("\"ひずみ測定\"\r\n"
				       "\"測定日\",\"2026/1/2 3:4:5\"\r\n"
				       "\"メモ１\",\"ひずみ\"\r\n"
				       "\"メモ２\",\"say \"\"hi\"\"\"\r\n"
				       "\"メモ３\",\"\"\r\n"
				       "\"メモ４\",\"\"\r\n"
				       "\"メモ５\",\"\"\r\n"
				       "\"測定間隔(msec)\",1000\r\n"
				       "\"データ平均化処理\",\"無し\"\r\n"
				       "\"単位\",\"kgf\"\r\n"
				       "\"\",\"ID0\",\"ID1\",\"ID2\",\"ID3\"\r\n"
				       "\"定格出力\",\"2mV/V\",\"\",\"100mV/V\",\"\"\r\n"
				       "\"定格容量\",\"500kgf\",\"\",\"100kgf\",\"\"\r\n"
				       "\"測定データ\"\r\n"
				       "\"データ数\",2\r\n"
				       "\"ID0\",\"ID1\",\"ID2\",\"ID3\"\r\n"
				       "1.5,\"\",0.3333333,\"\"\r\n"
				       "0.5,\"\",\"\",\"\"\r\n");
	const QByteArray csv = EncodeCsvFile(md);
	const QByteArray utf8 = EncodeCsvFile(md, CsvEncoding::Utf8);
	QLocale::setDefault(QLocale::c());
	EXPECT_EQ(expected, fromCodePage932(csv));
	EXPECT_TRUE(csv.startsWith(QByteArray::fromHex("2282d082b882dd91aa92e8220d0a")))
			<< "code page 932";
	EXPECT_EQ(QByteArray("\xEF\xBB\xBF") + expected.toUtf8(), utf8)
			<< "the same lines in UTF-8 after a byte-order mark";
}

TEST(CsvFile, CsvOfATriggerCaptureInSeconds)
{
	ModuleData md = smallMeasurement();
	md.settings.Sing = 0;
	md.settings.TimerType = kTrue;
	md.settings.IntervalTM = 1500;
	md.settings.DataAverage = kTrue;
	md.TrgMode = kTrue;
	md.settings.TrgMinFlag = kTrue;
	md.settings.TrgVMax = 100.0f;
	md.settings.TrgVMin = -0.25f;
	md.settings.TrgDnum1 = 1;
	md.settings.TrgDnum2 = 1;
	md.settings.TrgUnitID = 0;
	md.Channels[0].StartPos = kBufferLength - 1;
	md.Channels[0].Data[kBufferLength - 1] = 7.0f;
	md.Channels[0].Data[0] = 8.0f;
	const QString csv = fromCodePage932(EncodeCsvFile(md));
	EXPECT_TRUE(csv.contains(QStringLiteral(
			"\"測定間隔(sec)\",1.5\r\n\"データ平均化処理\",\"有り\"\r\n\"単位\",\"μひずみ\"\r\n"
			"\"上限トリガ\",100\r\n\"下限トリガ\",-0.25\r\n"
			"\"取込データ数（前／後）\",1,1\r\n\"トリガ使用ユニットID\",0\r\n\"測定データ\"")))
			<< csv.toStdString();
	EXPECT_TRUE(csv.endsWith(QStringLiteral("7,\"\",\"\",\"\"\r\n8,\"\",\"\",\"\"\r\n")))
			<< "ring order";
}
