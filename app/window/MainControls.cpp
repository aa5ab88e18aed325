#include "MainControls.h"

#include "widgets/JapaneseFonts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvra {

QWidget *MainControls::buildRangeGroup(QWidget *parent)
{
	auto *group = new QGroupBox(tr("表示範囲"), parent);
	scrollGroup = new QButtonGroup(group);
	const QString scrollCaptions[] = {tr("全表示"), tr("自動ｽｸﾛｰﾙ"), tr("手動ｽｸﾛｰﾙ")};
	auto *scroll = new QVBoxLayout;
	for (int i = 0; i < 3; ++i) {
		scrollModes_[i] = new QRadioButton(scrollCaptions[i], group);
		scrollModes_[i]->setObjectName(QStringLiteral("scrollMode%1").arg(i));
		scrollGroup->addButton(scrollModes_[i], i);
		scroll->addWidget(scrollModes_[i]);
	}

	countList = new QComboBox(group);
	countList->setObjectName(QStringLiteral("countList"));
	scrollLeft = new QPushButton(QStringLiteral("←"), group);
	scrollLeft->setObjectName(QStringLiteral("scrollLeftButton"));
	scrollRight = new QPushButton(QStringLiteral("→"), group);
	scrollRight->setObjectName(QStringLiteral("scrollRightButton"));
	auto *count = new QGridLayout;
	count->addWidget(new QLabel(tr("表示データ数"), group), 0, 0, 1, 2);
	count->addWidget(countList, 1, 0, 1, 2);
	count->addWidget(scrollLeft, 2, 0);
	count->addWidget(scrollRight, 2, 1);

	scaleGroup = new QButtonGroup(group);
	scaleModes_[0] = new QRadioButton(tr("自動"), group);
	scaleModes_[1] = new QRadioButton(tr("固定"), group);
	scaleModes_[0]->setObjectName(QStringLiteral("scaleAuto"));
	scaleModes_[1]->setObjectName(QStringLiteral("scaleFixed"));
	scaleGroup->addButton(scaleModes_[0], 0);
	scaleGroup->addButton(scaleModes_[1], 1);
	scaleTop_ = new QLineEdit(group);
	scaleTop_->setObjectName(QStringLiteral("scaleTopEdit"));
	scaleBottom_ = new QLineEdit(group);
	scaleBottom_->setObjectName(QStringLiteral("scaleBottomEdit"));
	scaleTop_->setToolTip(tr("上限"));
	scaleBottom_->setToolTip(tr("下限"));
	setScale = new QPushButton(tr("設定"), group);
	setScale->setObjectName(QStringLiteral("setScaleButton"));
	limit = new QPushButton(tr("リミット"), group);
	limit->setObjectName(QStringLiteral("limitButton"));
	auto *scale = new QGridLayout;
	scale->addWidget(scaleModes_[0], 0, 0);
	scale->addWidget(scaleTop_, 0, 1);
	scale->addWidget(scaleModes_[1], 1, 0);
	scale->addWidget(scaleBottom_, 1, 1);
	scale->addWidget(setScale, 2, 1);
	scale->addWidget(limit, 3, 1);

	auto *layout = new QHBoxLayout(group);
	layout->addLayout(scroll);
	layout->addLayout(count);
	layout->addSpacing(12);
	layout->addLayout(scale);
	return group;
}

QWidget *MainControls::buildValueGroup(QWidget *parent)
{
	auto *group = new QGroupBox(tr("現在値"), parent);
	auto *layout = new QGridLayout(group);
	const QFont valueFont = fixedPitchJapaneseFont();
	for (int u = 0; u < kUnitCount; ++u) {
		values[u] = new QLabel(group);
		values[u]->setObjectName(QStringLiteral("value%1").arg(u));
		values[u]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
		values[u]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
		values[u]->setFont(valueFont);
		values[u]->setMinimumWidth(110);
		layout->addWidget(new QLabel(QStringLiteral("ID%1").arg(u), group), u / 2,
				(u % 2) * 2);
		layout->addWidget(values[u], u / 2, (u % 2) * 2 + 1);
	}
	acknowledge = new QPushButton(tr("確認"), group);
	acknowledge->setObjectName(QStringLiteral("acknowledgeButton"));
	acknowledge->setToolTip(tr("リミットの表示を戻す"));
	acknowledge->setEnabled(false);
	mark = new QPushButton(tr("マーク"), group);
	mark->setObjectName(QStringLiteral("markButton"));
	mark->setToolTip(tr("最新のデータに印を付ける (M)"));
	events = new QPushButton(tr("イベント"), group);
	events->setObjectName(QStringLiteral("eventsButton"));
	auto *buttons = new QHBoxLayout;
	buttons->addWidget(mark);
	buttons->addWidget(events);
	buttons->addStretch();
	buttons->addWidget(acknowledge);
	layout->addLayout(buttons, 2, 0, 1, 4);
	return group;
}

QWidget *MainControls::buildCommandColumn(QWidget *parent)
{
	auto *column = new QWidget(parent);
	auto *layout = new QVBoxLayout(column);
	layout->setContentsMargins(0, 0, 0, 0);
	auto add = [&](QPushButton *&button, const QString &caption, const char *name) {
		button = new QPushButton(caption, column);
		button->setObjectName(QLatin1String(name));
		button->setMinimumSize(110, 34);
		layout->addWidget(button);
	};
	add(start, tr("開始"), "startButton");
	add(stop, tr("停止"), "stopButton");
	layout->addSpacing(10);
	add(setting, tr("取込設定"), "settingButton");
	add(unitSetting, tr("単位設定"), "unitSettingButton");
	add(saveConditions, tr("測定条件保存"), "saveConditionsButton");
	layout->addSpacing(10);
	add(dataList, tr("データ表示"), "dataListButton");
	add(save, tr("保存"), "saveButton");
	add(read, tr("読込み"), "readButton");
	add(print, tr("印刷"), "printButton");
	layout->addStretch();
	add(end, tr("終了"), "endButton");
	return column;
}

void MainControls::buildMoveButtons(QWidget *window)
{
	for (int i = 0; i < static_cast<int>(move.size()); ++i) {
		move[i] = new QPushButton(QStringLiteral("○"), window);
		move[i]->setObjectName(QStringLiteral("moveButton%1").arg(i));
		move[i]->setToolTip(tr("移動ツールの表示"));
		move[i]->setAccessibleName(tr("移動ツールの表示"));
		move[i]->setFixedSize(25, 25);
	}
}

void MainControls::placeMoveButtons(const QSize &window)
{
	const int right = window.width() - move[1]->width();
	const int bottom = window.height() - move[2]->height();
	move[0]->move(0, 0);
	move[1]->move(right, 0);
	move[2]->move(0, bottom);
	move[3]->move(right, bottom);
}

void MainControls::showRunning(bool running)
{
	start->setEnabled(!running);
	stop->setEnabled(running);
	for (QPushButton *button : {setting, unitSetting, print, read, save, end, dataList, limit})
		button->setEnabled(!running);
}

void MainControls::setScrollButtonsEnabled(bool enabled)
{
	scrollLeft->setEnabled(enabled);
	scrollRight->setEnabled(enabled);
}

void MainControls::setCountListEnabled(bool enabled)
{
	countList->setEnabled(enabled);
}

void MainControls::setCountList(const QStringList &items, int selected)
{
	const QSignalBlocker blocker(countList);
	countList->clear();
	countList->addItems(items);
	countList->setCurrentIndex(selected);
}

int32_t MainControls::countListValue() const
{
	return countList->currentText().toInt();
}

void MainControls::showScrollMode(int index)
{
	const QSignalBlocker blocker(scrollGroup);
	scrollModes_[index]->setChecked(true);
}

void MainControls::showScaleMode(int index)
{
	const QSignalBlocker blocker(scaleGroup);
	scaleModes_[index]->setChecked(true);
}

void MainControls::setScaleInputs(bool enabled, const QString &top, const QString &bottom)
{
	scaleTop_->setEnabled(enabled);
	scaleBottom_->setEnabled(enabled);
	setScale->setEnabled(enabled);
	scaleTop_->setText(top);
	scaleBottom_->setText(bottom);
}

QString MainControls::scaleTopText() const
{
	return scaleTop_->text();
}

QString MainControls::scaleBottomText() const
{
	return scaleBottom_->text();
}

void MainControls::setValueText(int unit, const QString &text)
{
	values[unit]->setText(text);
}

} // namespace kelvra
