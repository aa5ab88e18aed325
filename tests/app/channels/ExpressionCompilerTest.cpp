// Expressions over a row where ID0 = 3, ID1 = -2, bend = 0.5 and ID2 is
// missing: what they give, and where and why the ones outside the language
// are refused.

#include "channels/ExpressionCompiler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace kelvra;

namespace {

using E = ExpressionExpectation;

const std::vector<std::string> kNames{"ID0", "ID1", "bend", "ID2"};
const double kRow[] = {3.0, -2.0, 0.5, std::nan("")};

double evaluated(const std::string &text)
{
	const CompiledExpression compiled = compileExpression(text, kNames);
	if (!compiled.program) {
		ADD_FAILURE() << text << ": refused at " << compiled.fault.position;
		return 0.0;
	}
	std::vector<double> stack(static_cast<std::size_t>(compiled.program->stackDepth()));
	return compiled.program->evaluate(kRow, stack.data());
}

} // namespace

TEST(ExpressionCompiler, PrecedenceGroupingAndFunctions)
{
	const struct {
		const char *text;
		double value;
	} rows[] = {
			{"1 + 2*3", 7},
			{"(1 + 2) * 3", 9},
			{"-2^2", -4},
			{"(-2)^2", 4},
			{"2^-1", 0.5},
			{"2^3^2", 512},
			{"-ID0^2", -9},
			{"8/2/2", 2},
			{"10 - 4 - 3", 3},
			{"2*-3", -6},
			{"1 - -1", 2},
			{"--2", 2},
			{"ID0^2 + ID1", 7},
			{"bend * 4", 2},
			{"1e3 + .5 + 2. + 1.5E-1", 1002.65},
			{"min(ID0, ID1, 7)", -2},
			{"max(1, 2)", 2},
			{"atan2(1, -1)", 3 * std::numbers::pi / 4},
			{"log(exp(2)) + log10(1000)", 5},
			{"sqrt(16) + abs(ID1)", 6},
			{"sin(0) + cos(0) + tan(0) + asin(1) + acos(1) + atan(1)",
					1 + 3 * std::numbers::pi / 4},
			{"\t( ID0 )\t", 3},
	};
	for (const auto &row : rows)
		EXPECT_DOUBLE_EQ(evaluated(row.text), row.value) << row.text;
}

TEST(ExpressionCompiler, MissingInputsAndResultsThatAreNotFinite)
{
	for (const char *text : {"1/0", "-1/0", "sqrt(-1)", "log(0)", "ID2 + 1", "ID2^0", "1^ID2",
			     "min(ID2, 1)", "max(1, ID2)", "exp(1000)", "10^400"})
		EXPECT_TRUE(std::isnan(evaluated(text))) << text;
}

TEST(ExpressionCompiler, RefusalsSayWhereAndWhatWasExpected)
{
	// As deep and as long as an expression may be.
	const std::string deep = std::string(kMaxExpressionNesting - 1, '(') + "1" +
			std::string(kMaxExpressionNesting - 1, ')');
	std::string longText = "1";
	while (longText.size() + 2 < kMaxExpressionLength)
		longText += "+1";
	const struct {
		std::string text;
		int position;
		E expected;
		std::string name = {};
		int arguments = 0;
	} rows[] = {
			{"", 1, E::Operand},
			{"   ", 4, E::Operand},
			{"1 +", 4, E::Operand},
			{"+1", 1, E::Operand},
			{"2 * $", 5, E::Operand},
			{"1 + μ", 5, E::Operand},
			{".", 1, E::Operand},
			{"1 +\n2", 4, E::Operand},
			{"2 3", 3, E::OperatorOrEnd},
			{"1.2.3", 4, E::OperatorOrEnd},
			{"ID0(2)", 4, E::OperatorOrEnd},
			{"(1 + 2", 7, E::CloseParenthesis},
			{"sin 1", 5, E::OpenParenthesis, "sin"},
			{"sqrt", 5, E::OpenParenthesis, "sqrt"},
			{"max(1 2)", 7, E::ArgumentSeparator, "max"},
			{"atan2(1)", 1, E::ArgumentCount, "atan2", 2},
			{"2 * sqrt(1, 2)", 5, E::ArgumentCount, "sqrt", 1},
			{"min(1)", 1, E::ArgumentCount, "min", 2},
			{"sin()", 5, E::Operand},
			{"ID0 + foo", 7, E::KnownName, "foo"},
			{"id0", 1, E::KnownName, "id0"},
			{"ID3 * 2", 1, E::KnownName, "ID3"},
			{"1e", 3, E::ExponentDigits},
			{"1e+ 2", 4, E::ExponentDigits},
			{"1e999", 1, E::NumberInRange},
			{"(" + deep + ")", kMaxExpressionNesting + 1, E::ShallowerNesting},
			{std::string(kMaxExpressionNesting, '-') + "1", kMaxExpressionNesting + 1,
					E::ShallowerNesting},
			{longText + "+1", kMaxExpressionLength + 1, E::ShorterText},
	};
	EXPECT_DOUBLE_EQ(evaluated(deep), 1);
	EXPECT_DOUBLE_EQ(evaluated(longText), (kMaxExpressionLength + 1) / 2);
	for (const auto &row : rows) {
		const CompiledExpression compiled = compileExpression(row.text, kNames);
		ASSERT_FALSE(compiled.program) << row.text;
		EXPECT_EQ(compiled.fault,
				(ExpressionFault{row.position, row.expected, row.name,
						row.arguments}))
				<< row.text << ": at " << compiled.fault.position << ", "
				<< static_cast<int>(compiled.fault.expected);
	}
}
