#include "channels/DialogStrainSetup.h"
#include "DialogChecks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <functional>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

// Units 0 and 2 in use, in microstrain, nothing defined yet.
struct Rig {
	MeasuredUnits units;
	RecordingPrompt prompt;
	std::unique_ptr<DialogStrainSetup> dialog;

	explicit Rig(bool microstrain = true)
	{
		units.inUse = {true, false, true, false};
		units.microstrain = microstrain;
		dialog = std::make_unique<DialogStrainSetup>(
				ChannelDefinitions{}, units, 0, prompt);
	}
};

using Edit = std::function<void(DialogStrainSetup &)>;

// X, Y, X, Y, ... typed into the table.
void setScale(DialogStrainSetup &d, std::initializer_list<const char *> cells)
{
	d.grpScale->setChecked(true);
	QAbstractItemModel *table = d.tblScale->model();
	while (table->rowCount() < static_cast<int>(cells.size()) / 2)
		d.cmdAddRow->click();
	int i = 0;
	for (const char *cell : cells) {
		table->setData(table->index(i / 2, i % 2), QString::fromUtf8(cell));
		++i;
	}
}

Edit bendingHalfBridge(const char *k, const char *lead)
{
	return [=](DialogStrainSetup &d) {
		d.cboBridge->setCurrentIndex(static_cast<int>(BridgeType::Half2));
		d.txtGaugeFactor->setText(QString::fromUtf8(k));
		d.txtLeadOhm->setText(QString::fromUtf8(lead));
	};
}

ChannelDefinitions unit0(const std::function<void(UnitStrainSetup &)> &change)
{
	ChannelDefinitions d;
	change(d.units[0]);
	return d;
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(ChannelDefinitions)

class DialogStrainSetupTest : public QObject {
	Q_OBJECT

private Q_SLOTS:
	void okTakesTheEntriesOrRefusesWithTheCheckMessage_data()
	{
		QTest::addColumn<Edit>("edit");
		QTest::addColumn<QString>("message"); // empty: accepted
		QTest::addColumn<ChannelDefinitions>("expected");

		QTest::newRow("half bridge in bending")
				<< bendingHalfBridge("2.08", "0.4") << QString()
				<< unit0([](auto &s) {
					   s.bridge = {BridgeType::Half2, 2.08, 0.3, 0.4, 120.0};
				   });
		QTest::newRow("gauge factor no number")
				<< bendingHalfBridge("2,08", "0") << "ID0: ゲージ率は正の数です。"
				<< ChannelDefinitions{};
		QTest::newRow("tare over 20 samples") << Edit([](DialogStrainSetup &d) {
			d.chkTare->setChecked(true);
			d.txtTareSamples->setText(QStringLiteral("20"));
		}) << QString() <<
				[] {
					ChannelDefinitions d =
							unit0([](auto &s) { s.tare = true; });
					d.tareSamples = 20;
					return d;
				}();
		QTest::newRow("tare samples 2.5") << Edit([](DialogStrainSetup &d) {
			d.txtTareSamples->setText(QStringLiteral("2.5"));
		}) << "風袋引きのサンプル数は 1〜10000 です。"
						  << ChannelDefinitions{};
		QTest::newRow("scaling table to kN") << Edit([](DialogStrainSetup &d) {
			setScale(d, {"0", "0", "1000", "12.5", "2000", "25.25"});
			d.txtScaleUnit->setText(QStringLiteral(" kN "));
		}) << QString() << unit0([](auto &s) {
			s.scale = {{0, 0}, {1000, 12.5}, {2000, 25.25}};
			s.scaleUnit = "kN";
		});
		QTest::newRow("scaling table not increasing") << Edit([](DialogStrainSetup &d) {
			setScale(d, {"0", "0", "0", "1"});
		}) << "ID0: 換算表の 2 点目に誤りがあります。X と Y は数で、X は前の点より大きくします。"
							      << ChannelDefinitions{};
		QTest::newRow("table unticked is dropped") << Edit([](DialogStrainSetup &d) {
			setScale(d, {"0", "0", "0", "1"});
			d.grpScale->setChecked(false);
		}) << QString() << ChannelDefinitions{};
		QTest::newRow("stress at 206 GPa") << Edit([](DialogStrainSetup &d) {
			d.grpStress->setChecked(true);
			d.txtModulus->setText(QStringLiteral("206"));
		}) << QString() << unit0([](auto &s) { s.modulusGPa = 206.0; });
	}

	void okTakesTheEntriesOrRefusesWithTheCheckMessage()
	{
		QFETCH(Edit, edit);
		QFETCH(QString, message);
		QFETCH(ChannelDefinitions, expected);
		Rig rig;
		edit(*rig.dialog);
		const QString typed = rig.dialog->txtGaugeFactor->text();
		rig.dialog->OKButton->click();

		QCOMPARE(rig.dialog->definitions(), expected);
		if (message.isEmpty()) {
			QVERIFY(rig.prompt.shown.empty());
			QCOMPARE(rig.dialog->result(), int(QDialog::Accepted));
			return;
		}
		QVERIFY2(refusedWith(*rig.dialog, rig.prompt, message),
				qPrintable(rig.prompt.texts().join(u'\n')));
		QCOMPARE(rig.dialog->txtGaugeFactor->text(), typed);
	}

	void eachUnitKeepsItsEntriesAndARefusalShowsItsUnit()
	{
		Rig rig;
		DialogStrainSetup &d = *rig.dialog;
		QCOMPARE(d.cboUnit->count(), 2); // the units in use
		d.txtGaugeFactor->setText(QStringLiteral("2.1"));
		d.cboUnit->setCurrentIndex(1);
		QCOMPARE(d.shownUnit(), 2);
		QCOMPARE(d.txtGaugeFactor->text(), QStringLiteral("2"));
		d.txtGaugeFactor->setText(QStringLiteral("0"));
		d.cboUnit->setCurrentIndex(0);
		QCOMPARE(d.txtGaugeFactor->text(), QStringLiteral("2.1"));

		d.OKButton->click();
		QCOMPARE(rig.prompt.texts(),
				QStringList{QStringLiteral("ID2: ゲージ率は正の数です。")});
		QCOMPARE(d.shownUnit(), 2);
		d.txtGaugeFactor->setText(QStringLiteral("1.9"));
		d.OKButton->click();
		QCOMPARE(d.definitions().units[0].bridge.gaugeFactor, 2.1);
		QCOMPARE(d.definitions().units[2].bridge.gaugeFactor, 1.9);
	}

	void aLoadUnitSaysWhyAndTakesNothing()
	{
		Rig rig(false);
		DialogStrainSetup &d = *rig.dialog;
		QVERIFY(!d.cboBridge->isEnabled());
		QVERIFY(!d.OKButton->isEnabled());
		QVERIFY(d.CancelButton->isEnabled());
		QCOMPARE(d.lblNote->text(),
				QStringLiteral("ID0: ひずみ設定は表示単位がμひずみのときに使えます。"));
	}

	void keyboardAndScreenReaders()
	{
		Rig rig;
		DialogStrainSetup &d = *rig.dialog;
		d.cboBridge->setCurrentIndex(static_cast<int>(BridgeType::Half2));
		d.grpScale->setChecked(true);
		d.grpStress->setChecked(true);
		const QWidgetList expected{d.cboUnit, d.cboBridge, d.txtGaugeFactor, d.txtLeadOhm,
				d.txtGaugeOhm, d.chkTare, d.txtTareSamples, d.grpScale, d.tblScale,
				d.cmdAddRow, d.txtScaleUnit, d.grpStress, d.txtModulus, d.OKButton,
				d.CancelButton};
		QCOMPARE(tabOrder(d, d.cboUnit), expected);
		for (QWidget *control : expected)
			QVERIFY2(!spokenName(control).isEmpty(),
					control->metaObject()->className());
		QCOMPARE(spokenName(d.txtGaugeFactor), QStringLiteral("ゲージ率 K"));
		QCOMPARE(spokenCell(d.tblScale, 1, 1), QStringLiteral("Y 2: "));
	}
};

QTEST_MAIN(DialogStrainSetupTest)
#include "DialogStrainSetupTest.moc"
