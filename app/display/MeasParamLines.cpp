#include "MeasParamLines.h"

#include "core/NumberText.h"

namespace kelvra {

namespace {

const QString kFullWidthBlank = QStringLiteral("　");

QString intervalText(const ModuleData &md)
{
	if (md.TimerType != kFalse)
		return QString::number(md.IntervalTM / 1000.0, 'g', 15) + QStringLiteral(" (sec)");
	return QString::number(md.IntervalTM) + QStringLiteral(" (msec)");
}

// One entry per unit in use, each followed by a full-width blank.
template <typename Entry>
QString perUnitText(const ModuleData &md, Entry entry)
{
	QString text;
	for (int u = 0; u < kUnitCount; ++u) {
		if (md.Channels[u].inUse())
			text += QStringLiteral("ID%1：").arg(u) + entry(md.Channels[u]) +
					kFullWidthBlank;
	}
	return text;
}

} // namespace

std::vector<MeasParamLine> MeasParamLines(const ModuleData &md)
{
	const bool upper = md.TrgMaxFlag == kTrue;
	const bool lower = md.TrgMinFlag == kTrue;

	std::vector<MeasParamLine> lines;
	lines.push_back({QStringLiteral("測定日"), md.StartTimeStr});
	lines.push_back({QStringLiteral("測定間隔"), intervalText(md)});
	lines.push_back({QStringLiteral("平均化"),
			md.DataAverage != kFalse ? QStringLiteral("有り")
						 : QStringLiteral("無し")});
	if (upper)
		lines.push_back({QStringLiteral("上限トリガ"), shortestText(md.TrgVMax)});
	if (lower)
		lines.push_back({QStringLiteral("下限トリガ"), shortestText(md.TrgVMin)});
	if (upper || lower) {
		lines.push_back({QStringLiteral("取込データ数"),
				QStringLiteral("トリガ前：%1  トリガ後：%2")
						.arg(md.TrgDnum1)
						.arg(md.TrgDnum2)});
		lines.push_back({QStringLiteral("トリガ使用ユニット  ID%1").arg(md.TrgUnitID),
				QString()});
	}
	lines.push_back({QStringLiteral("単位"), md.GetSingStr()});
	if (md.Sing > 0) {
		lines.push_back({QStringLiteral("定格出力"),
				perUnitText(md, [](const ChannelRecord &channel) {
					return shortestText(channel.Power) +
							GetPowerSingStr(channel.PowerSing);
				})});
		lines.push_back({QStringLiteral("定格容量"),
				perUnitText(md, [&md](const ChannelRecord &channel) {
					return shortestText(channel.Capacity) + md.GetSingStr();
				})});
	}
	return lines;
}

} // namespace kelvra
