// The emulator's description on any text: parsed or refused with a reason,
// and every unit it describes answers every command.

#include "emulator/emulated_unit.h"
#include "emulator/emulator_description.h"
#include "varnelio.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace varnelio;

namespace {

void exchange(emulator::EmulatedUnit &unit, std::initializer_list<uint8_t> command)
{
	std::array<uint8_t, 3> out{};
	std::copy(command.begin(), command.end(), out.begin());
	std::array<uint8_t, 800> reply{};
	if (unit.bulkTransfer(protocol::kOutPipe, out.data(), command.size(),
			    protocol::kTransferTimeoutMs))
		unit.bulkTransfer(protocol::kInPipe, reply.data(), reply.size(),
				protocol::kTransferTimeoutMs);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
	const std::string text(reinterpret_cast<const char *>(data), size);
	const emulator::EmulatorDescription description = emulator::parseEmulatorDescription(text);
	if (!description.error.empty() && !description.units.empty())
		__builtin_trap(); // a refusal keeps no units
	if (description.error.empty() !=
					(description.problem ==
							emulator::DescriptionProblem::None) ||
			description.errorOffset + description.errorLength > size)
		__builtin_trap(); // every refusal has its problem, placed within the text
	for (const emulator::UnitDescription &unitDescription : description.units) {
		emulator::EmulatedUnit unit(unitDescription);
		unit.plug(emulator::EmulatedUnit::Clock::now() - std::chrono::seconds(3));
		exchange(unit, {0xF0});
		exchange(unit, {0x60});
		exchange(unit, {0x10});
		exchange(unit, {0x10});
		exchange(unit, {0x20, 0x00, 0x01});
		exchange(unit, {0x30, 0x80});
	}
	return 0;
}
