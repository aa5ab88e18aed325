#pragma once

// The long-recording settings as they are stored with the measuring
// conditions, and the checks of the recording folder.

#include "SettingsStore.h"
#include "core/ModuleData.h"
#include "hooks/HookCommand.h"
#include "hooks/HookEvent.h"
#include "hooks/MinFree.h"
#include "status/StatusOptions.h"

#include <QString>

#include <optional>

namespace kelvra {

LongRecordSettings LoadLongRecord(const SettingsStore &store);
void SaveLongRecord(SettingsStore &store, const LongRecordSettings &settings);

// The unattended settings read: the hook and its kinds, the least free space
// and the status page; none is set where its text is empty.
struct UnattendedOptions {
	std::optional<HookCommand> command;
	HookKinds kinds = HookKinds::all();
	std::optional<MinFree> minFree;
	std::optional<StatusServerOptions> serve;
};

struct UnattendedCheck {
	std::optional<UnattendedOptions> options;
	QString message; // the first refusal, when options is empty
};

UnattendedCheck CheckUnattended(const LongRecordSettings &settings);

// Why a long recording does not start there, as a message.
QString NoRecordFolderText();
QString RecordFolderNotWritableText();
// Empty when files can be made in the folder; else why not, as a message.
QString CheckRecordFolder(const QString &folder);
// "空き容量で約 3日 4時間 記録できます。": how long the folder's free space
// lasts for the units in use at the state's interval; empty when not known.
QString FreeSpaceText(const ModuleData &md, const QString &folder);

} // namespace kelvra
