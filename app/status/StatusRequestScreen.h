#pragma once

// Screens what a client sends before Qt's HTTP parser reads a byte of it.
// Qt 6.4's parser bounds no request and, when it fails, leaves the
// connection open and the memory of its request held; so only what it
// cannot fail on reaches it: a GET of at most kLimit bytes with no body,
// its request line and header lines as HTTP/1.x writes them. The bytes
// come as they arrive; a request may span pieces and a piece may end one
// request and begin the next.

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace kelvra {

class StatusRequestScreen {
public:
	static constexpr int kLimit = 8 * 1024;

	enum class Verdict : uint8_t {
		Pass,      // all well so far
		TooLarge,  // a request of more than kLimit bytes
		NotGet,    // another method than GET
		Malformed, // not a request line or header as HTTP/1.x has them, or a body announced
	};

	Verdict screen(QByteArrayView bytes);
	// A request has begun and not yet ended.
	bool inRequest() const { return size_ > 0; }

private:
	enum class State : uint8_t {
		Method,
		Target,
		Version,
		HeaderStart,
		HeaderName,
		HeaderValue,
		LineEnd,
		HeadEnd,
	};

	Verdict step(char c);
	Verdict endOfMethod();
	Verdict endOfName();

	State state_ = State::Method;
	int size_ = 0;     // bytes of the request so far
	int position_ = 0; // within the target or the version
	QByteArray word_;  // the method, or a header's name in lower case
};

} // namespace kelvra
