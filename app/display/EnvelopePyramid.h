#pragma once

// Minimum and maximum of a growing series of values at a few block sizes, so
// the extent of any stretch costs a few blocks, not its samples. Writes only
// mark the blocks they touch; update() brings those blocks up to date before
// the next queries. A NaN value is a gap: it counts for no extent.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvra {

class EnvelopePyramid {
public:
	struct Extent {
		float minimum;
		float maximum;
		bool gap;   // a NaN among the values
		bool empty; // no value but NaN
	};

	int32_t size() const { return static_cast<int32_t>(values_.size()); }
	float value(int32_t index) const { return values_[index]; }
	// New values beyond the old size are NaN.
	void resize(int32_t count);
	void set(int32_t index, float value)
	{
		values_[index] = value;
		markDirty(index, index + 1);
	}
	// Values index, index + 1, ... from values; the size must hold them.
	void assign(int32_t index, std::span<const float> values)
	{
		std::copy(values.begin(), values.end(), values_.begin() + index);
		markDirty(index, index + static_cast<int32_t>(values.size()));
	}
	void update();
	// Over the indices [first, last); update() must have run since the last write.
	Extent extent(int32_t first, int32_t last) const;

private:
	struct Level {
		std::vector<float> minimum, maximum;
		std::vector<uint8_t> gap, empty;
	};

	void markDirty(int32_t first, int32_t last)
	{
		if (dirtyFirst_ >= dirtyLast_) {
			dirtyFirst_ = first;
			dirtyLast_ = last;
			return;
		}
		dirtyFirst_ = first < dirtyFirst_ ? first : dirtyFirst_;
		dirtyLast_ = last > dirtyLast_ ? last : dirtyLast_;
	}
	void rebuild(std::size_t level, int32_t firstBlock, int32_t lastBlock);
	void merge(Extent &into, const Level &level, int32_t block) const;
	void mergeValues(Extent &into, int32_t first, int32_t last) const;
	static void merge(Extent &into, const Extent &other);

	std::vector<float> values_;
	std::vector<Level> levels_; // level L holds blocks of kFanOut^(L+1) values
	int32_t dirtyFirst_ = 0;
	int32_t dirtyLast_ = 0; // an empty range when first >= last
};

// The extent of a stretch of values, as the pyramid's blocks hold it.
EnvelopePyramid::Extent ExtentOfValues(std::span<const float> values);

} // namespace kelvra
