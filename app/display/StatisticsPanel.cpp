#include "StatisticsPanel.h"

#include "CurrentValues.h"
#include "FigureLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace kelvra {

namespace {

const char *const kCaptions[StatisticsPanel::kFigures] = {
		QT_TRANSLATE_NOOP("kelvra::StatisticsPanel", "最小"),
		QT_TRANSLATE_NOOP("kelvra::StatisticsPanel", "最大"),
		QT_TRANSLATE_NOOP("kelvra::StatisticsPanel", "平均"),
		QT_TRANSLATE_NOOP("kelvra::StatisticsPanel", "実効値"),
		QT_TRANSLATE_NOOP("kelvra::StatisticsPanel", "標準偏差"), "p-p",
		QT_TRANSLATE_NOOP("kelvra::StatisticsPanel", "データ数")};

std::array<QString, StatisticsPanel::kFigures> figureTexts(const SpanStatistics &s)
{
	if (s.count == 0)
		return {};
	const auto text = [](double value) {
		return CurrentValues::valueText(static_cast<float>(value));
	};
	return {text(s.minimum), text(s.maximum), text(s.mean), text(s.rms),
			text(s.standardDeviation), text(s.peakToPeak), QString::number(s.count)};
}

} // namespace

StatisticsPanel::StatisticsPanel(QWidget *parent) : QGroupBox(tr("統計"), parent)
{
	auto *grid = new QGridLayout(this);
	grid->setVerticalSpacing(2);
	for (int f = 0; f < kFigures; ++f)
		grid->addWidget(new QLabel(tr(kCaptions[f]), this), 0, f + 1, Qt::AlignRight);
	for (int u = 0; u < kUnitCount; ++u) {
		const QString unit = QStringLiteral("ID%1").arg(u);
		unitNames_[u] = new QLabel(unit, this);
		grid->addWidget(unitNames_[u], u + 1, 0);
		for (int f = 0; f < kFigures; ++f) {
			cells[u][f] = new FigureLabel(
					unit + QLatin1Char(' ') + tr(kCaptions[f]), this);
			grid->addWidget(cells[u][f], u + 1, f + 1);
		}
	}
	span = new QLabel(this);
	copyButton = new QPushButton(tr("コピー"), this);
	grid->addWidget(span, kUnitCount + 1, 0, 1, kFigures);
	grid->addWidget(copyButton, kUnitCount + 1, kFigures, Qt::AlignRight);
	connect(copyButton, &QPushButton::clicked, this,
			[this] { QApplication::clipboard()->setText(tableText()); });
	show(nullptr, 0.0, 0.0, false);
}

void StatisticsPanel::show(const ReviewSource *source, double from, double to, bool betweenCursors)
{
	for (int u = 0; u < kUnitCount; ++u) {
		const bool shown = source && source->inUse(u);
		const auto texts = shown
				? figureTexts(SpanStatistics::of(source->summarize(u, from, to)))
				: std::array<QString, kFigures>{};
		unitNames_[u]->setVisible(shown);
		for (int f = 0; f < kFigures; ++f) {
			cells[u][f]->setFigure(texts[f]);
			cells[u][f]->setVisible(shown);
		}
	}
	if (!source) {
		span->clear();
		return;
	}
	const QString which = betweenCursors ? tr("カーソル間") : tr("表示範囲");
	if (timeAxis_ == TimeAxis::Seconds)
		span->setText(tr("%1  %2 – %3 秒")
						.arg(which)
						.arg(from, 0, 'f', 3)
						.arg(to, 0, 'f', 3));
	else
		span->setText(QStringLiteral("%1  %2 – %3")
						.arg(which, MomentText(from, timeAxis_, clockZero_),
								MomentText(to, timeAxis_,
										clockZero_)));
}

void StatisticsPanel::setTimeAxis(TimeAxis axis, const QDateTime &zero)
{
	timeAxis_ = axis;
	clockZero_ = zero;
}

QString StatisticsPanel::tableText() const
{
	QStringList captions;
	for (const char *caption : kCaptions)
		captions << tr(caption);
	QStringList lines{QStringLiteral("\t") + captions.join(QLatin1Char('\t'))};
	for (int u = 0; u < kUnitCount; ++u) {
		if (!unitNames_[u]->isVisibleTo(this))
			continue;
		QStringList line{unitNames_[u]->text()};
		for (const FigureLabel *cell : cells[u])
			line << cell->text();
		lines << line.join(QLatin1Char('\t'));
	}
	return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace kelvra
