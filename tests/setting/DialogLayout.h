#pragma once
// The settings dialog as the user sees it: the window, each control's place,
// size and text, the Tab sequence and the reference list. One table for both
// dialog tests: the one that reads the form description and the one that
// drives the real dialog. Texts are code page 932 bytes, as the compilers
// store narrow literals and as the dialog shows them.

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct TDialogWindowLayout {
    const char* Caption;
    int Left;
    int Top;
    int ClientWidth;
    int ClientHeight;
    const char* FontName;
    int FontHeight;
};

inline constexpr TDialogWindowLayout DialogWindow{"SetFormatForm",   327, 213, 369, 189,
                                                  "ＭＳ Ｐゴシック", -12};

struct TDialogControl {
    const char* Name;        // as the form description names it
    const char* ClassName;   // the class the form description builds it from
    const char* WindowClass; // the window's class, as other programs see it
    int Left;
    int Top;
    int Width;
    int Height;
    int TabPosition;     // place in the Tab sequence; -1: Tab passes it by
    const char* Caption; // null: the text depends on the stored format
};

// In the form description's order.
inline constexpr TDialogControl DialogControls[] = {
    {"BoxLabel1", "TBoxLabel", "PellmarkControl", 4, 6, 65, 17, -1, "書式定義"},
    {"BoxLabel2", "TBoxLabel", "PellmarkControl", 4, 28, 65, 17, -1, "プレビュー"},
    {"Memo1", "TMemo", "Edit", 4, 80, 361, 105, 1, nullptr},
    {"FormatText", "TEdit", "Edit", 72, 4, 293, 20, 0, nullptr},
    {"FormatedTextLabel", "TBoxLabel", "PellmarkControl", 72, 28, 293, 17, -1, nullptr},
    {"BoxLabel4", "TBoxLabel", "PellmarkControl", 4, 60, 97, 17, -1, "書式文字列"},
    {"CancelSettingButton", "TButton", "Button", 288, 48, 75, 25, 2, "ｷｬﾝｾﾙ(&C)"},
    {"SaveSettingButton", "TButton", "Button", 208, 48, 75, 25, 3, "設定(&S)"},
};

// The read-only reference list, line by line.
inline constexpr const char* DialogMemoLines[] = {
    "%p : ページタイトル",
    "%u : URL",
    "%c : コメント",
    "%?d : 登録日(日)",
    "%?t : 登録日(時)",
    "%?v : 最終訪問日(日)",
    "%?a : 最終訪問日(時)",
    "(? : 書式設定(ﾃﾞﾌｫﾙﾄ ?=0)",
    "  ?=0 : ロング形式(yyyy/mm/dd, hh:nn:ss)",
    "  ?=1 : ショート形式(yy/mm/dd, hh:nn)",
    ")",
    "%?f : お気に入りﾌｧｲﾙ名",
    "(? : 書式設定(ﾃﾞﾌｫﾙﾄ ?=0)",
    "  ?=0 : ﾌﾙﾊﾟｽ",
    "  ?=1 : ﾌｧｲﾙ名のみ",
    "  ?=2 : ﾌｫﾙﾀﾞ名のみ(\\なし)",
    "}",
    "",
    "%% : %文字",
    "",
    "%z : 改行",
};

inline const TDialogControl& DialogControl(std::string_view name) {
    const auto it = std::find_if(std::begin(DialogControls), std::end(DialogControls),
                                 [&](const TDialogControl& c) { return c.Name == name; });
    if (it == std::end(DialogControls))
        throw std::invalid_argument("the dialog has no control " + std::string(name));
    return *it;
}

// The controls Tab visits, in the order it visits them.
inline std::vector<const TDialogControl*> DialogTabSequence() {
    std::vector<const TDialogControl*> sequence;
    for (const TDialogControl& control : DialogControls) {
        if (control.TabPosition >= 0)
            sequence.push_back(&control);
    }
    std::sort(sequence.begin(), sequence.end(),
              [](const TDialogControl* a, const TDialogControl* b) {
                  return a->TabPosition < b->TabPosition;
              });
    return sequence;
}
