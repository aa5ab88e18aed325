#include "DataListModel.h"

namespace kelvra {

namespace {

const QString kIdeographicSpaces = QString(2, QChar(0x3000));
const QString kNoValueCell = QString(6, QLatin1Char(' ')) + kIdeographicSpaces;
const QString kUnusedCell = QString(5, QLatin1Char(' ')) + kIdeographicSpaces;

} // namespace

DataListModel::DataListModel(const ModuleData &md, QObject *parent)
	: QAbstractListModel(parent), md_(md), rows_(std::clamp(md.DataCount, 0, kBufferLength))
{
}

int DataListModel::rowCount(const QModelIndex &parent) const
{
	return parent.isValid() ? 0 : rows_;
}

QVariant DataListModel::data(const QModelIndex &index, int role) const
{
	if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_)
		return {};
	return line(md_, index.row() + 1);
}

QString DataListModel::line(const ModuleData &md, int32_t k)
{
	QString text;
	text.reserve(4 * 11);
	for (int u = 0; u < kUnitCount; ++u) {
		if (u > 0)
			text += QLatin1Char(' ');
		if (!md.Channels[u].inUse()) {
			text += kUnusedCell;
			continue;
		}
		const float value = md.SampleAt(u, k);
		text += value == kNoData ? kNoValueCell : FormatValue(value);
	}
	return text;
}

} // namespace kelvra
