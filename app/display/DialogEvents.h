#pragma once

// "イベント": the events of the data held, one line each with its time, unit,
// kind and text in the interface's language, growing as the run tells of new ones. Choosing a line
// (a double click or Enter) asks for the graph to be moved to its time.

#include "core/ModuleData.h"

#include <QDialog>

class QTreeWidget;

namespace kelvra {

class DialogEvents : public QDialog {
	Q_OBJECT

public:
	DialogEvents(const ModuleData &md, QWidget *parent = nullptr);

	// The list anew from the events held.
	void reload();
	void append(const RunEvent &event);

	QTreeWidget *List1() const { return list_; }

Q_SIGNALS:
	void eventChosen(double timeS);

private:
	const ModuleData &md_;
	QTreeWidget *list_;
};

} // namespace kelvra
