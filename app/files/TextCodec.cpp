#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kelvra {

namespace {

constexpr char kCodePage932[] = "windows-31j";

} // namespace

QByteArray toCodePage932(const QString &text)
{
	QStringEncoder encoder(kCodePage932);
	return encoder.encode(text);
}

QString fromCodePage932(const QByteArray &bytes)
{
	QStringDecoder decoder(kCodePage932);
	return decoder.decode(bytes);
}

} // namespace kelvra
