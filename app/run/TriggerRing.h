#pragma once

// The trigger engine's storing step, which needs the measurement state alone:
// while waiting, every used unit's buffer is a ring that keeps the latest
// TrgDnum1 samples; when the watched unit crosses a level, every unit's window
// is set on the same slot, so sample number k is the same moment on every
// unit, and each unit then takes samples until its window holds TrgDnum1 +
// TrgDnum2. The live run and the journal's rebuild both store through here.

#include "acquisition/StoredSampleSink.h"
#include "core/ModuleData.h"
#include "core/RunEvent.h"

#include <optional>

namespace kelvra {

class TriggerRing {
public:
	explicit TriggerRing(ModuleData &md);

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

	// The sample of the run (from 1) on which the watched unit fired, and its value.
	int64_t triggerSample() const { return triggerSample_; }
	float triggerValue() const { return triggerValue_; }

	// Told of every sample offered to the rings from now on; none when null.
	void setSink(StoredSampleSink *sink) { sink_ = sink; }

	// StoreRingSample, then TrgCheck and TrgPreCount when it was stored: the
	// way every sample enters the rings.
	bool storeAndCheck(int unit, std::optional<float> value);

protected:
	ModuleData &md_;

private:
	StoredSampleSink *sink_ = nullptr;
	int64_t triggerSample_ = 0;
	float triggerValue_ = 0.0f;
};

// The event of a trigger that fired on sample `sample` of the run (from 1)
// of the watched unit with `value`, and the level it passed.
RunEvent TriggerEventOf(const ModuleData &md, int64_t sample, float value);

} // namespace kelvra
