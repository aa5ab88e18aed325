#include "display/DataListModel.h"

#include "fakes/IdleStateTest.h"

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

class DataListModelTest : public IdleStateTest {};

} // namespace

TEST_F(DataListModelTest, DataListLines)
{
	const QString ideographic(2, QChar(0x3000));
	const QString unused = QString(5, QLatin1Char(' ')) + ideographic;
	const QString noValue = QString(6, QLatin1Char(' ')) + ideographic;
	md.Channels[1].Mflag = md.Channels[3].Mflag = kTrue;
	md.Channels[1].Data[0] = 123456.5f;
	md.Channels[3].Data[0] = 12.3456f;
	md.DataCount = 2;
	EXPECT_EQ(unused + QStringLiteral(" 123456.500 ") + unused + QStringLiteral("     12.346"),
			DataListModel::line(md, 1));
	EXPECT_EQ(unused + QLatin1Char(' ') + noValue + QLatin1Char(' ') + unused +
					QLatin1Char(' ') + noValue,
			DataListModel::line(md, 2));

	DataListModel model(md);
	EXPECT_EQ(2, model.rowCount());
	md.DataCount = 50; // a snapshot: it keeps the count it opened with
	EXPECT_EQ(2, model.rowCount());

	md.TrgMode = kTrue;
	md.Channels[1].StartPos = 100;
	md.Channels[1].Data[100] = 1.0f;
	EXPECT_TRUE(DataListModel::line(md, 1).contains(QStringLiteral("     1.000")))
			<< "starts at the oldest kept sample";
}
