#pragma once

// "データ保存": five memo lines and the file type, then the file name. The
// dialog stays open until a file was written or "戻る" is pressed, so that
// a cancelled file dialog or a failed write loses none of the entries.

#include "core/ModuleData.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvra {

class Prompt;

class DialogMemo : public QDialog {
	Q_OBJECT

public:
	// `folder` is where the file dialog starts; it becomes the folder of the
	// file written.
	DialogMemo(ModuleData &md, Prompt &prompt, QString &folder, QWidget *parent = nullptr);

	void OKButton_Click();

	std::array<QLineEdit *, 5> txtMemo{};
	std::array<QRadioButton *, 2> optFiletype{}; // "CSV", "専用"
	QPushButton *OKButton = nullptr;
	QPushButton *CancelButton = nullptr;

private:
	QWidget *buildTypeFrame();
	void Form_Load();

	ModuleData &md_;
	Prompt &prompt_;
	QString &folder_;
};

// The frame "メモ" with its five lines, made into `txtMemo`.
QWidget *BuildMemoFrame(std::array<QLineEdit *, 5> &txtMemo, QWidget *parent);

} // namespace kelvra
