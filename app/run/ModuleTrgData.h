#pragma once

// Trigger capture: while waiting, every used unit's buffer is a ring that
// keeps the latest TrgDnum1 samples; when the watched unit crosses a level,
// every unit's window is set on the same slot, so sample number k is the same
// moment on every unit, and each unit then takes samples until its window
// holds TrgDnum1 + TrgDnum2.

#include "acquisition/DeviceControl.h"
#include "acquisition/StoredSampleSink.h"
#include "core/ModuleData.h"

#include <array>
#include <optional>

namespace kelvra {

class ModuleTrgData {
public:
	ModuleTrgData(ModuleData &md, DeviceControl &devices);

	Flag AdvanceRing(int unit);
	// Stores a value (nullopt: the no-data marker) at the next slot.
	Flag StoreRingSample(int unit, std::optional<double> value);
	void TrgCheck(int unit);
	void TrgPreCount(int unit);
	void SetTrgWindow();
	Flag CheckTrgEnd() const;
	void SetTrgMaxMin();
	void CalcTrgMaxMin();
	int32_t RingIndex(int unit, int32_t k) const { return md_.RingIndex(unit, k); }

	Flag GetTrgSingleData();
	Flag GetTrgBlockData();
	Flag GetTrgBlockAveData();

	// Told of every sample offered to the rings from now on; none when null.
	void setSink(StoredSampleSink *sink) { sink_ = sink; }

	// StoreRingSample, then TrgCheck and TrgPreCount when it was stored; the
	// way every sample enters the rings, shared with the journal's rebuild.
	bool storeAndCheck(int unit, std::optional<float> value);

private:
	Flag readTrgBlocks(bool averaged);
	void updateDataCount();

	ModuleData &md_;
	DeviceControl &devices_;
	StoredSampleSink *sink_ = nullptr;

	std::array<double, 151> readings_{};
	std::array<unsigned char, 151> status_{};
};

} // namespace kelvra
