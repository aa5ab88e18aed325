#include "device_table.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace varnelio {

using namespace protocol;

namespace {

bool validUnit(int16_t unit)
{
	return unit >= 0 && unit < kSlotCount;
}

} // namespace

std::optional<std::size_t> exchange(
		UsbDevice &device, const CommandBytes &command, std::span<uint8_t> reply)
{
	std::array<uint8_t, 3> out = command.bytes;
	if (!device.bulkTransfer(kOutPipe, out.data(), command.size, kTransferTimeoutMs))
		return std::nullopt;
	if (reply.empty())
		return 0;
	std::fill(reply.begin(), reply.end(), uint8_t{0});
	return device.bulkTransfer(kInPipe, reply.data(), reply.size(), kTransferTimeoutMs);
}

DeviceTable::DeviceTable(UsbToolkitFactory factory, UsbMatch match, AttachWait wait)
	: factory_(std::move(factory)), match_(match), wait_(wait)
{
}

DeviceTable::~DeviceTable()
{
	uninitDriver();
}

bool DeviceTable::initDriver()
{
	{
		std::lock_guard guard(lock_);
		slots_ = {};
	}
	auto toolkit = factory_();
	if (!toolkit)
		return false;
	UsbHandlers handlers{[this](const std::shared_ptr<UsbDevice> &device) {
				     return onAttach(device);
			     },
			[this](const UsbDevice *device) { onDetach(device); }};
	if (!toolkit->start(match_, std::move(handlers)))
		return false; // not kept: the next open tries again
	toolkit_ = std::move(toolkit);
	return true;
}

void DeviceTable::uninitDriver()
{
	if (!toolkit_)
		return;
	toolkit_->stop();
	toolkit_.reset();
	std::lock_guard guard(lock_);
	for (auto &slot : slots_) {
		slot.attached = false;
		slot.opened = false;
		slot.handle.reset();
	}
}

bool DeviceTable::waitForAttach(int slot)
{
	for (int poll = 0; poll < wait_.polls; ++poll) {
		std::this_thread::sleep_for(wait_.interval);
		std::lock_guard guard(lock_);
		if (slots_[slot].attached)
			return true;
	}
	return false;
}

int16_t DeviceTable::open(int16_t unit)
{
	if (!validUnit(unit))
		return VARNELIO_ERR_PARAMETER;
	const int slot = unitToSlot(unit);

	const bool starting = !toolkit_;
	if (starting) {
		if (!initDriver())
			return VARNELIO_ERR_DRIVER;
		if (!waitForAttach(slot))
			return VARNELIO_ERR_NOT_FOUND;
	}

	std::shared_ptr<UsbDevice> handle;
	UnitKind kind;
	{
		std::lock_guard guard(lock_);
		DeviceSlot &entry = slots_[slot];
		if (!entry.attached)
			return VARNELIO_ERR_NOT_FOUND;
		if (entry.opened)
			return VARNELIO_ERR_ALREADY_OPEN;
		entry.opened = true;
		if (starting)
			entry.decoder.adjValue = 0.0;
		handle = entry.handle;
		kind = entry.decoder.kind;
	}

	if (starting) {
		std::array<uint8_t, 1> reply{};
		exchange(*handle, buildCommand(Command::Open), reply); // the answer carries nothing
	}
	if (kind == UnitKind::Counts24 && !calibrate(slot, *handle)) {
		std::lock_guard guard(lock_);
		slots_[slot].opened = false;
		return VARNELIO_ERR_OPEN_FAILED;
	}
	return VARNELIO_OK;
}

bool DeviceTable::calibrate(int slot, UsbDevice &device)
{
	std::array<uint8_t, 7> reply{};
	const auto received = exchange(device, buildCommand(Command::Calib), reply);
	if (!received)
		return false;
	const auto calibration = decodeCalibration(std::span(reply).first(*received));
	if (!calibration || calibration->span == 0)
		return false; // a scale of 12000 / 0 would turn every reading into infinity
	std::lock_guard guard(lock_);
	slots_[slot].decoder.scale = 12000.0 / calibration->span;
	slots_[slot].decoder.zeroCount = static_cast<int32_t>(calibration->zero);
	return true;
}

void DeviceTable::close(int16_t unit)
{
	if (!validUnit(unit))
		return;
	const int slot = unitToSlot(unit);
	std::shared_ptr<UsbDevice> handle;
	{
		std::lock_guard guard(lock_);
		if (!slots_[slot].opened)
			return;
		handle = slots_[slot].handle;
	}
	std::array<uint8_t, 1> reply{};
	exchange(*handle, buildCommand(Command::Close), reply); // the answer carries nothing
	{
		std::lock_guard guard(lock_);
		slots_[slot].opened = false;
	}
	if (!anyOpen())
		uninitDriver();
}

std::optional<DeviceTable::OpenUnit> DeviceTable::openUnit(int slot) const
{
	std::lock_guard guard(lock_);
	const DeviceSlot &entry = slots_[slot];
	if (!entry.opened || !entry.handle)
		return std::nullopt;
	return OpenUnit{entry.handle, entry.decoder};
}

bool DeviceTable::stillOpen(int slot, const std::shared_ptr<UsbDevice> &handle) const
{
	std::lock_guard guard(lock_);
	return slots_[slot].opened && slots_[slot].handle == handle;
}

// A 24-bit unit is reached under the ID set on it; a 16-bit one sits in the
// slot its ID names, so 1 and 2 are reached as each other.
int16_t DeviceTable::connected(uint8_t *setOn, uint8_t *kind) const
{
	if (!toolkit_)
		return -1;
	std::lock_guard guard(lock_);
	int16_t count = 0;
	for (int unit = 0; unit < kSlotCount; ++unit) {
		const int slot = unitToSlot(unit);
		const DeviceSlot &entry = slots_[slot];
		const bool wide = entry.decoder.kind == UnitKind::Counts24;
		setOn[unit] = !entry.attached ? 0xFF : static_cast<uint8_t>(wide ? unit : slot);
		kind[unit] = wide ? 1 : 0;
		count += entry.attached;
	}
	return count;
}

bool DeviceTable::anyOpen() const
{
	std::lock_guard guard(lock_);
	return std::any_of(slots_.begin(), slots_.end(),
			[](const DeviceSlot &entry) { return entry.attached && entry.opened; });
}

int16_t DeviceTable::singleSample(int16_t unit, double *value)
{
	if (!validUnit(unit))
		return VARNELIO_ERR_UNIT_ID;
	if (!value)
		return VARNELIO_ERR_PARAMETER;
	const int slot = unitToSlot(unit);
	const auto device = openUnit(slot);
	if (!device)
		return VARNELIO_ERR_NOT_OPEN;

	const UnitKind kind = device->decoder.kind;
	std::array<uint8_t, 3> reply{};
	const auto received = exchange(*device->handle, buildCommand(Command::Single),
			std::span(reply).first(replySize(Command::Single, kind)));
	if (!received)
		return VARNELIO_ERR_USB;
	const auto raw = decodeSingleCount(std::span(reply).first(*received), kind);
	if (!raw)
		return VARNELIO_ERR_USB; // a short reply holds no reading
	if (!stillOpen(slot, device->handle))
		return VARNELIO_ERR_NOT_OPEN;
	*value = device->decoder.toMicrostrain(*raw);
	return VARNELIO_OK;
}

int16_t DeviceTable::startSample(int16_t unit, int16_t period)
{
	if (!validUnit(unit))
		return VARNELIO_ERR_UNIT_ID;
	if (period < 1 || period > 10000)
		return VARNELIO_ERR_PARAMETER;
	const auto device = openUnit(unitToSlot(unit));
	if (!device)
		return VARNELIO_ERR_NOT_OPEN;
	if (!exchange(*device->handle, buildStart(static_cast<uint16_t>(period)), {}))
		return VARNELIO_ERR_USB;
	return VARNELIO_OK;
}

int16_t DeviceTable::getDatas(int16_t unit, double *values, uint8_t *status, uint8_t *count)
{
	if (!validUnit(unit))
		return VARNELIO_ERR_UNIT_ID;
	if (!values || !status || !count || *count > kMaxBlockSamples)
		return VARNELIO_ERR_PARAMETER;
	const int slot = unitToSlot(unit);
	const auto device = openUnit(slot);
	if (!device)
		return VARNELIO_ERR_NOT_OPEN;

	std::array<uint8_t, 800> reply{};
	const auto received = exchange(*device->handle, buildBlock(*count),
			std::span(reply).first(replySize(Command::Block, device->decoder.kind)));
	if (!received)
		return VARNELIO_ERR_USB;
	if (!stillOpen(slot, device->handle))
		return VARNELIO_ERR_NOT_OPEN;
	*count = static_cast<uint8_t>(decodeBlock(std::span(reply).first(*received), *count,
			device->decoder, values, status));
	return VARNELIO_OK;
}

int16_t DeviceTable::zeroAdj(int16_t unit, double value)
{
	if (!validUnit(unit))
		return VARNELIO_ERR_UNIT_ID;
	std::lock_guard guard(lock_);
	DeviceSlot &entry = slots_[unitToSlot(unit)];
	if (!entry.opened)
		return VARNELIO_ERR_NOT_OPEN;
	entry.decoder.adjValue = value;
	return VARNELIO_OK;
}

DeviceSlot DeviceTable::slot(int index) const
{
	std::lock_guard guard(lock_);
	return slots_.at(index);
}

bool DeviceTable::onAttach(const std::shared_ptr<UsbDevice> &device)
{
	device->resetPipe(kInPipe);
	std::array<uint8_t, 2> reply{};
	const auto received = exchange(*device, buildCommand(Command::Identify), reply);
	if (!received)
		return false;
	const auto identity = decodeIdentify(std::span(reply).first(*received));
	if (!identity)
		return false;

	std::lock_guard guard(lock_);
	DeviceSlot &entry = slots_[identity->slot];
	entry.decoder.kind = identity->kind;
	entry.attached = true;
	entry.handle = device;
	entry.opened = false;
	return true;
}

void DeviceTable::onDetach(const UsbDevice *device)
{
	std::lock_guard guard(lock_);
	for (auto &entry : slots_) {
		if (entry.attached && entry.handle.get() == device) {
			entry.attached = false;
			entry.opened = false;
			entry.handle.reset();
		}
	}
}

} // namespace varnelio
