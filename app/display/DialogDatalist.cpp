#include "DialogDatalist.h"

#include "DataListModel.h"
#include "widgets/JapaneseFonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvra {

DialogDatalist::DialogDatalist(const ModuleData &md, QWidget *parent)
	: QDialog(parent), model_(new DataListModel(md, this)), list_(new QListView(this)),
	  count_(new QLabel(this))
{
	setWindowTitle(tr("データ表示"));
	setAttribute(Qt::WA_DeleteOnClose);

	list_->setModel(model_);
	list_->setUniformItemSizes(true); // lines are measured once, not 88000 times
	list_->setFont(fixedPitchJapaneseFont());
	list_->setSelectionMode(QAbstractItemView::SingleSelection);
	list_->clearSelection();
	if (md.DataCount > 0)
		count_->setText(QString::number(md.DataCount));

	auto *close = new QPushButton(tr("閉じる"), this);
	connect(close, &QPushButton::clicked, this, &QDialog::close);

	auto *top = new QHBoxLayout;
	top->addWidget(new QLabel(tr("データ数"), this));
	top->addWidget(count_);
	top->addStretch();
	top->addWidget(close);
	auto *layout = new QVBoxLayout(this);
	layout->addLayout(top);
	layout->addWidget(list_);

	const int width = QFontMetrics(list_->font()).horizontalAdvance(DataListModel::line(md, 1));
	resize(std::max(width + 60, 420), 480);
}

} // namespace kelvra
