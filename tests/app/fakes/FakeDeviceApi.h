#pragma once

// A scripted stand-in for the device library: each unit answers with the
// codes and samples the test sets up, and every call is logged.

#include "acquisition/DeviceApi.h"
#include "varnelio.h"

#include <QStringList>

#include "QtPrinting.h"

#include <algorithm>
#include <array>
#include <deque>
#include <functional>

namespace kelvra::testing {

struct FakeUnit {
	std::deque<int16_t> openCodes, zeroCodes, singleCodes, startCodes, blockCodes;
	std::function<double(long)> signal = [](long k) { return static_cast<double>(k); };
	long next = 1;              // number of the unit's next sample, from 1
	std::deque<int> deliveries; // samples delivered per block call; empty: all asked for
	std::function<bool(long)> lost = [](long) { return false; }; // marked lost in a block
	int reportedCount = -1; // a count to report whatever was asked (hostile library)
	std::vector<int> asked; // counts asked for by each block call
	bool open = false;
	double adjustment = 0.0;
};

class FakeDeviceApi : public DeviceApi {
public:
	std::array<FakeUnit, 4> units;
	QStringList calls;
	QString missing;

	QString loadError() override { return missing; }

	int16_t Varnel_Device_Open(int16_t unit) override
	{
		calls << QStringLiteral("open %1").arg(unit);
		const int16_t code = take(units[unit].openCodes);
		units[unit].open = units[unit].open || code == 0;
		return code;
	}

	void Varnel_Device_Close(int16_t unit) override
	{
		calls << QStringLiteral("close %1").arg(unit);
		units[unit].open = false;
	}

	int16_t Varnel_Single_Sample(int16_t unit, double &value) override
	{
		FakeUnit &u = units[unit];
		const int16_t code = take(u.singleCodes);
		if (code == 0)
			value = u.signal(u.next++) - u.adjustment;
		return code;
	}

	int16_t Varnel_Start_Sample(int16_t unit, int16_t period) override
	{
		calls << QStringLiteral("start %1 %2").arg(unit).arg(period);
		return take(units[unit].startCodes);
	}

	int16_t Varnel_Get_Datas(int16_t unit, double *values, unsigned char *status,
			unsigned char &count) override
	{
		FakeUnit &u = units[unit];
		u.asked.push_back(count);
		const int16_t code = take(u.blockCodes);
		if (code != 0)
			return code;
		int delivered = count;
		if (!u.deliveries.empty()) {
			delivered = std::min<int>(count, u.deliveries.front());
			u.deliveries.pop_front();
		}
		for (int i = 0; i < delivered; ++i) {
			status[i] = u.lost(u.next) ? VARNELIO_STATUS_LOST : 0;
			values[i] = u.signal(u.next++) - u.adjustment;
		}
		count = static_cast<unsigned char>(
				u.reportedCount >= 0 ? u.reportedCount : delivered);
		return 0;
	}

	int16_t Varnel_Zero_Adj(int16_t unit, double value) override
	{
		calls << QStringLiteral("zero %1 %2").arg(unit).arg(value);
		units[unit].adjustment = value;
		return take(units[unit].zeroCodes);
	}

private:
	static int16_t take(std::deque<int16_t> &codes)
	{
		if (codes.empty())
			return 0;
		const int16_t code = codes.front();
		codes.pop_front();
		return code;
	}
};

} // namespace kelvra::testing
