#include "display/CurrentValues.h"

#include "fakes/IdleStateTest.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class CurrentValuesTest : public IdleStateTest {};

class Labels : public ValueLabels {
public:
	void setValueText(int unit, const QString &text) override { texts[unit] = text; }
	std::array<QString, 4> texts{QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x"),
			QStringLiteral("x")};
};

} // namespace

TEST_F(CurrentValuesTest, CurrentValuesOfUsedUnits)
{
	Labels labels;
	CurrentValues values(md, labels);
	md.Channels[0].Mflag = md.Channels[2].Mflag = kTrue;
	md.Channels[0].Data[1] = 12.3456f;
	md.Channels[2].Data[1] = -0.5f;
	md.DataCount = 2;
	values.ShowCurrentValues();
	EXPECT_EQ(QStringLiteral("12.346"), labels.texts[0]);
	EXPECT_EQ(QStringLiteral("-0.500"), labels.texts[2]);
	EXPECT_EQ(QStringLiteral("x"), labels.texts[1]) << "a unit not in use is not written";

	md.Channels[0].DataNum = 1;
	md.Channels[0].Data[0] = 3.0f;
	values.ShowCurrentValuesByNum();
	EXPECT_EQ(QStringLiteral("3.000"), labels.texts[0]);
	EXPECT_EQ(QStringLiteral("-0.500"), labels.texts[2]) << "no samples: left as it was";

	values.ShowCurrentValuesTrg();
	EXPECT_EQ(QStringLiteral("3.000"), labels.texts[0]) << "nothing before the trigger";
	md.TrgOn = kTrue;
	md.Channels[0].WritePos = 1;
	values.ShowCurrentValuesTrg();
	EXPECT_EQ(QStringLiteral("12.346"), labels.texts[0]);
	values.ClearValueLabels();
	EXPECT_TRUE(labels.texts[3].isEmpty());
}
