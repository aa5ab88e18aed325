#include "JournalReader.h"

#include <QBuffer>
#include <QCoreApplication>

#include <algorithm>

namespace kelvra {

using namespace journal_record;

JournalReader::JournalReader(QIODevice &in) : in_(in), size_(in.size()) {}

bool JournalReader::readHeader(QString *error)
{
	std::optional<JournalHeader> header;
	if (readRecord() && payload_[0] == kHeader)
		header = DecodeHeader(body(), bodySize());
	if (!header) {
		ended_ = true;
		warning_.clear();
		if (error)
			*error = QCoreApplication::translate("JournalReader",
					"測定データの控えではないか、ヘッダーが壊れています");
		return false;
	}
	header_ = std::move(*header);
	if (!readRecord())
		return true;
	if (payload_[0] != kRing) {
		pending_ = true;
		return true;
	}
	ring_ = DecodeRing(body(), bodySize());
	if (!ring_)
		damaged();
	return true;
}

bool JournalReader::nextTick(JournalTick &tick)
{
	if (!pending_ && !readRecord())
		return false;
	pending_ = false;
	while (payload_[0] == kEvent || payload_[0] == kTextEvent) {
		std::optional<DecodedEvent> event = DecodeEvent(payload_[0], body(), bodySize());
		if (!event) {
			damaged();
			return false;
		}
		if (event->known)
			events_.push_back(std::move(event->event));
		if (!readRecord())
			return false;
	}
	if (payload_[0] == kTick && DecodeTick(body(), bodySize(), tick)) {
		++ticks_;
		return true;
	}
	if (payload_[0] == kEnd && (endTime_ = DecodeEnd(body(), bodySize()))) {
		if (readRecord())
			damaged(); // nothing follows the end
		ended_ = true;
		return false;
	}
	damaged();
	return false;
}

// The next whole and intact record into payload_; false once the journal ends.
bool JournalReader::readRecord()
{
	if (ended_)
		return false;
	ended_ = true;
	char frame[kFrameSize];
	if (size_ - pos_ < kFrameSize || in_.read(frame, kFrameSize) != kFrameSize)
		return false;
	recordPos_ = pos_;
	const auto length = PayloadLength(frame);
	if (!length) {
		const bool zeros = std::all_of(
				frame, frame + kFrameSize, [](char c) { return c == 0; });
		if (!zeros || !restIsZero())
			damaged(); // zeros are a tail the file system had not filled yet
		return false;
	}
	const qint64 end = pos_ + kFrameSize + *length;
	if (end > size_)
		return false; // cut off while it was written
	payload_.resize(*length);
	if (in_.read(payload_.data(), *length) != *length)
		return false;
	if (!Intact(frame, payload_.constData(), *length)) {
		if (end != size_)
			damaged(); // unless the last record's bytes did not all reach the disk
		return false;
	}
	pos_ = end;
	ended_ = false;
	return true;
}

bool JournalReader::restIsZero()
{
	char chunk[4096];
	for (qint64 got; (got = in_.read(chunk, sizeof chunk)) > 0;) {
		if (std::any_of(chunk, chunk + got, [](char c) { return c != 0; }))
			return false;
	}
	return true;
}

void JournalReader::damaged()
{
	ended_ = true;
	warning_ = QStringLiteral(
			"the journal is damaged at byte %1; the run is rebuilt from the %2 ticks before it")
				   .arg(recordPos_)
				   .arg(ticks_);
}

std::optional<JournalContent> ParseJournal(const QByteArray &bytes, QString *error)
{
	QBuffer buffer;
	buffer.setData(bytes);
	buffer.open(QIODevice::ReadOnly);
	JournalReader reader(buffer);
	if (!reader.readHeader(error))
		return std::nullopt;
	JournalContent content;
	content.header = reader.header();
	content.ring = reader.ring();
	for (JournalTick tick; reader.nextTick(tick);)
		content.ticks.push_back(tick);
	content.events = reader.events();
	content.endTime = reader.endTime();
	content.warning = reader.warning();
	return content;
}

} // namespace kelvra
