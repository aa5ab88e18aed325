#include "acquisition/DialogSetUnit.h"
#include "fakes/RecordingPrompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

const QString kWrong = QStringLiteral("設定に誤りがあります。");

// Units 0 and 2 in use, kgf chosen.
struct Rig {
	ModuleData md;
	RecordingPrompt prompt;
	std::unique_ptr<DialogSetUnit> dialog;

	Rig()
	{
		md.Channels[0].Mflag = kTrue;
		md.Channels[2].Mflag = kTrue;
		for (ChannelRecord &channel : md.Channels) {
			channel.Power = 2.0f;
			channel.Capacity = 500.0f;
		}
		md.settings.Sing = 1;
		dialog = std::make_unique<DialogSetUnit>(md, prompt);
	}
};

} // namespace

class DialogSetUnitTest : public QObject {
	Q_OBJECT

private Q_SLOTS:
	void okChecksTheRowsInUse_data()
	{
		QTest::addColumn<int>("unit");
		QTest::addColumn<bool>("microstrain");
		QTest::addColumn<QString>("power");
		QTest::addColumn<QString>("capacity");
		QTest::addColumn<bool>("accepted");

		QTest::newRow("4 mV/V") << 0 << false << "4"
					<< "500" << true;
		QTest::newRow("4.1 mV/V") << 0 << false << "4.1"
					  << "500" << false;
		QTest::newRow("-4 mV/V") << 0 << false << "-4"
					 << "500" << true;
		QTest::newRow("0 mV/V") << 0 << false << "0"
					<< "500" << false;
		QTest::newRow("8000 µε") << 2 << true << "8000"
					 << "500" << true;
		QTest::newRow("8001 µε") << 2 << true << "8001"
					 << "500" << false;
		QTest::newRow("9 characters") << 2 << false << "2"
					      << "123456789" << true;
		QTest::newRow("10 characters") << 2 << false << "2"
					       << "1234567890" << false;
		QTest::newRow("capacity not a number") << 0 << false << "2"
						       << "abc" << false;
		QTest::newRow("power not a number") << 0 << false << "abc"
						    << "500" << false;
		QTest::newRow("unused row ignored") << 1 << false << "abc"
						    << "abc" << true;
	}

	void okChecksTheRowsInUse()
	{
		QFETCH(int, unit);
		QFETCH(bool, microstrain);
		QFETCH(QString, power);
		QFETCH(QString, capacity);
		QFETCH(bool, accepted);
		Rig rig;
		DialogSetUnit &d = *rig.dialog;
		d.optPower[unit][microstrain ? 1 : 0]->setChecked(true);
		d.txtPower[unit]->setText(power);
		d.txtCapacity[unit]->setText(capacity);
		d.OKButton->click();

		QCOMPARE(d.GetDlgButton(), accepted);
		QCOMPARE(rig.prompt.texts(), accepted ? QStringList() : QStringList{kWrong});
		if (!accepted)
			return;
		const ChannelRecord &channel = rig.md.Channels[unit];
		QCOMPARE(channel.PowerSing, int16_t(microstrain ? 1 : 0));
		QCOMPARE(channel.Power, unit == 1 ? 2.0f : power.toFloat());
		QCOMPARE(channel.Capacity, unit == 1 ? 500.0f : capacity.toFloat());
	}

	void displayUnitNamesAndEnablesTheRows()
	{
		Rig rig;
		DialogSetUnit &d = *rig.dialog;
		d.optUintsBtn[5]->setChecked(true);
		for (int i : {0, 2}) {
			QCOMPARE(d.lblSign[i]->text(), QStringLiteral("MN"));
			QVERIFY(d.txtPower[i]->isEnabled() && d.txtCapacity[i]->isEnabled());
		}
		QVERIFY(!d.txtPower[1]->isEnabled());
		QCOMPARE(d.txtPower[1]->accessibleName(), QStringLiteral("ID1 定格出力"));
		QCOMPARE(d.txtCapacity[3]->accessibleName(), QStringLiteral("ID3 定格容量"));

		d.optUintsBtn[0]->setChecked(true);
		d.txtPower[0]->setText(QStringLiteral("abc"));
		for (int i = 0; i < kUnitCount; ++i)
			QVERIFY(d.lblSign[i]->text().isEmpty() && !d.txtPower[i]->isEnabled());
		d.OKButton->click();
		QVERIFY2(d.GetDlgButton(), "microstrain needs no sensor data");
		QCOMPARE(rig.md.settings.Sing, int16_t(0));
		QCOMPARE(rig.md.GetSingStr(), QStringLiteral("μひずみ"));
	}

	void cancelStoresNothing()
	{
		Rig rig;
		rig.dialog->optUintsBtn[4]->setChecked(true);
		rig.dialog->txtCapacity[0]->setText(QStringLiteral("7"));
		rig.dialog->CancelButton->click();
		QVERIFY(!rig.dialog->GetDlgButton());
		QCOMPARE(rig.md.settings.Sing, int16_t(1));
		QCOMPARE(rig.md.Channels[0].Capacity, 500.0f);
	}
};

QTEST_MAIN(DialogSetUnitTest)
#include "DialogSetUnitTest.moc"
