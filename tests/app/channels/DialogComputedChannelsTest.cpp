#include "channels/DialogComputedChannels.h"
#include "DialogChecks.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include <functional>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

// Units 0, 1 and 2 in use, in microstrain.
struct Rig {
	MeasuredUnits units;
	RecordingPrompt prompt;
	std::unique_ptr<DialogComputedChannels> dialog;

	explicit Rig(const ChannelDefinitions &definitions = {})
	{
		units.inUse = {true, true, true, false};
		dialog = std::make_unique<DialogComputedChannels>(definitions, units, prompt);
	}
};

using Edit = std::function<void(DialogComputedChannels &)>;
using Channels = std::vector<ComputedChannel>;

void add(DialogComputedChannels &d, const char *name, const char *expression, const char *unit = "")
{
	d.cmdAdd->click();
	d.txtName->setText(QString::fromUtf8(name));
	d.txtExpression->setText(QString::fromUtf8(expression));
	d.txtUnit->setText(QString::fromUtf8(unit));
}

Edit channel(const char *name, const char *expression, const char *unit = "")
{
	return [=](DialogComputedChannels &d) { add(d, name, expression, unit); };
}

QStringList column(QTableView *table, int column)
{
	QStringList texts;
	for (int row = 0; row < table->model()->rowCount(); ++row)
		texts << table->model()->index(row, column).data().toString();
	return texts;
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Channels)

class DialogComputedChannelsTest : public QObject {
	Q_OBJECT

private Q_SLOTS:
	void okGivesTheChannelsOrRefusesWithTheCheckMessage_data()
	{
		QTest::addColumn<Edit>("edit");
		QTest::addColumn<QString>("message"); // empty: accepted
		QTest::addColumn<Channels>("expected");

		QTest::newRow("bending over two units")
				<< channel(" bend ", "(ID0 - ID2) / 2", "με") << QString()
				<< Channels{{"bend", "(ID0 - ID2) / 2", "με"}};
		QTest::newRow("expression cut short")
				<< channel("bend", "ID0 +")
				<< "bend: 式の 6 文字目: 数、名前、'(' か '-' が必要です。"
				<< Channels{};
		QTest::newRow("reads the one below") << Edit([](DialogComputedChannels &d) {
			add(d, "a", "b * 2");
			add(d, "b", "ID0");
		}) << "a: 式の 1 文字目: 'b' は使用ユニットの名前でも、前に定義したチャンネルの名前でもありません。"
						     << Channels{};
		QTest::newRow("moved above its reader") << Edit([](DialogComputedChannels &d) {
			add(d, "a", "b * 2");
			add(d, "b", "ID0");
			d.cmdUp->click();
		}) << QString() << Channels{{"b", "ID0", ""}, {"a", "b * 2", ""}};
		QTest::newRow("moved down and removed") << Edit([](DialogComputedChannels &d) {
			add(d, "a", "ID0");
			add(d, "b", "ID1");
			d.tblChannels->selectRow(0);
			d.cmdDown->click();
			d.cmdRemove->click(); // a, now the second
		}) << QString() << Channels{{"b", "ID1", ""}};
	}

	void okGivesTheChannelsOrRefusesWithTheCheckMessage()
	{
		QFETCH(Edit, edit);
		QFETCH(QString, message);
		QFETCH(Channels, expected);
		Rig rig;
		edit(*rig.dialog);
		const QStringList names = column(rig.dialog->tblChannels, 0);
		rig.dialog->OKButton->click();

		QCOMPARE(rig.dialog->definitions().channels, expected);
		if (message.isEmpty()) {
			QVERIFY(rig.prompt.shown.empty());
			QCOMPARE(rig.dialog->result(), int(QDialog::Accepted));
			return;
		}
		QVERIFY2(refusedWith(*rig.dialog, rig.prompt, message),
				qPrintable(rig.prompt.texts().join(u'\n')));
		QCOMPARE(column(rig.dialog->tblChannels, 0), names);
	}

	void theLineUnderTheExpressionFollowsTheTyping_data()
	{
		QTest::addColumn<QString>("typed");
		QTest::addColumn<QString>("line");

		QTest::newRow("fine") << "max(ID0, ID1) * 2"
				      << "式に誤りはありません。";
		QTest::newRow("open call")
				<< "sqrt(ID0"
				<< "c1: 式の 9 文字目: sqrt の引数の間に ',' か、終わりに ')' が必要です。";
	}

	void theLineUnderTheExpressionFollowsTheTyping()
	{
		QFETCH(QString, typed);
		QFETCH(QString, line);
		Rig rig;
		rig.dialog->cmdAdd->click();
		QTest::keyClicks(rig.dialog->txtExpression, typed);
		QCOMPARE(rig.dialog->lblExpression->text(), line);
		QCOMPARE(rig.dialog->txtExpression->accessibleDescription(), line);
	}

	void theRosetteHelperAddsItsOutputs()
	{
		Rig rig;
		DialogComputedChannels &d = *rig.dialog;
		d.cboLayout->setCurrentIndex(static_cast<int>(RosetteLayout::Delta));
		d.cboGauge[0]->setCurrentIndex(2);
		d.cboGauge[1]->setCurrentIndex(2);
		d.cmdAddRosette->click();
		QCOMPARE(rig.prompt.texts(),
				QStringList{QStringLiteral(
						"ロゼット r: 3 枚のゲージは別々のユニットにします。")});
		QCOMPARE(d.lstRosettes->count(), 0);

		d.cboGauge[1]->setCurrentIndex(0);
		d.cboGauge[2]->setCurrentIndex(1);
		d.grpMaterial->setChecked(true);
		d.txtRosetteModulus->setText(QStringLiteral("206"));
		d.cmdAddRosette->click();
		QCOMPARE(column(d.tblNames, 0).mid(3),
				QStringLiteral("r_e1 r_e2 r_theta r_s1 r_s2 r_tau r_vm")
						.split(u' '));
		add(d, "vm_over_yield", "r_vm / 355");
		d.OKButton->click();
		const RosetteDefinition expected{
				"r", RosetteLayout::Delta, {2, 0, 1}, RosetteMaterial{206.0, 0.3}};
		QCOMPARE(d.definitions().rosettes, std::vector{expected});
		QCOMPARE(d.definitions().channels.size(), std::size_t(1));
	}

	void keyboardAndScreenReaders()
	{
		ChannelDefinitions given;
		given.rosettes.push_back({});
		given.channels = {{"a", "ID0", ""}, {"b", "a * 2", "kN"}};
		Rig rig(given);
		DialogComputedChannels &d = *rig.dialog;
		QCOMPARE(column(d.tblChannels, 1),
				(QStringList{QStringLiteral("ID0"), QStringLiteral("a * 2")}));
		const QWidgetList expected{d.tblChannels, d.cmdAdd, d.cmdRemove, d.cmdDown,
				d.txtName, d.txtExpression, d.txtUnit, d.tblNames, d.cboLayout,
				d.cboGauge[0], d.cboGauge[1], d.cboGauge[2], d.txtRosetteName,
				d.grpMaterial, d.cmdAddRosette, d.lstRosettes, d.cmdRemoveRosette,
				d.OKButton, d.CancelButton};
		QCOMPARE(tabOrder(d, d.tblChannels), expected);
		for (QWidget *control : expected)
			QVERIFY2(!spokenName(control).isEmpty(),
					control->metaObject()->className());
		QCOMPARE(spokenCell(d.tblChannels, 1, 1), QStringLiteral("式 2: a * 2"));
		QCOMPARE(spokenCell(d.tblNames, 0, 0), QStringLiteral("名前 1: ID0"));

		d.tblChannels->selectRow(1);
		d.txtUnit->setFocus();
		d.txtUnit->setText(QStringLiteral("N"));
		QTest::keyClick(d.txtUnit, Qt::Key_Return);
		QVERIFY(!d.isVisible());
		QCOMPARE(d.definitions().channels[1].unit, std::string("N"));

		Rig second(given);
		second.dialog->show();
		QVERIFY(QTest::qWaitForWindowActive(second.dialog.get()));
		second.dialog->cmdRemove->click();
		QTest::keyClick(second.dialog->tblChannels, Qt::Key_Escape);
		QCOMPARE(second.dialog->result(), int(QDialog::Rejected));
		QCOMPARE(second.dialog->definitions(), given);
	}
};

QTEST_MAIN(DialogComputedChannelsTest)
#include "DialogComputedChannelsTest.moc"
