#pragma once

// Where the status page listens and who may read it. The server binds only
// the address given. Any address but a loopback one needs a token, and with
// a token every request must carry it.

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <optional>

namespace kelvra {

struct StatusServerOptions {
	QHostAddress address = QHostAddress(QHostAddress::LocalHost);
	quint16 port = 0; // 0: a free port, told by the server once it listens
	QByteArray token; // empty: none, which only a loopback address allows
};

// From "ADDRESS:PORT" ("127.0.0.1:8080", "[::1]:0", "0.0.0.0:8080",
// "localhost:8080") and the token given, if any; nullopt with the reason in
// `error` when the page cannot be served so.
std::optional<StatusServerOptions> ParseStatusOptions(
		const QString &address, const QByteArray &token, QString &error);

// "127.0.0.1", "[::1]": the address as a URL writes it.
QString StatusHostText(const QHostAddress &address);

// The token of a token file (its first line), or nullopt with the reason.
std::optional<QByteArray> ReadStatusToken(const QString &path, QString &error);

// True when both are the same token, in a time that tells neither where they
// differ nor how long either is.
bool StatusTokensEqual(const QByteArray &given, const QByteArray &expected);

} // namespace kelvra
