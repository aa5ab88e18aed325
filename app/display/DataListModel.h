#pragma once

// The lines of the data list: one per sample number, the cells of units 0..3
// joined by a blank. A line is formatted only when the list shows it, so a
// full buffer opens at once. The row count is taken when the list opens; the
// list is closed whenever the data are cleared or replaced.

#include "core/ModuleData.h"

#include <QAbstractListModel>

namespace kelvra {

class DataListModel : public QAbstractListModel {
public:
	explicit DataListModel(const ModuleData &md, QObject *parent = nullptr);

	int rowCount(const QModelIndex &parent = {}) const override;
	QVariant data(const QModelIndex &index, int role) const override;

	// Line of sample number k (from 1).
	static QString line(const ModuleData &md, int32_t k);

private:
	const ModuleData &md_;
	int32_t rows_;
};

} // namespace kelvra
