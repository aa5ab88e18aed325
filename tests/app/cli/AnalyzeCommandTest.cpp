// kelvra-cli analyze on a small recording of two units at 10 ms: unit 0 a
// sine of amplitude 3 at 5 Hz on 1, unit 2 one of 0.5 at 12.5 Hz with a
// drop-out of 10 s from 120 s; the recording converted to CSV and a data
// file gives the other inputs.

#include "fakes/KelvraCliRunner.h"
#include "recording/RecordingStore.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class Analyze : public KelvraCli {
protected:
	void SetUp() override
	{
		ModuleData md;
		md.Channels[0].Mflag = kTrue;
		md.Channels[2].Mflag = kTrue;
		md.settings.IntervalTM = 10;
		RecordingWriter writer;
		RecordingStore store(RecordingHeaderOf(md, QDateTime::currentDateTime(),
						     SplitPeriod::None),
				path("rig"), writer, 0);
		auto sine = [](double amplitude, double hz, double offset, int from, int count) {
			std::vector<float> x(count);
			for (int i = 0; i < count; ++i)
				x[i] = static_cast<float>(offset +
						amplitude *
								std::sin(2 * std::numbers::pi * hz *
										(from + i) * 0.01));
			return x;
		};
		const auto unit0 = sine(3.0, 5.0, 1.0, 0, 20000);
		store.add(0, unit0.data(), 20000);
		const auto before = sine(0.5, 12.5, 0.0, 0, 12000);
		const auto after = sine(0.5, 12.5, 0.0, 13000, 7000);
		store.add(2, before.data(), 12000);
		store.skip(2, 1000);
		store.add(2, after.data(), 7000);
	}

	// The lines of a result, each a list of items.
	std::vector<QStringList> lines(const char *name)
	{
		QFile in(path(name));
		EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << name;
		std::vector<QStringList> out;
		for (const QString &line :
				QString::fromUtf8(in.readAll())
						.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
			out.push_back(line.split(QLatin1Char(',')));
		return out;
	}

	Outcome analyze(QStringList arguments)
	{
		return run(QStringList{QStringLiteral("analyze")} + arguments);
	}
};

QStringList words(const char *text)
{
	return QString::fromLatin1(text).split(QLatin1Char(' '));
}

} // namespace

TEST_F(Analyze, SpectrumOfARecordingAFilteredOneAndItsCsvInBothCodePages)
{
	ASSERT_EQ(0, run({QStringLiteral("convert"), path("rig.kvr"), path("rig.csv")}).status);
	ASSERT_EQ(0,
			run({QStringLiteral("convert"), QStringLiteral("--csv-encoding"),
					    QStringLiteral("utf-8"), path("rig.kvr"),
					    path("utf8.csv")})
					.status);
	for (const char *input : {"rig.kvr", "rig.csv", "utf8.csv"}) {
		const Outcome outcome = analyze({path(input), QStringLiteral("--spectrum"),
				QStringLiteral("--window"), QStringLiteral("flattop"),
				QStringLiteral("--to"), QStringLiteral("100"),
				QStringLiteral("--out"), path("spectrum.csv")});
		ASSERT_EQ(0, outcome.status) << input << outcome.errors.toStdString();
		const auto rows = lines("spectrum.csv");
		ASSERT_EQ((QStringList{QStringLiteral("frequency_hz"), QStringLiteral("ID0"),
					  QStringLiteral("ID2")}),
				rows[0]);
		ASSERT_EQ(10000u / 2 + 2, rows.size()) << input;
		EXPECT_EQ(QStringLiteral("5"), rows[1 + 500][0]);
		EXPECT_NEAR(3.0, rows[1 + 500][1].toDouble(), 3e-3) << input;
		EXPECT_NEAR(0.5, rows[1 + 1250][2].toDouble(), 5e-4) << input;
	}
	// A low-pass at 8 Hz leaves 5 Hz and takes 12.5 Hz away.
	ASSERT_EQ(0,
			analyze({path("rig.kvr"), QStringLiteral("--spectrum"),
						QStringLiteral("--to"), QStringLiteral("100"),
						QStringLiteral("--filter"),
						QStringLiteral("lowpass:8:6"),
						QStringLiteral("--out"), path("filtered.csv")})
					.status);
	const auto filtered = lines("filtered.csv");
	EXPECT_NEAR(3.0, filtered[1 + 500][1].toDouble(), 0.03);
	EXPECT_LT(filtered[1 + 1250][2].toDouble(), 0.01);
}

TEST_F(Analyze, PsdOverTheLongestStretchAsHdf5)
{
	const Outcome outcome = analyze({path("rig.kvr"), QStringLiteral("--psd"),
			QStringLiteral("--segment"), QStringLiteral("1000"),
			QStringLiteral("--out"), path("psd.h5")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	EXPECT_TRUE(outcome.errors.contains(
			QStringLiteral("analysed its longest stretch without one, 0 s to 120 s")))
			<< outcome.errors.toStdString();
	QProcess python;
	python.start(QStringLiteral("/usr/bin/python3"),
			{QStringLiteral("-c"), QStringLiteral(R"(
import sys, h5py, numpy as np
f = h5py.File(sys.argv[1], 'r')
df = f['frequency_hz'][1] - f['frequency_hz'][0]
# The density integrates to the sine's mean square, A²/2.
print(f.attrs['kind'], f.attrs['analysed_to_s'], f['frequency_hz'][np.argmax(f['ID0'][:])],
      round(f['ID0'][:].sum() * df, 3), round(f['ID2'][:].sum() * df, 4))
)"),
					path("psd.h5")});
	ASSERT_TRUE(python.waitForFinished(60000));
	ASSERT_EQ(0, python.exitCode()) << "/usr/bin/python3 with h5py: "
					<< python.readAllStandardError().toStdString();
	EXPECT_EQ("psd 120.0 5.0 4.5 0.125",
			python.readAllStandardOutput().trimmed().toStdString());
}

TEST_F(Analyze, RainflowCyclesAndTheirMatrixOfADataFile)
{
	ASSERT_EQ(0,
			run({QStringLiteral("convert"), QStringLiteral("--to"),
					    QStringLiteral("10"), path("rig.kvr"), path("rig.vn2")})
					.status);
	const Outcome outcome = analyze({path("rig.vn2"), QStringLiteral("--rainflow"),
			QStringLiteral("--units"), QStringLiteral("0"), QStringLiteral("--bins"),
			QStringLiteral("4"), QStringLiteral("--matrix"), QStringLiteral("--out"),
			path("cycles.csv")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const auto cycles = lines("cycles.csv");
	ASSERT_EQ(words("range mean count start_s end_s").join(QLatin1Char(',')),
			cycles[0].join(QLatin1Char(',')));
	// 50 periods from 1 up to 4, down to −2, …, ending at 0.07: 99 halves
	// of range 6 (ASTM counts a constant amplitude in half cycles), those
	// from 1 and to the end.
	double six = 0.0;
	double all = 0.0;
	for (std::size_t i = 1; i < cycles.size(); ++i) {
		const double count = cycles[i][2].toDouble();
		all += count;
		if (std::abs(cycles[i][0].toDouble() - 6.0) < 1e-5) {
			six += count;
			EXPECT_NEAR(1.0, cycles[i][1].toDouble(), 1e-5);
			// From a peak to a valley, or back: half a period.
			EXPECT_NEAR(0.1,
					std::abs(cycles[i][4].toDouble() - cycles[i][3].toDouble()),
					1e-9);
		}
	}
	EXPECT_EQ(49.5, six);
	EXPECT_EQ(50.5, all);
	const auto matrix = lines("cycles-matrix.csv");
	ASSERT_EQ(5u, matrix.size());
	EXPECT_EQ(QStringLiteral("range\\mean"), matrix[0][0]);
	EXPECT_EQ(QStringLiteral("49.5"), matrix[4][3]) << "range 6 of 0..6, mean 1 of -2..4";
}

TEST_F(Analyze, StatisticsOfTenSecondsFromTheSummaries)
{
	const Outcome outcome = analyze({path("rig.kvr"), QStringLiteral("--stats"),
			QStringLiteral("10s"), QStringLiteral("--from"), QStringLiteral("115"),
			QStringLiteral("--to"), QStringLiteral("135"), QStringLiteral("--out"),
			path("stats.csv")});
	ASSERT_EQ(0, outcome.status) << outcome.errors.toStdString();
	const auto rows = lines("stats.csv");
	ASSERT_EQ(words("start_s series count min max mean rms sd").join(QLatin1Char(',')),
			rows[0].join(QLatin1Char(',')));
	ASSERT_EQ(7u, rows.size());
	EXPECT_EQ(words("115 ID0 500"), rows[1].mid(0, 3));
	EXPECT_EQ(words("115 ID2 500"), rows[2].mid(0, 3));
	EXPECT_EQ(words("120 ID2 0"), rows[4].mid(0, 3)) << "the drop-out";
	EXPECT_EQ(QString(), rows[4][5]);
	EXPECT_NEAR(1.0, rows[3][5].toDouble(), 1e-6);
	EXPECT_NEAR(3.0 / std::sqrt(2.0), rows[3][7].toDouble(), 1e-6);
}

TEST_F(Analyze, RefusalsSayWhy)
{
	const struct {
		const char *arguments;
		const char *reason;
	} rows[] = {
			{"--spectrum --units 1", "unknown series ID1 (the file holds ID0,ID2)"},
			{"--psd --filter highpass:50", "below half the sampling rate (50 Hz)"},
			{"--stats 1min --from 500", "holds no samples of ID0"},
			{"--psd --segment 20000",
					"a segment of 20000 samples is longer than the 12000"},
			{"--rainflow --window flattop", "--window goes with --spectrum"},
	};
	for (const auto &row : rows) {
		const Outcome outcome =
				analyze(QStringList{path("rig.kvr"), QStringLiteral("--out"),
							path("refused.csv")} +
						words(row.arguments));
		EXPECT_EQ(2, outcome.status) << row.arguments;
		EXPECT_TRUE(outcome.errors.contains(QString::fromLatin1(row.reason)))
				<< outcome.errors.toStdString();
		EXPECT_FALSE(QFile::exists(path("refused.csv")));
	}
}
