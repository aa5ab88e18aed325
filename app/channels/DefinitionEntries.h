#pragma once

// The definitions as a dialog's entries hold them: numbers as the texts the
// user types, the optional parts as ticks. A text that is no number reads as
// NaN (a count as 0), so that the definitions' one check refuses it with the
// message of the entry it belongs to; nothing here judges a value.

#include "ChannelDefinitions.h"

#include <QString>

#include <vector>

namespace kelvra {

QString entryText(double value);
double entryNumber(const QString &text);
int32_t entryWhole(const QString &text);
// A name or a unit name as typed, without the spaces around it.
std::string entryName(const QString &text);
QString shownText(std::string_view text);

struct ScaleRowEntry {
	QString x;
	QString y;
};

struct UnitSetupEntries {
	BridgeType bridge = BridgeType::None;
	QString gaugeFactor;
	QString poisson;
	QString leadOhm;
	QString gaugeOhm;
	bool tare = false;
	bool scaled = false; // the table and its unit count only when ticked
	std::vector<ScaleRowEntry> scale;
	QString scaleUnit;
	bool stressed = false;
	QString modulus;
};

UnitSetupEntries setupEntries(const UnitStrainSetup &setup);
UnitStrainSetup setupOf(const UnitSetupEntries &entries);

struct MaterialEntries {
	bool given = false;
	QString modulus;
	QString poisson;
};

MaterialEntries materialEntries(const std::optional<RosetteMaterial> &material);
std::optional<RosetteMaterial> materialOf(const MaterialEntries &entries);

} // namespace kelvra
