#include "StatusPage.h"

#include "StatusText.h"

#include <QFile>
#include <QString>

#include <utility>

// The page is a resource of this static library; nothing else refers to it,
// so it is brought in by name.
static void initPageResource()
{
	Q_INIT_RESOURCE(status);
}

namespace kelvra {

namespace {

QByteArray resource(const char *name)
{
	QFile file(QStringLiteral(":/status/") + QLatin1String(name));
	return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const std::pair<const char *, const char *> kTexts[] = {
		// The page's language, as its lang attribute names it.
		{"lang", QT_TRANSLATE_NOOP("StatusText", "ja")},
		{"title", QT_TRANSLATE_NOOP("StatusText", "記録の状況 - Kelvra")},
		{"heading", QT_TRANSLATE_NOOP("StatusText", "記録の状況")},
		{"connecting", QT_TRANSLATE_NOOP("StatusText", "接続しています…")},
		{"connected", QT_TRANSLATE_NOOP("StatusText", "接続中")},
		{"disconnected",
				QT_TRANSLATE_NOOP("StatusText",
						"接続が切れました。つなぎ直しています…")},
		{"running", QT_TRANSLATE_NOOP("StatusText", "記録中")},
		{"ended", QT_TRANSLATE_NOOP("StatusText", "記録は終了しました")},
		{"updated", QT_TRANSLATE_NOOP("StatusText", "最終更新")},
		{"valuesHeading", QT_TRANSLATE_NOOP("StatusText", "現在値")},
		{"valuesCaption",
				QT_TRANSLATE_NOOP("StatusText",
						"各ユニットとチャンネルの現在値と状態")},
		{"name", QT_TRANSLATE_NOOP("StatusText", "名前")},
		{"value", QT_TRANSLATE_NOOP("StatusText", "値")},
		{"unit", QT_TRANSLATE_NOOP("StatusText", "単位")},
		{"state", QT_TRANSLATE_NOOP("StatusText", "状態")},
		{"stateNone", QT_TRANSLATE_NOOP("StatusText", "正常")},
		{"stateWarning", QT_TRANSLATE_NOOP("StatusText", "警告")},
		{"stateAlarm", QT_TRANSLATE_NOOP("StatusText", "異常")},
		{"noValue", QT_TRANSLATE_NOOP("StatusText", "データなし")},
		{"notKnown", QT_TRANSLATE_NOOP("StatusText", "不明")},
		{"noFile", QT_TRANSLATE_NOOP("StatusText", "(ファイルに記録していません)")},
		{"recordingHeading", QT_TRANSLATE_NOOP("StatusText", "記録")},
		{"recordingCaption", QT_TRANSLATE_NOOP("StatusText", "記録のファイルと進み具合")},
		{"file", QT_TRANSLATE_NOOP("StatusText", "ファイル")},
		{"recorded", QT_TRANSLATE_NOOP("StatusText", "記録時間")},
		{"lost", QT_TRANSLATE_NOOP("StatusText", "欠損サンプル数")},
		{"free", QT_TRANSLATE_NOOP("StatusText", "空き容量")},
		{"lasts", QT_TRANSLATE_NOOP("StatusText", "空き容量で記録できる時間")},
		{"graphHeading", QT_TRANSLATE_NOOP("StatusText", "最近10分間のグラフ")},
		{"graphLabel",
				QT_TRANSLATE_NOOP("StatusText",
						"各系列の最近10分間の値のグラフ。最新の点は下の表にあります。")},
		{"latestCaption", QT_TRANSLATE_NOOP("StatusText", "グラフの各系列の最新の点")},
		{"series", QT_TRANSLATE_NOOP("StatusText", "系列")},
		{"time", QT_TRANSLATE_NOOP("StatusText", "時刻 [s]")},
		{"eventsHeading", QT_TRANSLATE_NOOP("StatusText", "最新のイベント (50件まで)")},
		{"eventsCaption", QT_TRANSLATE_NOOP("StatusText", "新しい順のイベント")},
		{"sequence", QT_TRANSLATE_NOOP("StatusText", "番号")},
		{"eventUnit", QT_TRANSLATE_NOOP("StatusText", "ユニット")},
		{"kind", QT_TRANSLATE_NOOP("StatusText", "種類")},
		{"text", QT_TRANSLATE_NOOP("StatusText", "内容")},
		{"noEvents", QT_TRANSLATE_NOOP("StatusText", "イベントはまだありません")},
		{"noScript",
				QT_TRANSLATE_NOOP("StatusText",
						"このページの値は JavaScript で更新されます。")},
};

} // namespace

StatusPage::StatusPage()
{
	initPageResource();
	QString page = QString::fromUtf8(resource("status.html"));
	for (const auto &[name, source] : kTexts)
		page.replace(QStringLiteral("{{%1}}").arg(QLatin1String(name)),
				StatusText::tr(source).toHtmlEscaped());
	html = page.toUtf8();
	script = resource("status.js");
	style = resource("status.css");
}

} // namespace kelvra
