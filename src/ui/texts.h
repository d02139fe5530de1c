#pragma once

#include <string>

#include "store/io_status.h"

namespace quillet {

// The application's title, shown by every message box without one of its own.
inline constexpr wchar_t kAppTitle[] = L"Vellmar的Quillet";

// The windows' captions and tool tips.
// The program title: the main window's text and the caption on its strip.
inline constexpr wchar_t kForm1WindowText[] = L"Vellmar Quillet V1.0";
inline constexpr wchar_t kCommand1Caption[] = L"载入";
inline constexpr wchar_t kCommand2Caption[] = L"清空";
inline constexpr wchar_t kCommand3Caption[] = L"保存";
inline constexpr wchar_t kCommand4Caption[] = L"Command4";
inline constexpr wchar_t kCommand5Caption[] = L"搜索";
inline constexpr wchar_t kText1ToolTip[] = L"输入触发关键字,按enter键执行.备注：多个关键字用空格隔开";
inline constexpr wchar_t kImage1ToolTip[] = L"官方网站";
inline constexpr wchar_t kForm2TitleCaption[] = L"Add";
inline constexpr wchar_t kKeywordCaption[] = L"触发关键字";
inline constexpr wchar_t kTargetCaption[] = L"路径/网址";
inline constexpr wchar_t kOkCaption[] = L"OK";

// The entry menu's commands, in their order, and delete all's question.
inline constexpr const wchar_t* kMenuCommands[] = {L"新增一个", L"编辑它", L"删除它", L"删除所有"};
inline constexpr wchar_t kDeleteAllQuestion[] = L"Do you want to delete all ?";
inline constexpr wchar_t kDeleteAllTitle[] = L"Tips";

// The editor's refusals of OK, in the order it checks.
inline constexpr wchar_t kKeywordEmpty[] = L"触发关键字不能为空";
inline constexpr wchar_t kTargetEmpty[] = L"路径或者网址不能为空";
inline constexpr wchar_t kKeywordHasSpace[] = L"触发关键字不能含有空格";
inline constexpr wchar_t kHasLineBreak[] = L"触发关键字和路径/网址不能含有换行";
inline constexpr wchar_t kUnstorable[] = L"触发关键字或路径/网址含有无法保存的字符";

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
