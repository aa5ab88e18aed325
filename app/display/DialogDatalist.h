#pragma once

// "データ表示": every stored sample of the four units, one line per sample
// number, in a fixed-pitch font.

#include "core/ModuleData.h"

#include <QDialog>

class QLabel;
class QListView;

namespace kelvra {

class DataListModel;

class DialogDatalist : public QDialog {
	Q_OBJECT

public:
	DialogDatalist(const ModuleData &md, QWidget *parent = nullptr);

	QListView *List1() const { return list_; }
	QLabel *lblDataNum() const { return count_; }

private:
	DataListModel *model_;
	QListView *list_;
	QLabel *count_;
};

} // namespace kelvra
