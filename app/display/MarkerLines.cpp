#include "MarkerLines.h"

#include "run/EventTimes.h"

namespace kelvra {

std::vector<ChartMarker> MarkerLines(const ModuleData &md)
{
	std::vector<ChartMarker> lines;
	for (const RunEvent &event : md.Events) {
		if (event.kind != EventKind::Marker)
			continue;
		QString label = QStringLiteral("M%1").arg(lines.size() + 1);
		if (!event.text.isEmpty())
			label += QLatin1Char(' ') + event.text;
		lines.push_back({GraphX(md, event.timeS), label});
	}
	return lines;
}

} // namespace kelvra
