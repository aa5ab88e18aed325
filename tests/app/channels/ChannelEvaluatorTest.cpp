// A run of four units through the steps a row takes: unit 0 a bending half
// bridge with a stress, unit 1 tared over 3 samples, unit 2 through a
// scaling table, units 0 to 2 a rectangular rosette, and channels over them.

#include "channels/ChannelEvaluator.h"
#include "channels/DefinitionCheck.h"
#include "channels/RecordingDerivation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kelvra;

namespace {

constexpr float kMissing = std::numeric_limits<float>::quiet_NaN();
const MeasuredUnits kUnits{{true, true, true, true}, true};

ChannelDefinitions definitions()
{
	ChannelDefinitions d;
	d.units[0].bridge.type = BridgeType::Half2; // shows half the reading at K = 2
	d.units[0].modulusGPa = 200.0;
	d.units[1].tare = true;
	d.tareSamples = 3;
	d.units[2].scale = {{0, 0}, {100, 10}, {200, 30}};
	d.units[2].scaleUnit = "kN";
	d.units[3].bridge.gaugeFactor = 2.1;
	d.rosettes.push_back({"r", RosetteLayout::Rectangular, {0, 1, 2}, std::nullopt});
	d.channels = {{"sum", "ID0 + ID1 + ID2", ""}, {"twice", "2 * sum + r_e1 - r_e1", ""}};
	EXPECT_FALSE(checkDefinitions(d, kUnits));
	return d;
}

double value(ChannelEvaluator &e, const UnitReadings &row, const char *name)
{
	const auto values = e.evaluate(row);
	for (std::size_t i = 0; i < e.channels().size(); ++i) {
		if (e.channels()[i].name == name)
			return values[i];
	}
	ADD_FAILURE() << "no channel " << name;
	return 0.0;
}

class Columns : public SampleColumns {
public:
	uint64_t rowCount() const override { return rows.size(); }
	void read(int unit, uint64_t from, uint64_t to, float *out) const override
	{
		for (uint64_t i = from; i < to; ++i)
			*out++ = rows[i][unit];
	}

	std::vector<UnitReadings> rows;
};

} // namespace

TEST(ChannelEvaluator, EachStepOfARow)
{
	ChannelEvaluator e(definitions(), kUnits);
	std::vector<std::string> names;
	for (const OutputChannel &c : e.channels())
		names.push_back(c.name);
	EXPECT_EQ(names,
			(std::vector<std::string>{"ID0", "ID1", "ID2", "ID3", "ID0_stress", "r_e1",
					"r_e2", "r_theta", "sum", "twice"}));
	EXPECT_EQ(e.channels()[2].unit, "kN");

	const UnitReadings row{2000, 0, 50, 0.1f};
	EXPECT_DOUBLE_EQ(value(e, row, "ID0"), 1000);
	EXPECT_DOUBLE_EQ(value(e, row, "ID0_stress"), 200); // 200 GPa × 1000 µε
	EXPECT_DOUBLE_EQ(value(e, {0, 0, 150, 0}, "ID2"), 20);
	EXPECT_DOUBLE_EQ(value(e, {0, 0, 300, 0}, "ID2"), 50);   // beyond the table's end
	EXPECT_DOUBLE_EQ(value(e, {0, 0, -100, 0}, "ID2"), -10); // and before its start
	// In double from the float the unit gave.
	EXPECT_EQ(value(e, row, "ID3"), static_cast<double>(0.1f) * 2.0 / 2.1);
	// The rosette reads strains: unit 2's before its table.
	EXPECT_DOUBLE_EQ(value(e, {0, 0, 100, 0}, "r_e1"), 50 + std::sqrt(100.0 * 100 / 2));
	EXPECT_DOUBLE_EQ(value(e, {2000, 0, 50, 0}, "twice"), 2 * (1000 + 0 + 5));
	EXPECT_TRUE(std::isnan(value(e, {kMissing, 0, 50, 0}, "twice")));
	EXPECT_TRUE(std::isnan(value(e, {kMissing, 0, 50, 0}, "r_theta")));
}

TEST(ChannelEvaluator, TheTareFromTheFirstSamplesOrAsKept)
{
	// Unit 1's readings and what each row shows.
	const float readings[] = {10, kMissing, 20, 30, 40};
	const double untilKnown[] = {10, NAN, 20, 10, 20}; // the third sample brings the mean 20
	ChannelEvaluator live(definitions(), kUnits);
	for (std::size_t i = 0; i < std::size(readings); ++i) {
		const double shown = value(live, {0, readings[i], 0, 0}, "ID1");
		if (std::isnan(untilKnown[i]))
			EXPECT_TRUE(std::isnan(shown)) << i;
		else
			EXPECT_DOUBLE_EQ(shown, untilKnown[i]) << i;
		EXPECT_EQ(live.tareKnown(), i >= 3) << i;
	}
	EXPECT_EQ(live.tareOffsets()[1], 20.0);
	EXPECT_FALSE(live.tareOffsets()[0]) << "unit 0 is not tared";

	ChannelEvaluator reading(definitions(), kUnits);
	reading.setTareOffsets({1.0, 20.0, 3.0, 4.0});
	EXPECT_DOUBLE_EQ(value(reading, {0, 10, 0, 0}, "ID1"), -10) << "tared from the first row";
	EXPECT_DOUBLE_EQ(value(reading, {0, 10, 0, 0}, "ID0"), 0) << "only tared units take one";
	reading.restartTare();
	EXPECT_FALSE(reading.tareKnown());
}

// A recording re-derived with new definitions: the offsets its first rows
// give, and every row tared, stretch after stretch.
TEST(ChannelEvaluator, AFinishedRecordingThroughNewDefinitions)
{
	Columns recording;
	for (int i = 0; i < 10000; ++i)
		recording.rows.push_back({static_cast<float>(i % 7),
				i == 1 ? kMissing : static_cast<float>(i), 50, 1});
	ChannelEvaluator derived(definitions(), kUnits);
	EXPECT_EQ(findTareOffsets(derived, recording)[1], (0.0 + 2 + 3) / 3);

	ChannelEvaluator expected(definitions(), kUnits);
	expected.setTareOffsets(derived.tareOffsets());
	uint64_t next = 100;
	int mismatches = 0;
	ASSERT_TRUE(deriveRecording(derived, recording, 100, 10000,
			[&](uint64_t first, std::span<const std::vector<double>> columns) {
				EXPECT_EQ(first, next);
				for (std::size_t i = 0; i < columns[0].size(); ++i, ++next) {
					const auto values = expected.evaluate(recording.rows[next]);
					for (std::size_t c = 0; c < values.size(); ++c)
						mismatches += !(values[c] == columns[c][i]) &&
								!std::isnan(values[c]);
				}
				return true;
			}));
	EXPECT_EQ(next, 10000u);
	EXPECT_EQ(mismatches, 0);
	EXPECT_FALSE(deriveRecording(derived, recording, 0, 10000,
			[](uint64_t, std::span<const std::vector<double>>) { return false; }));
}
