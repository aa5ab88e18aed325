#pragma once

// The device library's six exports resolved by name from the VARNELIO
// library file: first beside the program, then in the installed library
// folder (found from the program's own folder), then by the normal library
// search.
// Loaded on first use; a missing file or entry point is reported by
// loadError() and every call then fails without touching a device.

#include "DeviceApi.h"
#include <QCoreApplication>

#include <QLibrary>

#include "varnelio.h" // VARNELIO_CALL: the exports' calling convention

namespace kelvra {

class VarnelLibrary : public DeviceApi {
	Q_DECLARE_TR_FUNCTIONS(VarnelLibrary)

public:
	// fileName empty: "VARNELIO" beside the program, in the installed library
	// folder, then the library search.
	explicit VarnelLibrary(QString fileName = {});

	QString loadError() override;

	// Why the library refuses this description of emulated units, in the
	// interface's language where the library tells it as numbers; empty when
	// it takes it, or when the library is too old to say.
	QString checkEmulator(const QString &description);

	int16_t Varnel_Device_Open(int16_t unit) override;
	void Varnel_Device_Close(int16_t unit) override;
	int16_t Varnel_Single_Sample(int16_t unit, double &value) override;
	int16_t Varnel_Start_Sample(int16_t unit, int16_t period) override;
	int16_t Varnel_Get_Datas(int16_t unit, double *values, unsigned char *status,
			unsigned char &count) override;
	int16_t Varnel_Zero_Adj(int16_t unit, double value) override;
	std::optional<std::vector<ConnectedUnit>> connectedUnits() override;

private:
	struct Exports {
		int16_t(VARNELIO_CALL *open)(int16_t) = nullptr;
		void(VARNELIO_CALL *close)(int16_t) = nullptr;
		int16_t(VARNELIO_CALL *single)(int16_t, double *) = nullptr;
		int16_t(VARNELIO_CALL *start)(int16_t, int16_t) = nullptr;
		int16_t(VARNELIO_CALL *getDatas)(
				int16_t, double *, unsigned char *, unsigned char *) = nullptr;
		int16_t(VARNELIO_CALL *zeroAdj)(int16_t, double) = nullptr;
	};

	bool load();
	static QString emulatorProblemText(
			int32_t problem, const QByteArray &text, uint32_t offset, uint32_t length);

	QString fileName_;
	QLibrary library_;
	Exports exports_;
	bool tried_ = false;
	QString error_;
};

} // namespace kelvra
