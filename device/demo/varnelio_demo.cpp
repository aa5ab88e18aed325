// Opens every unit the library can see, takes a few single readings and one
// block of unit-timed samples from each, and prints them.

#include "varnelio.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

void showUnit(int16_t unit)
{
	double reading = 0.0;
	std::printf("unit %d: single readings", unit);
	for (int i = 0; i < 5; ++i) {
		if (const int16_t rc = Varnel_Single_Sample(unit, &reading); rc != VARNELIO_OK) {
			std::printf(" (error %d)", rc);
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
		std::printf("unit %d: block read failed with code %d\n", unit, rc);
		return;
	}
	std::printf("unit %d: %u samples at 10 ms:", unit, static_cast<unsigned>(count));
	for (unsigned i = 0; i < count && i < 8; ++i)
		std::printf(" %.2f", values[i]);
	std::printf("%s ue\n", count > 8 ? " ..." : "");
}

} // namespace

int main()
{
	bool opened[4] = {};
	for (int16_t unit = 0; unit < 4; ++unit) {
		const int16_t rc = Varnel_Device_Open(unit);
		opened[unit] = rc == VARNELIO_OK;
		if (!opened[unit])
			std::printf("unit %d: not opened (code %d)\n", unit, rc);
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
