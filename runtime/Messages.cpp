// The runtime's messages. Each is one or two sentences of what happened,
// the system's text where there is one, then on a line of its own what to do.

#include "runtime/Messages.h"

namespace Messages {

namespace {

constexpr std::string_view FullStop = "。";

constexpr std::string_view RetryAdvice = "もう一度お試しください。";
constexpr std::string_view MemoryAdvice =
    "いくつかのプログラムを閉じてから、もう一度お試しください。";
constexpr std::string_view ReadAdvice = "ファイルを開いているプログラムを閉じ、読み取りが許可されて"
                                        "いることを確かめてから、もう一度お試しください。";
constexpr std::string_view WriteAdvice =
    "ファイルを開いているプログラムを閉じ、書き込みが許可されて"
    "いることを確かめてから、もう一度お試しください。";
constexpr std::string_view RegistryAdvice = "レジストリ エディターでこのキーのアクセス許可を確かめ"
                                            "てから、もう一度お試しください。";
constexpr std::string_view ReinstallAdvice = "このファイルを入れ直してください。";

// what happened, the system's sentence if any, a line break, what to do.
std::string Compose(std::string_view what, std::string_view system, std::string_view advice) {
    std::string text;
    text.reserve(what.size() + system.size() + advice.size() + 2);
    text.append(what).append(system).append("\r\n").append(advice);
    return text;
}

std::string Quoted(std::string_view text, char quote = '"') {
    std::string quoted(1, quote);
    quoted.append(text).push_back(quote);
    return quoted;
}

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string RegistryValue(std::string_view key, std::string_view value) {
    return "レジストリ キー " + Quoted(key) + " の値 " + Quoted(value);
}

std::string RegistryStore(std::string_view path) {
    return "レジストリの代わりのファイル " + Quoted(path);
}

} // namespace

std::string SystemErrorSentence(std::string_view text, unsigned long code) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' ||
                             text.back() == '\t'))
        text.remove_suffix(1);
    if (text.empty())
        return "システムにこのエラーの説明がありません（エラー コード " + std::to_string(code) +
               "）。";
    std::string sentence(text);
    if (text.ends_with(FullStop) || text.back() == '.')
        return sentence;
    // A system that words its errors in English (the posix backend's
    // strerror) keeps its own full stop.
    sentence.append(IsAscii(text) ? std::string_view(".") : FullStop);
    return sentence;
}

std::string InvalidFormat(std::string_view formatText) {
    std::string text = "書式文字列が不正です\r\n";
    text.append(formatText);
    return text;
}

std::string DateTimeOutOfRange() {
    return Compose("日付と時刻が、扱える範囲（西暦 1 年から 9999 年まで）の外にあります。", {},
                   "コンピューターの日付と時刻を確かめてください。");
}

std::string InvalidDateOrTime() {
    return Compose("存在しない日付または時刻です。", {},
                   "コンピューターの日付と時刻を確かめてください。");
}

std::string UnreadableDateTime(std::string_view text) {
    return Compose(Quoted(text, '\'') + " は日付と時刻として読み取れません。", {},
                   "コントロール パネルの日付と時刻の形式に合わせて書いてください。");
}

std::string UnreadableLastVisit(std::string_view text) {
    return Compose("お気に入りの最終訪問日時 " + Quoted(text, '\'') + " を読み取れません。", {},
                   "次の行のファイルをメモ帳で開き、LastVisit= の後を 24/03/15 21:40 の形に"
                   "直すか、その行を削除してください。");
}

std::string FileDateOutOfRange(std::string_view fileName) {
    return Compose("ファイル " + Quoted(fileName) +
                       " の更新日時が、西暦 1 年から 9999 年までの日付ではありません。",
                   {}, "ファイルの更新日時を直してから、もう一度お試しください。");
}

std::string FileReadFailed(std::string_view fileName, std::string_view system) {
    return Compose("ファイル " + Quoted(fileName) + " を読み取れません。", system, ReadAdvice);
}

std::string FileTooLarge(std::string_view fileName) {
    return Compose("ファイル " + Quoted(fileName) + " は 2 GB を超えているため読み取れません。", {},
                   "選んだファイルが正しいか確かめてください。");
}

std::string FileLookupFailed(std::string_view fileName, std::string_view system) {
    return Compose("ファイル " + Quoted(fileName) + " を探せません。", system,
                   "ドライブやネットワーク フォルダーにつながること、フォルダーを開けること、"
                   "名前が正しいことを確かめてから、もう一度お試しください。");
}

std::string AmbiguousFileName(std::string_view entry) {
    return Compose(Quoted(entry) + " に当てはまるファイルが複数あります。名前が、シフト JIS"
                                   "（コード ページ 932）にない文字でしか違いません。",
                   {}, "ほかの文字でも区別できるように名前を変えてから、もう一度お試しください。");
}

std::string FileWriteFailed(std::string_view fileName, std::string_view reason) {
    return Compose("ファイル " + Quoted(fileName) + " に書き込めません。", reason, WriteAdvice);
}

std::string FileWriteRefused(std::string_view fileName, std::string_view problem) {
    return Compose("ファイル " + Quoted(fileName) + " に書き込めません。", problem,
                   "書き込む名前と値を直してから、もう一度お試しください。");
}

std::string FileUnreadableForWrite(std::string_view fileName, std::string_view system) {
    return Compose("ファイル " + Quoted(fileName) + " を読み取れないため、書き込めません。", system,
                   ReadAdvice);
}

std::string FileDeleteFailed(std::string_view fileName, std::string_view system) {
    return Compose("ファイル " + Quoted(fileName) + " を削除できません。", system,
                   "ファイルを開いているプログラムを閉じ、削除が許可されていることを確かめてから、"
                   "もう一度お試しください。");
}

std::string TempFolderFailed(std::string_view system) {
    return Compose("一時フォルダーの場所を取得できません。", system,
                   "環境変数 TEMP と TMP が正しいフォルダーを指しているか確かめてから、"
                   "もう一度お試しください。");
}

std::string TempFolderKeepsChanging() {
    return Compose("一時フォルダーの場所が変わり続けているため、取得できません。", {},
                   "しばらくしてから、もう一度お試しください。");
}

std::string NotARegularFile() {
    return "通常のファイルではありません。";
}

std::string NoTemporaryFileBeside() {
    return "同じフォルダーに一時ファイルを作成できません。";
}

std::string IniLineBreakOrNul() {
    return "改行と NUL 文字は INI ファイルに保存できません。";
}

std::string IniSectionNameEmpty() {
    return "セクション名が空です。";
}

std::string IniKeyNameEmpty() {
    return "キー名が空です。";
}

std::string IniKeyNameWithEquals() {
    return "キー名に '=' は使えません。";
}

std::string IniKeyNameStart() {
    return "キー名の先頭に ';' と '[' は使えません。";
}

std::string IniNameNotCodePage() {
    return "セクション名かキー名に、シフト JIS（コード ページ 932）にない文字があります。";
}

std::string IniValueNotCodePage() {
    return "値に、シフト JIS（コード ページ 932）にない文字があります。";
}

std::string RegistryKeyFailed(std::string_view key, std::string_view system) {
    return Compose("レジストリ キー " + Quoted(key) + " を開けません。", system, RegistryAdvice);
}

std::string RegistryValueReadFailed(std::string_view key, std::string_view value,
                                    std::string_view system) {
    return Compose(RegistryValue(key, value) + " を読み取れません。", system, RegistryAdvice);
}

std::string RegistryValueWriteFailed(std::string_view key, std::string_view value,
                                     std::string_view system) {
    return Compose(RegistryValue(key, value) + " に書き込めません。", system, RegistryAdvice);
}

std::string RegistryValueNotString(std::string_view key, std::string_view value) {
    return Compose(RegistryValue(key, value) + " が文字列値ではありません。", {},
                   "レジストリ エディターで文字列値に置き換えるか、値を削除して既定値に戻してくだ"
                   "さい。");
}

std::string RegistryValueKeepsChanging(std::string_view key, std::string_view value) {
    return Compose(RegistryValue(key, value) + " が、読み取る間も変わり続けています。", {},
                   "この値を書き込んでいるプログラムを閉じてから、もう一度お試しください。");
}

std::string RegistryStoreUnlocated() {
    return Compose("レジストリの代わりのファイルの場所が決まりません。", {},
                   "環境変数 PELLMARK_REGISTRY、XDG_CONFIG_HOME、HOME のどれかを設定してくださ"
                   "い。");
}

std::string RegistryStoreReadFailed(std::string_view path, std::string_view system) {
    return Compose(RegistryStore(path) + " を読み取れません。", system, ReadAdvice);
}

std::string RegistryStoreDamaged(std::string_view path, std::size_t line) {
    return Compose(RegistryStore(path) + " の " + std::to_string(line) + " 行目が壊れています。",
                   {},
                   "その行を直すか、ファイルを削除してください。ファイルを削除すると既定値が使わ"
                   "れます。");
}

std::string RegistryStoreFolderFailed(std::string_view folder, std::string_view system) {
    return Compose("レジストリの代わりのファイルを置くフォルダー " + Quoted(folder) +
                       " を作成できません。",
                   system, "書き込みが許可されていることを確かめてから、もう一度お試しください。");
}

std::string RegistryStoreWriteFailed(std::string_view path, std::string_view reason) {
    return Compose(RegistryStore(path) + " に書き込めません。", reason, WriteAdvice);
}

std::string ClipboardOpenFailed(std::string_view system) {
    return Compose("クリップボードを開けません。", system,
                   "ほかのプログラムがクリップボードを使っている可能性があります。そのプログラム"
                   "を閉じるか、もう一度お試しください。");
}

std::string ClipboardMemoryFailed(std::string_view system) {
    return Compose("クリップボードに置くメモリを確保できません。", system, MemoryAdvice);
}

std::string ClipboardLockFailed(std::string_view system) {
    return Compose("クリップボードに置くメモリを使えません。", system, MemoryAdvice);
}

std::string ClipboardTextTooLong() {
    return Compose("クリップボードに置くには文字列が長すぎます。", {},
                   "一度にコピーする量を減らしてください。");
}

std::string ClipboardConvertFailed(std::string_view system) {
    return Compose("クリップボードに置く文字列を変換できません。", system, RetryAdvice);
}

std::string ClipboardWindowFailed(std::string_view system) {
    return Compose("クリップボードに使うウィンドウを作成できません。", system, MemoryAdvice);
}

std::string ClipboardEmptyFailed(std::string_view system) {
    return Compose("クリップボードを空にできません。", system, RetryAdvice);
}

std::string ClipboardSetFailed(std::string_view system) {
    return Compose("クリップボードに文字列を置けません。クリップボードは空になっています。", system,
                   RetryAdvice);
}

std::string ClipboardReadFailed(std::string_view system) {
    return Compose("クリップボードを読み取れません。", system, RetryAdvice);
}

std::string TextTooLongToConvert() {
    return Compose("文字列が長すぎて変換できません。", {}, "一度に扱う量を減らしてください。");
}

std::string ToAnsiFailed() {
    return Compose("文字列をシフト JIS（コード ページ 932）に変換できません。", {}, RetryAdvice);
}

std::string FromAnsiFailed() {
    return Compose("シフト JIS（コード ページ 932）の文字列を変換できません。", {}, RetryAdvice);
}

std::string ConversionUnavailable(std::string_view from, std::string_view to) {
    return Compose("文字コード " + std::string(from) + " から " + std::string(to) +
                       " への変換を使えません。",
                   {}, "iconv の変換表がインストールされているか確かめてください。");
}

std::string DialogAlreadyShown() {
    return Compose("表示中のウィンドウをダイアログとして開けません。", {},
                   "ダイアログを閉じてから、もう一度お試しください。");
}

std::string DialogMessagesFailed(std::string_view system) {
    return Compose("ダイアログがメッセージを受け取れなくなりました。", system,
                   "ダイアログを開き直してください。");
}

std::string DialogResourceMissing(std::string_view module) {
    return Compose("ダイアログの定義（リソース）が " + Quoted(module) + " にありません。", {},
                   ReinstallAdvice);
}

std::string DialogResourceDamaged(std::string_view module, std::string_view detail) {
    return Compose(Quoted(module) + " にあるダイアログの定義（リソース）が壊れています（" +
                       std::string(detail) + "）。",
                   {}, ReinstallAdvice);
}

std::string DialogWindowFailed(std::string_view system) {
    return Compose("ダイアログのウィンドウを作成できません。", system, MemoryAdvice);
}

std::string DialogControlWithoutParent() {
    return Compose("ダイアログの部品を置くウィンドウがありません。", {},
                   "ダイアログを開き直してください。");
}

std::string DialogTextFailed(std::string_view system) {
    return Compose("ダイアログに文字列を表示できません。", system, RetryAdvice);
}

std::string DialogDrawingFailed() {
    return Compose("ダイアログを描画できません。", {}, MemoryAdvice);
}

std::string FontFailed(std::string_view name) {
    return Compose("フォント " + Quoted(name) + " を作成できません。", {}, MemoryAdvice);
}

std::string FormDescriptionLine(int line, std::string_view detail) {
    std::string text = std::to_string(line) + " 行目: ";
    text.append(detail);
    return text;
}

} // namespace Messages
