#include "ExpressionCompiler.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace kelvra {

namespace {

struct Function {
	std::string_view name;
	ExpressionOp op;
	int arguments; // min and max: at least this many
};

constexpr Function kFunctions[] = {{"abs", ExpressionOp::Abs, 1}, {"sqrt", ExpressionOp::Sqrt, 1},
		{"exp", ExpressionOp::Exp, 1}, {"log", ExpressionOp::Log, 1},
		{"log10", ExpressionOp::Log10, 1}, {"sin", ExpressionOp::Sin, 1},
		{"cos", ExpressionOp::Cos, 1}, {"tan", ExpressionOp::Tan, 1},
		{"asin", ExpressionOp::Asin, 1}, {"acos", ExpressionOp::Acos, 1},
		{"atan", ExpressionOp::Atan, 1}, {"atan2", ExpressionOp::Atan2, 2},
		{"min", ExpressionOp::Min, 2}, {"max", ExpressionOp::Max, 2}};

const Function *findFunction(std::string_view name)
{
	const auto found = std::find_if(std::begin(kFunctions), std::end(kFunctions),
			[name](const Function &f) { return f.name == name; });
	return found == std::end(kFunctions) ? nullptr : found;
}

bool variadic(const Function &f)
{
	return f.op == ExpressionOp::Min || f.op == ExpressionOp::Max;
}

bool isDigit(char c)
{
	return c >= '0' && c <= '9';
}

bool startsName(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool continuesName(char c)
{
	return startsName(c) || isDigit(c);
}

// The character (from 1) at a byte offset of UTF-8 text.
int characterPosition(std::string_view text, std::size_t offset)
{
	const auto head = text.substr(0, offset);
	return 1 + static_cast<int>(std::count_if(head.begin(), head.end(), [](char c) {
		return (static_cast<unsigned char>(c) & 0xc0) != 0x80;
	}));
}

class Parser {
public:
	Parser(std::string_view text, std::span<const std::string> names)
		: text_(text), names_(names)
	{
	}

	CompiledExpression parse()
	{
		if (characterPosition(text_, text_.size()) > kMaxExpressionLength + 1)
			return refused(kMaxExpressionLength + 1,
					ExpressionExpectation::ShorterText);
		if (!expression())
			return {std::nullopt, fault_};
		if (peek() != '\0')
			return refusedAt(at_, ExpressionExpectation::OperatorOrEnd);
		return {ExpressionProgram(std::move(steps_), maxDepth_), {}};
	}

private:
	bool expression()
	{
		return leftGrouped(&Parser::term, {'+', ExpressionOp::Add},
				{'-', ExpressionOp::Subtract});
	}

	bool term()
	{
		return leftGrouped(&Parser::unary, {'*', ExpressionOp::Multiply},
				{'/', ExpressionOp::Divide});
	}

	// Operands of the level below joined by either of two operators,
	// grouped to the left.
	bool leftGrouped(bool (Parser::*operand)(), std::pair<char, ExpressionOp> first,
			std::pair<char, ExpressionOp> second)
	{
		if (!(this->*operand)())
			return false;
		for (char c = peek(); c == first.first || c == second.first; c = peek()) {
			++at_;
			if (!(this->*operand)())
				return false;
			emit(c == first.first ? first.second : second.second);
		}
		return true;
	}

	// Every way down the grammar passes here, so the nesting is counted here.
	bool unary()
	{
		if (++nesting_ > kMaxExpressionNesting)
			return fail(at_, ExpressionExpectation::ShallowerNesting);
		bool ok = false;
		if (peek() == '-') {
			++at_;
			ok = unary();
			emit(ExpressionOp::Negate);
		} else {
			ok = power();
		}
		--nesting_;
		return ok;
	}

	bool power()
	{
		if (!primary())
			return false;
		if (peek() != '^')
			return true;
		++at_;
		if (!unary())
			return false;
		emit(ExpressionOp::Power);
		return true;
	}

	bool primary()
	{
		const char c = peek();
		if (isDigit(c) || c == '.')
			return number();
		if (startsName(c))
			return nameOrCall();
		if (c == '(') {
			++at_;
			if (!expression())
				return false;
			if (peek() != ')')
				return fail(at_, ExpressionExpectation::CloseParenthesis);
			++at_;
			return true;
		}
		return fail(at_, ExpressionExpectation::Operand);
	}

	bool number()
	{
		const std::size_t start = at_;
		std::size_t end = skipDigits(start);
		const bool whole = end > start;
		if (end < text_.size() && text_[end] == '.')
			end = skipDigits(end + 1);
		if (!whole && end == start + 1) // a lone '.'
			return fail(start, ExpressionExpectation::Operand);
		if (end < text_.size() && (text_[end] == 'e' || text_[end] == 'E')) {
			std::size_t digits = end + 1;
			if (digits < text_.size() && (text_[digits] == '+' || text_[digits] == '-'))
				++digits;
			end = skipDigits(digits);
			if (end == digits)
				return fail(digits, ExpressionExpectation::ExponentDigits);
		}
		double value = 0.0;
		const auto result =
				std::from_chars(text_.data() + start, text_.data() + end, value);
		if (result.ec != std::errc() || result.ptr != text_.data() + end)
			return fail(start, ExpressionExpectation::NumberInRange);
		at_ = end;
		emit(ExpressionOp::Constant, value);
		return true;
	}

	bool nameOrCall()
	{
		const std::size_t start = at_;
		while (at_ < text_.size() && continuesName(text_[at_]))
			++at_;
		const std::string_view name = text_.substr(start, at_ - start);
		if (const Function *f = findFunction(name))
			return call(*f, start);
		const auto found = std::find(names_.begin(), names_.end(), name);
		if (found == names_.end())
			return fail(start, ExpressionExpectation::KnownName, std::string(name));
		emitLoad(static_cast<uint32_t>(found - names_.begin()));
		return true;
	}

	bool call(const Function &f, std::size_t nameAt)
	{
		if (peek() != '(')
			return fail(at_, ExpressionExpectation::OpenParenthesis,
					std::string(f.name));
		++at_;
		int count = 0;
		for (;;) {
			if (!expression())
				return false;
			if (++count > 1 && variadic(f))
				emit(f.op);
			const char c = peek();
			if (c == ')')
				break;
			if (c != ',')
				return fail(at_, ExpressionExpectation::ArgumentSeparator,
						std::string(f.name));
			++at_;
		}
		++at_;
		if (variadic(f) ? count < f.arguments : count != f.arguments)
			return fail(nameAt, ExpressionExpectation::ArgumentCount,
					std::string(f.name), f.arguments);
		if (!variadic(f))
			emit(f.op);
		return true;
	}

	std::size_t skipDigits(std::size_t from) const
	{
		while (from < text_.size() && isDigit(text_[from]))
			++from;
		return from;
	}

	// The next character after spaces and tabs, '\0' at the end.
	char peek()
	{
		while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t'))
			++at_;
		return at_ < text_.size() ? text_[at_] : '\0';
	}

	void emit(ExpressionOp op, double value = 0.0)
	{
		depth_ += stackEffect(op);
		maxDepth_ = std::max(maxDepth_, depth_);
		steps_.push_back({op, 0, value});
	}

	void emitLoad(uint32_t slot)
	{
		maxDepth_ = std::max(maxDepth_, ++depth_);
		steps_.push_back({ExpressionOp::Load, slot, 0.0});
	}

	static int stackEffect(ExpressionOp op)
	{
		if (op == ExpressionOp::Constant || op == ExpressionOp::Load)
			return 1;
		return takesTwo(op) ? -1 : 0;
	}

	bool fail(std::size_t at, ExpressionExpectation expected, std::string name = {},
			int arguments = 0)
	{
		fault_ = {characterPosition(text_, at), expected, std::move(name), arguments};
		return false;
	}

	CompiledExpression refused(int position, ExpressionExpectation expected)
	{
		return {std::nullopt, {position, expected, {}, 0}};
	}

	CompiledExpression refusedAt(std::size_t at, ExpressionExpectation expected)
	{
		return refused(characterPosition(text_, at), expected);
	}

	std::string_view text_;
	std::span<const std::string> names_;
	std::size_t at_ = 0;
	int nesting_ = 0;
	std::vector<ExpressionStep> steps_;
	int depth_ = 0;
	int maxDepth_ = 0;
	ExpressionFault fault_;
};

} // namespace

CompiledExpression compileExpression(std::string_view text, std::span<const std::string> names)
{
	return Parser(text, names).parse();
}

bool isExpressionFunction(std::string_view name)
{
	return findFunction(name) != nullptr;
}

} // namespace kelvra
