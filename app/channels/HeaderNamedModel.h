#pragma once

#include <QStandardItemModel>

namespace kelvra {

// The cells of a table as a screen reader names them: by their column's
// and their row's header, then their text ("X 2: 0.5").
class HeaderNamedModel : public QStandardItemModel {
	Q_OBJECT

public:
	using QStandardItemModel::QStandardItemModel;

	QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

} // namespace kelvra
