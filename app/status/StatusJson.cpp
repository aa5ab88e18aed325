#include "StatusJson.h"

#include "files/RecordingSpace.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>

namespace kelvra {

namespace {

// A float32 as its shortest decimal ("12.3", not 12.300000190734863), which
// is the double JSON then writes; null for NaN.
QJsonValue number(float value)
{
	if (!std::isfinite(value))
		return QJsonValue::Null;
	char text[32];
	const auto end = std::to_chars(text, text + sizeof text, value).ptr;
	double shortest = 0.0;
	std::from_chars(text, end, shortest);
	return shortest;
}

// Times to the microsecond, which keeps sums of intervals short.
QJsonValue seconds(double value)
{
	return std::isfinite(value) ? QJsonValue(std::round(value * 1e6) / 1e6)
				    : QJsonValue(QJsonValue::Null);
}

QJsonObject recordingObject(const StatusRecording &recording)
{
	return {{QStringLiteral("file"), recording.file},
			{QStringLiteral("recordedS"), seconds(recording.recordedS)},
			{QStringLiteral("samplesLost"), static_cast<qint64>(recording.samplesLost)},
			{QStringLiteral("freeBytes"),
					recording.freeBytes ? QJsonValue(static_cast<qint64>(
									      *recording.freeBytes))
							    : QJsonValue::Null},
			{QStringLiteral("lastsS"),
					recording.lastsS ? seconds(*recording.lastsS)
							 : QJsonValue::Null},
			{QStringLiteral("lastsText"),
					recording.lastsS ? SpanText(*recording.lastsS)
							 : QString()}};
}

QJsonArray valuesArray(const std::vector<StatusValue> &values)
{
	QJsonArray array;
	for (const StatusValue &value : values)
		array.append(QJsonObject{{QStringLiteral("name"), value.name},
				{QStringLiteral("value"), number(value.value)},
				{QStringLiteral("unit"), value.unitName},
				{QStringLiteral("alarm"),
						QLatin1String(StatusAlarmName(value.alarm))}});
	return array;
}

QJsonArray seriesArray(const std::vector<StatusSeries> &series)
{
	QJsonArray array;
	for (const StatusSeries &one : series) {
		QJsonArray points;
		for (const StatusPoint &point : one.points)
			points.append(QJsonArray{seconds(point.timeS), number(point.minimum),
					number(point.maximum), number(point.last)});
		array.append(QJsonObject{{QStringLiteral("name"), one.name},
				{QStringLiteral("unit"), one.unitName},
				{QStringLiteral("points"), points}});
	}
	return array;
}

QJsonObject eventObject(const StatusEvent &event)
{
	return {{QStringLiteral("seq"), static_cast<qint64>(event.sequence)},
			{QStringLiteral("kind"), event.kind},
			{QStringLiteral("kindText"),
					event.kindText.isEmpty() ? event.kind : event.kindText},
			{QStringLiteral("unit"), event.unit},
			{QStringLiteral("timeS"), seconds(event.timeS)},
			{QStringLiteral("text"), event.text}};
}

template <typename Iterator>
QJsonArray eventsArray(Iterator first, Iterator last)
{
	QJsonArray array;
	for (; first != last; ++first)
		array.append(eventObject(*first));
	return array;
}

} // namespace

QByteArray StatusJson(const StatusSnapshot &snapshot, const std::deque<StatusEvent> &events,
		std::size_t newestEvents, uint64_t lastEvent)
{
	const std::size_t shown = std::min(newestEvents, events.size());
	const QJsonObject status{{QStringLiteral("running"), snapshot.running},
			{QStringLiteral("recording"), recordingObject(snapshot.recording)},
			{QStringLiteral("values"), valuesArray(snapshot.values)},
			{QStringLiteral("series"), seriesArray(snapshot.series)},
			{QStringLiteral("events"), eventsArray(events.end() - shown, events.end())},
			{QStringLiteral("lastEvent"), static_cast<qint64>(lastEvent)}};
	return QJsonDocument(status).toJson(QJsonDocument::Compact);
}

QByteArray EventsJson(const std::deque<StatusEvent> &events, uint64_t since, uint64_t lastEvent)
{
	const auto after = std::find_if(events.begin(), events.end(),
			[since](const StatusEvent &event) { return event.sequence > since; });
	const QJsonObject list{{QStringLiteral("events"), eventsArray(after, events.end())},
			{QStringLiteral("lastEvent"), static_cast<qint64>(lastEvent)}};
	return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

} // namespace kelvra
