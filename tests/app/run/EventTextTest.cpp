// The texts of events, made from their data where they are shown: in the
// interface's language (Japanese here: no translation is installed) or in
// English for the files, the same whatever the interface speaks.

#include "run/EventText.h"

#include <gtest/gtest.h>

using namespace kelvra;

TEST(EventText, EachKindIsToldInTheReadersLanguageAndOldTextsAsStored)
{
	const struct {
		RunEvent event;
		const char *japanese;
		const char *english;
	} rows[] = {
			{LevelEvent(0.02, 0, EventKind::Warning, EventSide::Upper,
					 EventLevel::Warning, 100.0f, 150.0f),
					"0.02 s ID0 警告 上限 100 (150)",
					"0.02 s ID0 warning upper 100 (150)"},
			{LevelEvent(0.05, 1, EventKind::Clear, EventSide::Lower, EventLevel::Alarm,
					 -0.1f, 2.5f),
					"0.05 s ID1 復帰 異常 下限 -0.1 (2.5)",
					"0.05 s ID1 clear alarm lower -0.1 (2.5)"},
			{LevelEvent(8.96, 2, EventKind::Trigger, EventSide::Upper, EventLevel::None,
					 100.0f, 104.0f),
					"8.96 s ID2 トリガ 上限 100 (104)",
					"8.96 s ID2 trigger upper 100 (104)"},
			{UnitLostEvent(12.3, 3, 9), "12.30 s ID3 切断 USB通信エラー",
					"12.30 s ID3 dropout USB communication error"},
			{UnitLostEvent(1.0, 0, 42), "1.00 s ID0 切断 結果コード 42",
					"1.00 s ID0 dropout result code 42"},
			{DiskLossEvent(60.0, 28, QStringLiteral("No space left on device")),
					"60.00 s 全体 切断 ディスクに書き込めずデータが欠けました: No space "
					"left on device",
					"60.00 s all dropout samples lost to the disk: No space left on device"},
			{{3.0, -1, EventKind::Marker, QStringLiteral("荷重 5 kN")},
					"3.00 s 全体 マーク 荷重 5 kN",
					"3.00 s all marker 荷重 5 kN"},
			{{0.0, 0, EventKind::Zero, {}}, "0.00 s ID0 ゼロ点", "0.00 s ID0 zero"},
			{HookRanEvent(0.7, 0, HookCause::Alarm, HookEnd::Exited, 3, 30.0f,
					 QStringLiteral("sent")),
					"0.70 s ID0 フック alarm のフック: 終了コード 3「sent」",
					"0.70 s ID0 hook hook for alarm: exit status 3: sent"},
			{HookRanEvent(31.0, -1, HookCause::RunEnd, HookEnd::Killed, 0, 30.0f, {}),
					"31.00 s 全体 フック run-end のフックを 30 秒で打ち切りました",
					"31.00 s all hook the hook for run-end was killed after 30 s"},
			{SpaceEvent(2.0, true, 1.95e9, 2e9),
					"2.00 s 全体 空き容量不足 空き容量 1.95 GB が下限 2 GB を下回りました",
					"2.00 s all low-space free space 1.95 GB fell below the limit of 2 GB"},
			{{0.5, 0, EventKind::Alarm, QStringLiteral("upper 200 (250)")},
					"0.50 s ID0 異常 upper 200 (250)",
					"0.50 s ID0 alarm upper 200 (250)"},
	};
	const LanguageTexts english = LanguageTexts::English();
	for (const auto &row : rows) {
		EXPECT_EQ(QString::fromUtf8(row.japanese), EventLine(row.event));
		EXPECT_EQ(QString::fromUtf8(row.english), EventLine(row.event, english));
	}
	EXPECT_EQ(QStringLiteral("Warning"), EventKindText(EventKind::Warning, english));
	EXPECT_EQ(QStringLiteral("警告"), EventKindText(EventKind::Warning));
}
