// Every message of both DLLs once, in full: the runtime's catalogue, the copy
// command's and the dialog's own. Each is code page 932 text, and every
// sentence holds Japanese.

#include "runtime/Messages.h"
#include "copy/CopyMessages.h"
#include "runtime/CodePage.h"
#include "setting/SettingMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string F = "C:\\Fav\\News.url";
// The system's text as a Japanese Windows gives it, already one sentence.
const std::string S = "共有違反です。";
const std::string K = "HKEY_CURRENT_USER\\Software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\Pellmark";
const std::string Store = "/home/u/.config/pellmark-registry";
const std::string Dll = "C:\\Orrel\\Plugins\\PellmarkSetting.dll";

struct TMessageRow {
    std::string Actual;
    std::string Expected;
    // The last line is the user's own text (the format), not a sentence.
    bool EndsWithUserText = false;
};

std::vector<TMessageRow> Rows() {
    return {
        {Messages::UnexpectedError, "予期しないエラーが発生しました。\r\n"
                                    "もう一度お試しください。"},
        {Messages::OutOfMemory, "メモリが不足しています。\r\n"
                                "いくつかのプログラムを閉じてから、もう一度お試しください。"},
        {Messages::ErrorTitle, "エラー"},
        {Messages::InvalidFormat("%u%2d"), "書式文字列が不正です\r\n%u%2d", true},
        {Messages::DateTimeOutOfRange(),
         "日付と時刻が、扱える範囲（西暦 1 年から 9999 年まで）の外にあります。\r\n"
         "コンピューターの日付と時刻を確かめてください。"},
        {Messages::InvalidDateOrTime(), "存在しない日付または時刻です。\r\n"
                                        "コンピューターの日付と時刻を確かめてください。"},
        {Messages::UnreadableDateTime("26/13/40 09:07"),
         "'26/13/40 09:07' は日付と時刻として読み取れません。\r\n"
         "コントロール パネルの日付と時刻の形式に合わせて書いてください。"},
        {Messages::UnreadableLastVisit("26/13/40 09:07"),
         "お気に入りの最終訪問日時 '26/13/40 09:07' を読み取れません。\r\n"
         "次の行のファイルをメモ帳で開き、LastVisit= の後を 24/03/15 21:40 "
         "の形に直すか、その行を削除してください。"},
        {Messages::FileDateOutOfRange(F),
         "ファイル \"C:\\Fav\\News.url\" の更新日時が、西暦 1 年から 9999 "
         "年までの日付ではありません。\r\n"
         "ファイルの更新日時を直してから、もう一度お試しください。"},
        {Messages::FileReadFailed(F, S),
         "ファイル \"C:\\Fav\\News.url\" を読み取れません。共有違反です。\r\n"
         "ファイルを開いているプログラムを閉じ、読み取りが許可されていることを確かめてから、もう一"
         "度お試しください。"},
        {Messages::FileTooLarge(F),
         "ファイル \"C:\\Fav\\News.url\" は 2 GB を超えているため読み取れません。\r\n"
         "選んだファイルが正しいか確かめてください。"},
        {Messages::FileLookupFailed(F, S),
         "ファイル \"C:\\Fav\\News.url\" を探せません。共有違反です。\r\n"
         "ドライブやネットワーク "
         "フォルダーにつながること、フォルダーを開けること、名前が正しいことを確かめてから、もう一"
         "度お試しください。"},
        {Messages::AmbiguousFileName(F),
         "\"C:\\Fav\\News.url\" に当てはまるファイルまたはフォルダーが複数あります。名前が、シフト "
         "JIS（コード "
         "ページ 932）にない文字でしか違いません。\r\n"
         "ほかの文字でも区別できるように名前を変えてから、もう一度お試しください。"},
        {Messages::FileWriteFailed(F, S),
         "ファイル \"C:\\Fav\\News.url\" に書き込めません。共有違反です。\r\n"
         "ファイルを開いているプログラムを閉じ、書き込みが許可されていることを確かめてから、もう一"
         "度お試しください。"},
        {Messages::FileWriteRefused(F, Messages::IniLineBreakOrNul()),
         "ファイル \"C:\\Fav\\News.url\" に書き込めません。改行と NUL 文字は INI "
         "ファイルに保存できません。\r\n"
         "書き込む名前と値を直してから、もう一度お試しください。"},
        {Messages::FileUnreadableForWrite(F, S),
         "ファイル \"C:\\Fav\\News.url\" を読み取れないため、書き込めません。共有違反です。\r\n"
         "ファイルを開いているプログラムを閉じ、読み取りが許可されていることを確かめてから、もう一"
         "度お試しください。"},
        {Messages::FileDeleteFailed(F, S),
         "ファイル \"C:\\Fav\\News.url\" を削除できません。共有違反です。\r\n"
         "ファイルを開いているプログラムを閉じ、削除が許可されていることを確かめてから、もう一度お"
         "試しください。"},
        {Messages::TempFolderFailed(S),
         "一時フォルダーの場所を取得できません。共有違反です。\r\n"
         "環境変数 TEMP と TMP "
         "が正しいフォルダーを指しているか確かめてから、もう一度お試しください。"},
        {Messages::TempFolderKeepsChanging(),
         "一時フォルダーの場所が変わり続けているため、取得できません。\r\n"
         "しばらくしてから、もう一度お試しください。"},
        {Messages::NotARegularFile(), "通常のファイルではありません。"},
        {Messages::NoTemporaryFileBeside(), "同じフォルダーに一時ファイルを作成できません。"},
        {Messages::IniLineBreakOrNul(), "改行と NUL 文字は INI ファイルに保存できません。"},
        {Messages::IniSectionNameEmpty(), "セクション名が空です。"},
        {Messages::IniKeyNameEmpty(), "キー名が空です。"},
        {Messages::IniKeyNameWithEquals(), "キー名に '=' は使えません。"},
        {Messages::IniKeyNameStart(), "キー名の先頭に ';' と '[' は使えません。"},
        {Messages::IniNameNotCodePage(),
         "セクション名かキー名に、シフト JIS（コード ページ 932）にない文字があります。"},
        {Messages::IniValueNotCodePage(),
         "値に、シフト JIS（コード ページ 932）にない文字があります。"},
        {Messages::RegistryKeyFailed(K, S),
         "レジストリ キー "
         "\"HKEY_CURRENT_USER\\Software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\Pellmark\" "
         "を開けません。共有違反です。\r\n"
         "レジストリ エディターでこのキーのアクセス許可を確かめてから、もう一度お試しください。"},
        {Messages::RegistryValueReadFailed(K, "FormatText", S),
         "レジストリ キー "
         "\"HKEY_CURRENT_USER\\Software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\Pellmark\" の値 "
         "\"FormatText\" を読み取れません。共有違反です。\r\n"
         "レジストリ エディターでこのキーのアクセス許可を確かめてから、もう一度お試しください。"},
        {Messages::RegistryValueWriteFailed(K, "FormatText", S),
         "レジストリ キー "
         "\"HKEY_CURRENT_USER\\Software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\Pellmark\" の値 "
         "\"FormatText\" に書き込めません。共有違反です。\r\n"
         "レジストリ エディターでこのキーのアクセス許可を確かめてから、もう一度お試しください。"},
        {Messages::RegistryValueNotString(K, "FormatText"),
         "レジストリ キー "
         "\"HKEY_CURRENT_USER\\Software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\Pellmark\" の値 "
         "\"FormatText\" が文字列値ではありません。\r\n"
         "レジストリ エディターで文字列値に置き換えるか、値を削除して既定値に戻してください。"},
        {Messages::RegistryValueKeepsChanging(K, "FormatText"),
         "レジストリ キー "
         "\"HKEY_CURRENT_USER\\Software\\Oskel\\Orrel\\Plugins\\FormatLibrary\\Pellmark\" の値 "
         "\"FormatText\" が、読み取る間も変わり続けています。\r\n"
         "この値を書き込んでいるプログラムを閉じてから、もう一度お試しください。"},
        {Messages::RegistryStoreUnlocated(),
         "レジストリの代わりのファイルの場所が決まりません。\r\n"
         "環境変数 PELLMARK_REGISTRY、XDG_CONFIG_HOME、HOME のどれかを設定してください。"},
        {Messages::RegistryStoreReadFailed(Store, S),
         "レジストリの代わりのファイル \"/home/u/.config/pellmark-registry\" "
         "を読み取れません。共有違反です。\r\n"
         "ファイルを開いているプログラムを閉じ、読み取りが許可されていることを確かめてから、もう一"
         "度お試しください。"},
        {Messages::RegistryStoreDamaged(Store, 2),
         "レジストリの代わりのファイル \"/home/u/.config/pellmark-registry\" の 2 "
         "行目が壊れています。\r\n"
         "その行を直すか、ファイルを削除してください。ファイルを削除すると既定値が使われます。"},
        {Messages::RegistryStoreFolderFailed("/home/u/.config", S),
         "レジストリの代わりのファイルを置くフォルダー \"/home/u/.config\" "
         "を作成できません。共有違反です。\r\n"
         "書き込みが許可されていることを確かめてから、もう一度お試しください。"},
        {Messages::RegistryStoreWriteFailed(Store, S),
         "レジストリの代わりのファイル \"/home/u/.config/pellmark-registry\" "
         "に書き込めません。共有違反です。\r\n"
         "ファイルを開いているプログラムを閉じ、書き込みが許可されていることを確かめてから、もう一"
         "度お試しください。"},
        {Messages::ClipboardOpenFailed(S),
         "クリップボードを開けません。共有違反です。\r\n"
         "ほかのプログラムがクリップボードを使っている可能性があります。そのプログラムを閉じるか、"
         "もう一度お試しください。"},
        {Messages::ClipboardOpenFailed({}),
         "クリップボードを開けません。\r\n"
         "ほかのプログラムがクリップボードを使っている可能性があります。そのプログラムを閉じるか、"
         "もう一度お試しください。"},
        {Messages::ClipboardMemoryFailed(S),
         "クリップボードに置くメモリを確保できません。共有違反です。\r\n"
         "いくつかのプログラムを閉じてから、もう一度お試しください。"},
        {Messages::ClipboardLockFailed(S),
         "クリップボードに置くメモリを使えません。共有違反です。\r\n"
         "いくつかのプログラムを閉じてから、もう一度お試しください。"},
        {Messages::ClipboardTextTooLong(), "クリップボードに置くには文字列が長すぎます。\r\n"
                                           "一度にコピーする量を減らしてください。"},
        {Messages::ClipboardConvertFailed(S),
         "クリップボードに置く文字列を変換できません。共有違反です。\r\n"
         "もう一度お試しください。"},
        {Messages::ClipboardWindowFailed(S),
         "クリップボードに使うウィンドウを作成できません。共有違反です。\r\n"
         "いくつかのプログラムを閉じてから、もう一度お試しください。"},
        {Messages::ClipboardEmptyFailed(S), "クリップボードを空にできません。共有違反です。\r\n"
                                            "もう一度お試しください。"},
        {Messages::ClipboardSetFailed(S),
         "クリップボードに文字列を置けません。クリップボードは空になっています。共有違反です。\r\n"
         "もう一度お試しください。"},
        {Messages::ClipboardReadFailed(S), "クリップボードを読み取れません。共有違反です。\r\n"
                                           "もう一度お試しください。"},
        {Messages::TextTooLongToConvert(), "文字列が長すぎて変換できません。\r\n"
                                           "一度に扱う量を減らしてください。"},
        {Messages::ToAnsiFailed(), "文字列をシフト JIS（コード ページ 932）に変換できません。\r\n"
                                   "もう一度お試しください。"},
        {Messages::FromAnsiFailed(), "シフト JIS（コード ページ 932）の文字列を変換できません。\r\n"
                                     "もう一度お試しください。"},
        {Messages::ConversionUnavailable("UTF-16LE", "CP932"),
         "文字コード UTF-16LE から CP932 への変換を使えません。\r\n"
         "iconv の変換表がインストールされているか確かめてください。"},
        {Messages::DialogAlreadyShown(),
         "表示中のウィンドウをダイアログ ボックスとして開けません。\r\n"
         "ダイアログ ボックスを閉じてから、もう一度お試しください。"},
        {Messages::DialogMessagesFailed(S),
         "ダイアログ ボックスが操作を受け付けなくなりました。共有違反です。\r\n"
         "ダイアログ ボックスを開き直してください。"},
        {Messages::DialogResourceMissing(Dll),
         "ダイアログ ボックスの定義（リソース）が \"C:\\Orrel\\Plugins\\PellmarkSetting.dll\" "
         "にありません。\r\n"
         "このファイルを入れ直してください。"},
        {Messages::DialogResourceDamaged(
             Dll, Messages::FormDescriptionLine(2, "プロパティ名の後に '=' がありません")),
         "\"C:\\Orrel\\Plugins\\PellmarkSetting.dll\" "
         "にあるダイアログ ボックスの定義（リソース）が壊れています（2 行目: プロパティ名の後に "
         "'=' "
         "がありません）。\r\n"
         "このファイルを入れ直してください。"},
        {Messages::DialogWindowFailed(S),
         "ダイアログ ボックスのウィンドウを作成できません。共有違反です。\r\n"
         "いくつかのプログラムを閉じてから、もう一度お試しください。"},
        {Messages::DialogControlWithoutParent(),
         "ダイアログ ボックスのコントロールを置くウィンドウがありません。\r\n"
         "ダイアログ ボックスを開き直してください。"},
        {Messages::DialogTextFailed(S),
         "ダイアログ ボックスに文字列を表示できません。共有違反です。\r\n"
         "もう一度お試しください。"},
        {Messages::DialogDrawingFailed(),
         "ダイアログ ボックスを描画できません。\r\n"
         "いくつかのプログラムを閉じてから、もう一度お試しください。"},
        {Messages::FontFailed("ＭＳ Ｐゴシック"),
         "フォント \"ＭＳ Ｐゴシック\" を作成できません。\r\n"
         "いくつかのプログラムを閉じてから、もう一度お試しください。"},
        {Messages::FormDescriptionLine(2, "数値が正しくありません"),
         "2 行目: 数値が正しくありません"},
        {TooMuchTextMessage,
         "選んだお気に入りから作る文字列が長すぎて、一度にコピーできません。\r\n"
         "お気に入りを減らして、何回かに分けてコピーしてください。"},
        {FormLacksControl("Memo1"),
         "ダイアログ ボックスの定義（リソース）にコントロール \"Memo1\" がありません。\r\n"
         "このプラグインを入れ直してください。"},
        {SampleUnreplaceable(),
         "このファイルはプレビューの見本のショートカットです。読み取れない古い見本を置き換えられま"
         "せん。\r\n"
         "このファイルを削除するか、一時フォルダーに書き込めるようにしてください。"},
        {SampleUnwritable("C:\\Temp\\", "Oskel_WebPage"),
         "プレビューの見本のショートカットを一時フォルダー \"C:\\Temp\\\" に書き込めません。\r\n"
         "そのフォルダーを作成するか書き込めるようにするか、そこにある \"Oskel_WebPage\" "
         "という名前のフォルダーを削除してください。プレビューには見本がそのまま表示されます。"},
    };
}

TEST(MessagesTest, EachReadsInFull) {
    for (const TMessageRow& row : Rows())
        EXPECT_EQ(row.Actual, row.Expected);
}

// The sentences of a message: split at full stops and line breaks.
std::vector<std::u16string> Sentences(const std::u16string& text) {
    std::vector<std::u16string> sentences(1);
    for (const char16_t c : text) {
        if (c == u'。' || c == u'\r' || c == u'\n') {
            sentences.emplace_back();
        } else {
            sentences.back() += c;
        }
    }
    return sentences;
}

TEST(MessagesTest, EachIsCodePage932TextWithJapaneseInEverySentence) {
    for (const TMessageRow& row : Rows()) {
        SCOPED_TRACE(row.Expected);
        const std::u16string wide = AnsiToUtf16(row.Actual);
        EXPECT_EQ(Utf16ToAnsiExactly(wide), row.Actual);
        std::vector<std::u16string> sentences = Sentences(wide);
        if (row.EndsWithUserText)
            sentences.pop_back();
        for (const std::u16string& sentence : sentences) {
            bool japanese = sentence.empty();
            for (const char16_t c : sentence)
                japanese = japanese || c > 0x7F;
            EXPECT_TRUE(japanese) << "a sentence in ASCII alone: " << Utf16ToAnsi(sentence);
        }
    }
}

// The system's text of an error stands in a message as one sentence.
TEST(MessagesTest, SystemTextIsOneSentence) {
    const TMessageRow rows[] = {
        {Messages::SystemErrorSentence("アクセスが拒否されました。\r\n", 5),
         "アクセスが拒否されました。"},
        {Messages::SystemErrorSentence("共有違反です", 32), "共有違反です。"},
        {Messages::SystemErrorSentence("Access is denied.\r\n", 5), "Access is denied."},
        {Messages::SystemErrorSentence("Permission denied", 13), "Permission denied."},
        {Messages::SystemErrorSentence(" \r\n", 1234),
         "システムにこのエラーの説明がありません（エラー コード 1234）。"},
    };
    for (const TMessageRow& row : rows)
        EXPECT_EQ(row.Actual, row.Expected);
}

} // namespace
