#include "MeasParamLines.h"

#include "core/NumberText.h"

#include <QCoreApplication>

namespace kelvra {

namespace {

QString intervalText(const ModuleData &md)
{
	if (md.settings.TimerType != kFalse)
		return QString::number(md.settings.IntervalTM / 1000.0, 'g', 15) +
				QStringLiteral(" (sec)");
	return QString::number(md.settings.IntervalTM) + QStringLiteral(" (msec)");
}

// One entry per unit in use, each followed by a full-width blank.
template <typename Entry>
QString perUnitText(const ModuleData &md, Entry entry)
{
	QString text;
	for (int u = 0; u < kUnitCount; ++u) {
		if (md.Channels[u].inUse())
			text += QCoreApplication::translate("MeasParamLines", "ID%1：%2　")
						.arg(u)
						.arg(entry(md.Channels[u]));
	}
	return text;
}

} // namespace

std::vector<MeasParamLine> MeasParamLines(const ModuleData &md)
{
	const bool upper = md.settings.TrgMaxFlag == kTrue;
	const bool lower = md.settings.TrgMinFlag == kTrue;

	std::vector<MeasParamLine> lines;
	lines.push_back({QCoreApplication::translate("MeasParamLines", "測定日"), md.StartTimeStr});
	lines.push_back({QCoreApplication::translate("MeasParamLines", "測定間隔"),
			intervalText(md)});
	lines.push_back({QCoreApplication::translate("MeasParamLines", "平均化"),
			md.settings.DataAverage != kFalse
					? QCoreApplication::translate("MeasParamLines", "有り")
					: QCoreApplication::translate("MeasParamLines", "無し")});
	if (upper)
		lines.push_back({QCoreApplication::translate("MeasParamLines", "上限トリガ"),
				shortestText(md.settings.TrgVMax)});
	if (lower)
		lines.push_back({QCoreApplication::translate("MeasParamLines", "下限トリガ"),
				shortestText(md.settings.TrgVMin)});
	if (upper || lower) {
		lines.push_back({QCoreApplication::translate("MeasParamLines", "取込データ数"),
				QCoreApplication::translate(
						"MeasParamLines", "トリガ前：%1  トリガ後：%2")
						.arg(md.settings.TrgDnum1)
						.arg(md.settings.TrgDnum2)});
		lines.push_back({QCoreApplication::translate(
						 "MeasParamLines", "トリガ使用ユニット  ID%1")
						 .arg(md.settings.TrgUnitID),
				QString()});
	}
	lines.push_back({QCoreApplication::translate("MeasParamLines", "単位"),
			ShownUnitText(md.GetSingStr())});
	if (md.settings.Sing > 0) {
		lines.push_back({QCoreApplication::translate("MeasParamLines", "定格出力"),
				perUnitText(md, [](const ChannelRecord &channel) {
					return shortestText(channel.Power) +
							ShownUnitText(GetPowerSingStr(
									channel.PowerSing));
				})});
		lines.push_back({QCoreApplication::translate("MeasParamLines", "定格容量"),
				perUnitText(md, [&md](const ChannelRecord &channel) {
					return shortestText(channel.Capacity) +
							ShownUnitText(md.GetSingStr());
				})});
	}
	return lines;
}

} // namespace kelvra
