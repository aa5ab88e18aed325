#include "settings/DialogSetting.h"
#include "acquisition/DeviceControl.h"
#include "fakes/FakeDeviceApi.h"
#include "fakes/RecordingPrompt.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

const QString kUnits = QStringLiteral("使用ユニットにチェックが付いていません。");
const QString kTime = QStringLiteral("時間の入力に誤りがあります。");
const QString kTrigger = QStringLiteral("トリガ処理の設定に誤りがあります。");

// The state a first start loads: unit 0 in use, 100 steps of 10 ms.
struct Rig {
	ModuleData md;
	FakeDeviceApi api;
	RecordingPrompt prompt;
	DeviceControl devices{md, api, prompt};
	std::unique_ptr<DialogSetting> dialog;

	Rig()
	{
		md.InitDataArray();
		md.Channels[0].Mflag = kTrue;
		md.settings.IntervalTM = 1000;
		md.SetRange();
		dialog = std::make_unique<DialogSetting>(
				md,
				[this](int unit, bool ticked) {
					devices.TakeZeroReference(unit, ticked);
				},
				prompt);
	}
};

using Edit = std::function<void(DialogSetting &)>;

Edit steps(const char *text, bool average = false)
{
	return [=](DialogSetting &d) {
		d.optTimer[0]->setChecked(true);
		d.txtTime[0]->setText(QString::fromUtf8(text));
		d.chkAverage->setChecked(average);
	};
}

Edit seconds(const char *text, bool average = false)
{
	return [=](DialogSetting &d) {
		d.optTimer[1]->setChecked(true);
		d.txtTime[1]->setText(QString::fromUtf8(text));
		d.chkAverage->setChecked(average);
	};
}

// An upper trigger on `unit` with the given level and counts.
Edit upper(const char *level, const char *pre, const char *post, int unit = 0)
{
	return [=](DialogSetting &d) {
		d.chkTrg[0]->setChecked(true);
		d.txtTrgData[0]->setText(QString::fromUtf8(level));
		d.txtTrgDatnum[0]->setText(QString::fromUtf8(pre));
		d.txtTrgDatnum[1]->setText(QString::fromUtf8(post));
		d.Option1[unit]->setChecked(true);
	};
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class DialogSettingTest : public QObject {
	Q_OBJECT

private Q_SLOTS:
	void okChecksInOrderAndApplies_data()
	{
		QTest::addColumn<Edit>("edit");
		QTest::addColumn<QString>("message"); // empty: accepted
		QTest::addColumn<int>("interval");
		QTest::addColumn<int>("averageNum");

		QTest::newRow("1 step") << steps("1") << QString() << 10 << 1;
		QTest::newRow("1 step averaged") << steps("1", true) << QString() << 10 << 1;
		QTest::newRow("10000 steps") << steps("10000") << QString() << 100000 << 1;
		QTest::newRow("0 steps") << steps("0") << kTime << 0 << 0;
		QTest::newRow("10001 steps") << steps("10001") << kTime << 0 << 0;
		QTest::newRow("empty") << steps("") << kTime << 0 << 0;
		QTest::newRow("not a number") << steps("abc") << kTime << 0 << 0;
		QTest::newRow("1 s") << seconds("1") << QString() << 1000 << 1;
		QTest::newRow("9 s averaged") << seconds("9", true) << kTime << 0 << 0;
		QTest::newRow("10 s averaged") << seconds("10", true) << QString() << 10000 << 100;
		QTest::newRow("65535 s") << seconds("65535") << QString() << 65535000 << 1;
		QTest::newRow("65536 s") << seconds("65536") << kTime << 0 << 0;

		QTest::newRow("pre 0 post 1") << upper("100", "0", "1") << QString() << 1000 << 1;
		QTest::newRow("pre -1") << upper("100", "-1", "10") << kTrigger << 0 << 0;
		QTest::newRow("post 0") << upper("100", "10", "0") << kTrigger << 0 << 0;
		QTest::newRow("88001 in all") << upper("100", "1", "88000") << kTrigger << 0 << 0;
		QTest::newRow("88000 in all")
				<< upper("100", "1", "87999") << QString() << 1000 << 1;
		QTest::newRow("level at the range")
				<< upper("8000", "0", "1") << QString() << 1000 << 1;
		QTest::newRow("level beyond the range")
				<< upper("8000.5", "0", "1") << kTrigger << 0 << 0;
		QTest::newRow("level not a number") << upper("x", "0", "1") << kTrigger << 0 << 0;
		QTest::newRow("count not a number") << upper("100", "", "1") << kTrigger << 0 << 0;
		QTest::newRow("unused unit watched")
				<< upper("100", "0", "1", 2) << kTrigger << 0 << 0;
		QTest::newRow("no unit, bad interval") << Edit([](DialogSetting &d) {
			d.chkID[0]->setChecked(false);
			d.txtTime[0]->setText(QStringLiteral("0"));
		}) << kUnits << 0 << 0;
	}

	void okChecksInOrderAndApplies()
	{
		QFETCH(Edit, edit);
		QFETCH(QString, message);
		Rig rig;
		const ModuleData before = rig.md;
		edit(*rig.dialog);
		rig.dialog->OKButton->click();

		if (!message.isEmpty()) {
			QCOMPARE(rig.prompt.texts(), QStringList{message});
			QCOMPARE(rig.prompt.shown.back().caption, kErrorTitle);
			QCOMPARE(rig.prompt.shown.back().icon, Prompt::Icon::Error);
			QCOMPARE(rig.md.SettingOK, kFalse);
			QCOMPARE(rig.md.settings.IntervalTM, before.settings.IntervalTM);
			QCOMPARE(rig.dialog->result(), int(QDialog::Rejected));
			return;
		}
		QVERIFY(rig.prompt.shown.empty());
		QCOMPARE(rig.md.SettingOK, kTrue);
		QFETCH(int, interval);
		QFETCH(int, averageNum);
		QCOMPARE(rig.md.settings.IntervalTM, interval);
		QCOMPARE(rig.md.AverageNum, averageNum);
	}

	void triggerControlsFollowTheTicks()
	{
		Rig rig;
		DialogSetting &d = *rig.dialog;
		QVERIFY(!d.Option1[0]->isEnabled());
		QVERIFY(!d.txtTrgDatnum[0]->isEnabled());
		d.chkTrg[0]->setChecked(true);
		QVERIFY(d.Option1[3]->isEnabled());
		QVERIFY(d.txtTrgData[0]->isEnabled());
		QVERIFY2(!d.txtTrgData[1]->isEnabled(), "the lower level waits for its own box");
		QVERIFY(d.txtTrgDatnum[1]->isEnabled());

		d.txtTrgData[1]->setText(QStringLiteral("-250"));
		d.OKButton->click();
		QCOMPARE(rig.md.settings.TrgVMin,
				-250.0f); // stored although only the upper trigger is on
		QCOMPARE(rig.md.settings.TrgMinFlag, kFalse);
	}

	void cancelChangesNothing()
	{
		Rig rig;
		rig.dialog->chkAverage->setChecked(true);
		rig.dialog->chkID[3]->setChecked(true);
		rig.dialog->CancelButton->click();
		QCOMPARE(rig.md.settings.DataAverage, kFalse);
		QCOMPARE(rig.md.Channels[3].Mflag, kFalse);
		QCOMPARE(rig.md.SettingOK, kFalse);
	}

	void zeroTakesTheMeanOfOneHundredReadings()
	{
		Rig rig;
		rig.dialog->cmdZero[1]->click();
		QCOMPARE(rig.prompt.texts(),
				QStringList{QStringLiteral("使用ユニットの指定がありません。")});
		QVERIFY2(rig.api.calls.isEmpty(), "an unticked unit is not touched");

		rig.prompt.shown.clear();
		rig.prompt.whileShown = [&] {
			QVERIFY2(!rig.dialog->isEnabled(),
					"nothing can be pressed while the unit is read");
			rig.dialog->reject();
		};
		rig.dialog->chkID[1]->setChecked(true);
		rig.dialog->show();
		rig.dialog->cmdZero[1]->click();
		QCOMPARE(rig.md.ZeroValue[1], 50.5); // readings 1..100
		QCOMPARE(rig.prompt.texts(), QStringList{QStringLiteral("終了しました。")});
		QCOMPARE(rig.api.calls,
				(QStringList{QStringLiteral("open 1"), QStringLiteral("close 1")}));
		QVERIFY2(rig.dialog->isVisible(), "a close asked for while reading is refused");
		QVERIFY(rig.dialog->isEnabled());
	}

	void keyboardAndScreenReaders()
	{
		Rig rig;
		DialogSetting &d = *rig.dialog;
		const QStringList names{QStringLiteral("ミリ秒"), QStringLiteral("秒"),
				QStringLiteral("上限トリガ"), QStringLiteral("下限トリガ"),
				QStringLiteral("トリガ前"), QStringLiteral("トリガ後")};
		const QList<QLineEdit *> edits{d.txtTime[0], d.txtTime[1], d.txtTrgData[0],
				d.txtTrgData[1], d.txtTrgDatnum[0], d.txtTrgDatnum[1]};
		for (int i = 0; i < edits.size(); ++i)
			QCOMPARE(edits[i]->accessibleName(), names[i]);
		QCOMPARE(d.cmdZero[2]->accessibleName(), QStringLiteral("ID2 ZERO"));

		d.show();
		QVERIFY(QTest::qWaitForWindowExposed(&d));
		d.txtTime[0]->setFocus();
		d.txtTime[0]->setText(QStringLiteral("5"));
		QTest::keyClick(d.txtTime[0], Qt::Key_Return);
		QCOMPARE(rig.md.settings.IntervalTM, 50);
		QVERIFY(!d.isVisible());
	}
};

QTEST_MAIN(DialogSettingTest)
#include "DialogSettingTest.moc"
