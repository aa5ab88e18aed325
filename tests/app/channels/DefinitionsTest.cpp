// The definitions as the options give them, as the check refuses them and
// as their text keeps them: on units 0 to 2 in use, in microstrain.

#include "channels/ChannelTexts.h"
#include "channels/DefinitionCheck.h"
#include "channels/DefinitionOptions.h"
#include "channels/DefinitionText.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace kelvra;

namespace {

const MeasuredUnits kUnits{{true, true, true, false}, true};

using Options = std::vector<std::pair<std::string, std::string>>;

// Applies option values as a command line hands them over: grouped by
// option, in the order definitionOptions() gives.
std::optional<DefinitionFault> applied(ChannelDefinitions &d, const Options &options)
{
	for (const DefinitionOption &option : definitionOptions()) {
		for (const auto &[name, value] : options) {
			if (name != option.name)
				continue;
			if (auto fault = applyDefinitionOption(d, name, value))
				return fault;
		}
	}
	return std::nullopt;
}

// Every kind of definition, with numbers that need all their digits.
ChannelDefinitions everything()
{
	ChannelDefinitions d;
	const auto fault = applied(d,
			{{"channel-unit", "bend:μひずみ"}, {"channel", "bend = (ID0 - ID1) / 2"},
					{"channel", "safety=250 / max(r_vm, 1e-9)"},
					{"bridge", "0:half2"},
					{"gauge-factor", "0:2.0999999999999996"},
					{"poisson", "1:0.1"}, {"bridge", "1:half1"},
					{"lead-ohm", "1:0.35"}, {"gauge-ohm", "1:350"},
					{"tare", "all"}, {"tare-samples", "25"},
					{"scale", "2:-5=-1e-300,0=0,1000=3.3333333333333335"},
					{"scale-unit", "2:kN"}, {"modulus", "0:205.5"},
					{"rosette", "delta:0,1,2"},
					{"rosette-material", "r:70:0.33"},
					{"rosette", "rect:2,1,0:back"}});
	EXPECT_FALSE(fault) << definitionFaultText(*fault).toStdString();
	return d;
}

} // namespace

TEST(Definitions, OptionsGiveTheirValuesAndRefuseTheirForm)
{
	const ChannelDefinitions d = everything();
	EXPECT_EQ(d.units[0].bridge,
			(BridgeSetup{BridgeType::Half2, 2.0999999999999996, 0.3, 0, 120}));
	EXPECT_EQ(d.units[1].bridge, (BridgeSetup{BridgeType::Half1, 2.0, 0.1, 0.35, 350}));
	EXPECT_TRUE(d.units[0].tare && d.units[3].tare);
	EXPECT_EQ(d.units[2].scale,
			(std::vector<ScalePoint>{
					{-5, -1e-300}, {0, 0}, {1000, 3.3333333333333335}}));
	EXPECT_EQ(d.rosettes[0],
			(RosetteDefinition{"r", RosetteLayout::Delta, {0, 1, 2}, {{70, 0.33}}}));
	EXPECT_EQ(d.rosettes[1].name, "back");
	EXPECT_EQ(d.channels[0], (ComputedChannel{"bend", " (ID0 - ID1) / 2", "μひずみ"}));
	EXPECT_FALSE(checkDefinitions(d, kUnits));

	const struct {
		const char *option, *value;
		FaultCode code;
		const char *name = "";
	} refusals[] = {
			{"bridge", "0", FaultCode::OptionForm},
			{"bridge", "4:half2", FaultCode::OptionUnit, "4"},
			{"bridge", "0:half3", FaultCode::OptionBridge, "half3"},
			{"gauge-factor", "0:2,1", FaultCode::OptionNumber, "2,1"},
			{"poisson", "1:nan", FaultCode::OptionNumber, "nan"},
			{"tare", "some", FaultCode::OptionUnit, "some"},
			{"tare-samples", "2.5", FaultCode::OptionNumber, "2.5"},
			{"scale", "0:1=2,3", FaultCode::OptionForm},
			{"scale", "0:", FaultCode::OptionForm},
			{"rosette", "polar:0,1,2", FaultCode::OptionLayout, "polar"},
			{"rosette", "rect:0,1", FaultCode::OptionForm},
			{"rosette-material", "front:200:0.3", FaultCode::UnknownRosette, "front"},
			{"channel", "x", FaultCode::OptionForm},
			{"channel-unit", "nothing:kN", FaultCode::UnknownChannel, "nothing"},
			{"speed", "fast", FaultCode::UnknownLine},
	};
	for (const auto &row : refusals) {
		ChannelDefinitions changed = d;
		const auto fault = applyDefinitionOption(changed, row.option, row.value);
		ASSERT_TRUE(fault) << row.option << " " << row.value;
		EXPECT_EQ(fault->code, row.code) << row.option << " " << row.value;
		EXPECT_EQ(fault->name, row.name) << row.option << " " << row.value;
		EXPECT_EQ(changed, d) << "a refused value changes nothing";
	}
	// No more channels than the check allows, whatever a file holds.
	ChannelDefinitions many;
	for (int i = 0; i < kMaxComputedChannels; ++i)
		ASSERT_FALSE(applyDefinitionOption(
				many, "channel", "c" + std::to_string(i) + "=1"));
	EXPECT_EQ(applyDefinitionOption(many, "channel", "c0=2"), std::nullopt);
	EXPECT_EQ(applyDefinitionOption(many, "channel", "extra=1")->code, FaultCode::ChannelCount);
}

TEST(Definitions, TheCheckSaysWhichEntryIsWrongAndWhy)
{
	using Change = std::function<void(ChannelDefinitions &)>;
	constexpr double nan = std::numeric_limits<double>::quiet_NaN();
	const struct {
		const char *what;
		Change change;
		MeasuredUnits units;
		const char *message; // in the interface's own language
	} rows[] = {
			{"gauge factor", [](auto &d) { d.units[1].bridge.gaugeFactor = 0; }, kUnits,
					"ID1: ゲージ率は正の数です。"},
			{"a unit not in use too", [](auto &d) { d.units[3].bridge.gaugeOhm = nan; },
					kUnits, "ID3: ゲージ抵抗は正の数です。"},
			{"Poisson's ratio", [](auto &d) { d.units[0].bridge.poisson = 0.5; },
					kUnits, "ID0: ポアソン比は 0 以上 0.5 未満です。"},
			{"strain setup with a load unit", [](auto &) {},
					{{true, true, true, false}, false},
					"ID0: ひずみ設定は表示単位がμひずみのときに使えます。"},
			{"scale X not increasing", [](auto &d) { d.units[2].scale[2].x = -5; },
					kUnits,
					"ID2: 換算表の 3 点目に誤りがあります。X と Y は数で、X は前の点より大きくします。"},
			{"one scale point", [](auto &d) { d.units[2].scale.resize(1); }, kUnits,
					"ID2: 換算表は 2〜32 点です。"},
			{"tare samples", [](auto &d) { d.tareSamples = 0; }, kUnits,
					"風袋引きのサンプル数は 1〜10000 です。"},
			{"rosette on a unit not in use",
					[](auto &d) { d.rosettes[1].units[1] = 3; }, kUnits,
					"ロゼット back: ゲージ B の ID3 は使用ユニットではありません。"},
			{"rosette twice on a unit", [](auto &d) { d.rosettes[1].units[0] = 0; },
					kUnits,
					"ロゼット back: 3 枚のゲージは別々のユニットにします。"},
			{"rosette outputs clash", [](auto &d) { d.rosettes[1].name = "r"; }, kUnits,
					"名前 'r_e1' は既に使われています。"},
			{"channel named as a rosette output",
					[](auto &d) { d.channels[0].name = "back_vm"; }, kUnits,
					"名前 'back_vm' は既に使われています。"},
			{"channel named as a stress",
					[](auto &d) { d.channels[0].name = "ID3_stress"; }, kUnits,
					"'ID3_stress' は名前に使えません (ID0〜ID3、IDn_stress、関数名、time、events)。"},
			{"channel name", [](auto &d) { d.channels[0].name = "2nd"; }, kUnits,
					"チャンネル名 '2nd' に誤りがあります。英字、数字、_ の 32 文字までで、数字で始まらない名前にします。"},
			{"channel reads a later one",
					[](auto &d) { std::swap(d.channels[0], d.channels[1]); },
					kUnits,
					"safety: 式の 25 文字目: 'bend' は使用ユニットの名前でも、前に定義したチャンネルの名前でもありません。"},
			{"stress of the rosette without a material",
					[](auto &d) { d.rosettes[0].material.reset(); }, kUnits,
					"safety: 式の 11 文字目: 'r_vm' は使用ユニットの名前でも、前に定義したチャンネルの名前でもありません。"},
			{"channel's unit name", [](auto &d) { d.channels[0].unit = "k\tN"; },
					kUnits,
					"bend の単位名に誤りがあります。32 文字までで、制御文字と前後の空白は使えません。"},
	};
	for (const auto &row : rows) {
		ChannelDefinitions d = everything();
		d.channels[1].expression = "250 / max(r_vm, 1e-9) + bend";
		row.change(d);
		const auto fault = checkDefinitions(d, row.units);
		ASSERT_TRUE(fault) << row.what;
		EXPECT_EQ(definitionFaultText(*fault).toStdString(), row.message) << row.what;
	}
}

TEST(Definitions, TheTextReadsBackExactly)
{
	const ChannelDefinitions d = everything();
	const std::string text = definitionsText(d);
	EXPECT_EQ(text,
			"bridge 0:half2\n"
			"gauge-factor 0:2.0999999999999996\n"
			"tare 0\n"
			"modulus 0:205.5\n"
			"bridge 1:half1\n"
			"poisson 1:0.1\n"
			"lead-ohm 1:0.35\n"
			"gauge-ohm 1:350\n"
			"tare 1\n"
			"tare 2\n"
			"scale 2:-5=-1e-300,0=0,1000=3.3333333333333335\n"
			"scale-unit 2:kN\n"
			"tare 3\n"
			"tare-samples 25\n"
			"rosette delta:0,1,2:r\n"
			"rosette-material r:70:0.33\n"
			"rosette rect:2,1,0:back\n"
			"channel bend= (ID0 - ID1) / 2\n"
			"channel-unit bend:μひずみ\n"
			"channel safety=250 / max(r_vm, 1e-9)\n");
	const DefinitionsRead read = readDefinitionsText(text);
	ASSERT_TRUE(read.definitions);
	EXPECT_EQ(*read.definitions, d);
	EXPECT_EQ(definitionsText(*read.definitions), text);
	EXPECT_EQ(definitionsText({}), "");
	EXPECT_EQ(readDefinitionsText("").definitions, ChannelDefinitions{});

	const DefinitionsRead refused = readDefinitionsText("bridge 0:half2\r\n\ntare 7\n");
	ASSERT_FALSE(refused.definitions);
	EXPECT_EQ(definitionFaultText(refused.fault).toStdString(),
			"定義の 3 行目: --tare '7': '7' はユニット 0〜3 ではありません");
}
