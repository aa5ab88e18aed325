#pragma once

// The six exports of the device library as the program calls them, and the
// list of connected units where the library has it. The program binds them
// from the library file; tests put a scripted fake here.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kelvra {

// A unit the library reaches under `id`; `setOn` is the ID set on it.
struct ConnectedUnit {
	int16_t id;
	int16_t setOn;
	bool sixteenBit;

	bool operator==(const ConnectedUnit &) const = default;
};

class DeviceApi {
public:
	virtual ~DeviceApi() = default;

	// Empty when the exports can be called; otherwise what is missing,
	// naming the library file.
	virtual QString loadError() = 0;

	virtual int16_t Varnel_Device_Open(int16_t unit) = 0;
	virtual void Varnel_Device_Close(int16_t unit) = 0;
	virtual int16_t Varnel_Single_Sample(int16_t unit, double &value) = 0;
	virtual int16_t Varnel_Start_Sample(int16_t unit, int16_t period) = 0;
	virtual int16_t Varnel_Get_Datas(int16_t unit, double *values, unsigned char *status,
			unsigned char &count) = 0;
	virtual int16_t Varnel_Zero_Adj(int16_t unit, double value) = 0;

	// The units connected now, when the library can tell (its USB side runs).
	virtual std::optional<std::vector<ConnectedUnit>> connectedUnits() { return std::nullopt; }
};

} // namespace kelvra
