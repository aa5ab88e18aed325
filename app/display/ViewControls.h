#pragma once

// The controls of the "表示範囲" group as the graph view logic sees them.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kelvra {

class ViewControls {
public:
	virtual ~ViewControls() = default;

	virtual void setScrollButtonsEnabled(bool enabled) = 0;
	virtual void setCountListEnabled(bool enabled) = 0;
	virtual void setCountList(const QStringList &items, int selected) = 0;
	// The display count chosen in the list (its text as a whole number).
	virtual int32_t countListValue() const = 0;

	// Mark an option as selected, without running its handler.
	virtual void showScrollMode(int index) = 0;
	virtual void showScaleMode(int index) = 0;

	virtual void setScaleInputs(bool enabled, const QString &top, const QString &bottom) = 0;
	virtual QString scaleTopText() const = 0;
	virtual QString scaleBottomText() const = 0;
};

} // namespace kelvra
