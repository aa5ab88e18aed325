// Makes the screenshots of the two definition dialogs: "ひずみ設定" with unit 0
// a half bridge in bending (its tare, a scaling table to the bending moment
// and its stress), "演算チャンネル" with a rectangular rosette on units 1 to 3
// and channels over it, the last one's expression as it is being typed.
// Usage: kelvra-channel-screenshots OUTPUT_DIR [--lang ja|en] [--prefix PREFIX]

#include "PrintingPrompt.h"
#include "channels/DialogComputedChannels.h"
#include "channels/DialogStrainSetup.h"
#include "core/InterfaceLanguage.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFont>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

#include <cstdio>

namespace {

kelvra::ChannelDefinitions bendingBeamWithRosette()
{
	kelvra::ChannelDefinitions d;
	kelvra::UnitStrainSetup &beam = d.units[0];
	beam.bridge = {kelvra::BridgeType::Half2, 2.08, 0.3, 0.4, 120.0};
	beam.tare = true;
	beam.scale = {{-1000.0, -52.4}, {0.0, 0.0}, {1000.0, 52.1}};
	beam.scaleUnit = "N·m";
	beam.modulusGPa = 206.0;
	d.tareSamples = 20;
	d.rosettes.push_back({"r", kelvra::RosetteLayout::Rectangular, {1, 2, 3},
			kelvra::RosetteMaterial{206.0, 0.3}});
	d.channels = {{"e_mean", "(r_e1 + r_e2) / 2", "με"}, {"gamma_max", "r_e1 - r_e2", "με"},
			{"shear_ratio", "r_tau / max(abs(r_s1), abs(r_s2)", ""}};
	return d;
}

void wait(int ms)
{
	QEventLoop loop;
	QTimer::singleShot(ms, &loop, &QEventLoop::quit);
	loop.exec();
}

bool save(QWidget *dialog, const QDir &dir, const QString &name, QLineEdit *typing = nullptr)
{
	dialog->show();
	wait(300);
	if (typing) {
		typing->setFocus();
		typing->end(false);
	}
	const QString file = dir.filePath(name);
	const bool ok = dialog->grab().save(file);
	std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "could not write",
			file.toLocal8Bit().constData());
	return ok;
}

} // namespace

int main(int argc, char *argv[])
{
	QApplication app(argc, argv);
	QStringList arguments = QApplication::arguments();
	QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 10));
	kelvra::InstallLanguage(app, kelvra::TakeLanguageOption(arguments).language);
	if (arguments.size() < 2) {
		std::fputs("usage: kelvra-channel-screenshots OUTPUT_DIR [--lang ja|en] [--prefix PREFIX]\n",
				stderr);
		return 2;
	}
	const auto at = arguments.indexOf(QStringLiteral("--prefix"));
	const QString prefix = at > 0 ? arguments.value(at + 1) : QString();
	const QDir out(arguments[1]);
	QDir().mkpath(out.path());

	const kelvra::ChannelDefinitions definitions = bendingBeamWithRosette();
	kelvra::MeasuredUnits units;
	units.inUse = {true, true, true, true};
	PrintingPrompt prompt;

	kelvra::DialogStrainSetup strain(definitions, units, 0, prompt);
	bool ok = save(&strain, out, prefix + QStringLiteral("strain-setup.png"));

	kelvra::DialogComputedChannels channels(definitions, units, prompt);
	channels.tblChannels->selectRow(2);
	ok = save(&channels, out, prefix + QStringLiteral("computed-channels.png"),
			     channels.txtExpression) &&
			ok;
	return ok ? 0 : 1;
}
