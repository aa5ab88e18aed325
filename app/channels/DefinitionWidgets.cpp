#include "DefinitionWidgets.h"

#include "ChannelDefinitions.h"
#include "DefinitionEntries.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace kelvra {

QLineEdit *numberEdit(const QString &accessibleName, QWidget *parent)
{
	auto *edit = new QLineEdit(parent);
	edit->setAccessibleName(accessibleName);
	edit->setMaximumWidth(90);
	return edit;
}

void addCaptioned(QGridLayout *grid, int row, int column, const QString &caption, QWidget *entry,
		const QString &unit)
{
	auto *label = new QLabel(caption, entry->parentWidget());
	label->setBuddy(entry);
	grid->addWidget(label, row, column);
	grid->addWidget(entry, row, column + 1);
	if (!unit.isEmpty())
		grid->addWidget(new QLabel(unit, entry->parentWidget()), row, column + 2);
}

QPushButton *sideButton(const QString &text, QWidget *parent)
{
	auto *button = new QPushButton(text, parent);
	button->setAutoDefault(false);
	return button;
}

QTableView *entryTable(QAbstractItemModel *model, const QString &accessibleName, QWidget *parent)
{
	auto *table = new QTableView(parent);
	table->setModel(model);
	table->setAccessibleName(accessibleName);
	table->setTabKeyNavigation(false);
	table->setSelectionMode(QAbstractItemView::SingleSelection);
	table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
	return table;
}

QString shownUnitName(std::string_view unit)
{
	if (unit == kMicrostrainUnitName)
		return QCoreApplication::translate("Units", kMicrostrainUnitName.data());
	return shownText(unit);
}

} // namespace kelvra
