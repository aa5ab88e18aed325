#include "StatusRequestScreen.h"

namespace kelvra {

namespace {

constexpr QByteArrayView kVersion = "HTTP/1.";
constexpr qsizetype kLongestMethod = 16;
constexpr qsizetype kLongestName = 32;

// A "tchar" of HTTP: what methods and header names are made of.
bool isTokenCharacter(char c)
{
	return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
			QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isTargetCharacter(char c)
{
	return c > ' ' && c < 0x7f;
}

bool isValueCharacter(char c)
{
	const auto byte = static_cast<unsigned char>(c);
	return byte == '\t' || (byte >= ' ' && byte != 0x7f);
}

char lower(char c)
{
	return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

StatusRequestScreen::Verdict StatusRequestScreen::screen(QByteArrayView bytes)
{
	for (const char c : bytes) {
		const Verdict verdict = step(c);
		if (verdict != Verdict::Pass)
			return verdict;
	}
	return Verdict::Pass;
}

StatusRequestScreen::Verdict StatusRequestScreen::step(char c)
{
	if (++size_ > kLimit)
		return Verdict::TooLarge;
	switch (state_) {
	case State::Method:
		if (c == ' ')
			return endOfMethod();
		if (!isTokenCharacter(c) || word_.size() == kLongestMethod)
			return Verdict::Malformed;
		word_ += c;
		return Verdict::Pass;
	case State::Target:
		if (c == ' ' && position_ > 0) {
			state_ = State::Version;
			position_ = 0;
			return Verdict::Pass;
		}
		// Only a path, as a client writes it to the server it asks.
		if (!isTargetCharacter(c) || (position_ == 0 && c != '/'))
			return Verdict::Malformed;
		++position_;
		return Verdict::Pass;
	case State::Version:
		if (position_ < kVersion.size())
			return c == kVersion[position_++] ? Verdict::Pass : Verdict::Malformed;
		if (position_ == kVersion.size()) {
			++position_;
			return c == '0' || c == '1' ? Verdict::Pass : Verdict::Malformed;
		}
		if (c != '\r')
			return Verdict::Malformed;
		state_ = State::LineEnd;
		return Verdict::Pass;
	case State::HeaderStart:
		if (c == '\r') {
			state_ = State::HeadEnd;
			return Verdict::Pass;
		}
		word_.clear();
		state_ = State::HeaderName;
		[[fallthrough]];
	case State::HeaderName:
		if (c == ':')
			return endOfName();
		if (!isTokenCharacter(c))
			return Verdict::Malformed;
		if (word_.size() < kLongestName)
			word_ += lower(c);
		return Verdict::Pass;
	case State::HeaderValue:
		if (c == '\r') {
			state_ = State::LineEnd;
			return Verdict::Pass;
		}
		return isValueCharacter(c) ? Verdict::Pass : Verdict::Malformed;
	case State::LineEnd:
		if (c != '\n')
			return Verdict::Malformed;
		state_ = State::HeaderStart;
		return Verdict::Pass;
	case State::HeadEnd:
		if (c != '\n')
			return Verdict::Malformed;
		// The request is whole; the next byte begins another.
		state_ = State::Method;
		size_ = 0;
		word_.clear();
		return Verdict::Pass;
	}
	return Verdict::Malformed;
}

StatusRequestScreen::Verdict StatusRequestScreen::endOfMethod()
{
	if (word_.isEmpty())
		return Verdict::Malformed;
	if (word_ != "GET")
		return Verdict::NotGet;
	word_.clear();
	state_ = State::Target;
	position_ = 0;
	return Verdict::Pass;
}

StatusRequestScreen::Verdict StatusRequestScreen::endOfName()
{
	// A body, or a change of protocol, is nothing a GET of this server has.
	if (word_.isEmpty() || word_ == "content-length" || word_ == "transfer-encoding" ||
			word_ == "upgrade")
		return Verdict::Malformed;
	state_ = State::HeaderValue;
	return Verdict::Pass;
}

} // namespace kelvra
