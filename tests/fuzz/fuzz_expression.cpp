// Any text as a computed channel's expression and as the definitions' text
// form. An expression is refused at a place inside it or compiles into a
// program that runs to a finite value or a missing one; definitions that
// read and pass the check write a text that reads back as the same
// definitions, and evaluate.

#include "channels/ChannelEvaluator.h"
#include "channels/ChannelTexts.h"
#include "channels/DefinitionCheck.h"
#include "channels/DefinitionText.h"
#include "channels/ExpressionCompiler.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace kelvra;

void fuzzExpression(std::string_view text)
{
	static const std::vector<std::string> names{"ID0", "ID1", "ID2", "ID3", "r_e1", "bend"};
	const double row[] = {1.0, -2.0, std::numeric_limits<double>::quiet_NaN(), 1e300, 0.0, 0.5};
	const CompiledExpression compiled = compileExpression(text, names);
	if (!compiled.program) {
		const int position = compiled.fault.position;
		if (position < 1 || static_cast<std::size_t>(position) > text.size() + 1)
			__builtin_trap();
		return;
	}
	std::vector<double> stack(static_cast<std::size_t>(compiled.program->stackDepth()));
	const double value = compiled.program->evaluate(row, stack.data());
	if (std::isinf(value))
		__builtin_trap();
}

void fuzzDefinitions(std::string_view text)
{
	const DefinitionsRead read = readDefinitionsText(text);
	if (!read.definitions) {
		(void)definitionFaultText(read.fault);
		return;
	}
	for (const bool microstrain : {true, false}) {
		const MeasuredUnits units{{true, true, true, microstrain}, microstrain};
		if (const auto fault = checkDefinitions(*read.definitions, units)) {
			(void)definitionFaultText(*fault);
			continue;
		}
		const std::string written = definitionsText(*read.definitions);
		const DefinitionsRead again = readDefinitionsText(written);
		if (!again.definitions || !(*again.definitions == *read.definitions) ||
				definitionsText(*again.definitions) != written)
			__builtin_trap();
		ChannelEvaluator evaluator(*read.definitions, units);
		for (const UnitReadings &readings : {UnitReadings{1000.0f, -250.0f, 0.0f, 3.5f},
				     UnitReadings{std::numeric_limits<float>::quiet_NaN(), 1e30f,
						     -1e30f, 0.0f}}) {
			for (const double value : evaluator.evaluate(readings)) {
				if (std::isinf(value))
					__builtin_trap();
			}
		}
		for (const OutputChannel &channel : evaluator.channels())
			(void)outputChannelDescription(channel, *read.definitions);
	}
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
	const std::string_view text(reinterpret_cast<const char *>(data), size);
	fuzzExpression(text);
	fuzzDefinitions(text);
	return 0;
}
