#pragma once

// Readable Qt strings in GoogleTest failure messages.

#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

inline void PrintTo(const QString &text, std::ostream *out)
{
	*out << '"' << text.toStdString() << '"';
}

inline std::string joined(const QStringList &list)
{
	return list.join(QStringLiteral(", ")).toStdString();
}
