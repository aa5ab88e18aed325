/*
 * VARNELIO - device library for the Varnel USB strain amplifier.
 *
 * Up to four units (IDs 0..3) are reached through six exported functions.
 * Every call runs on the caller's thread; the library keeps no reference to
 * caller memory after a call returns. Readings are in microstrain.
 *
 * Calling convention: C linkage everywhere. On Windows the exports are
 * __stdcall (VARNELIO_CALL; the callee pops its arguments) and VARNELIO.dll
 * exports them by their plain names, without the "_name@n" decoration that
 * 32-bit stdcall symbols otherwise carry, so a caller binds them by name with
 * GetProcAddress or a declaration naming "VARNELIO.DLL". 64-bit Windows has a
 * single calling convention and the keyword changes nothing there. Arguments
 * are passed as declared: 16-bit unit IDs and periods, the adjustment value
 * as a double, everything else through caller-owned storage.
 */
#ifndef VARNELIO_H
#define VARNELIO_H

#include <stdint.h>

#if defined(_WIN32)
#define VARNELIO_CALL __stdcall
#if defined(VARNELIO_BUILDING)
#define VARNELIO_API __declspec(dllexport)
#else
#define VARNELIO_API __declspec(dllimport)
#endif
#else
#define VARNELIO_CALL
#if defined(VARNELIO_BUILDING)
#define VARNELIO_API __attribute__((visibility("default")))
#else
#define VARNELIO_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes of the exports (16-bit signed). */
enum varnelio_result {
	VARNELIO_OK = 0,               /* success */
	VARNELIO_ERR_UNIT_ID = 1,      /* unit ID outside 0..3 */
	VARNELIO_ERR_DRIVER = 2,       /* starting the USB toolkit failed */
	VARNELIO_ERR_ALREADY_OPEN = 3, /* the unit is already open */
	VARNELIO_ERR_TOO_MANY = 4,     /* never returned; kept for callers' message tables */
	VARNELIO_ERR_OPEN_FAILED = 5,  /* the unit did not answer its calibration on open */
	VARNELIO_ERR_NOT_FOUND = 6,    /* no unit with this ID is connected */
	VARNELIO_ERR_NOT_OPEN = 7,     /* the unit is not open */
	VARNELIO_ERR_PARAMETER = 8,    /* unit ID (open only), period or block count out of range */
	VARNELIO_ERR_USB = 9           /* a USB exchange failed, or the library failed inside
					  (out of memory): no exception leaves an export */
};

/* Largest block Varnel_Get_Datas delivers; callers' arrays hold at least this many. */
#define VARNELIO_MAX_BLOCK 128

/*
 * Status byte of a block sample that an emulated unit lost: its buffer
 * overflowed before the sample was fetched, and the value carries nothing.
 * The sample is still counted, so those after it keep their time. Other
 * status bytes are handed over as the unit sends them.
 */
#define VARNELIO_STATUS_LOST 0xFF

/* Opens a unit. The first open starts the USB toolkit and waits up to 2 s for the unit. */
VARNELIO_API int16_t VARNELIO_CALL Varnel_Device_Open(int16_t unit);

/* Closes a unit; closing the last open unit stops the USB toolkit. */
VARNELIO_API void VARNELIO_CALL Varnel_Device_Close(int16_t unit);

/* Takes one reading. */
VARNELIO_API int16_t VARNELIO_CALL Varnel_Single_Sample(int16_t unit, double *value);

/* Starts unit-timed sampling; period in 10 ms steps, 1..10000. */
VARNELIO_API int16_t VARNELIO_CALL Varnel_Start_Sample(int16_t unit, int16_t period);

/*
 * Fetches the samples the unit has gathered. *count goes in as the number
 * asked for (at most 128) and comes back as the number delivered.
 */
VARNELIO_API int16_t VARNELIO_CALL Varnel_Get_Datas(
		int16_t unit, double *values, unsigned char *status, unsigned char *count);

/* Sets the value subtracted from every later reading of the unit. */
VARNELIO_API int16_t VARNELIO_CALL Varnel_Zero_Adj(int16_t unit, double value);

/*
 * Not one of the six exports programs call for readings: checks a description
 * of emulated units as VARNELIO_EMULATOR takes it, without starting anything.
 * Returns VARNELIO_OK when the library understands it; otherwise
 * VARNELIO_ERR_PARAMETER and, when reason is not null, the reason naming the
 * field in reason (cut to size bytes and always terminated).
 */
VARNELIO_API int16_t VARNELIO_CALL Varnel_Check_Emulator(
		const char *description, char *reason, uint32_t size);

/* What Varnel_Check_Emulator_At finds wrong with a description. */
enum varnelio_emulator_problem {
	VARNELIO_EMULATOR_OK = 0, /* the library understands it */
	VARNELIO_EMULATOR_BAD_FIELD =
			1, /* a field is not name=value, or its name or value is unknown */
	VARNELIO_EMULATOR_NO_ID = 2,   /* a unit has no field id */
	VARNELIO_EMULATOR_DEMO_ID = 3, /* a field after "demo," sets the id its units keep */
	VARNELIO_EMULATOR_NO_TEXT = 4  /* description is null */
};

/*
 * The same check, told as numbers for a caller that words the reason in its
 * own language: returns a varnelio_emulator_problem and, when it is not 0,
 * the part of the description at fault (the field, or the unit without an
 * id) as its byte offset and length in *offset and *length, where not null.
 */
VARNELIO_API int32_t VARNELIO_CALL Varnel_Check_Emulator_At(
		const char *description, uint32_t *offset, uint32_t *length);

/*
 * Not one of the six exports either: the units connected now, so that a
 * caller whose open answered VARNELIO_ERR_NOT_FOUND can name those that are
 * there. For each unit ID u (0..3), set_on[u] gets the ID set on the unit that
 * an open of u reaches (it differs from u for a 16-bit unit set to 1 or 2),
 * or 0xFF where none is, and kind[u] its kind (0: 16-bit, 1: 24-bit). Both
 * arrays hold 4 bytes. Returns the number of units, or -1 while the USB side
 * does not run (it runs from the first open, even one that found nothing,
 * until the last open unit is closed).
 */
VARNELIO_API int16_t VARNELIO_CALL Varnel_Connected_Units(uint8_t *set_on, uint8_t *kind);

#ifdef __cplusplus
}
#endif

#endif /* VARNELIO_H */
