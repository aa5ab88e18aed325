#include "DialogLimits.h"

#include "core/Prompt.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvra {

namespace {

const char *const kLevelCaptions[] = {QT_TRANSLATE_NOOP("kelvra::DialogLimits", "警告"),
		QT_TRANSLATE_NOOP("kelvra::DialogLimits", "異常")};
const char *const kSideCaptions[] = {QT_TRANSLATE_NOOP("kelvra::DialogLimits", "上限"),
		QT_TRANSLATE_NOOP("kelvra::DialogLimits", "下限")};

} // namespace

DialogLimits::DialogLimits(
		const ModuleData &md, const LimitSettings &limits, Prompt &prompt, QWidget *parent)
	: QDialog(parent), md_(md), prompt_(prompt), limits_(limits)
{
	setWindowTitle(tr("リミット設定"));
	setModal(true);

	chkBeep = new QCheckBox(tr("異常で音を鳴らす"), this);
	chkBeep->setChecked(limits.beep);
	const DialogButtons buttons = makeDialogButtons(this, QStringLiteral("OK"), tr("ｷｬﾝｾﾙ"));
	OKButton = buttons.ok;
	CancelButton = buttons.cancel;

	auto *layout = new QVBoxLayout(this);
	layout->addWidget(buildLevelFrame());
	layout->addWidget(chkBeep);
	layout->addLayout(buttons.layout);
	connect(OKButton, &QPushButton::clicked, this, &DialogLimits::OKButton_Click);
}

QWidget *DialogLimits::buildLevelFrame()
{
	auto *frame = new QGroupBox(tr("リミット"), this);
	auto *grid = new QGridLayout(frame);
	for (int level = 0; level < 2; ++level) {
		for (int side = 0; side < 2; ++side) {
			const QString caption = tr(kLevelCaptions[level]) + QLatin1Char(' ') +
					tr(kSideCaptions[side]);
			grid->addWidget(new QLabel(caption, frame), 0, 1 + level * 2 + side);
		}
	}
	grid->addWidget(new QLabel(tr("ヒステリシス"), frame), 0, 5);

	const LimitEntries entries = EntriesOf(limits_);
	int row = 1;
	for (int u = 0; u < kUnitCount; ++u) {
		if (md_.Channels[u].Mflag == kFalse)
			continue;
		const QString id = QStringLiteral("ID%1").arg(u);
		grid->addWidget(new QLabel(id, frame), row, 0);
		for (int level = 0; level < 2; ++level) {
			for (int side = 0; side < 2; ++side) {
				const QString name = id + QLatin1Char(' ') +
						tr(kLevelCaptions[level]) + QLatin1Char(' ') +
						tr(kSideCaptions[side]);
				const LevelEntry &entry = entries[u].levels[level][side];
				auto *box = new QCheckBox(frame);
				box->setAccessibleName(name);
				box->setChecked(entry.ticked);
				auto *text = new QLineEdit(entry.text, frame);
				text->setAccessibleName(name + tr(" 値"));
				text->setEnabled(entry.ticked);
				connect(box, &QCheckBox::toggled, text, &QLineEdit::setEnabled);
				auto *cell = new QHBoxLayout;
				cell->addWidget(box);
				cell->addWidget(text);
				grid->addLayout(cell, row, 1 + level * 2 + side);
				chkLevel[u][level][side] = box;
				txtLevel[u][level][side] = text;
			}
		}
		txtHysteresis[u] = new QLineEdit(entries[u].hysteresis, frame);
		txtHysteresis[u]->setAccessibleName(id + tr(" ヒステリシス"));
		grid->addWidget(txtHysteresis[u], row, 5);
		++row;
	}
	if (row == 1)
		grid->addWidget(new QLabel(tr("使用ユニットの指定がありません。"), frame), row, 0,
				1, 6);
	return frame;
}

LimitEntries DialogLimits::entries() const
{
	LimitEntries entries = EntriesOf(limits_);
	for (int u = 0; u < kUnitCount; ++u) {
		if (!txtHysteresis[u])
			continue;
		for (int level = 0; level < 2; ++level) {
			for (int side = 0; side < 2; ++side)
				entries[u].levels[level][side] = {
						chkLevel[u][level][side]->isChecked(),
						txtLevel[u][level][side]->text()};
		}
		entries[u].hysteresis = txtHysteresis[u]->text();
	}
	return entries;
}

void DialogLimits::OKButton_Click()
{
	const LimitCheck check = CheckLimits(entries(), md_, limits_);
	if (!check.limits) {
		prompt_.message(check.message, kErrorTitle, Prompt::Icon::Error);
		return;
	}
	limits_ = *check.limits;
	limits_.beep = chkBeep->isChecked();
	accept();
}

} // namespace kelvra
