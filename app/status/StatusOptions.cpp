#include "StatusOptions.h"

#include "StatusText.h"

#include <QCryptographicHash>
#include <QFile>

namespace kelvra {

namespace {

constexpr qsizetype kShortestToken = 16;
constexpr qsizetype kLongestToken = 256;

// The characters a token may hold: those of base64 and URL-safe tokens,
// which go unchanged into a header, a cookie and a query.
bool isTokenCharacter(char c)
{
	return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
			QByteArrayView("-._~+/=").contains(c);
}

bool isToken(const QByteArray &token)
{
	return token.size() >= kShortestToken && token.size() <= kLongestToken &&
			std::all_of(token.begin(), token.end(), isTokenCharacter);
}

std::optional<quint16> portNamed(const QString &text)
{
	bool ok = false;
	const uint port = text.toUInt(&ok);
	const bool digitsOnly =
			std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
	if (!ok || !digitsOnly || port > 65535)
		return std::nullopt;
	return static_cast<quint16>(port);
}

std::optional<QHostAddress> hostNamed(const QString &text)
{
	if (text == QLatin1String("localhost"))
		return QHostAddress(QHostAddress::LocalHost);
	QHostAddress address;
	if (!address.setAddress(text))
		return std::nullopt;
	return address;
}

} // namespace

std::optional<StatusServerOptions> ParseStatusOptions(
		const QString &address, const QByteArray &token, QString &error)
{
	// An IPv6 address is written in brackets, as in a URL: "[::1]:8080".
	const qsizetype colon = address.lastIndexOf(QLatin1Char(':'));
	QString host = address.left(colon);
	const bool bracketed = host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'));
	if (bracketed)
		host = host.mid(1, host.size() - 2);
	if (colon < 1 || host.contains(QLatin1Char(':')) != bracketed) {
		error = StatusText::tr(
				"'%1' は ADDRESS:PORT の形ではありません (例 127.0.0.1:8080)")
					.arg(address);
		return std::nullopt;
	}
	const std::optional<quint16> port = portNamed(address.mid(colon + 1));
	if (!port) {
		error = StatusText::tr("ポート '%1' は 0 から 65535 の数ではありません")
					.arg(address.mid(colon + 1));
		return std::nullopt;
	}
	const std::optional<QHostAddress> ip = hostNamed(host);
	if (!ip) {
		error = StatusText::tr("'%1' は IP アドレスではありません").arg(host);
		return std::nullopt;
	}
	if (!token.isEmpty() && !isToken(token)) {
		error = StatusText::tr(
				"トークンは 16 から 256 文字の英数字と - . _ ~ + / = で作ります");
		return std::nullopt;
	}
	if (token.isEmpty() && !ip->isLoopback()) {
		error = StatusText::tr(
				"ループバックでないアドレス %1 で状況ページを開くにはトークンが要ります")
					.arg(host);
		return std::nullopt;
	}
	return StatusServerOptions{*ip, *port, token};
}

QString StatusHostText(const QHostAddress &address)
{
	if (address.protocol() == QAbstractSocket::IPv6Protocol)
		return QLatin1Char('[') + address.toString() + QLatin1Char(']');
	return address.toString();
}

std::optional<QByteArray> ReadStatusToken(const QString &path, QString &error)
{
	QFile file(path);
	if (!file.open(QIODevice::ReadOnly)) {
		error = StatusText::tr("トークンファイル %1 を読み込めません: %2")
					.arg(path, file.errorString());
		return std::nullopt;
	}
	const QByteArray token = file.readLine(kLongestToken + 2).trimmed();
	if (token.isEmpty()) {
		error = StatusText::tr("トークンファイル %1 の最初の行が空です").arg(path);
		return std::nullopt;
	}
	return token;
}

bool StatusTokensEqual(const QByteArray &given, const QByteArray &expected)
{
	// Digests have one length, and every byte of them is compared.
	const QByteArray a = QCryptographicHash::hash(given, QCryptographicHash::Sha256);
	const QByteArray b = QCryptographicHash::hash(expected, QCryptographicHash::Sha256);
	unsigned char difference = 0;
	for (qsizetype i = 0; i < a.size(); ++i)
		difference |= static_cast<unsigned char>(a[i] ^ b[i]);
	return difference == 0 && !expected.isEmpty();
}

} // namespace kelvra
