#pragma once

// The six exports of the device library as the program calls them. The
// program binds them from the library file; tests put a scripted fake here.

#include <QString>

#include <cstdint>

namespace kelvra {

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
};

} // namespace kelvra
