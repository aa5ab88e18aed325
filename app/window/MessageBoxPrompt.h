#pragma once

// Prompts as modal message boxes and file dialogs over the main window.

#include "core/Prompt.h"

class QWidget;

namespace kelvra {

class MessageBoxPrompt : public Prompt {
public:
	explicit MessageBoxPrompt(QWidget *parent = nullptr) : parent_(parent) {}

	void setParent(QWidget *parent) { parent_ = parent; }

	void message(const QString &text, const QString &caption, Icon icon) override;
	bool askYesNo(const QString &text, const QString &caption) override;
	std::optional<QString> askText(const QString &text, const QString &caption) override;
	QString askSaveFileName(const QString &filter, const QString &suffix,
			const QString &folder) override;
	QString askOpenFileName(const QString &filter, const QString &folder) override;
	QString askFolder(const QString &folder) override;

private:
	QWidget *parent_;
};

} // namespace kelvra
