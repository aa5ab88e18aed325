#pragma once

// Why a definition, an option or a line of the definitions' text was
// refused, and which unit, rosette or channel it concerns: a value the
// window and the command line render (DefinitionFaultText).

#include "ExpressionCompiler.h"

#include <cstdint>
#include <string>

namespace kelvra {

enum class FaultCode : uint8_t {
	// A unit's strain setup (`unit`).
	StrainNeedsMicrostrain, // a setup other than the unit's reading, with a load unit
	GaugeFactor,            // not > 0
	Poisson,                // not in [0, 0.5)
	LeadOhm,                // not ≥ 0
	GaugeOhm,               // not > 0
	ScalePointCount,        // not 2 to 32 points
	ScalePoint, // point `index` (from 1): not a number, or X not above the one before
	ScaleUnitWithoutTable,
	Modulus, // not > 0
	TareSamples,
	// A rosette (`name`).
	RosetteCount,
	RosetteName,
	RosetteSameUnit,
	RosetteUnitNotInUse, // gauge `index` (0 = A) on `unit`
	RosetteNeedsMicrostrain,
	RosetteModulus,
	RosettePoisson,
	// A computed channel (`name`).
	ChannelCount,
	ChannelName,
	ChannelExpression, // `expression` says where and what was expected
	// Any of them (`name`).
	NameReserved,
	NameTaken,
	UnitName, // `unit` ≥ 0: the scaling table's, else the channel `name`'s
	// An option `option` with the value `text`, or a line of the text form.
	OptionForm,     // not of the form `expected`
	OptionUnit,     // `name` is no unit 0 to 3
	OptionNumber,   // `name` is no number
	OptionBridge,   // `name` is no bridge type
	OptionLayout,   // `name` is neither rect nor delta
	UnknownRosette, // rosette-material of a rosette `name` not defined
	UnknownChannel, // channel-unit of a channel `name` not defined
	UnknownLine,    // a line of the text form that is no definition
};

struct DefinitionFault {
	DefinitionFault() = default;
	explicit DefinitionFault(FaultCode c) : code(c) {}

	FaultCode code = FaultCode::UnknownLine;
	int unit = -1;
	int index = -1;
	std::string name;
	ExpressionFault expression;
	std::string option;
	std::string text;
	std::string expected;
	int line = 0; // of the text form, from 1; 0 for an option or a check

	bool operator==(const DefinitionFault &) const = default;
};

} // namespace kelvra
