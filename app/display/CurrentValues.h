#pragma once

// The "現在値" panel: the newest value of each used unit while a run goes on.

#include "core/ModuleData.h"

namespace kelvra {

class ValueLabels {
public:
	virtual ~ValueLabels() = default;
	virtual void setValueText(int unit, const QString &text) = 0;
};

class CurrentValues {
public:
	CurrentValues(const ModuleData &md, ValueLabels &labels);

	void ClearValueLabels();
	void ShowCurrentValues();
	void ShowCurrentValuesByNum();
	void ShowCurrentValuesTrg();

	// "###0.000": three decimals, no grouping.
	static QString valueText(float value);

private:
	void show(int unit, int32_t index);

	const ModuleData &md_;
	ValueLabels &labels_;
};

} // namespace kelvra
