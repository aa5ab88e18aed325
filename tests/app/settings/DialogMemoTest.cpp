#include "settings/DialogMemo.h"
#include "fakes/RecordingPrompt.h"
#include "files/DataFile.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

// Three samples of unit 0, memo lines from the last save.
struct Rig {
	ModuleData md;
	RecordingPrompt prompt;
	QTemporaryDir dir;
	QString folder = dir.path();
	std::unique_ptr<DialogMemo> dialog;

	Rig()
	{
		md.InitDataArray();
		md.ClearMeasData();
		md.Channels[0].Mflag = kTrue;
		md.Channels[0].DataNum = 3;
		md.DataCount = 3;
		md.MemoStr[0] = QStringLiteral("前回のメモ");
		dialog = std::make_unique<DialogMemo>(md, prompt, folder);
		dialog->show();
	}

	QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
};

} // namespace

class DialogMemoTest : public QObject {
	Q_OBJECT

private Q_SLOTS:
	void opensWithCsvAndTheLastMemoLines()
	{
		Rig rig;
		QVERIFY(rig.dialog->optFiletype[0]->isChecked());
		QCOMPARE(rig.dialog->txtMemo[0]->text(), QStringLiteral("前回のメモ"));
		QCOMPARE(rig.dialog->txtMemo[4]->accessibleName(), QStringLiteral("メモ５"));
	}

	void cancelledOrFailedWritesKeepTheDialogAndTheMemo()
	{
		Rig rig;
		rig.dialog->txtMemo[1]->setText(QStringLiteral("新しいメモ"));
		rig.prompt.fileNames = {QString(), rig.path("missing/run.csv")};
		rig.dialog->OKButton->click(); // file dialog cancelled
		QVERIFY(rig.dialog->isVisible());
		QVERIFY(rig.prompt.shown.empty());

		rig.dialog->OKButton->click(); // a folder that does not exist
		QVERIFY(rig.dialog->isVisible());
		QCOMPARE(rig.prompt.shown.size(), size_t{1});
		QVERIFY(rig.prompt.shown.back().text.contains(QStringLiteral("run.csv")));
		QCOMPARE(rig.prompt.shown.back().caption, kErrorTitle);
		QCOMPARE(rig.prompt.shown.back().icon, Prompt::Icon::Error);
		QCOMPARE(rig.dialog->txtMemo[1]->text(), QStringLiteral("新しいメモ"));
		QVERIFY(rig.md.MemoStr[1].isEmpty());

		rig.dialog->CancelButton->click(); // "戻る"
		QVERIFY(!rig.dialog->isVisible());
		QVERIFY(rig.md.MemoStr[1].isEmpty());
		QCOMPARE(rig.prompt.fileDialogs.front().filter,
				QStringLiteral("CSVファイル  (*.csv)"));
	}

	void savedFileGetsTheTypesExtensionAndTheMemo()
	{
		Rig rig;
		rig.dialog->optFiletype[1]->setChecked(true);
		rig.dialog->txtMemo[2]->setText(QStringLiteral("三行目"));
		rig.prompt.fileNames = {rig.path("sub.dir/run")};
		QDir(rig.dir.path()).mkdir(QStringLiteral("sub.dir"));
		rig.dialog->OKButton->click();
		QVERIFY(!rig.dialog->isVisible());
		QCOMPARE(rig.prompt.fileDialogs.back().filter,
				QStringLiteral("専用ファイル  (*.vn2)"));
		QCOMPARE(rig.md.MemoStr[2], QStringLiteral("三行目"));
		QCOMPARE(rig.folder, rig.path("sub.dir"));
		ModuleData back;
		back.InitDataArray();
		QVERIFY(ReadDataFile(back, rig.path("sub.dir/run.vn2")).ok);
		QCOMPARE(back.MemoStr[2], QStringLiteral("三行目"));

		Rig typed;
		typed.prompt.fileNames = {typed.path("run.txt")};
		typed.dialog->OKButton->click();
		QVERIFY2(QFile::exists(typed.path("run.txt")), "a typed extension is kept");
	}
};

QTEST_MAIN(DialogMemoTest)
#include "DialogMemoTest.moc"
