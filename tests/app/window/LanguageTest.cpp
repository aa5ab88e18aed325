// The window and both settings dialogs in the language the locale chooses,
// read as automation reads them: through the accessibility tree.

#include "acquisition/DialogSetUnit.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/MapStore.h"
#include "fakes/RecordingPrompt.h"
#include "settings/DialogSetting.h"
#include "window/FormMain.h"
#include "window/JapaneseTexts.h"

#include <QAccessible>
#include <QtTest>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

struct Texts {
	const char *english;
	const char *japanese;
};

const Texts kWindowTexts[] = {{"Strain measurement (Ver1.2)", "ひずみ測定(Ver1.2)"},
		{"Start", "開始"}, {"Stop", "停止"}, {"Acquisition settings", "取込設定"},
		{"Unit settings", "単位設定"}, {"Save conditions", "測定条件保存"},
		{"Show data", "データ表示"}, {"Save", "保存"}, {"Read", "読込み"},
		{"Print", "印刷"}, {"Exit", "終了"}, {"Display range", "表示範囲"},
		{"Current values", "現在値"}, {"Show the move tool", "移動ツールの表示"}};
const Texts kSettingTexts[] = {{"Acquisition settings", "取込設定"},
		{"Units in use", "使用ユニット"}, {"Average the readings", "データ値の平均化"},
		{"Upper trigger", "上限トリガ"}, {"Cancel", "ｷｬﾝｾﾙ"}, {"OK", "OK"}};
const Texts kUnitTexts[] = {{"Unit settings", "単位設定"}, {"ID0 rated output", "ID0 定格出力"},
		{"ID3 rated capacity", "ID3 定格容量"}, {"με", "μひずみ"}, {"Cancel", "ｷｬﾝｾﾙ"}};

void collectNames(QAccessibleInterface *node, QStringList &names)
{
	if (!node)
		return;
	names << node->text(QAccessible::Name);
	for (int i = 0; i < node->childCount(); ++i)
		collectNames(node->child(i), names);
}

QStringList accessibleNames(QWidget &widget)
{
	QStringList names;
	collectNames(QAccessible::queryAccessibleInterface(&widget), names);
	return names;
}

} // namespace

class LanguageTest : public QObject {
	Q_OBJECT

	bool english_ = false;

	void expectTexts(QWidget &widget, const Texts *begin, const Texts *end)
	{
		const QStringList names = accessibleNames(widget);
		for (const Texts *texts = begin; texts != end; ++texts) {
			const QString wanted = QString::fromUtf8(
					english_ ? texts->english : texts->japanese);
			QVERIFY2(names.contains(wanted), qPrintable(wanted));
		}
	}

private Q_SLOTS:
	void initTestCase()
	{
		QStringList arguments = QCoreApplication::arguments();
		const LanguageChoice choice = TakeLanguageOption(arguments);
		QVERIFY(installInterfaceTexts(*QCoreApplication::instance(), choice.language));
		english_ = choice.language == Language::English;
		QCOMPARE(english_, qgetenv("EXPECTED_LANGUAGE") == "en");
	}

	void windowAndSettingsDialogsSpeakTheLanguage()
	{
		ModuleData md;
		FakeDeviceApi api;
		RecordingPrompt prompt;
		MapStore store;
		FormMain form(md, api, prompt, store);
		form.show();
		expectTexts(form, std::begin(kWindowTexts), std::end(kWindowTexts));

		DialogSetting setting(
				md, [](int, bool) {}, prompt, &form);
		expectTexts(setting, std::begin(kSettingTexts), std::end(kSettingTexts));
		DialogSetUnit unit(md, prompt, &form);
		expectTexts(unit, std::begin(kUnitTexts), std::end(kUnitTexts));
	}
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
