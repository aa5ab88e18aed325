#include "DialogEvents.h"

#include "run/EventText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kelvra {

namespace {

constexpr int kTimeRole = Qt::UserRole;

} // namespace

DialogEvents::DialogEvents(const ModuleData &md, QWidget *parent)
	: QDialog(parent), md_(md), list_(new QTreeWidget(this))
{
	setWindowTitle(tr("イベント"));
	setAttribute(Qt::WA_DeleteOnClose);

	list_->setHeaderLabels({tr("時刻（秒）"), QStringLiteral("ID"), tr("種類"), tr("内容")});
	list_->setRootIsDecorated(false);
	list_->setUniformRowHeights(true);
	list_->setSelectionMode(QAbstractItemView::SingleSelection);
	list_->header()->setStretchLastSection(true);
	connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
		Q_EMIT eventChosen(item->data(0, kTimeRole).toDouble());
	});

	auto *close = new QPushButton(tr("閉じる"), this);
	connect(close, &QPushButton::clicked, this, &QDialog::close);
	auto *bottom = new QHBoxLayout;
	bottom->addStretch();
	bottom->addWidget(close);
	auto *layout = new QVBoxLayout(this);
	layout->addWidget(list_);
	layout->addLayout(bottom);

	reload();
	list_->setColumnWidth(0, 90);
	list_->setColumnWidth(1, 40);
	list_->setColumnWidth(2, 60);
	resize(480, 320);
}

void DialogEvents::reload()
{
	list_->clear();
	for (const RunEvent &event : md_.Events)
		append(event);
}

void DialogEvents::append(const RunEvent &event)
{
	auto *item = new QTreeWidgetItem(list_,
			{QString::number(event.timeS, 'f', 2),
					event.unit >= 0 ? QStringLiteral("ID%1").arg(event.unit)
							: QString(),
					EventKindText(event.kind), EventDetailText(event)});
	item->setData(0, kTimeRole, event.timeS);
	item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
	list_->scrollToItem(item);
}

} // namespace kelvra
