#pragma once

// The expression language of computed channels, read by recursive descent:
//
//   expression := term (('+' | '-') term)*
//   term       := unary (('*' | '/') unary)*
//   unary      := '-' unary | power
//   power      := primary ('^' unary)?
//   primary    := number | name | function '(' expression (',' expression)* ')'
//               | '(' expression ')'
//
// So '^' binds tighter than a unary minus and groups to the right, as in
// mathematics: -2^2 is -4, 2^-1 is 0.5 and 2^3^2 is 2^9. The operators of a
// level group to the left: 8/2/2 is 2. Numbers are decimal (1, 0.5, .5, 2.,
// 1e-3); names are letters, digits and '_', not starting with a digit, and
// case matters. The functions are abs sqrt exp log (natural) log10 sin cos
// tan asin acos atan (radians) of one argument, atan2(y, x), and min and max
// of two or more. Spaces and tabs may stand between any two tokens; nothing
// else is part of the language.

#include "ExpressionProgram.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kelvra {

inline constexpr int kMaxExpressionLength = 1000; // characters
inline constexpr int kMaxExpressionNesting = 64;

enum class ExpressionExpectation : uint8_t {
	Operand,           // a number, a name, '(' or '-'
	OperatorOrEnd,     // an operator, or the end of the expression
	CloseParenthesis,  // ')'
	OpenParenthesis,   // '(' after the function `name`
	ArgumentSeparator, // ',' or ')' in the arguments of `name`
	ArgumentCount,     // `arguments` arguments for `name` (min, max: at least 2)
	KnownName,         // `name` is none of the names an expression may read
	ExponentDigits,    // the digits of a number's exponent
	NumberInRange,     // a number a double holds
	ShallowerNesting,  // at most kMaxExpressionNesting levels
	ShorterText,       // at most kMaxExpressionLength characters
};

struct ExpressionFault {
	int position = 0; // the character (from 1) where the expectation failed
	ExpressionExpectation expected = ExpressionExpectation::Operand;
	std::string name;
	int arguments = 0;

	bool operator==(const ExpressionFault &) const = default;
};

struct CompiledExpression {
	std::optional<ExpressionProgram> program;
	ExpressionFault fault; // when there is no program
};

// Compiles `text` (UTF-8) against the names it may read: a Load step reads
// slot i for names[i]. Empty names match nothing.
CompiledExpression compileExpression(std::string_view text, std::span<const std::string> names);

bool isExpressionFunction(std::string_view name);

} // namespace kelvra
