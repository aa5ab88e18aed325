#pragma once

// A computed channel's expression compiled once into steps of a stack
// machine, run for every row in double precision. The steps read a row's
// values by slot. A missing input (NaN) makes the result missing, and so
// does any result that is not finite.

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace kelvra {

enum class ExpressionOp : uint8_t {
	Constant,
	Load,
	Negate,
	Add,
	Subtract,
	Multiply,
	Divide,
	Power,
	Abs,
	Sqrt,
	Exp,
	Log,
	Log10,
	Sin,
	Cos,
	Tan,
	Asin,
	Acos,
	Atan,
	Atan2,
	Min,
	Max,
};

// The operators that take two values off the stack; the others but
// Constant and Load take one and put back one.
constexpr bool takesTwo(ExpressionOp op)
{
	return op == ExpressionOp::Add || op == ExpressionOp::Subtract ||
			op == ExpressionOp::Multiply || op == ExpressionOp::Divide ||
			op == ExpressionOp::Power || op == ExpressionOp::Atan2 ||
			op == ExpressionOp::Min || op == ExpressionOp::Max;
}

struct ExpressionStep {
	ExpressionOp op;
	uint32_t slot = 0;  // Load: the value read
	double value = 0.0; // Constant
};

class ExpressionProgram {
public:
	ExpressionProgram(std::vector<ExpressionStep> steps, int stackDepth)
		: steps_(std::move(steps)), stackDepth_(stackDepth)
	{
	}

	std::span<const ExpressionStep> steps() const { return steps_; }
	// The room evaluate() needs on its stack.
	int stackDepth() const { return stackDepth_; }

	double evaluate(const double *values, double *stack) const
	{
		std::size_t n = 0; // values on the stack
		for (const ExpressionStep &s : steps_) {
			switch (s.op) {
			case ExpressionOp::Constant:
				stack[n++] = s.value;
				continue;
			case ExpressionOp::Load:
				stack[n++] = values[s.slot];
				continue;
			default:
				break;
			}
			if (takesTwo(s.op)) {
				--n;
				stack[n - 1] = binary(s.op, stack[n - 1], stack[n]);
			} else {
				stack[n - 1] = unary(s.op, stack[n - 1]);
			}
		}
		return std::isfinite(stack[0]) ? stack[0] : kMissing;
	}

private:
	static constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

	static double binary(ExpressionOp op, double a, double b)
	{
		switch (op) {
		case ExpressionOp::Add:
			return a + b;
		case ExpressionOp::Subtract:
			return a - b;
		case ExpressionOp::Multiply:
			return a * b;
		case ExpressionOp::Divide:
			return a / b;
		case ExpressionOp::Power: // pow(NaN, 0) and pow(1, NaN) are 1
			return std::isnan(a) || std::isnan(b) ? kMissing : std::pow(a, b);
		case ExpressionOp::Atan2:
			return std::atan2(a, b);
		case ExpressionOp::Min: // std::fmin would pass over a missing value
			return std::isnan(a) || a < b ? a : b;
		default:
			return std::isnan(a) || a > b ? a : b;
		}
	}

	static double unary(ExpressionOp op, double a)
	{
		switch (op) {
		case ExpressionOp::Negate:
			return -a;
		case ExpressionOp::Abs:
			return std::fabs(a);
		case ExpressionOp::Sqrt:
			return std::sqrt(a);
		case ExpressionOp::Exp:
			return std::exp(a);
		case ExpressionOp::Log:
			return std::log(a);
		case ExpressionOp::Log10:
			return std::log10(a);
		case ExpressionOp::Sin:
			return std::sin(a);
		case ExpressionOp::Cos:
			return std::cos(a);
		case ExpressionOp::Tan:
			return std::tan(a);
		case ExpressionOp::Asin:
			return std::asin(a);
		case ExpressionOp::Acos:
			return std::acos(a);
		default:
			return std::atan(a);
		}
	}

	std::vector<ExpressionStep> steps_;
	int stackDepth_ = 0;
};

} // namespace kelvra
