#pragma once

// "記録メモ": the memo lines of a long recording, asked for at its start,
// since no save follows it.

#include <QDialog>
#include <QStringList>

#include <array>

class QLineEdit;
class QPushButton;

namespace kelvra {

class DialogRecordMemo : public QDialog {
	Q_OBJECT

public:
	explicit DialogRecordMemo(const QStringList &lines, QWidget *parent = nullptr);

	QStringList lines() const;

	std::array<QLineEdit *, 5> txtMemo{};
	QPushButton *OKButton = nullptr;
	QPushButton *CancelButton = nullptr;
};

} // namespace kelvra
