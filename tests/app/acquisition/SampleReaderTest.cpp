#include "acquisition/SampleReader.h"
#include "acquisition/Conversion.h"
#include "fakes/DeviceRigTest.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class SampleReaderTest : public DeviceRigTest {
protected:
	SampleReaderTest()
	{
		md.SetRange();
		md.ClearMeasData();
	}

	SampleReader reader{md, devices};
};

} // namespace

TEST(Conversion, LoadFromRatedOutputAndCapacity)
{
	ModuleData md;
	md.settings.Sing = 0;
	EXPECT_EQ(4000.0f, ConvertReading(md, 0, 4000.0));
	md.settings.Sing = 1;
	md.Channels[0].PowerSing = 0;
	md.Channels[0].Power = 2.0f;
	md.Channels[0].Capacity = 500.0f;
	EXPECT_EQ(500.0f, ConvertReading(md, 0, 4000.0));
	md.Channels[0].PowerSing = 1;
	md.Channels[0].Power = 4000.0f;
	EXPECT_EQ(500.0f, ConvertReading(md, 0, 4000.0));
	md.Channels[0].Power = 0.0f;
	EXPECT_FALSE(ConvertReading(md, 0, 4000.0)) << "a rated output of 0 gives no value";
}

TEST_F(SampleReaderTest, RequestCountIsCarriedFromUnitToUnit)
{
	use({1, 3});
	api.units[1].deliveries = {30, 0};
	ASSERT_TRUE(reader.ReadBlockData());
	EXPECT_EQ(std::vector<int>{128},
			std::vector<int>(api.units[1].asked.begin(), api.units[1].asked.end()));
	EXPECT_EQ(30, api.units[3].asked.at(0));
	EXPECT_EQ(30, md.DataCount);
	ASSERT_TRUE(reader.ReadBlockData());
	EXPECT_EQ(0, api.units[3].asked.at(1))
			<< "a unit that delivers nothing holds back the rest";
	EXPECT_EQ(30.0f, md.Channels[3].Data[29]);
	EXPECT_EQ(1.0f, md.Channels[3].MinVal) << "the first sample sets both extremes";
	EXPECT_EQ(30.0f, md.Channels[3].MaxVal);
}

TEST_F(SampleReaderTest, BufferFullCutsTheBlockAndLaterUnits)
{
	use({0, 1});
	md.Channels[0].DataNum = 87990;
	md.Channels[1].DataNum = 87990;
	api.units[0].deliveries = {30};
	ASSERT_TRUE(reader.ReadBlockData());
	EXPECT_EQ(kBufferLength, md.Channels[0].DataNum);
	EXPECT_EQ(10.0f, md.Channels[0].Data[kBufferLength - 1]);
	EXPECT_EQ(10, api.units[1].asked.at(0));
	EXPECT_EQ(kBufferLength, md.DataCount);
}

TEST_F(SampleReaderTest, HostileCountsNeverWritePastTheBuffers)
{
	use({0});
	api.units[0].reportedCount = 200;
	ASSERT_TRUE(reader.ReadBlockData());
	EXPECT_EQ(128, md.Channels[0].DataNum);
}

TEST_F(SampleReaderTest, AveragingCarriesAcrossBlocks)
{
	use({0});
	md.settings.DataAverage = kTrue;
	md.AverageNum = 30;
	api.units[0].deliveries = {20, 20, 20};
	for (int block = 0; block < 3; ++block)
		ASSERT_TRUE(reader.ReadBlockAveData());
	ASSERT_EQ(2, md.Channels[0].DataNum) << "a value in two blocks out of three";
	EXPECT_FLOAT_EQ(15.5f, md.Channels[0].Data[0]);
	EXPECT_FLOAT_EQ(45.5f, md.Channels[0].Data[1]);
	EXPECT_EQ(0, md.AveBuf[0].AveCount);
}

TEST_F(SampleReaderTest, UnconvertibleSamplesKeepTheMarkerAndCount)
{
	use({0});
	md.settings.Sing = 2;
	md.Channels[0].Power = 0.0f;
	md.Channels[0].Capacity = 10.0f;
	api.units[0].deliveries = {3};
	ASSERT_TRUE(reader.ReadBlockData());
	EXPECT_EQ(3, md.Channels[0].DataNum);
	EXPECT_EQ(kNoData, md.Channels[0].Data[2]);

	ASSERT_TRUE(reader.GetMeasSingleData());
	EXPECT_EQ(4, md.Channels[0].DataNum);
}

TEST_F(SampleReaderTest, BlockErrorStopsLaterUnitsButKeepsTheEarlierBlocks)
{
	use({0, 2, 3});
	api.units[0].deliveries = {5};
	api.units[2].blockCodes = {9};
	EXPECT_FALSE(reader.ReadBlockData());
	EXPECT_TRUE(api.units[3].asked.empty());
	EXPECT_EQ(QStringLiteral("USB通信エラー"), prompt.shown.at(0).text);
	EXPECT_EQ(5, md.DataCount) << "unit 0's block was stored before unit 2 failed";
	EXPECT_EQ(5.0f, md.Channels[0].Data[4]);
}

TEST_F(SampleReaderTest, SingleReadingsAreAveragedIntoOneIndex)
{
	use({0, 3});
	md.AverageNum = 4;
	md.DataCount = 5;
	ASSERT_TRUE(reader.GetMeasSingleData());
	EXPECT_FLOAT_EQ(2.5f, md.Channels[0].Data[5]);
	EXPECT_EQ(1, md.Channels[0].DataNum);

	api.units[0].singleCodes = {0, 7};
	EXPECT_TRUE(reader.GetMeasSingleData()) << "the last unit in use decides";
	EXPECT_EQ(1, md.Channels[0].DataNum) << "the failed unit gets no sample";
	EXPECT_EQ(2, md.Channels[3].DataNum);

	api.units[3].singleCodes = {9};
	EXPECT_FALSE(reader.GetMeasSingleData());
}
