#include "DeviceControl.h"

#include <array>

namespace kelvra {

namespace {

const QString kNoUnitText = QStringLiteral("使用ユニットの指定がありません。");

} // namespace

DeviceControl::DeviceControl(ModuleData &md, DeviceApi &api, Prompt &prompt)
	: md_(md), api_(api), prompt_(prompt)
{
}

QString DeviceControl::DeviceErrorText(int16_t code)
{
	static const std::array<QString, 10> texts{
			QStringLiteral("正常終了"),
			QStringLiteral("ID番号が異なる"),
			QStringLiteral("ドライバが正常にインストールされていない"),
			QStringLiteral("このデバイスは既にオープンされている"),
			QStringLiteral("接続台数が多すぎる"),
			QStringLiteral("デバイスをオープンできなかった"),
			QStringLiteral("指定のデバイスが見つからない"),
			QStringLiteral("指定のデバイスはオープンされてない"),
			QStringLiteral("指定パラメータのエラー"),
			QStringLiteral("USB通信エラー"),
	};
	return code >= 0 && code < static_cast<int16_t>(texts.size()) ? texts[code] : QString();
}

void DeviceControl::DispDevError(int16_t code)
{
	prompt_.message(DeviceErrorText(code), kAppTitle, Prompt::Icon::None);
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
			DispDevError(result);
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
		prompt_.message(kNoUnitText, kMessageTitle, Prompt::Icon::None);
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
		prompt_.message(kNoUnitText, kMessageTitle, Prompt::Icon::None);
		return false;
	}
	if (!libraryUsable())
		return false;
	const auto id = static_cast<int16_t>(unit);
	int16_t result = api_.Varnel_Device_Open(id);
	if (result > 0) {
		DispDevError(result);
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
		prompt_.message(QStringLiteral("終了しました。"), kMessageTitle,
				Prompt::Icon::None);
	}
	api_.Varnel_Device_Close(id);
	return result == 0;
}

} // namespace kelvra
