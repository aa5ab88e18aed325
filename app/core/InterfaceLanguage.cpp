#include "InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

// The English translation is a resource of this static library; nothing else
// refers to it, so it is brought in by name.
static void initTranslationResource()
{
	Q_INIT_RESOURCE(translations);
}

namespace kelvra {

namespace {

// The locale of messages as POSIX ranks the variables.
QString messageLocale()
{
	for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
		const QString value = qEnvironmentVariable(variable);
		if (!value.isEmpty())
			return value;
	}
	return {};
}

bool installTranslation(QCoreApplication &app, const QString &name, const QString &folder)
{
	auto *translator = new QTranslator(&app);
	if (!translator->load(name, folder)) {
		delete translator;
		return false;
	}
	return QCoreApplication::installTranslator(translator);
}

} // namespace

std::optional<Language> LanguageNamed(const QString &name)
{
	if (name == QLatin1String("ja"))
		return Language::Japanese;
	if (name == QLatin1String("en"))
		return Language::English;
	return std::nullopt;
}

Language LanguageOfLocale(const QString &locale)
{
	const QString language = locale.section(QLatin1Char('.'), 0, 0)
						 .section(QLatin1Char('@'), 0, 0)
						 .section(QLatin1Char('_'), 0, 0);
	if (language.isEmpty() || language == QLatin1String("C") ||
			language == QLatin1String("POSIX") || language == QLatin1String("ja"))
		return Language::Japanese;
	return Language::English;
}

LanguageChoice TakeLanguageOption(QStringList &arguments)
{
	std::optional<QString> named;
	QString by = QStringLiteral("--lang");
	for (qsizetype i = 0; i < arguments.size();) {
		if (arguments[i] == QLatin1String("--lang")) {
			named = arguments.value(i + 1);
			arguments.remove(i, std::min<qsizetype>(2, arguments.size() - i));
		} else if (arguments[i].startsWith(QLatin1String("--lang="))) {
			named = arguments[i].mid(7);
			arguments.remove(i);
		} else {
			++i;
		}
	}
	if (!named && !qEnvironmentVariableIsEmpty("KELVRA_LANG")) {
		named = qEnvironmentVariable("KELVRA_LANG");
		by = QStringLiteral("KELVRA_LANG");
	}
	if (!named)
		return {LanguageOfLocale(messageLocale()), {}, {}};
	if (const auto language = LanguageNamed(*named))
		return {*language, {}, {}};
	return {LanguageOfLocale(messageLocale()), *named, by};
}

bool InstallLanguage(QCoreApplication &app, Language language)
{
	if (language == Language::English) {
		initTranslationResource();
		return installTranslation(
				app, QStringLiteral("kelvra_en"), QStringLiteral(":/translations"));
	}
	return installTranslation(app, QStringLiteral("qtbase_ja"),
			QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

LanguageTexts LanguageTexts::English()
{
	initTranslationResource();
	auto english = std::make_shared<QTranslator>();
	LanguageTexts texts;
	// Built into the program: it does not fail to load.
	if (english->load(QStringLiteral("kelvra_en"), QStringLiteral(":/translations")))
		texts.own_ = std::move(english);
	return texts;
}

QString LanguageTexts::operator()(
		const char *context, const char *source, const char *disambiguation) const
{
	if (!own_)
		return QCoreApplication::translate(context, source, disambiguation);
	const QString text = own_->translate(context, source, disambiguation);
	return text.isNull() ? QString::fromUtf8(source) : text;
}

} // namespace kelvra
