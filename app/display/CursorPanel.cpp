#include "CursorPanel.h"

#include "CurrentValues.h"
#include "FigureLabel.h"
#include "core/NumberText.h"
#include "core/RunClock.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace kelvra {

namespace {

FigureLabel *valueLabel(QWidget *parent, const QString &name)
{
	auto *label = new FigureLabel(name, parent);
	label->setMinimumWidth(70);
	return label;
}

} // namespace

CursorPanel::CursorPanel(GraphCursors &cursors, QWidget *parent)
	: QGroupBox(tr("カーソル"), parent), cursors_(cursors)
{
	auto *grid = new QGridLayout(this);
	grid->setVerticalSpacing(2);
	const QString captions[] = {tr("カーソル1"), tr("カーソル2"), tr("差")};
	for (int c = 0; c < 3; ++c)
		grid->addWidget(new QLabel(captions[c], this), 0, c + 1, Qt::AlignRight);
	timeCaption_ = new QLabel(tr("時刻（秒）"), this);
	grid->addWidget(timeCaption_, 1, 0);
	for (int c = 0; c < GraphCursors::kCount; ++c) {
		timeEdit[c] = new QLineEdit(this);
		timeEdit[c]->setAccessibleName(captions[c] + tr(" 時刻"));
		timeEdit[c]->setAlignment(Qt::AlignRight);
		timeEdit[c]->setMaximumWidth(90);
		grid->addWidget(timeEdit[c], 1, c + 1);
		connect(timeEdit[c], &QLineEdit::editingFinished, this,
				[this, c] { timeTyped(c); });
	}
	timeDelta = valueLabel(this, tr("時刻の差"));
	grid->addWidget(timeDelta, 1, 3);
	for (int u = 0; u < kUnitCount; ++u) {
		const QString unit = QStringLiteral("ID%1").arg(u);
		unitNames_[u] = new QLabel(unit, this);
		grid->addWidget(unitNames_[u], u + 2, 0);
		for (int c = 0; c < 3; ++c) {
			values[u][c] = valueLabel(this, unit + QLatin1Char(' ') + captions[c]);
			grid->addWidget(values[u][c], u + 2, c + 1);
		}
	}
	connect(&cursors_, &GraphCursors::moved, this, &CursorPanel::refresh);
	refresh();
}

void CursorPanel::setSource(const ReviewSource *source)
{
	source_ = source;
	refresh();
}

void CursorPanel::setTimeAxis(TimeAxis axis, const QDateTime &zero)
{
	if (axis == timeAxis_ && zero == clockZero_)
		return;
	timeAxis_ = axis;
	clockZero_ = zero;
	timeCaption_->setText(axis == TimeAxis::Seconds           ? tr("時刻（秒）")
					: axis == TimeAxis::Hours ? tr("時刻（時:分:秒）")
								  : tr("時刻"));
	refresh();
}

void CursorPanel::timeTyped(int cursor)
{
	const auto seconds = readMoment(timeEdit[cursor]->text(), timeAxis_, clockZero_);
	if (seconds)
		cursors_.set(cursor, *seconds);
	else
		refresh(); // back to the moment it has
}

void CursorPanel::refresh()
{
	const auto t0 = cursors_.time(0);
	const auto t1 = cursors_.time(1);
	for (int c = 0; c < GraphCursors::kCount; ++c) {
		const auto t = cursors_.time(c);
		if (!timeEdit[c]->hasFocus())
			timeEdit[c]->setText(t ? MomentText(*t, timeAxis_, clockZero_) : QString());
	}
	timeDelta->setFigure(t0 && t1 ? DurationText(*t1 - *t0, timeAxis_) : QString());
	for (int u = 0; u < kUnitCount; ++u) {
		const bool shown = source_ && source_->inUse(u);
		unitNames_[u]->setVisible(shown);
		std::array<std::optional<float>, 2> at;
		for (int c = 0; c < GraphCursors::kCount; ++c) {
			const auto t = cursors_.time(c);
			if (shown && t)
				at[c] = source_->valueAt(u, *t);
			values[u][c]->setFigure(
					at[c] ? CurrentValues::valueText(*at[c]) : QString());
		}
		values[u][2]->setFigure(at[0] && at[1] ? CurrentValues::valueText(*at[1] - *at[0])
						       : QString());
		for (FigureLabel *label : values[u])
			label->setVisible(shown);
	}
}

} // namespace kelvra
