#include "emulator_toolkit.h"

#include <algorithm>
#include <cstdio>

namespace varnelio::emulator {

EmulatorToolkit::EmulatorToolkit(std::string description) : description_(std::move(description)) {}

EmulatorToolkit::~EmulatorToolkit()
{
	stop();
}

bool EmulatorToolkit::start(const UsbMatch & /*match*/, UsbHandlers handlers)
{
	const EmulatorDescription parsed = parseEmulatorDescription(description_);
	if (!parsed.error.empty()) {
		// Every open of a unit tries the start again; one line says it all.
		static std::string reported;
		if (reported != description_) {
			std::fprintf(stderr, "VARNELIO_EMULATOR: %s\n", parsed.error.c_str());
			reported = description_;
		}
		return false;
	}
	handlers_ = std::move(handlers);
	stopping_ = false;

	const auto now = EmulatedUnit::Clock::now();
	std::vector<Notice> notices;
	for (const UnitDescription &unitDescription : parsed.units) {
		auto unit = std::make_shared<EmulatedUnit>(unitDescription);
		units_.push_back(unit);
		const auto attachAt = now + std::chrono::milliseconds(unitDescription.attachMs);
		notices.push_back({attachAt, unit, true});
		if (unitDescription.detachMs) {
			const auto detachAt = attachAt +
					std::chrono::milliseconds(*unitDescription.detachMs);
			notices.push_back({detachAt, unit, false});
			if (unitDescription.returnMs)
				notices.push_back({detachAt +
								std::chrono::milliseconds(
										*unitDescription.returnMs),
						unit, true});
		}
	}
	std::stable_sort(notices.begin(), notices.end(),
			[](const Notice &a, const Notice &b) { return a.when < b.when; });
	thread_ = std::thread(&EmulatorToolkit::run, this, std::move(notices));
	return true;
}

void EmulatorToolkit::stop()
{
	{
		std::lock_guard guard(mutex_);
		stopping_ = true;
	}
	wake_.notify_all();
	if (thread_.joinable())
		thread_.join();
	for (const auto &unit : units_)
		unit->unplug();
	units_.clear();
}

void EmulatorToolkit::run(std::vector<Notice> notices)
{
	for (const Notice &notice : notices) {
		{
			std::unique_lock guard(mutex_);
			if (wake_.wait_until(guard, notice.when, [this] { return stopping_; }))
				return;
		}
		if (notice.attach) {
			notice.unit->plug(notice.when);
			if (!handlers_.attach(notice.unit))
				notice.unit->unplug(); // refused: the unit stays out of the table
		} else {
			notice.unit->unplug();
			handlers_.detach(notice.unit.get());
		}
	}
}

} // namespace varnelio::emulator
