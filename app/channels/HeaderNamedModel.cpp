#include "HeaderNamedModel.h"

namespace kelvra {

QVariant HeaderNamedModel::data(const QModelIndex &index, int role) const
{
	if (role != Qt::AccessibleTextRole)
		return QStandardItemModel::data(index, role);
	return QStringLiteral("%1 %2: %3")
			.arg(headerData(index.column(), Qt::Horizontal).toString(),
					headerData(index.row(), Qt::Vertical).toString(),
					QStandardItemModel::data(index, Qt::DisplayRole)
							.toString());
}

} // namespace kelvra
