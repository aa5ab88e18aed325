#pragma once

// The language the program speaks to people. Japanese is its own (the texts
// in the code); English comes from the translation built into the programs.
// What is stored in files never changes with it.

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QCoreApplication;
class QTranslator;

namespace kelvra {

enum class Language { Japanese, English };

// "ja" or "en", as --lang and KELVRA_LANG name them.
std::optional<Language> LanguageNamed(const QString &name);

// Japanese under a Japanese locale and under C/POSIX, English under any
// other; `locale` as LC_ALL, LC_MESSAGES or LANG give it ("en_US.UTF-8").
Language LanguageOfLocale(const QString &locale);

struct LanguageChoice {
	Language language = Language::Japanese;
	QString refused;   // the value of --lang or KELVRA_LANG that names no language
	QString refusedBy; // which of them gave it: "--lang" or "KELVRA_LANG"
};

// Takes "--lang ja|en" (also "--lang=en") out of `arguments`; it goes before
// KELVRA_LANG, which goes before the locale of the environment.
LanguageChoice TakeLanguageOption(QStringList &arguments);

// The program's texts in `language`, with Qt's own for the standard buttons
// ("はい", "いいえ" in Japanese). False when a translation is missing.
bool InstallLanguage(QCoreApplication &app, Language language);

// The program's texts in one language, looked up by context and Japanese
// source as tr() looks them up: in the interface's language (the translations
// installed), or in English whatever the interface speaks, for the texts that
// go into files.
class LanguageTexts {
public:
	LanguageTexts() = default;
	static LanguageTexts English();

	QString operator()(const char *context, const char *source,
			const char *disambiguation = nullptr) const;

private:
	std::shared_ptr<const QTranslator> own_; // null: the interface's
};

} // namespace kelvra
