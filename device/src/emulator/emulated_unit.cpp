#include "emulated_unit.h"

#include "varnelio.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varnelio::emulator {

using namespace protocol;

namespace {

// A real unit holds at most this many unread samples. A unit whose clock
// runs N times faster holds N times as many, so that it can wait as long.
// What it could not hold is lost: it still hands those samples over, in
// their place, marked VARNELIO_STATUS_LOST, so that the loss is seen and
// the samples after it keep their time.
constexpr long kUnitBufferSamples = 128;

std::optional<UnitCommand> commandOf(uint8_t code)
{
	switch (static_cast<Command>(code)) {
	case Command::Identify:
		return UnitCommand::Identify;
	case Command::Open:
		return UnitCommand::Open;
	case Command::Close:
		return UnitCommand::Close;
	case Command::Calib:
		return UnitCommand::Calib;
	case Command::Single:
		return UnitCommand::Single;
	case Command::Start:
		return UnitCommand::Start;
	case Command::Block:
		return UnitCommand::Block;
	}
	return std::nullopt;
}

void putBigEndian24(uint8_t *at, uint32_t value)
{
	at[0] = static_cast<uint8_t>(value >> 16);
	at[1] = static_cast<uint8_t>(value >> 8);
	at[2] = static_cast<uint8_t>(value);
}

// Huge offsets and noise can sum to infinities and NaN; a count stays a count.
uint32_t countWithin(double value, double top)
{
	if (!(value > 0.0))
		return 0;
	return static_cast<uint32_t>(std::min(std::round(value), top));
}

} // namespace

EmulatedUnit::EmulatedUnit(const UnitDescription &description)
	: description_(description), noiseSource_(description.seed)
{
}

UnitKind EmulatedUnit::kind() const
{
	return description_.kind == 1 ? UnitKind::Counts24 : UnitKind::Counts16;
}

void EmulatedUnit::plug(Clock::time_point now)
{
	std::lock_guard guard(mutex_);
	plugged_ = true;
	attachedAt_ = now;
}

void EmulatedUnit::unplug()
{
	std::lock_guard guard(mutex_);
	plugged_ = false;
	reply_.clear();
}

void EmulatedUnit::resetPipe(uint8_t endpoint)
{
	std::lock_guard guard(mutex_);
	if (endpoint == kInPipe)
		reply_.clear();
}

std::optional<std::size_t> EmulatedUnit::bulkTransfer(
		uint8_t endpoint, uint8_t *data, std::size_t length, unsigned /*timeoutMs*/)
{
	std::lock_guard guard(mutex_);
	if (!plugged_)
		return std::nullopt;
	if (endpoint == kOutPipe) {
		if (length == 0)
			return 0;
		const auto command = commandOf(data[0]);
		if (command && failsNow(*command))
			return std::nullopt;
		answer(data, length);
		return length;
	}
	if (reply_.empty())
		return std::nullopt; // nothing to read: the real unit would time out
	const std::size_t count = std::min(length, reply_.size());
	std::copy_n(reply_.begin(), count, data);
	reply_.clear();
	return count;
}

bool EmulatedUnit::failsNow(UnitCommand command)
{
	const long exchange = ++exchanges_[static_cast<int>(command)];
	return std::any_of(description_.failures.begin(), description_.failures.end(),
			[&](const FailRule &rule) {
				return rule.command == command &&
						(exchange == rule.exchange ||
								(rule.onwards &&
										exchange > rule.exchange));
			});
}

void EmulatedUnit::answer(const uint8_t *command, std::size_t length)
{
	reply_.clear();
	const auto now = Clock::now();
	switch (static_cast<Command>(command[0])) {
	case Command::Identify: {
		const uint8_t info = static_cast<uint8_t>(
				(description_.kind == 1 ? 0x04 : 0x00) | description_.id);
		reply_ = {0, info};
		break;
	}
	case Command::Open:
	case Command::Close:
		reply_ = {0};
		break;
	case Command::Calib:
		reply_.assign(7, 0);
		putBigEndian24(&reply_[1], description_.span);
		putBigEndian24(&reply_[4], description_.zero);
		break;
	case Command::Single: {
		const double seconds = description_.speed *
				std::chrono::duration<double>(now - attachedAt_).count();
		reply_.assign(kind() == UnitKind::Counts24 ? 3 : 2, 0);
		putCount(reply_.data(), rawCountAt(seconds, singleReadings_++));
		break;
	}
	case Command::Start:
		if (length >= 3) {
			const int period = (command[1] << 8) | command[2];
			period_ = std::chrono::milliseconds(10 * std::max(period, 1));
			startedAt_ = now;
			delivered_ = 0;
			lostUpTo_ = 0;
			sampling_ = true;
		}
		break;
	case Command::Block:
		answerBlock(length >= 2 ? command[1] : 0);
		break;
	}
}

std::size_t EmulatedUnit::newSampleCount(std::size_t asked)
{
	if (!sampling_)
		return 0;
	if (description_.block)
		return std::min<std::size_t>(asked, static_cast<std::size_t>(*description_.block));
	const long owed = static_cast<long>(
			description_.speed * (Clock::now() - startedAt_) / period_);
	const long held = kUnitBufferSamples * description_.speed;
	lostUpTo_ = std::max(lostUpTo_, owed - held); // the oldest were overwritten
	return static_cast<std::size_t>(
			std::min<long>(static_cast<long>(asked), owed - delivered_));
}

void EmulatedUnit::answerBlock(std::size_t asked)
{
	const std::size_t count = std::min(newSampleCount(asked), kMaxBlockSamples);
	const BlockLayout layout = blockLayout(kind());
	reply_.assign(replySize(Command::Block, kind()), 0);
	reply_[1] = static_cast<uint8_t>(count);
	const double periodSeconds = std::chrono::duration<double>(period_).count();
	for (std::size_t i = 0; i < count; ++i) {
		const long k = ++delivered_; // sample k is taken k periods after the start
		uint8_t *sample = &reply_[layout.firstSample + i * layout.stride];
		const bool lost = k <= lostUpTo_;
		putCount(sample,
				lost ? 0
				     : rawCountAt(static_cast<double>(k) * periodSeconds, k - 1));
		sample[layout.statusOffset] = lost ? VARNELIO_STATUS_LOST : 0;
	}
}

double EmulatedUnit::microstrainAt(double seconds, long sampleIndex)
{
	const auto &p = description_.signal.params;
	double value = 0.0;
	switch (description_.signal.shape) {
	case SignalShape::Constant:
		value = p[0];
		break;
	case SignalShape::Sine:
		value = p[0] * std::sin(2.0 * std::numbers::pi * seconds / p[1]);
		break;
	case SignalShape::Step:
		value = seconds < p[0] ? p[1] : p[2];
		break;
	case SignalShape::Sequence:
		value = p[static_cast<std::size_t>(sampleIndex) % p.size()];
		break;
	case SignalShape::Count:
		value = p[0] + static_cast<double>(sampleIndex);
		break;
	case SignalShape::RawCount:
		break;
	}
	value += description_.offset;
	if (description_.noise > 0.0)
		value += std::normal_distribution<double>(0.0, description_.noise)(noiseSource_);
	return value;
}

// Inverts the decoding so the library reads back what the signal says.
uint32_t EmulatedUnit::rawCountAt(double seconds, long sampleIndex)
{
	if (description_.signal.shape == SignalShape::RawCount)
		return countWithin(description_.signal.params[0], 16777215.0);
	const double microstrain = microstrainAt(seconds, sampleIndex);
	if (kind() == UnitKind::Counts24) {
		const double counts = description_.span == 0
				? 0.0
				: microstrain * description_.span / 12000.0;
		return countWithin(description_.zero + counts, 16777215.0);
	}
	return countWithin(microstrain / 0.25 + 32768.0, 65535.0);
}

void EmulatedUnit::putCount(uint8_t *at, uint32_t raw) const
{
	if (kind() == UnitKind::Counts24) {
		putBigEndian24(at, raw & 0xFFFFFF);
	} else {
		at[0] = static_cast<uint8_t>(raw);
		at[1] = static_cast<uint8_t>(raw >> 8);
	}
}

} // namespace varnelio::emulator
