#include "display/MoveSteps.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(MoveSteps, AFifthOfTheWindowPerClickWithoutLimit)
{
	const MoveSteps steps(QSize(1000, 700));
	EXPECT_EQ(QSize(200, 140), steps.step());
	struct Case {
		std::vector<int> clicks;
		QPoint expected;
	};
	const Case cases[] = {
			{{MoveSteps::Right, MoveSteps::Down}, {300, 240}},
			{{MoveSteps::Left, MoveSteps::Left, MoveSteps::Left}, {-500, 100}},
			{{MoveSteps::Up, MoveSteps::Up}, {100, -180}},
			{{MoveSteps::Left, MoveSteps::Up, MoveSteps::TopLeft}, {0, 0}},
	};
	for (const Case &c : cases) {
		QPoint position(100, 100);
		for (int button : c.clicks)
			position = steps.moved(button, position);
		EXPECT_EQ(c.expected, position) << c.clicks.size() << " clicks ending in " << c.clicks.back();
	}
	EXPECT_EQ(QSize(201, 141), MoveSteps(QSize(1003, 707)).step()) << "rounded to whole pixels";
}
