#include "ChannelTexts.h"

#include "DefinitionNumbers.h"

#include <QCoreApplication>
#include <QStringList>

#include <iterator>

namespace kelvra {

namespace {

QString translated(const char *text)
{
	return QCoreApplication::translate("ChannelTexts", text);
}

QString qText(std::string_view text)
{
	return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString number(double value)
{
	return qText(definitionNumberText(value));
}

// The text of each fault, its arguments given by faultText.
const char *faultTemplate(FaultCode code)
{
	switch (code) {
	case FaultCode::StrainNeedsMicrostrain:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"ID%1: ひずみ設定は表示単位がμひずみのときに使えます。");
	case FaultCode::GaugeFactor:
		return QT_TRANSLATE_NOOP("ChannelTexts", "ID%1: ゲージ率は正の数です。");
	case FaultCode::Poisson:
		return QT_TRANSLATE_NOOP(
				"ChannelTexts", "ID%1: ポアソン比は 0 以上 0.5 未満です。");
	case FaultCode::LeadOhm:
		return QT_TRANSLATE_NOOP("ChannelTexts", "ID%1: リード線抵抗は 0 以上の数です。");
	case FaultCode::GaugeOhm:
		return QT_TRANSLATE_NOOP("ChannelTexts", "ID%1: ゲージ抵抗は正の数です。");
	case FaultCode::ScalePointCount:
		return QT_TRANSLATE_NOOP("ChannelTexts", "ID%1: 換算表は 2〜32 点です。");
	case FaultCode::ScalePoint:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"ID%1: 換算表の %2 点目に誤りがあります。X と Y は数で、X は前の点より大きくします。");
	case FaultCode::ScaleUnitWithoutTable:
		return QT_TRANSLATE_NOOP(
				"ChannelTexts", "ID%1: 換算表がないのに単位名があります。");
	case FaultCode::Modulus:
		return QT_TRANSLATE_NOOP("ChannelTexts", "ID%1: 縦弾性係数 (GPa) は正の数です。");
	case FaultCode::TareSamples:
		return QT_TRANSLATE_NOOP("ChannelTexts", "風袋引きのサンプル数は 1〜%1 です。");
	case FaultCode::RosetteCount:
		return QT_TRANSLATE_NOOP("ChannelTexts", "ロゼットは %1 個までです。");
	case FaultCode::RosetteName:
		return QT_TRANSLATE_NOOP("ChannelTexts", "ロゼット名 '%1' に誤りがあります。%2");
	case FaultCode::RosetteSameUnit:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"ロゼット %1: 3 枚のゲージは別々のユニットにします。");
	case FaultCode::RosetteUnitNotInUse:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"ロゼット %1: ゲージ %2 の ID%3 は使用ユニットではありません。");
	case FaultCode::RosetteNeedsMicrostrain:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"ロゼット %1: ロゼットは表示単位がμひずみのときに使えます。");
	case FaultCode::RosetteModulus:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"ロゼット %1: 材料の縦弾性係数 (GPa) は正の数です。");
	case FaultCode::RosettePoisson:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"ロゼット %1: 材料のポアソン比は 0 以上 0.5 未満です。");
	case FaultCode::ChannelCount:
		return QT_TRANSLATE_NOOP("ChannelTexts", "演算チャンネルは %1 個までです。");
	case FaultCode::ChannelName:
		return QT_TRANSLATE_NOOP("ChannelTexts", "チャンネル名 '%1' に誤りがあります。%2");
	case FaultCode::ChannelExpression:
		return QT_TRANSLATE_NOOP("ChannelTexts", "%1: 式の %2 文字目: %3。");
	case FaultCode::NameReserved:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"'%1' は名前に使えません (ID0〜ID3、IDn_stress、関数名、time、events)。");
	case FaultCode::NameTaken:
		return QT_TRANSLATE_NOOP("ChannelTexts", "名前 '%1' は既に使われています。");
	case FaultCode::UnitName:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"%1 の単位名に誤りがあります。%2 文字までで、制御文字と前後の空白は使えません。");
	case FaultCode::OptionForm:
		return QT_TRANSLATE_NOOP("ChannelTexts", "--%1 '%2' が %3 の形ではありません");
	case FaultCode::OptionUnit:
		return QT_TRANSLATE_NOOP(
				"ChannelTexts", "--%1 '%2': '%3' はユニット 0〜3 ではありません");
	case FaultCode::OptionNumber:
		return QT_TRANSLATE_NOOP("ChannelTexts", "--%1 '%2': '%3' は数ではありません");
	case FaultCode::OptionBridge:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"--%1 '%2': '%3' は none、quarter1、quarter2、half1、half2、full1、full2、full3 のいずれでもありません");
	case FaultCode::OptionLayout:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"--%1 '%2': '%3' は rect でも delta でもありません");
	case FaultCode::UnknownRosette:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"--%1 '%2': ロゼット '%3' はありません (先に --rosette で定義します)");
	case FaultCode::UnknownChannel:
		return QT_TRANSLATE_NOOP("ChannelTexts",
				"--%1 '%2': チャンネル '%3' はありません (先に --channel で定義します)");
	case FaultCode::UnknownLine:
		break;
	}
	return QT_TRANSLATE_NOOP("ChannelTexts", "'%1' は定義の行ではありません");
}

const char *const kExpectations[] = {
		QT_TRANSLATE_NOOP("ChannelTexts", "数、名前、'(' か '-' が必要です"),
		QT_TRANSLATE_NOOP("ChannelTexts", "演算子か式の終わりが必要です"),
		QT_TRANSLATE_NOOP("ChannelTexts", "')' が必要です"),
		QT_TRANSLATE_NOOP("ChannelTexts", "%1 の後に '(' が必要です"),
		QT_TRANSLATE_NOOP(
				"ChannelTexts", "%1 の引数の間に ',' か、終わりに ')' が必要です"),
		nullptr, // the argument count, below
		QT_TRANSLATE_NOOP("ChannelTexts",
				"'%1' は使用ユニットの名前でも、前に定義したチャンネルの名前でもありません"),
		QT_TRANSLATE_NOOP("ChannelTexts", "指数の数字が必要です"),
		QT_TRANSLATE_NOOP("ChannelTexts", "double の範囲の数が必要です"),
		QT_TRANSLATE_NOOP("ChannelTexts", "入れ子は %1 段までです"),
		QT_TRANSLATE_NOOP("ChannelTexts", "式は %1 文字までです"),
};
static_assert(std::size(kExpectations) == static_cast<int>(ExpressionExpectation::ShorterText) + 1);

const char *const kBridges[kBridgeTypeCount] = {
		QT_TRANSLATE_NOOP("ChannelTexts", "ユニットの読み"),
		QT_TRANSLATE_NOOP("ChannelTexts", "1/4 ブリッジ I (アクティブ 1 枚)"),
		QT_TRANSLATE_NOOP("ChannelTexts", "1/4 ブリッジ II (アクティブとダミー)"),
		QT_TRANSLATE_NOOP("ChannelTexts", "ハーフブリッジ I (軸方向とポアソン)"),
		QT_TRANSLATE_NOOP("ChannelTexts", "ハーフブリッジ II (曲げ、アクティブ 2 枚)"),
		QT_TRANSLATE_NOOP("ChannelTexts", "フルブリッジ I (曲げ、アクティブ 4 枚)"),
		QT_TRANSLATE_NOOP("ChannelTexts", "フルブリッジ II (曲げ、ポアソン)"),
		QT_TRANSLATE_NOOP("ChannelTexts", "フルブリッジ III (軸方向、ポアソン)"),
};

const char *const kRosetteOutputs[kRosetteOutputs] = {
		QT_TRANSLATE_NOOP("ChannelTexts", "最大主ひずみ"),
		QT_TRANSLATE_NOOP("ChannelTexts", "最小主ひずみ"),
		QT_TRANSLATE_NOOP("ChannelTexts", "ゲージ A から最大主ひずみの方向 (反時計回り)"),
		QT_TRANSLATE_NOOP("ChannelTexts", "最大主応力"),
		QT_TRANSLATE_NOOP("ChannelTexts", "最小主応力"),
		QT_TRANSLATE_NOOP("ChannelTexts", "最大せん断応力"),
		QT_TRANSLATE_NOOP("ChannelTexts", "ミーゼス相当応力"),
};

QString expectationText(const ExpressionFault &e)
{
	const QString name = qText(e.name);
	switch (e.expected) {
	case ExpressionExpectation::ArgumentCount:
		if (name == QLatin1String("min") || name == QLatin1String("max"))
			return translated(QT_TRANSLATE_NOOP("ChannelTexts",
							  "%1 の引数は 2 個以上です"))
					.arg(name);
		if (e.arguments == 1)
			return translated(QT_TRANSLATE_NOOP("ChannelTexts", "%1 の引数は 1 個です"))
					.arg(name);
		return translated(QT_TRANSLATE_NOOP("ChannelTexts", "%1 の引数は %2 個です"))
				.arg(name)
				.arg(e.arguments);
	case ExpressionExpectation::ShallowerNesting:
		return translated(kExpectations[static_cast<int>(e.expected)])
				.arg(kMaxExpressionNesting);
	case ExpressionExpectation::ShorterText:
		return translated(kExpectations[static_cast<int>(e.expected)])
				.arg(kMaxExpressionLength);
	default: {
		// Only some expectations name what was read.
		const QString text = translated(kExpectations[static_cast<int>(e.expected)]);
		return text.contains(QLatin1String("%1")) ? text.arg(name) : text;
	}
	}
}

QString nameRule()
{
	return translated(
			QT_TRANSLATE_NOOP("ChannelTexts",
					"英字、数字、_ の %1 文字までで、数字で始まらない名前にします。"))
			.arg(kMaxNameLength);
}

QString faultText(const DefinitionFault &f)
{
	const QString text = translated(faultTemplate(f.code));
	const QString name = qText(f.name);
	switch (f.code) {
	case FaultCode::ScalePoint:
		return text.arg(f.unit).arg(f.index);
	case FaultCode::TareSamples:
		return text.arg(kMaxTareSamples);
	case FaultCode::RosetteCount:
		return text.arg(kMaxRosettes);
	case FaultCode::ChannelCount:
		return text.arg(kMaxComputedChannels);
	case FaultCode::RosetteUnitNotInUse:
		return text.arg(name, QChar(u'A' + f.index), QString::number(f.unit));
	case FaultCode::RosetteName:
	case FaultCode::ChannelName:
		return text.arg(name, nameRule());
	case FaultCode::ChannelExpression:
		return text.arg(name, QString::number(f.expression.position),
				expectationText(f.expression));
	case FaultCode::UnitName:
		return text.arg(f.unit >= 0 ? qText(unitChannelName(f.unit)) : name)
				.arg(kMaxUnitNameLength);
	case FaultCode::OptionForm:
		return text.arg(qText(f.option), qText(f.text), qText(f.expected));
	case FaultCode::OptionUnit:
	case FaultCode::OptionNumber:
	case FaultCode::OptionBridge:
	case FaultCode::OptionLayout:
	case FaultCode::UnknownRosette:
	case FaultCode::UnknownChannel:
		return text.arg(qText(f.option), qText(f.text), name);
	case FaultCode::UnknownLine: {
		const QString option = qText(f.option);
		return text.arg(f.text.empty() ? option
					       : option + QLatin1Char(' ') + qText(f.text));
	}
	default:
		break;
	}
	return f.code <= FaultCode::Modulus ? text.arg(f.unit) : text.arg(name);
}

QString unitDescription(const UnitStrainSetup &s, const ChannelDefinitions &definitions)
{
	const BridgeSetup &b = s.bridge;
	QStringList parts{bridgeTypeText(b.type),
			QStringLiteral("K = %1").arg(number(b.gaugeFactor))};
	if (bridgeReadsPoisson(b.type))
		parts << QStringLiteral("ν = %1").arg(number(b.poisson));
	if (bridgeReadsLeads(b.type))
		parts << QStringLiteral("R_L = %1 Ω, R_G = %2 Ω")
						.arg(number(b.leadOhm), number(b.gaugeOhm));
	if (s.tare)
		parts << translated(QT_TRANSLATE_NOOP("ChannelTexts", "風袋引き %1 サンプル"))
						.arg(definitions.tareSamples);
	if (!s.scale.empty())
		parts << translated(QT_TRANSLATE_NOOP("ChannelTexts", "換算表 %1 点"))
						.arg(s.scale.size());
	return parts.join(QStringLiteral(", "));
}

QString rosetteDescription(const OutputChannel &c, const RosetteDefinition &r)
{
	QString text = translated(QT_TRANSLATE_NOOP("ChannelTexts",
						  "ロゼット %1 (%2: A ID%3, B ID%4, C ID%5) の%6"))
				       .arg(qText(r.name), rosetteLayoutText(r.layout),
						       QString::number(r.units[0]),
						       QString::number(r.units[1]),
						       QString::number(r.units[2]),
						       translated(kRosetteOutputs[static_cast<int>(
								       c.rosetteOutput)]));
	if (c.rosetteOutput >= RosetteOutput::S1 && r.material)
		text += QStringLiteral(" (E = %1 GPa, ν = %2)")
					.arg(number(r.material->modulusGPa),
							number(r.material->poisson));
	return text;
}

} // namespace

QString definitionFaultText(const DefinitionFault &fault)
{
	const QString text = faultText(fault);
	if (fault.line == 0)
		return text;
	return translated(QT_TRANSLATE_NOOP("ChannelTexts", "定義の %1 行目: %2"))
			.arg(QString::number(fault.line), text);
}

QString bridgeTypeText(BridgeType type)
{
	return translated(kBridges[static_cast<int>(type)]);
}

QString rosetteLayoutText(RosetteLayout layout)
{
	return layout == RosetteLayout::Rectangular
			? translated(QT_TRANSLATE_NOOP("ChannelTexts", "直角 0°/45°/90°"))
			: translated(QT_TRANSLATE_NOOP("ChannelTexts", "デルタ 0°/60°/120°"));
}

QString outputChannelDescription(
		const OutputChannel &channel, const ChannelDefinitions &definitions)
{
	switch (channel.kind) {
	case OutputKind::Unit:
		return unitDescription(definitions.units[channel.source], definitions);
	case OutputKind::Stress:
		return translated(QT_TRANSLATE_NOOP("ChannelTexts", "ID%1 の応力 (E = %2 GPa)"))
				.arg(QString::number(channel.source),
						number(*definitions.units[channel.source]
										.modulusGPa));
	case OutputKind::Rosette:
		return rosetteDescription(channel, definitions.rosettes[channel.source]);
	case OutputKind::Computed:
		break;
	}
	return translated(QT_TRANSLATE_NOOP("ChannelTexts", "演算: %1"))
			.arg(qText(definitions.channels[channel.source].expression));
}

} // namespace kelvra
