#pragma once

// Reads a journal one record at a time, holding only that record: the
// header first, then tick after tick, until the end record, a record cut off
// while it was written, or damage. However long the run, reading it costs
// the memory of one record.

#include "JournalFormat.h"

#include <QIODevice>

#include <optional>

namespace kelvra {

class JournalReader {
public:
	// Reads `in`, open for reading, from its start.
	explicit JournalReader(QIODevice &in);

	// Reads the header, and the rings when the journal was started afresh
	// while a trigger waited; false with the reason when there is no header.
	bool readHeader(QString *error);
	const JournalHeader &header() const { return header_; }
	const std::optional<JournalRing> &ring() const { return ring_; }

	// The next tick, in place of what `tick` held; false once the journal ends.
	// The events on the way are kept.
	bool nextTick(JournalTick &tick);
	// The events read so far, in the order they happened.
	const std::vector<RunEvent> &events() const { return events_; }

	// Once the journal has ended: the end record's start time, when the run ended.
	const std::optional<QString> &endTime() const { return endTime_; }
	// Once the journal has ended: why it ends early; empty when it is whole.
	const QString &warning() const { return warning_; }

private:
	bool readRecord();
	bool restIsZero();
	void damaged();
	const char *body() const { return payload_.constData() + 1; }
	qsizetype bodySize() const { return payload_.size() - 1; }

	QIODevice &in_;
	qint64 size_ = 0;
	qint64 pos_ = 0;       // where the next record begins
	qint64 recordPos_ = 0; // where the record in payload_ began
	QByteArray payload_;
	bool pending_ = false; // payload_ holds a record not taken yet
	bool ended_ = false;
	qint64 ticks_ = 0;
	JournalHeader header_;
	std::optional<JournalRing> ring_;
	std::vector<RunEvent> events_;
	std::optional<QString> endTime_;
	QString warning_;
};

// Everything up to the first cut-off or damaged record; nullopt with the
// reason when not even the header can be read.
std::optional<JournalContent> ParseJournal(const QByteArray &bytes, QString *error);

} // namespace kelvra
