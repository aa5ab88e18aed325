#pragma once

// Finding the journals other programs left behind, and offering them back.

#include "JournalFormat.h"
#include "RunJournal.h"
#include "core/ModuleData.h"
#include "core/Prompt.h"

#include <optional>
#include <vector>

namespace kelvra {

// A journal told without its ticks.
struct JournalOutline {
	JournalHeader header;
	std::optional<QString> endTime; // the start time text as the ended run left it
	QString warning;                // why the journal ends early; empty when it is whole
};

struct JournalSummary {
	QString fileName;
	bool running = false;                  // its program still runs: not read, never touched
	std::optional<JournalOutline> content; // empty when running or unreadable
	QString error;                         // why it could not be read
	int32_t samples = 0;                   // samples a rebuild holds
};

// The journals in the folder, newest first. Each is read through once, a
// record at a time, so listing costs the memory of one record.
std::vector<JournalSummary> ListJournals(const QString &folder = JournalFolder());

// Deletes a journal whose program has ended; false when it still runs.
bool DeleteJournal(const QString &journalFile);

// At start-up: journals whose header cannot be read are set aside once
// (renamed with ".bad", named in one message), so they are not met again.
// Then, for each journal of a program that did not end normally, newest
// first, asks whether to restore it. Yes rebuilds it into md, hands the
// journal to `journal` (it lives until the data are saved or dropped) and
// ends the offer; No deletes it and offers the next. Journals that hold no
// samples are deleted without a question. True when a run was rebuilt: the
// caller shows it as it shows a read file.
bool OfferRecovery(ModuleData &md, Prompt &prompt, RunJournal &journal,
		const QString &folder = JournalFolder());

} // namespace kelvra
