#include "FilterOption.h"

#include "CommandLine.h"
#include "ConsolePrompt.h"

#include "RecordingSeries.h"

#include "analysis/FilteredSeries.h"
#include "analysis/SampleVectorSeries.h"
#include "core/NumberText.h"

#include <QStringList>

#include <cmath>

namespace kelvra::cli {

using namespace analysis;

namespace {

QString refusalText(Refusal refusal, const FilterSpec &spec, double rateHz)
{
	switch (refusal) {
	case Refusal::CutoffOutOfRange:
		return CliText::tr(
				"カットオフ周波数 %1 Hz はサンプリング周波数の半分 (%2 Hz) "
				"未満の正の値にします")
				.arg(spec.cutoffHz)
				.arg(rateHz / 2.0);
	case Refusal::OrderOutOfRange:
		return CliText::tr("フィルタの次数は 1 から 8 です");
	case Refusal::LengthOutOfRange:
		return CliText::tr("移動平均は 1 から %1 サンプルです").arg(kMaxAverageLength);
	default:
		return CliText::tr("解析できません");
	}
}

} // namespace

FilterSpec ParseFilterOption(const QString &text)
{
	const QStringList parts = text.split(QLatin1Char(':'));
	const QString &kind = parts[0];
	FilterSpec spec;
	bool ok = parts.size() >= 2;
	if (ok && kind == QLatin1String("moving") && parts.size() == 2) {
		spec.kind = FilterKind::MovingAverage;
		spec.length = parts[1].toULongLong(&ok);
	} else if (ok && (kind == QLatin1String("lowpass") || kind == QLatin1String("highpass")) &&
			parts.size() <= 3) {
		spec.kind = kind == QLatin1String("lowpass") ? FilterKind::LowPass
							     : FilterKind::HighPass;
		const auto cutoff = readNumber(parts[1]);
		spec.cutoffHz = cutoff.value_or(0.0);
		ok = cutoff.has_value();
		if (ok && parts.size() == 3)
			spec.order = parts[2].toInt(&ok);
	} else {
		ok = false;
	}
	if (!ok)
		throw UsageError{
				CliText::tr("--filter には lowpass:FC[:ORDER]、"
					    "highpass:FC[:ORDER] か moving:N を指定します")};
	return spec;
}

DesignedFilter DesignFilterOption(const FilterSpec &spec, double intervalS)
{
	const double rateHz = 1.0 / intervalS;
	auto design = DesignFilter(spec, rateHz);
	if (!design)
		throw UsageError{refusalText(design.refusal(), spec, rateHz)};
	return *design;
}

void FilterRows(std::vector<std::array<double, kUnitCount>> &rows, const DesignedFilter &filter,
		double intervalS)
{
	for (int u = 0; u < kUnitCount; ++u) {
		std::vector<float> column;
		column.reserve(rows.size());
		for (const auto &row : rows)
			column.push_back(row[u] == kNoData ? NAN : static_cast<float>(row[u]));
		const SampleVectorSeries input(std::move(column), intervalS);
		std::vector<float> filtered(rows.size());
		FilteredSeries(input, filter, FilterMode::ZeroPhase)
				.read(0, rows.size(), filtered.data());
		for (size_t r = 0; r < rows.size(); ++r)
			rows[r][u] = std::isnan(filtered[r]) ? kNoData : filtered[r];
	}
}

struct FilteredReading::Unit {
	Unit(const RecordingReader &reader, int unit, const DesignedFilter &filter)
		: recorded(reader, unit), filtered(recorded, filter, FilterMode::ZeroPhase)
	{
	}
	RecordingSeries recorded;
	FilteredSeries filtered;
};

FilteredReading::FilteredReading(const RecordingReader &reader, const DesignedFilter &filter)
{
	for (int u = 0; u < kUnitCount; ++u)
		units_.push_back(std::make_unique<Unit>(reader, u, filter));
}

FilteredReading::~FilteredReading() = default;

SampleReading FilteredReading::reading() const
{
	return [this](int unit, uint64_t from, uint64_t to, float *out) {
		units_[static_cast<size_t>(unit)]->filtered.read(from, to, out);
	};
}

} // namespace kelvra::cli
