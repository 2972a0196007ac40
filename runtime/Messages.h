#pragma once
// Every message the runtime raises, in one place so that they read and are
// reviewed together (the texts themselves are in Messages.cpp). Japanese,
// code page 932, polite and short: what happened, which file, key or value
// (whole, as the user finds it), then on a line of its own what to do. Where
// the system has a text for the error (a `system` argument, from
// SystemErrorMessage) it follows the first sentence once.
//
// The texts that must be shown without allocating (memory may be what ran
// out) are constants; the rest are built from their parts.

#include <cstddef>
#include <string>
#include <string_view>

namespace Messages {

// Shown for an error the runtime does not know, and for a failed allocation.
inline constexpr char UnexpectedError[] = "予期しないエラーが発生しました。\r\n"
                                          "もう一度お試しください。";
inline constexpr char OutOfMemory[] = "メモリが不足しています。\r\n"
                                      "いくつかのプログラムを閉じてから、もう一度お試しください。";
// The caption of an error box when the module's own name cannot be had.
inline constexpr char ErrorTitle[] = "エラー";

// The system's text of an error code as one sentence: trailing blanks and
// line breaks gone, ending in one full stop; a sentence with the code as a
// number when the system has no text.
std::string SystemErrorSentence(std::string_view text, unsigned long code);

// The format language. The text is fixed byte for byte: the format follows.
std::string InvalidFormat(std::string_view formatText);

// Dates and times.
std::string DateTimeOutOfRange();
std::string InvalidDateOrTime();
std::string UnreadableDateTime(std::string_view text);
std::string UnreadableLastVisit(std::string_view text);
std::string FileDateOutOfRange(std::string_view fileName);

// Files: INI files and shortcuts, the temporary folder.
std::string FileReadFailed(std::string_view fileName, std::string_view system);
std::string FileTooLarge(std::string_view fileName);
std::string FileLookupFailed(std::string_view fileName, std::string_view system);
std::string AmbiguousFileName(std::string_view entry);
std::string FileWriteFailed(std::string_view fileName, std::string_view reason);
std::string FileWriteRefused(std::string_view fileName, std::string_view problem);
std::string FileUnreadableForWrite(std::string_view fileName, std::string_view system);
std::string FileDeleteFailed(std::string_view fileName, std::string_view system);
std::string TempFolderFailed(std::string_view system);
std::string TempFolderKeepsChanging();
// Reasons a file cannot be replaced (posix), each one sentence.
std::string NotARegularFile();
std::string NoTemporaryFileBeside();

// What an INI file cannot hold, each one sentence.
std::string IniLineBreakOrNul();
std::string IniSectionNameEmpty();
std::string IniKeyNameEmpty();
std::string IniKeyNameWithEquals();
std::string IniKeyNameStart();
std::string IniNameNotCodePage();
std::string IniValueNotCodePage();

// The registry; key is the whole key as the registry editor shows it.
std::string RegistryKeyFailed(std::string_view key, std::string_view system);
std::string RegistryValueReadFailed(std::string_view key, std::string_view value,
                                    std::string_view system);
std::string RegistryValueWriteFailed(std::string_view key, std::string_view value,
                                     std::string_view system);
std::string RegistryValueNotString(std::string_view key, std::string_view value);
std::string RegistryValueKeepsChanging(std::string_view key, std::string_view value);
// The posix backend's file that stands in for the registry.
std::string RegistryStoreUnlocated();
std::string RegistryStoreReadFailed(std::string_view path, std::string_view system);
std::string RegistryStoreDamaged(std::string_view path, std::size_t line);
std::string RegistryStoreFolderFailed(std::string_view folder, std::string_view system);
std::string RegistryStoreWriteFailed(std::string_view path, std::string_view reason);

// The clipboard. The posix stand-in has no system text: it passes none.
std::string ClipboardOpenFailed(std::string_view system);
std::string ClipboardMemoryFailed(std::string_view system);
std::string ClipboardLockFailed(std::string_view system);
std::string ClipboardTextTooLong();
std::string ClipboardConvertFailed(std::string_view system);
std::string ClipboardWindowFailed(std::string_view system);
std::string ClipboardEmptyFailed(std::string_view system);
std::string ClipboardSetFailed(std::string_view system);
std::string ClipboardReadFailed(std::string_view system);

// Code page conversions.
std::string TextTooLongToConvert();
std::string ToAnsiFailed();
std::string FromAnsiFailed();
std::string ConversionUnavailable(std::string_view from, std::string_view to);

// The dialog's window runtime. module is the DLL's path.
std::string DialogAlreadyShown();
std::string DialogMessagesFailed(std::string_view system);
std::string DialogResourceMissing(std::string_view module);
std::string DialogResourceDamaged(std::string_view module, std::string_view detail);
std::string DialogWindowFailed(std::string_view system);
std::string DialogControlWithoutParent();
std::string DialogTextFailed(std::string_view system);
std::string DialogDrawingFailed();
std::string FontFailed(std::string_view name);

// Where the form description reader found a fault: "N 行目: " and what it
// expected, without a full stop.
std::string FormDescriptionLine(int line, std::string_view detail);

} // namespace Messages
