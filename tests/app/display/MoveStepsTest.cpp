#include "display/MoveSteps.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(MoveSteps, AFifthOfTheWindowPerClickWithoutLimit)
{
	const MoveSteps steps(QSize(1000, 700));
	EXPECT_EQ(QSize(200, 140), steps.step());
	QPoint position(100, 100);
	for (int i = 0; i < 3; ++i)
		position = steps.moved(MoveSteps::Left, position);
	EXPECT_EQ(QPoint(-500, 100), position) << "no limit at the screen's edge";
	EXPECT_EQ(QPoint(-300, 240),
			steps.moved(MoveSteps::Down, steps.moved(MoveSteps::Right, position)));
	EXPECT_EQ(QPoint(-500, -40), steps.moved(MoveSteps::Up, position));
	EXPECT_EQ(QPoint(0, 0), steps.moved(MoveSteps::TopLeft, position));
}
