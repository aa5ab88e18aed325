#pragma once

// Texts in files are written in code page 932 (Shift_JIS with the Windows
// extensions), as programs reading them expect.

#include <QByteArray>
#include <QString>

namespace kelvra {

QByteArray toCodePage932(const QString &text);
QString fromCodePage932(const QByteArray &bytes);

} // namespace kelvra
