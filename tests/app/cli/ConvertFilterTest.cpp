// kelvra-cli convert --filter: a recording's export filtered zero-phase as
// scipy's filtfilt filters it, a data file's through a centred moving
// average, and a cut-off the sampling rate cannot have refused.

#include "analysis/PythonPeer.h"
#include "fakes/KelvraCliRunner.h"
#include "recording/RecordingReader.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

TEST_F(KelvraCli, ConvertFiltersARecordingAsFiltfiltDoes)
{
	const QString recording = path("wave.kvr");
	// A triangle of 0.32 s at 100 samples a second, under a low-pass of 5 Hz.
	const Outcome recorded = run({QStringLiteral("record"), QStringLiteral("--continuous"),
			QStringLiteral("--out"), recording, QStringLiteral("--emulate"),
			QStringLiteral("id=0,signal=seq:0:25:50:75:100:75:50:25:0:-25:-50:-75:-100:-75:"
				       "-50:-25,speed=10"),
			QStringLiteral("--units"), QStringLiteral("0"),
			QStringLiteral("--interval-ms"), QStringLiteral("10"),
			QStringLiteral("--samples"), QStringLiteral("1000")});
	ASSERT_EQ(recorded.status, 0) << recorded.errors.toStdString();
	const Outcome converted = run({QStringLiteral("convert"), QStringLiteral("--filter"),
			QStringLiteral("lowpass:5:4"), recording, path("wave.csv")});
	ASSERT_EQ(converted.status, 0) << converted.errors.toStdString();

	QString error;
	const auto reader = RecordingReader::open(recording, &error);
	ASSERT_TRUE(reader) << error.toStdString();
	const std::vector<float> raw = reader->samples(0, 0, reader->sampleEnd(0));
	PythonPeer peer;
	peer.put("x", raw);
	ASSERT_TRUE(
			peer.run("b, a = signal.butter(4, 5.0, 'lowpass', fs=100.0)\n"
				 "put('y', signal.filtfilt(b, a, get('x')))\n"));
	const std::vector<double> expected = peer.get("y");
	const auto rows = csvRows(path("wave.csv"));
	ASSERT_EQ(rows.size(), expected.size());
	double worst = 0.0;
	for (size_t i = 0; i < rows.size(); ++i)
		worst = std::max(worst, std::abs(rows[i][0].toDouble() - expected[i]));
	EXPECT_LT(worst, 2e-3) << "the CSV's three decimals";
}

TEST_F(KelvraCli, ConvertFiltersADataFileAndRefusesACutOffAboveHalfTheRate)
{
	ASSERT_EQ(recordPlainFile().status, 0);
	// Unit 0 is 1, 2, 3, 4, 5, 1, …: a centred mean of three, two at the ends.
	const Outcome converted = run({QStringLiteral("convert"), QStringLiteral("--filter"),
			QStringLiteral("moving:3"), path("plain.vn2"), path("plain.csv")});
	ASSERT_EQ(converted.status, 0) << converted.errors.toStdString();
	const auto rows = csvRows(path("plain.csv"));
	ASSERT_EQ(rows.size(), 12u);
	const double means[] = {1.5, 2.0, 3.0, 4.0, 10.0 / 3.0, 8.0 / 3.0};
	for (size_t i = 0; i < std::size(means); ++i)
		EXPECT_NEAR(rows[i][0].toDouble(), means[i], 1e-3) << i;
	EXPECT_NEAR(rows[5][2].toDouble(), -1.0, 1e-3) << "a constant stays";

	const Outcome refused = run({QStringLiteral("convert"), QStringLiteral("--filter"),
			QStringLiteral("lowpass:60"), path("plain.vn2"), path("refused.csv")});
	EXPECT_EQ(refused.status, 2);
	EXPECT_TRUE(refused.errors.contains(QStringLiteral("50 Hz")))
			<< refused.errors.toStdString();
	EXPECT_FALSE(QFile::exists(path("refused.csv")));
}
