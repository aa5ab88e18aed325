#include "MinFree.h"
#include "HookText.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace kelvra {

namespace {

struct Suffix {
	const char16_t *name;
	MinFree::Form form;
	double factor;
};

constexpr std::array<Suffix, 9> kSuffixes = {{
		{u"kb", MinFree::Form::Size, 1e3},
		{u"mb", MinFree::Form::Size, 1e6},
		{u"gb", MinFree::Form::Size, 1e9},
		{u"tb", MinFree::Form::Size, 1e12},
		{u"s", MinFree::Form::Time, 1.0},
		{u"m", MinFree::Form::Time, 60.0},
		{u"min", MinFree::Form::Time, 60.0},
		{u"h", MinFree::Form::Time, 3600.0},
		{u"d", MinFree::Form::Time, 86400.0},
}};

// Beyond these a figure is a slip of the keyboard, not a disk or a run.
constexpr double kMostBytes = 1e18;
constexpr double kMostSeconds = 100.0 * 365 * 86400;

QString refusal(const QString &text)
{
	return HookText::tr(
			"--min-free '%1' は 2GB、500MB、6h、30m のような空き容量か記録時間ではありません（kB・MB・GB・TB は 1000 倍ずつ、s・m・h・d は秒・分・時間・日）")
			.arg(text);
}

// Three figures at most, cut rather than rounded, so that space just below
// a limit never reads as the limit.
QString shortNumber(double value)
{
	const int decimals = value < 10.0 ? 2 : value < 100.0 ? 1 : 0;
	const double scale = std::pow(10.0, decimals);
	QString text = QString::number(std::floor(value * scale) / scale, 'f', decimals);
	if (decimals > 0) {
		while (text.endsWith(u'0'))
			text.chop(1);
		if (text.endsWith(u'.'))
			text.chop(1);
	}
	return text;
}

} // namespace

qint64 MinFree::bytesAt(double bytesPerSecond) const
{
	return static_cast<qint64>(std::ceil(
			form == Form::Size ? amount : amount * std::max(bytesPerSecond, 0.0)));
}

MinFreeCheck ParseMinFree(const QString &text)
{
	static const QRegularExpression pattern(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*([a-z]+)$"));
	const QRegularExpressionMatch match = pattern.match(text.trimmed().toLower());
	if (!match.hasMatch())
		return {std::nullopt, refusal(text)};
	for (const Suffix &suffix : kSuffixes) {
		if (match.capturedView(2) != QStringView(suffix.name))
			continue;
		const double amount = match.captured(1).toDouble() * suffix.factor;
		const double most = suffix.form == MinFree::Form::Size ? kMostBytes : kMostSeconds;
		if (amount <= 0.0 || amount > most)
			break;
		return {MinFree{suffix.form, amount}, {}};
	}
	return {std::nullopt, refusal(text)};
}

QString MinFreeText(const MinFree &minFree)
{
	if (minFree.form == MinFree::Form::Size)
		return ByteText(static_cast<qint64>(minFree.amount));
	const double s = minFree.amount;
	if (std::fmod(s, 86400.0) == 0.0)
		return HookText::tr("%1日").arg(s / 86400.0);
	if (std::fmod(s, 3600.0) == 0.0)
		return HookText::tr("%1時間").arg(s / 3600.0);
	if (std::fmod(s, 60.0) == 0.0)
		return HookText::tr("%1分").arg(s / 60.0);
	return HookText::tr("%1秒").arg(s);
}

QString ByteText(qint64 bytes)
{
	constexpr std::array<std::pair<double, const char *>, 4> kUnits = {
			{{1e12, " TB"}, {1e9, " GB"}, {1e6, " MB"}, {1e3, " kB"}}};
	const auto value = static_cast<double>(bytes);
	for (const auto &[factor, name] : kUnits) {
		if (value >= factor)
			return shortNumber(value / factor) + QLatin1String(name);
	}
	return QString::number(bytes) + QStringLiteral(" B");
}

} // namespace kelvra
