// Opens every unit the library can see, takes a few single readings and one
// block of unit-timed samples from each, and prints them.

#include "varnelio.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

const char kUsage[] =
		"Usage: varnelio-demo [--emulate [DESCRIPTION]]\n"
		"Opens units 0 to 3, prints five single readings and one block of samples\n"
		"taken every 10 ms from each unit that opens.\n"
		"\n"
		"  --emulate [DESCRIPTION]  use emulated units (VARNELIO_EMULATOR; demo when\n"
		"                           DESCRIPTION is left out)\n"
		"  --help                   show this help\n"
		"Exit status: 0 when a unit opened, 1 when none did, 2 on bad usage.\n";

const char *meaning(int16_t code)
{
	switch (code) {
	case VARNELIO_OK:
		return "success";
	case VARNELIO_ERR_UNIT_ID:
		return "unit ID outside 0..3";
	case VARNELIO_ERR_DRIVER:
		return "starting the USB toolkit failed";
	case VARNELIO_ERR_ALREADY_OPEN:
		return "the unit is already open";
	case VARNELIO_ERR_TOO_MANY:
		return "too many units";
	case VARNELIO_ERR_OPEN_FAILED:
		return "the unit did not answer its calibration";
	case VARNELIO_ERR_NOT_FOUND:
		return "no unit with this ID is connected";
	case VARNELIO_ERR_NOT_OPEN:
		return "the unit is not open";
	case VARNELIO_ERR_PARAMETER:
		return "a parameter is out of range";
	case VARNELIO_ERR_USB:
		return "a USB exchange failed";
	default:
		return "unknown code";
	}
}

// Takes the options; returns the exit status when the program is to end now.
int takeOptions(int argc, char *argv[])
{
	for (int i = 1; i < argc; ++i) {
		if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
			std::fputs(kUsage, stdout);
			return 0;
		}
		if (std::strcmp(argv[i], "--emulate") != 0) {
			std::fprintf(stderr, "varnelio-demo: unknown option '%s'\n%s", argv[i],
					kUsage);
			return 2;
		}
		const bool given = i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0;
		const char *description = given ? argv[++i] : "demo";
		char reason[256];
		if (Varnel_Check_Emulator(description, reason, sizeof reason) != VARNELIO_OK) {
			std::fprintf(stderr, "varnelio-demo: --emulate: %s\n", reason);
			return 2;
		}
#if defined(_WIN32)
		_putenv_s("VARNELIO_EMULATOR", description);
#else
		setenv("VARNELIO_EMULATOR", description, 1);
#endif
	}
	return -1;
}

void showUnit(int16_t unit)
{
	double reading = 0.0;
	std::printf("unit %d: single readings", unit);
	for (int i = 0; i < 5; ++i) {
		if (const int16_t rc = Varnel_Single_Sample(unit, &reading); rc != VARNELIO_OK) {
			std::printf(" (code %d: %s)", rc, meaning(rc));
			break;
		}
		std::printf(" %.2f", reading);
	}
	std::printf(" ue\n");
}

void showBlock(int16_t unit)
{
	double values[VARNELIO_MAX_BLOCK];
	unsigned char status[VARNELIO_MAX_BLOCK];
	unsigned char count = VARNELIO_MAX_BLOCK;
	if (const int16_t rc = Varnel_Get_Datas(unit, values, status, &count); rc != VARNELIO_OK) {
		std::printf("unit %d: block read failed (code %d: %s)\n", unit, rc, meaning(rc));
		return;
	}
	std::printf("unit %d: %u samples at 10 ms:", unit, static_cast<unsigned>(count));
	for (unsigned i = 0; i < count && i < 8; ++i)
		std::printf(" %.2f", values[i]);
	std::printf("%s ue\n", count > 8 ? " ..." : "");
}

} // namespace

int main(int argc, char *argv[])
{
	if (const int status = takeOptions(argc, argv); status >= 0)
		return status;
	bool opened[4] = {};
	for (int16_t unit = 0; unit < 4; ++unit) {
		const int16_t rc = Varnel_Device_Open(unit);
		opened[unit] = rc == VARNELIO_OK;
		if (!opened[unit])
			std::printf("unit %d: not opened (code %d: %s)\n", unit, rc, meaning(rc));
	}
	for (int16_t unit = 0; unit < 4; ++unit) {
		if (opened[unit]) {
			showUnit(unit);
			Varnel_Start_Sample(unit, 1);
		}
	}
	std::this_thread::sleep_for(std::chrono::milliseconds(300));
	for (int16_t unit = 0; unit < 4; ++unit) {
		if (opened[unit])
			showBlock(unit);
	}
	for (int16_t unit = 0; unit < 4; ++unit)
		Varnel_Device_Close(unit);
	return opened[0] || opened[1] || opened[2] || opened[3] ? 0 : 1;
}
