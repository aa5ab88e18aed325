#pragma once

// What an analysis gives: its result, or why it gave none.

#include <optional>
#include <utility>

namespace kelvra::analysis {

enum class Refusal {
	NoSamples,        // the range holds too few samples to analyse
	SegmentTooLong,   // a PSD segment longer than the samples analysed
	SegmentTooShort,  // a PSD segment of fewer than two samples
	CutoffOutOfRange, // a cut-off not between 0 and half the sampling rate
	OrderOutOfRange,  // a Butterworth order outside 1..8
	LengthOutOfRange, // a moving average of no samples
	Cancelled,        // the progress callback asked to stop
};

template <typename T>
class Outcome {
public:
	Outcome(T value) : value_(std::move(value)) {}
	Outcome(Refusal refusal) : refusal_(refusal) {}

	bool ok() const { return value_.has_value(); }
	explicit operator bool() const { return ok(); }
	const T &operator*() const { return *value_; }
	T &operator*() { return *value_; }
	const T *operator->() const { return &*value_; }
	T *operator->() { return &*value_; }
	// Meaningful only when !ok().
	Refusal refusal() const { return refusal_; }

private:
	std::optional<T> value_;
	Refusal refusal_ = Refusal::NoSamples;
};

} // namespace kelvra::analysis
