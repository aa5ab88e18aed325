#include "DialogMoveWindow.h"

#include <QGridLayout>
#include <QPushButton>

namespace kelvra {

namespace {

struct MoveButton {
	const char *caption;
	const char *toolTip;
	int row;
	int column;
};

// cmdMV(0..4), laid out as a cross.
const std::array<MoveButton, 5> kButtons{{
		{"←", QT_TRANSLATE_NOOP("kelvra::DialogMoveWindow", "左に移動"), 1, 0},
		{"→", QT_TRANSLATE_NOOP("kelvra::DialogMoveWindow", "右に移動"), 1, 2},
		{"↑", QT_TRANSLATE_NOOP("kelvra::DialogMoveWindow", "上に移動"), 0, 1},
		{"↓", QT_TRANSLATE_NOOP("kelvra::DialogMoveWindow", "下に移動"), 2, 1},
		{"□", QT_TRANSLATE_NOOP("kelvra::DialogMoveWindow", "左上合わせ"), 1, 1},
}};

} // namespace

DialogMoveWindow::DialogMoveWindow(QWidget *mainWindow)
	: QDialog(mainWindow, Qt::Tool), mainWindow_(mainWindow),
	  steps_(mainWindow->frameGeometry().size())
{
	setWindowTitle(tr("移動"));
	setAttribute(Qt::WA_DeleteOnClose);
	auto *layout = new QGridLayout(this);
	for (int i = 0; i < static_cast<int>(kButtons.size()); ++i) {
		const MoveButton &button = kButtons[i];
		cmdMV[i] = new QPushButton(QString::fromUtf8(button.caption), this);
		cmdMV[i]->setToolTip(tr(button.toolTip));
		cmdMV[i]->setAccessibleName(tr(button.toolTip));
		cmdMV[i]->setAutoDefault(false);
		cmdMV[i]->setFixedSize(32, 32);
		layout->addWidget(cmdMV[i], button.row, button.column);
		connect(cmdMV[i], &QPushButton::clicked, this, [this, i] { cmdMV_Click(i); });
	}
}

void DialogMoveWindow::cmdMV_Click(int index)
{
	mainWindow_->move(steps_.moved(index, mainWindow_->pos()));
}

} // namespace kelvra
