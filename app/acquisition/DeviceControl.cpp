#include "DeviceControl.h"

#include "varnelio.h"

#include <array>

namespace kelvra {

DeviceControl::DeviceControl(ModuleData &md, DeviceApi &api, Prompt &prompt)
	: md_(md), api_(api), prompt_(prompt)
{
}

QString DeviceControl::DeviceErrorText(int16_t code, const LanguageTexts &language)
{
	static const std::array<const char *, 10> texts{
			QT_TR_NOOP("正常終了"),
			QT_TR_NOOP("ID番号が異なる"),
			QT_TR_NOOP("ドライバが正常にインストールされていない"),
			QT_TR_NOOP("このデバイスは既にオープンされている"),
			QT_TR_NOOP("接続台数が多すぎる"),
			QT_TR_NOOP("デバイスをオープンできなかった"),
			QT_TR_NOOP("指定のデバイスが見つからない"),
			QT_TR_NOOP("指定のデバイスはオープンされてない"),
			QT_TR_NOOP("指定パラメータのエラー"),
			QT_TR_NOOP("USB通信エラー"),
	};
	if (code == kUnitOverflow)
		return language("DeviceControl",
				QT_TR_NOOP("ユニットのバッファがあふれ、データが失われました"));
	return code >= 0 && code < static_cast<int16_t>(texts.size())
			? language("DeviceControl", texts[code])
			: QString();
}

void DeviceControl::DispDevError(int16_t code)
{
	prompt_.message(DeviceErrorText(code), kAppTitle, Prompt::Icon::None);
}

void DeviceControl::tellOpenError(int16_t unit, int16_t code)
{
	if (code != VARNELIO_ERR_NOT_FOUND) {
		DispDevError(code);
		return;
	}
	const QString there = missingUnitText(unit);
	prompt_.message(there.isEmpty() ? DeviceErrorText(code)
					: DeviceErrorText(code) + QLatin1Char('\n') + there,
			kAppTitle, Prompt::Icon::None);
}

// Names the units that are there, and the exchange of the IDs 1 and 2 that
// a 16-bit unit answers with where that may be why.
QString DeviceControl::missingUnitText(int16_t unit)
{
	const auto units = api_.connectedUnits();
	if (!units)
		return {};
	QStringList names;
	QString exchanged;
	for (const ConnectedUnit &connected : *units) {
		if (connected.setOn == connected.id) {
			names << QStringLiteral("ID%1").arg(connected.id);
			continue;
		}
		names << tr("ID%1 (ID%2 に設定した16ビットのユニット)")
						.arg(connected.id)
						.arg(connected.setOn);
		if (connected.setOn == unit)
			exchanged = QLatin1Char('\n') +
					tr("16ビットのユニットは ID 1 と 2 を入れ替えて答えます: "
					   "ID%1 に設定したユニットは ID%2 として使います。")
							.arg(unit)
							.arg(connected.id);
	}
	const QString there = names.isEmpty()
			? tr("ID%1 のユニットが見つかりません。接続されているユニットはありません。")
					  .arg(unit)
			: tr("ID%1 のユニットが見つかりません。接続されているユニット: %2")
					  .arg(unit)
					  .arg(names.join(QStringLiteral(", ")));
	return there + exchanged;
}

bool DeviceControl::libraryUsable()
{
	const QString error = api_.loadError();
	if (error.isEmpty())
		return true;
	prompt_.message(error, kErrorTitle, Prompt::Icon::Error);
	return false;
}

int16_t DeviceControl::OpenUnits()
{
	if (md_.anyUnitInUse() && !libraryUsable())
		return kLibraryUnavailable;

	int16_t result = kNoUnitInUse;
	std::array<bool, kUnitCount> openedHere{};
	for (int16_t i = 0; i < kUnitCount; ++i) {
		if (!md_.Channels[i].inUse())
			continue;
		result = api_.Varnel_Device_Open(i);
		if (result > 0) {
			tellOpenError(i, result);
			break;
		}
		result = api_.Varnel_Zero_Adj(i, md_.ZeroValue[i]);
		openedHere[i] = true; // open succeeded: it must be closed on the way back
		if (result > 0) {
			DispDevError(result);
			break;
		}
	}
	if (result > 0) {
		for (int16_t i = 0; i < kUnitCount; ++i) {
			if (openedHere[i])
				api_.Varnel_Device_Close(i);
		}
	}
	if (result == kNoUnitInUse)
		prompt_.message(tr("使用ユニットの指定がありません。"), kMessageTitle,
				Prompt::Icon::None);
	return result;
}

void DeviceControl::CloseUnits()
{
	for (int16_t i = 0; i < kUnitCount; ++i) {
		if (md_.Channels[i].inUse())
			api_.Varnel_Device_Close(i);
	}
}

int16_t DeviceControl::StartUnits(int16_t period)
{
	int16_t result = kNoUnitInUse;
	for (int16_t i = 0; i < kUnitCount; ++i) {
		if (!md_.Channels[i].inUse())
			continue;
		result = api_.Varnel_Start_Sample(i, period);
		if (result > 0) {
			DispDevError(result);
			return result;
		}
	}
	return result;
}

bool DeviceControl::TakeZeroReference(int unit, bool ticked)
{
	if (!ticked) {
		prompt_.message(tr("使用ユニットの指定がありません。"), kMessageTitle,
				Prompt::Icon::None);
		return false;
	}
	if (!libraryUsable())
		return false;
	const auto id = static_cast<int16_t>(unit);
	int16_t result = api_.Varnel_Device_Open(id);
	if (result > 0) {
		tellOpenError(id, result);
		return false;
	}
	double sum = 0.0;
	int n = 0;
	for (int i = 0; i < 100; ++i) {
		double value = 0.0;
		result = api_.Varnel_Single_Sample(id, value);
		if (result != 0)
			break;
		sum += value;
		++n;
	}
	if (result != 0) {
		DispDevError(result);
	} else {
		md_.ZeroValue[unit] = sum / n;
		prompt_.message(tr("終了しました。"), kMessageTitle, Prompt::Icon::None);
	}
	api_.Varnel_Device_Close(id);
	return result == 0;
}

} // namespace kelvra
