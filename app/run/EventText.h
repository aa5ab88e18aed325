#pragma once

// The texts of an event, made from its data in the reader's language: the
// interface's where it is shown (the event list, kelvra-cli's lines, info),
// English in the files that carry a text column, so that what a file holds
// does not depend on the language of the program that wrote it. An event read
// from a file written before events kept their data shows its text as stored.

#include "core/InterfaceLanguage.h"
#include "core/RunEvent.h"

namespace kelvra {

// "警告": the kind as the event list heads it ("Warning" in English).
QString EventKindText(EventKind kind, const LanguageTexts &texts = {});
// "上限 100 (150)", "USB通信エラー", a marker's note: what the event says
// beside its kind ("upper 100 (150)", "USB communication error").
QString EventDetailText(const RunEvent &event, const LanguageTexts &texts = {});
// "12.34 s ID1 警告 上限 100 (150)", or "3.00 s 全体 マーク 荷重" for one of the
// whole run ("12.34 s ID1 warning upper 100 (150)", "3.00 s all marker 荷重").
QString EventLine(const RunEvent &event, const LanguageTexts &texts = {});

} // namespace kelvra
