// The six exports: thin wrappers over the library's one device table.

#include "boundary.h"
#include "device_table.h"
#include "emulator/emulator_toolkit.h"
#include "varnelio.h"
#ifdef VARNELIO_WITH_LIBUSB
#include "libusb/libusb_toolkit.h"
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using namespace varnelio;

// Chosen at every driver start, so a program may switch to virtual units
// between runs by setting VARNELIO_EMULATOR.
std::unique_ptr<UsbToolkit> makeToolkit()
{
	const char *emulator = std::getenv("VARNELIO_EMULATOR");
	if (emulator && *emulator)
		return std::make_unique<emulator::EmulatorToolkit>(emulator);
#ifdef VARNELIO_WITH_LIBUSB
	return std::make_unique<LibusbToolkit>();
#else
	return nullptr; // no USB toolkit in this build: the open answers 2
#endif
}

DeviceTable &deviceTable()
{
	static DeviceTable table(makeToolkit, UsbMatch{VARNELIO_USB_VID, VARNELIO_USB_PID});
	return table;
}

} // namespace

extern "C" {

VARNELIO_API int16_t VARNELIO_CALL Varnel_Device_Open(int16_t unit)
{
	return guarded([&] { return deviceTable().open(unit); });
}

VARNELIO_API void VARNELIO_CALL Varnel_Device_Close(int16_t unit)
{
	guarded([&] {
		deviceTable().close(unit);
		return int16_t{VARNELIO_OK};
	});
}

VARNELIO_API int16_t VARNELIO_CALL Varnel_Single_Sample(int16_t unit, double *value)
{
	return guarded([&] { return deviceTable().singleSample(unit, value); });
}

VARNELIO_API int16_t VARNELIO_CALL Varnel_Start_Sample(int16_t unit, int16_t period)
{
	return guarded([&] { return deviceTable().startSample(unit, period); });
}

VARNELIO_API int16_t VARNELIO_CALL Varnel_Get_Datas(
		int16_t unit, double *values, unsigned char *status, unsigned char *count)
{
	return guarded([&] { return deviceTable().getDatas(unit, values, status, count); });
}

VARNELIO_API int16_t VARNELIO_CALL Varnel_Zero_Adj(int16_t unit, double value)
{
	return guarded([&] { return deviceTable().zeroAdj(unit, value); });
}

VARNELIO_API int16_t VARNELIO_CALL Varnel_Check_Emulator(
		const char *description, char *reason, uint32_t size)
{
	if (reason && size > 0)
		reason[0] = '\0';
	return guarded([&] {
		const std::string error = description
				? emulator::parseEmulatorDescription(description).error
				: std::string("no description given");
		if (reason && size > 0) {
			const std::size_t kept = std::min<std::size_t>(error.size(), size - 1);
			std::memcpy(reason, error.data(), kept);
			reason[kept] = '\0';
		}
		return static_cast<int16_t>(error.empty() ? VARNELIO_OK : VARNELIO_ERR_PARAMETER);
	});
}

VARNELIO_API int32_t VARNELIO_CALL Varnel_Check_Emulator_At(
		const char *description, uint32_t *offset, uint32_t *length)
{
	if (offset)
		*offset = 0;
	if (length)
		*length = 0;
	if (!description)
		return VARNELIO_EMULATOR_NO_TEXT;
	return guarded([&] {
		const auto parsed = emulator::parseEmulatorDescription(description);
		if (offset)
			*offset = static_cast<uint32_t>(parsed.errorOffset);
		if (length)
			*length = static_cast<uint32_t>(parsed.errorLength);
		return static_cast<int16_t>(parsed.problem);
	});
}

VARNELIO_API int16_t VARNELIO_CALL Varnel_Connected_Units(uint8_t *set_on, uint8_t *kind)
{
	if (!set_on || !kind)
		return VARNELIO_ERR_PARAMETER;
	return guarded([&] { return deviceTable().connected(set_on, kind); });
}

} // extern "C"
