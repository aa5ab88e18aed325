#include "AnalysisInputs.h"

#include "RecordingSeries.h"

#include "analysis/SampleVectorSeries.h"
#include "core/NumberText.h"
#include "files/DataFile.h"
#include "files/MeasurementFiles.h"
#include "files/TextCodec.h"

#include <QFile>

#include <cmath>

namespace kelvra::cli {

namespace {

QString unitName(int unit)
{
	return QStringLiteral("ID%1").arg(unit);
}

void addColumns(AnalysisInput &input, std::array<std::vector<float>, kUnitCount> &columns,
		const std::array<bool, kUnitCount> &used)
{
	for (int u = 0; u < kUnitCount; ++u) {
		if (used[u])
			input.series.push_back({unitName(u),
					std::make_unique<analysis::SampleVectorSeries>(
							std::move(columns[u]), input.intervalS)});
	}
}

std::optional<AnalysisInput> openRecording(const QString &fileName, QString *error)
{
	AnalysisInput input;
	input.recording = RecordingReader::open(fileName, error);
	if (!input.recording)
		return std::nullopt;
	const RecordingHeader &h = input.recording->header();
	input.intervalS = h.intervalS;
	input.unitText = h.unitText;
	for (int u = 0; u < kUnitCount; ++u) {
		if (h.inUse(u))
			input.series.push_back({unitName(u),
					std::make_unique<RecordingSeries>(*input.recording, u)});
	}
	return input;
}

std::optional<AnalysisInput> openDataFile(const QString &fileName, QString *error)
{
	const auto content = LoadDataFileContent(fileName, error);
	if (!content)
		return std::nullopt;
	AnalysisInput input;
	input.intervalS = content->header.interval / 1000.0;
	input.unitText = GetSingStr(content->unitInfo ? content->unitInfo->sing : 0);
	std::array<std::vector<float>, kUnitCount> columns;
	std::array<bool, kUnitCount> used{};
	for (const auto &row : content->rows) {
		for (int u = 0; u < kUnitCount; ++u) {
			const bool present = row[u] != kNoData;
			used[u] = used[u] || present;
			columns[u].push_back(present ? static_cast<float>(row[u]) : NAN);
		}
	}
	addColumns(input, columns, used);
	return input;
}

// The lines of a CSV file in the code page it was written in, its items
// without their quotation marks.
std::vector<QStringList> csvLines(const QByteArray &bytes)
{
	const QByteArray bom("\xEF\xBB\xBF");
	const QString text = bytes.startsWith(bom) ? QString::fromUtf8(bytes.mid(bom.size()))
						   : fromCodePage932(bytes);
	std::vector<QStringList> lines;
	for (QString line : text.split(QLatin1Char('\n'))) {
		if (line.endsWith(QLatin1Char('\r')))
			line.chop(1);
		QStringList items = line.split(QLatin1Char(','));
		for (QString &item : items) {
			if (item.size() >= 2 && item.startsWith(QLatin1Char('"')) &&
					item.endsWith(QLatin1Char('"')))
				item = item.mid(1, item.size() - 2)
						       .replace(QStringLiteral("\"\""),
								       QStringLiteral("\""));
		}
		lines.push_back(items);
	}
	return lines;
}

} // namespace

const AnalysisSeries *AnalysisInput::find(const QString &name) const
{
	for (const AnalysisSeries &s : series) {
		if (s.name == name)
			return &s;
	}
	return nullptr;
}

std::optional<AnalysisInput> ParseCsvExport(const QByteArray &bytes, QString *error)
{
	const std::vector<QStringList> lines = csvLines(bytes);
	const QStringList columnNames{unitName(0), unitName(1), unitName(2), unitName(3)};
	AnalysisInput input;
	std::size_t row = 0;
	for (; row < lines.size() && lines[row] != columnNames; ++row) {
		const QStringList &line = lines[row];
		if (line.size() < 2)
			continue;
		if (line[0] == QStringLiteral("測定間隔(msec)"))
			input.intervalS = readNumber(line[1]).value_or(0.0) / 1000.0;
		else if (line[0] == QStringLiteral("測定間隔(sec)"))
			input.intervalS = readNumber(line[1]).value_or(0.0);
		else if (line[0] == QStringLiteral("単位"))
			input.unitText = line[1];
	}
	if (row == lines.size() || !(input.intervalS > 0.0)) {
		*error =
				QStringLiteral("no CSV file of Kelvra: its interval or its columns "
					       "\"ID0\",\"ID1\",\"ID2\",\"ID3\" are missing");
		return std::nullopt;
	}
	std::array<std::vector<float>, kUnitCount> columns;
	std::array<bool, kUnitCount> used{};
	for (++row; row < lines.size(); ++row) {
		const QStringList &cells = lines[row];
		if (cells.size() == 1 && cells[0].isEmpty())
			continue; // the line end after the last row
		if (cells.size() != kUnitCount) {
			*error = QStringLiteral("line %1 holds %2 items, not %3")
						 .arg(row + 1)
						 .arg(cells.size())
						 .arg(kUnitCount);
			return std::nullopt;
		}
		for (int u = 0; u < kUnitCount; ++u) {
			const auto value = cells[u].isEmpty() ? std::optional<float>(NAN)
							      : readSingle(cells[u]);
			if (!value) {
				*error = QStringLiteral("line %1: '%2' is no number")
							 .arg(row + 1)
							 .arg(cells[u]);
				return std::nullopt;
			}
			used[u] = used[u] || !std::isnan(*value);
			columns[u].push_back(*value);
		}
	}
	addColumns(input, columns, used);
	return input;
}

namespace {

std::optional<AnalysisInput> openFile(const QString &fileName, QString *error)
{
	if (IsRecordingFile(fileName))
		return openRecording(fileName, error);
	if (FileTypeOf(fileName) == FileType::Dedicated)
		return openDataFile(fileName, error);
	QFile file(fileName);
	if (!file.open(QIODevice::ReadOnly)) {
		*error = file.errorString();
		return std::nullopt;
	}
	return ParseCsvExport(file.readAll(), error);
}

} // namespace

std::optional<AnalysisInput> OpenAnalysisInput(const QString &fileName, QString *error)
{
	auto input = openFile(fileName, error);
	if (input && !(input->intervalS > 0.0)) {
		*error = QStringLiteral("its sampling interval is %1 s").arg(input->intervalS);
		return std::nullopt;
	}
	return input;
}

} // namespace kelvra::cli
