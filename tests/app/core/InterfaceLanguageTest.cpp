#include "core/InterfaceLanguage.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(InterfaceLanguage, JapaneseUnderJapaneseAndTheCLocaleEnglishUnderEveryOther)
{
	const struct {
		const char *locale;
		Language language;
	} cases[] = {
			{"", Language::Japanese},
			{"C", Language::Japanese},
			{"C.UTF-8", Language::Japanese},
			{"POSIX", Language::Japanese},
			{"ja_JP.UTF-8", Language::Japanese},
			{"ja_JP.eucJP", Language::Japanese},
			{"en_US.UTF-8", Language::English},
			{"de_DE.UTF-8@euro", Language::English},
			{"fr", Language::English},
	};
	for (const auto &c : cases)
		EXPECT_EQ(c.language, LanguageOfLocale(QString::fromLatin1(c.locale))) << c.locale;
}

TEST(InterfaceLanguage, LangOptionGoesBeforeTheVariableWhichGoesBeforeTheLocale)
{
	const struct {
		QStringList arguments;
		const char *variable;
		Language language;
		const char *refused;
		const char *refusedBy = "";
	} cases[] = {
			{{}, "", Language::English, ""},
			{{}, "ja", Language::Japanese, ""},
			{{QStringLiteral("--lang"), QStringLiteral("ja")}, "en", Language::Japanese,
					""},
			{{QStringLiteral("--lang=en")}, "ja", Language::English, ""},
			{{QStringLiteral("--lang"), QStringLiteral("de")}, "ja", Language::English,
					"de", "--lang"},
			{{}, "english", Language::English, "english", "KELVRA_LANG"},
	};
	qputenv("LC_ALL", "en_GB.UTF-8");
	for (const auto &c : cases) {
		qputenv("KELVRA_LANG", c.variable);
		QStringList arguments =
				QStringList{QStringLiteral("kelvra-cli"), QStringLiteral("info")} +
				c.arguments;
		const LanguageChoice choice = TakeLanguageOption(arguments);
		EXPECT_EQ(c.language, choice.language) << c.variable;
		EXPECT_EQ(QString::fromLatin1(c.refused), choice.refused) << c.variable;
		EXPECT_EQ(QString::fromLatin1(c.refusedBy), choice.refusedBy) << c.variable;
		EXPECT_EQ((QStringList{QStringLiteral("kelvra-cli"), QStringLiteral("info")}),
				arguments)
				<< "--lang and its value are taken out";
	}
	qunsetenv("KELVRA_LANG");
	qunsetenv("LC_ALL");
}
