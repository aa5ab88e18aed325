#pragma once

// The least free space of --min-free: a size ("2GB", "500MB", in decimal
// units: kB, MB, GB and TB are 10^3, 10^6, 10^9 and 10^12 bytes) or a time
// of recording ("6h", "30m", "90s", "2d") that the free space must hold.

#include <QString>

#include <cstdint>
#include <optional>

namespace kelvra {

struct MinFree {
	enum class Form : uint8_t { Size, Time };
	Form form = Form::Size;
	double amount = 0.0; // bytes or seconds

	// The least free space in bytes for a recording that writes
	// `bytesPerSecond`.
	qint64 bytesAt(double bytesPerSecond) const;
	bool operator==(const MinFree &) const = default;
};

struct MinFreeCheck {
	std::optional<MinFree> minFree;
	QString message; // the refusal, when minFree is empty
};

MinFreeCheck ParseMinFree(const QString &text);

// "2 GB", "6時間".
QString MinFreeText(const MinFree &minFree);
// "1.99 GB", "12.3 GB", "500 MB": decimal units, as the option takes them.
QString ByteText(qint64 bytes);

} // namespace kelvra
