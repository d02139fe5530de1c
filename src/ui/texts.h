#pragma once

#include <string>

#include "store/io_status.h"

namespace quillet {

// The application's title, shown by every message box without one of its own.
inline constexpr wchar_t kAppTitle[] = L"Vellmar的Quillet";

// Prefixes of the file errors; the system's message follows.
inline constexpr wchar_t kReadFailedPrefix[] = L"无法读取 data.txt：";
inline constexpr wchar_t kWriteFailedPrefix[] = L"无法写入 data.txt：";
inline constexpr wchar_t kBackupFailedPrefix[] = L"无法写入 data.txt.bak：";
// The entry file's refusals of a save: the text can't be represented in the
// file's encoding; the file could not be read when it was last loaded, so the
// list lacks its entries (a successful 载入 lifts it).
inline constexpr wchar_t kUnstorableTextMessage[] = L"条目中有 data.txt 的编码无法表示的字符，文件保持原样。";
inline constexpr wchar_t kUnreadFileMessage[] =
    L"它未能读入，列表中缺少它的条目；请在“载入”成功后再保存。文件保持原样。";

// What a failed file operation tells the user after the prefix: the entry
// file's refusal in our words, else the system's message.
inline std::wstring FailureText(const IoStatus& status) {
  switch (status.refusal) {
    case SaveRefusal::kUnstorableText: return kUnstorableTextMessage;
    case SaveRefusal::kUnreadFile: return kUnreadFileMessage;
    case SaveRefusal::kNone: break;
  }
  return status.message;
}

// A failed save as the user reads it: which file, then why.
inline std::wstring WriteFailedText(const IoStatus& status) {
  return (status.in_backup ? kBackupFailedPrefix : kWriteFailedPrefix) + FailureText(status);
}

// Said once at start-up when data.txt's folder takes no save: the folder and
// the system's message go between the parts.
inline std::wstring UnsavableFolderText(const std::wstring& folder, const std::wstring& why) {
  return L"无法在文件夹“" + folder + L"”中保存 data.txt：" + why +
         L"\n\n条目照常可用，但对列表的修改将无法保存。\n"
         L"请把本程序移到一个您可以写入的文件夹（例如“文档”中的某个文件夹）后再运行。";
}

// Follows a failed save while closing; OK quits anyway, Cancel (the default) stays.
inline constexpr wchar_t kQuitAnywaySuffix[] = L"\n\n仍要退出吗？未保存的修改将丢失。";

// Asked before a save when another program changed data.txt since this one
// last read or wrote it; Cancel is the default. At the close it offers 是
// (overwrite and end), 否 (end without saving) and 取消 (stay).
inline constexpr wchar_t kChangedElsewhereQuestion[] = L"data.txt 在读入后已被其他程序修改。\n\n要用列表覆盖它吗？";

// Why the program holds the end of the session: the list's changes would
// need a question (another program changed data.txt) or could not be saved.
inline constexpr wchar_t kUnsavedChangesReason[] = L"列表中有未保存的修改";

// The editor's window could not be made; the system's message follows.
inline constexpr wchar_t kEditorFailedPrefix[] = L"无法打开编辑窗口：";

// An operation stopped by an error at a window's boundary; its text follows.
inline constexpr wchar_t kOperationFailedPrefix[] = L"操作未能完成：";
inline constexpr wchar_t kUnknownError[] = L"未知错误";

// The keyword box's tool tip gains this line when another program holds the
// key that summons the window; the key's name goes between the two parts.
inline constexpr wchar_t kSummonChordTakenPrefix[] = L"快捷键 ";
inline constexpr wchar_t kSummonChordTakenSuffix[] = L" 已被其他程序占用，无法用它唤出本窗口";
// A SummonKey value in Quillet.ini that is no chord: the value, then the key in force.
inline constexpr wchar_t kSummonKeyRefusedPrefix[] = L"Quillet.ini 中的 SummonKey 值无法识别：";
inline constexpr wchar_t kSummonKeyRefusedMiddle[] = L"，仍使用 ";
// Quillet.ini is there but could not be read; the system's message follows.
inline constexpr wchar_t kIniUnreadablePrefix[] = L"无法读取 Quillet.ini：";

// Accessible names of the pictures that act as buttons.
inline constexpr wchar_t kCloseIconName[] = L"关闭";

}  // namespace quillet
