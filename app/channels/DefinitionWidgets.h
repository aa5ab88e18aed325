#pragma once

// The parts both definition dialogs build their entries of.

#include <QString>

#include <string_view>

class QAbstractItemModel;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace kelvra {

QLineEdit *numberEdit(const QString &accessibleName, QWidget *parent);

// A caption at the left of its entry, which it names for the keyboard, and
// the entry's unit at its right.
void addCaptioned(QGridLayout *grid, int row, int column, const QString &caption, QWidget *entry,
		const QString &unit = {});

// A button beside a list: Enter on it still presses OK.
QPushButton *sideButton(const QString &text, QWidget *parent);

// A table of rows that Tab leaves (the arrows move in it), its columns
// sharing the width.
QTableView *entryTable(QAbstractItemModel *model, const QString &accessibleName, QWidget *parent);

// A unit name as shown: microstrain in the interface's language.
QString shownUnitName(std::string_view unit);

} // namespace kelvra
