#pragma once
// The settings dialog's own messages (the runtime's are in runtime/Messages.h).

#include <string>
#include <string_view>

// The dialog's form description lacks a control the dialog needs: only a
// damaged or mismatched DLL gives this.
inline std::string FormLacksControl(std::string_view name) {
    return "ダイアログの定義（リソース）に部品 \"" + std::string(name) +
           "\" がありません。\r\nこのプラグインを入れ直してください。";
}

// Follows the message of a sample shortcut that could not be deleted.
inline std::string SampleUnreplaceable() {
    return "このファイルはプレビューの見本のショートカットです。読み取れない古い見本を置き換えられ"
           "ません。\r\nこのファイルを削除するか、一時フォルダーに書き込めるようにしてください。";
}

// Follows the message of a sample shortcut that could not be written.
inline std::string SampleUnwritable(std::string_view folder, std::string_view name) {
    return "プレビューの見本のショートカットを一時フォルダー \"" + std::string(folder) +
           "\" に書き込めません。\r\nそのフォルダーを作成するか書き込めるようにするか、そこにある "
           "\"" +
           std::string(name) +
           "\" という名前のフォルダーを削除してください。プレビューには見本がそのまま表示されま"
           "す。";
}
