#pragma once

// Opening, zero-referencing, starting and closing the units in use, and the
// texts of the device library's result codes.

#include "DeviceApi.h"
#include "core/InterfaceLanguage.h"
#include "core/ModuleData.h"
#include "core/Prompt.h"
#include <QCoreApplication>

namespace kelvra {

// Codes of the program's own, next to the library's 0..9.
inline constexpr int16_t kNoUnitInUse = 10;
inline constexpr int16_t kLibraryUnavailable = 11;
inline constexpr int16_t kUnitOverflow = 12; // samples marked VARNELIO_STATUS_LOST

class DeviceControl {
	Q_DECLARE_TR_FUNCTIONS(DeviceControl)

public:
	DeviceControl(ModuleData &md, DeviceApi &api, Prompt &prompt);

	int16_t OpenUnits();
	void CloseUnits();
	int16_t StartUnits(int16_t period);
	void DispDevError(int16_t code);

	// The ZERO button of a unit: the mean of 100 unadjusted readings becomes
	// its zero reference. `ticked` is the unit's box as the dialog shows it.
	// True when the reference was taken.
	bool TakeZeroReference(int unit, bool ticked);

	// Empty for a code outside 0..9.
	static QString DeviceErrorText(int16_t code, const LanguageTexts &texts = {});

	DeviceApi &api() { return api_; }

private:
	bool libraryUsable();
	// DispDevError for an open; a missing unit's text names the units there.
	void tellOpenError(int16_t unit, int16_t code);
	QString missingUnitText(int16_t unit);

	ModuleData &md_;
	DeviceApi &api_;
	Prompt &prompt_;
};

} // namespace kelvra
