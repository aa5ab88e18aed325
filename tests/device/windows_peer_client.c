/*
 * A Windows program written for the unit, as its callers write them: it loads
 * "VARNELIO.DLL" by name, binds the six exports with GetProcAddress through
 * its own stdcall declarations, and walks one measurement. scripts/windows-dll.sh
 * runs it under Wine against the emulated units it names in VARNELIO_EMULATOR:
 * unit 0 constant at 100 microstrain, unit 1 present, units 2 and 3 absent.
 * Exit status 0 when every step answered as expected.
 */
#include <windows.h>

#include <math.h>
#include <stdio.h>

typedef short(__stdcall *OpenFn)(short unit);
typedef void(__stdcall *CloseFn)(short unit);
typedef short(__stdcall *SingleFn)(short unit, double *value);
typedef short(__stdcall *StartFn)(short unit, short period);
typedef short(__stdcall *GetDatasFn)(
		short unit, double *values, unsigned char *status, unsigned char *count);
typedef short(__stdcall *ZeroAdjFn)(short unit, double value);

static int failures;

static void expect(const char *step, int answer, int wanted)
{
	printf("%-48s %d%s\n", step, answer, answer == wanted ? "" : "  (FAILED)");
	if (answer != wanted) {
		printf("    wanted %d\n", wanted);
		++failures;
	}
}

/* The generic function pointer type GCC lets a program cast to the export's own type. */
typedef void (*Entry)(void);

static Entry entry(HMODULE library, const char *name)
{
	Entry found = (Entry)GetProcAddress(library, name);
	if (!found) {
		printf("VARNELIO.DLL has no export %s\n", name);
		++failures;
	}
	return found;
}

int main(void)
{
	HMODULE library = LoadLibraryA("VARNELIO.DLL");
	if (!library) {
		printf("cannot load VARNELIO.DLL (error %lu)\n", GetLastError());
		return 1;
	}
	OpenFn deviceOpen = (OpenFn)entry(library, "Varnel_Device_Open");
	CloseFn deviceClose = (CloseFn)entry(library, "Varnel_Device_Close");
	SingleFn singleSample = (SingleFn)entry(library, "Varnel_Single_Sample");
	StartFn startSample = (StartFn)entry(library, "Varnel_Start_Sample");
	GetDatasFn getDatas = (GetDatasFn)entry(library, "Varnel_Get_Datas");
	ZeroAdjFn zeroAdj = (ZeroAdjFn)entry(library, "Varnel_Zero_Adj");
	if (failures)
		return 1;

	double value = 0;
	double values[128];
	unsigned char status[128];
	unsigned char count = 0;

	expect("open unit 0", deviceOpen(0), 0);
	expect("open unit 1", deviceOpen(1), 0);
	expect("single sample of unit 0", singleSample(0, &value), 0);
	expect("  reads 100 microstrain", (int)lround(value), 100);
	expect("zero adjustment of unit 0 by 40", zeroAdj(0, 40.0), 0);
	expect("single sample after it", singleSample(0, &value), 0);
	expect("  reads 60 microstrain", (int)lround(value), 60);

	expect("start unit-timed sampling every 10 ms", startSample(0, 1), 0);
	Sleep(300);
	count = 128;
	expect("block fetch of up to 128", getDatas(0, values, status, &count), 0);
	expect("  delivers samples", count > 0 && count <= 128, 1);
	expect("  the first reads 60 microstrain", count > 0 ? (int)lround(values[0]) : -1, 60);
	count = 129;
	expect("block fetch of 129 is refused (8)", getDatas(0, values, status, &count), 8);

	expect("open unit 7 is refused (8)", deviceOpen(7), 8);
	expect("single sample of unit 7 is refused (1)", singleSample(7, &value), 1);
	expect("open of absent unit 3 is refused (6)", deviceOpen(3), 6);
	expect("single sample of absent unit 2 is refused (7)", singleSample(2, &value), 7);

	deviceClose(1);
	deviceClose(0);
	expect("single sample after close is refused (7)", singleSample(0, &value), 7);

	FreeLibrary(library);
	printf("%s\n", failures ? "FAILED" : "all steps answered as expected");
	return failures ? 1 : 0;
}
