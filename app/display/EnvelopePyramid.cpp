#include "EnvelopePyramid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvra {

namespace {

constexpr int32_t kFanOut = 16;
constexpr float kInfinity = std::numeric_limits<float>::infinity();

int32_t blocksOf(int32_t count, int32_t blockSize)
{
	return (count + blockSize - 1) / blockSize;
}

EnvelopePyramid::Extent nothing()
{
	return {kInfinity, -kInfinity, false, true};
}

} // namespace

void EnvelopePyramid::resize(int32_t count)
{
	const int32_t old = size();
	values_.resize(std::max(count, 0), std::numeric_limits<float>::quiet_NaN());
	// The last block of each level may have lost values too.
	markDirty(std::max(std::min(old, size()) - 1, 0), size());
}

void EnvelopePyramid::update()
{
	std::size_t levelCount = 0;
	for (int32_t block = kFanOut; block < size(); block *= kFanOut)
		++levelCount;
	levels_.resize(std::max<std::size_t>(levelCount, 1));
	const int32_t first = std::min(dirtyFirst_, size());
	const int32_t last = std::max(std::min(dirtyLast_, size()), first);
	int32_t blockSize = kFanOut;
	for (std::size_t l = 0; l < levels_.size(); ++l, blockSize *= kFanOut) {
		const int32_t blocks = blocksOf(size(), blockSize);
		Level &level = levels_[l];
		level.minimum.resize(blocks);
		level.maximum.resize(blocks);
		level.gap.resize(blocks);
		level.empty.resize(blocks);
		if (first < last)
			rebuild(l, first / blockSize, blocksOf(last, blockSize));
	}
	dirtyFirst_ = dirtyLast_ = 0;
}

// Blocks of a level are made from the values, or from the level below.
void EnvelopePyramid::rebuild(std::size_t l, int32_t firstBlock, int32_t lastBlock)
{
	Level &level = levels_[l];
	for (int32_t b = firstBlock; b < lastBlock; ++b) {
		Extent e = nothing();
		if (l == 0) {
			mergeValues(e, b * kFanOut, std::min((b + 1) * kFanOut, size()));
		} else {
			const Level &below = levels_[l - 1];
			const auto belowCount = static_cast<int32_t>(below.minimum.size());
			for (int32_t c = b * kFanOut; c < std::min((b + 1) * kFanOut, belowCount);
					++c)
				merge(e, below, c);
		}
		level.minimum[b] = e.minimum;
		level.maximum[b] = e.maximum;
		level.gap[b] = e.gap;
		level.empty[b] = e.empty;
	}
}

void EnvelopePyramid::merge(Extent &into, const Level &level, int32_t block) const
{
	into.gap = into.gap || level.gap[block];
	if (level.empty[block])
		return;
	into.empty = false;
	into.minimum = std::min(into.minimum, level.minimum[block]);
	into.maximum = std::max(into.maximum, level.maximum[block]);
}

void EnvelopePyramid::mergeValues(Extent &into, int32_t first, int32_t last) const
{
	merge(into, ExtentOfValues(std::span(values_).subspan(first, last - first)));
}

void EnvelopePyramid::merge(Extent &into, const Extent &other)
{
	into.gap = into.gap || other.gap;
	into.empty = into.empty && other.empty;
	into.minimum = std::min(into.minimum, other.minimum);
	into.maximum = std::max(into.maximum, other.maximum);
}

// Without branches, as it runs over every value drawn: a NaN compares false,
// so it leaves both extremes as they are and is only counted.
EnvelopePyramid::Extent ExtentOfValues(std::span<const float> values)
{
	float minimum = kInfinity;
	float maximum = -kInfinity;
	std::size_t numbers = 0;
	for (const float v : values) {
		minimum = v < minimum ? v : minimum;
		maximum = maximum < v ? v : maximum;
		numbers += v == v ? 1 : 0;
	}
	return {minimum, maximum, numbers < values.size(), numbers == 0};
}

// Whole blocks of the largest size that fits, single values at the edges,
// each run of them merged at once.
EnvelopePyramid::Extent EnvelopePyramid::extent(int32_t first, int32_t last) const
{
	Extent e = nothing();
	first = std::max(first, 0);
	last = std::min(last, size());
	if (first >= last)
		return e;
	int32_t i = first;
	int32_t singles = first; // where the run of single values not merged yet begins
	while (i < last) {
		int32_t blockSize = 1;
		std::size_t l = 0;
		// The largest block starting at i that ends within the range.
		while (l < levels_.size() && i % (blockSize * kFanOut) == 0 &&
				i + blockSize * kFanOut <= last) {
			blockSize *= kFanOut;
			++l;
		}
		if (blockSize == 1) {
			++i;
			continue;
		}
		mergeValues(e, singles, i);
		merge(e, levels_[l - 1], i / blockSize);
		i += blockSize;
		singles = i;
	}
	mergeValues(e, singles, last);
	return e;
}

} // namespace kelvra
