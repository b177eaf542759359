// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop application's own texts: captions, menus, buttons and messages,
// UTF-8, exactly as the program shows them. Widget code takes its texts from
// here and nowhere else, and shows them through T() (ui/app/translation.h).
// Every shown text is declared with KESTRA_TEXT; the names of files and
// settings at the end are not shown and are never translated.
#pragma once

#include "core/codec/text_seam.h"

namespace kestra::text {

// Application and main frame.
inline constexpr const char* kAppTitle = KESTRA_TEXT("kestra", "写频软件");
inline constexpr const char* kReady = KESTRA_TEXT("kestra", "就绪");
inline constexpr const char* kUntitled = KESTRA_TEXT("kestra", "无标题");
inline constexpr const char* kDatFilter = "*.dat";

// Menus.
inline constexpr const char* kMenuFile = KESTRA_TEXT("kestra", "文件");
inline constexpr const char* kMenuEdit = KESTRA_TEXT("kestra", "编辑");
inline constexpr const char* kMenuProgram = KESTRA_TEXT("kestra", "编程");
inline constexpr const char* kMenuSetup = KESTRA_TEXT("kestra", "设置");
inline constexpr const char* kMenuView = KESTRA_TEXT("kestra", "视图");
inline constexpr const char* kMenuWindow = KESTRA_TEXT("kestra", "窗口");
inline constexpr const char* kMenuHelp = KESTRA_TEXT("kestra", "帮助");

inline constexpr const char* kFileNew = KESTRA_TEXT("kestra", "新建");
inline constexpr const char* kFileOpen = KESTRA_TEXT("kestra", "打开...");
inline constexpr const char* kFileClose = KESTRA_TEXT("kestra", "关闭");
inline constexpr const char* kFileSave = KESTRA_TEXT("kestra", "存为");
inline constexpr const char* kFileSaveAs = KESTRA_TEXT("kestra", "另存为...");
inline constexpr const char* kFilePrintSetup = KESTRA_TEXT("kestra", "打印设置...");
inline constexpr const char* kFileExit = KESTRA_TEXT("kestra", "退出");
inline constexpr const char* kFilePrint = KESTRA_TEXT("kestra", "打印...");
inline constexpr const char* kFilePrintPreview = KESTRA_TEXT("kestra", "打印预览...");
inline constexpr const char* kFileExportPdf = KESTRA_TEXT("kestra", "导出 PDF...");
inline constexpr const char* kFileImportCsv = KESTRA_TEXT("kestra", "导入 CSV…");
inline constexpr const char* kFileExportCsv = KESTRA_TEXT("kestra", "导出 CSV…");
inline constexpr const char* kFileOpenBackup = KESTRA_TEXT("kestra", "打开备份...");
inline constexpr const char* kFileCompare = KESTRA_TEXT("kestra", "比较...");

inline constexpr const char* kEditUndo = KESTRA_TEXT("kestra", "撤销");
inline constexpr const char* kEditRedo = KESTRA_TEXT("kestra", "重做");
inline constexpr const char* kEditChannels = KESTRA_TEXT("kestra", "信道信息");
inline constexpr const char* kEditOptional = KESTRA_TEXT("kestra", "可选功能");
inline constexpr const char* kEditDtmf = KESTRA_TEXT("kestra", "DTMF");
inline constexpr const char* kEditModel = KESTRA_TEXT("kestra", "机型");
inline constexpr const char* kEditFmRadio = KESTRA_TEXT("kestra", "收音机");
inline constexpr const char* kEditParamTuning = KESTRA_TEXT("kestra", "参数调节");
inline constexpr const char* kEditDtmfInit = KESTRA_TEXT("kestra", "DTMF 初始化");

inline constexpr const char* kProgramRead = KESTRA_TEXT("kestra", "读频");
inline constexpr const char* kProgramWrite = KESTRA_TEXT("kestra", "写频");
inline constexpr const char* kSetupPort = KESTRA_TEXT("kestra", "串口");
inline constexpr const char* kViewToolbar = KESTRA_TEXT("kestra", "工具栏");
inline constexpr const char* kViewStatusBar = KESTRA_TEXT("kestra", "状态栏");
inline constexpr const char* kViewSplitter = KESTRA_TEXT("kestra", "分隔栏");
inline constexpr const char* kHelpAbout = KESTRA_TEXT("kestra", "关于...");
// 视图 → 语言: each language by its own name.
inline constexpr const char* kViewLanguage = KESTRA_TEXT("kestra", "语言");
inline constexpr const char* kLanguageChinese = KESTRA_TEXT("kestra", "中文");
inline constexpr const char* kLanguageEnglish = KESTRA_TEXT("kestra", "English");
inline constexpr const char* kLanguageAfterRestart =
    KESTRA_TEXT("kestra", "Kestra 重新启动后使用所选的语言。");
inline constexpr const char* kLanguageNotSaved =
    KESTRA_TEXT("kestra", "无法把所选的语言保存到 %1，Kestra 下次启动时不会使用它。");
inline constexpr const char* kSettingsNotSaved =
    KESTRA_TEXT("kestra", "无法把设置保存到 %1：最近打开的文件、起始文件夹和写后校验的选择在 "
                          "Kestra 下次启动时不会保留。");
// Below a message of something not saved: the system's reason.
inline constexpr const char* kSystemReason = KESTRA_TEXT("kestra", "原因：%1");
inline constexpr const char* kPortNotSaved =
    KESTRA_TEXT("kestra", "无法把所选的端口保存到 %1，Kestra 下次启动时仍使用原来的端口。");
inline constexpr const char* kWindowCascade = KESTRA_TEXT("kestra", "层叠");
inline constexpr const char* kWindowTile = KESTRA_TEXT("kestra", "平铺");
inline constexpr const char* kWindowNext = KESTRA_TEXT("kestra", "下一个窗口");
inline constexpr const char* kWindowPrevious = KESTRA_TEXT("kestra", "上一个窗口");
// The caption with a document: "写频软件 - radio.dat*".
inline constexpr const char* kCaptionWithDocument = KESTRA_TEXT("kestra", "%1 - %2");

// The status bar pane shown while the exchanges go to the virtual radio.
inline constexpr const char* kVirtualRadioPane = KESTRA_TEXT("kestra", "虚拟对讲机");
inline constexpr const char* kVirtualRadioPaneTip =
    KESTRA_TEXT("kestra", "读频和写频都与程序内的虚拟对讲机（%1）交换，不是接在电脑上的对讲机");

// Status bar indicators.
inline constexpr const char* kIndicatorCaps = KESTRA_TEXT("kestra", "CAP");
inline constexpr const char* kIndicatorNum = KESTRA_TEXT("kestra", "NUM");
inline constexpr const char* kIndicatorScroll = KESTRA_TEXT("kestra", "SCRL");

// Navigation tree panel.
inline constexpr const char* kTreePanelTitle = KESTRA_TEXT("kestra", "IE Control Bar");
inline constexpr const char* kTreePanelClose = KESTRA_TEXT("kestra", "Close");

// Main view buttons.
inline constexpr const char* kButtonBatch = KESTRA_TEXT("kestra", "批量生成");
inline constexpr const char* kButtonChannelEdit = KESTRA_TEXT("kestra", "信道编辑");
inline constexpr const char* kButtonInitialise = KESTRA_TEXT("kestra", "初始化");

// Common buttons.
inline constexpr const char* kOk = KESTRA_TEXT("kestra", "确定");
inline constexpr const char* kCancel = KESTRA_TEXT("kestra", "取消");

// New document.
inline constexpr const char* kConfirmNew = KESTRA_TEXT("kestra", "所有数据将会被清除！");
// Saving onto the document's file after another window or program saved it.
inline constexpr const char* kFileChangedSince = KESTRA_TEXT(
    "kestra",
    "文件“%1”在本窗口打开或保存之后已被另一个窗口或程序修改。\n要用本窗口的内容覆盖它吗？");
// 写频 or 比较 in an unmodified window whose file changed since: the file
// into the window (the command stops), the command with what the window
// shows, or 取消.
inline constexpr const char* kFileChangedOnDisk =
    KESTRA_TEXT("kestra", "文件“%1”在本窗口打开或保存之后已被另一个窗口或程序修改，本窗口显示的仍是"
                          "原来的内容。\n要重新载入这个文件吗？");
inline constexpr const char* kReloadFile = KESTRA_TEXT("kestra", "重新载入");
inline constexpr const char* kWriteWindowContent = KESTRA_TEXT("kestra", "写入本窗口的内容");
inline constexpr const char* kCompareWindowContent = KESTRA_TEXT("kestra", "比较本窗口的内容");
inline constexpr const char* kStepReload = KESTRA_TEXT("kestra", "重新载入文件");
// A file longer than an image: after the core's note when it is opened;
// asked before a save over it (%1 the file, %2 its size, %3 the image's).
inline constexpr const char* kSavingDropsTheRest =
    KESTRA_TEXT("kestra", "保存到这个文件会丢掉其余的字节。");
inline constexpr const char* kSaveOverLongerFile =
    KESTRA_TEXT("kestra", "文件“%1”有 %2 字节，比数据文件的 %3 字节长。保存只写入 %3 "
                          "字节，其余的字节会丢失。\n要用本窗口的内容覆盖它吗？");

// Unsaved changes: asked before closing, 新建 and 读频.
inline constexpr const char* kAskSaveChanges = KESTRA_TEXT("kestra", "文件已修改，是否保存？");
inline constexpr const char* kSave = KESTRA_TEXT("kestra", "保存");
inline constexpr const char* kDontSave = KESTRA_TEXT("kestra", "不保存");

// Undo steps of the grid itself (the other steps are named after their
// command).
inline constexpr const char* kStepCellEdit = KESTRA_TEXT("kestra", "编辑单元格");
inline constexpr const char* kStepPaste = KESTRA_TEXT("kestra", "粘贴");

// About dialog.
inline constexpr const char* kAboutTitle = KESTRA_TEXT("kestra", "关于");

// Port dialog.
inline constexpr const char* kPortTitle = KESTRA_TEXT("kestra", "端口设置");
// Under "无法打开串口": %1 the menu, %2 its entry.
inline constexpr const char* kChoosePortHint =
    KESTRA_TEXT("kestra", "请在“%1 → %2”中选择对讲机所连的串口。");
inline constexpr const char* kPortGroup = KESTRA_TEXT("kestra", "端口");
inline constexpr const char* kPortButtonFormat = KESTRA_TEXT("kestra", "COM%1");

// Password dialog.
inline constexpr const char* kPasswordTitle = KESTRA_TEXT("kestra", "密码");
inline constexpr const char* kPasswordLabel = KESTRA_TEXT("kestra", "密码");

// Progress dialog.
inline constexpr const char* kCommStart = KESTRA_TEXT("kestra", "开始");
inline constexpr const char* kCommExit = KESTRA_TEXT("kestra", "退出");

// Status bar, after the progress dialog has closed.
inline constexpr const char* kStatusReadDone = KESTRA_TEXT("kestra", "读频完成");
inline constexpr const char* kStatusWriteDone = KESTRA_TEXT("kestra", "写频完成");
inline constexpr const char* kStatusInitialiseDone = KESTRA_TEXT("kestra", "初始化完成");
// %1 the text above, %2 the reason the backup of the exchange was not saved.
inline constexpr const char* kStatusBackupFailed = KESTRA_TEXT("kestra", "%1；备份失败：%2");

// Automatic backups.
// Before a write or an initialise; %1 the reason. OK sends without a backup.
inline constexpr const char* kAskSendWithoutBackup =
    KESTRA_TEXT("kestra", "无法保存要发送的映像的备份：\n%1\n\n不保存备份，仍然发送到对讲机吗？");
// Before a factory region write, after reading what it overwrites; %1 the
// reason. OK writes without a backup.
inline constexpr const char* kAskWriteRegionWithoutBackup =
    KESTRA_TEXT("kestra", "无法保存对讲机中原有数据的备份：\n%1\n\n不保存备份，仍然写入对讲机吗？");
inline constexpr const char* kBackupNoDataFolder = KESTRA_TEXT("kestra", "系统没有提供用户数据文件夹");

// Compare (文件 -> 比较...).
inline constexpr const char* kCompareTitle = KESTRA_TEXT("kestra", "比较");
inline constexpr const char* kCompareChooseFile = KESTRA_TEXT("kestra", "选择文件...");
inline constexpr const char* kCompareNewestBackup = KESTRA_TEXT("kestra", "最新备份");
inline constexpr const char* kCompareClose = KESTRA_TEXT("kestra", "关闭");
inline constexpr const char* kCompareNoFile =
    KESTRA_TEXT("kestra", "选择一个文件，与当前文档比较。");
inline constexpr const char* kCompareWith = KESTRA_TEXT("kestra", "比较文件：%1");
inline constexpr const char* kCompareEqual = KESTRA_TEXT("kestra", "无差异");
inline constexpr const char* kCompareCount =
    KESTRA_COUNT_TEXT("kestra", "%n 处差异。双击信道的差异，在表格中选中该信道。");
inline constexpr const char* kCompareColumnSection = KESTRA_TEXT("kestra", "节");
inline constexpr const char* kCompareColumnKey = KESTRA_TEXT("kestra", "项");
inline constexpr const char* kCompareColumnCurrent = KESTRA_TEXT("kestra", "当前");
inline constexpr const char* kCompareColumnOther = KESTRA_TEXT("kestra", "比较文件");
inline constexpr const char* kCompareChannelSection = KESTRA_TEXT("kestra", "信道 %1");
inline constexpr const char* kCompareRawSection = KESTRA_TEXT("kestra", "原始字节");

// Batch channel generation (the field labels are the form's).
inline constexpr const char* kBatchRange = KESTRA_TEXT("kestra", "范围:");
inline constexpr const char* kBatchRxFrequency = KESTRA_TEXT("kestra", "接收频率:");
inline constexpr const char* kBatchTxFrequency = KESTRA_TEXT("kestra", "发射频率:");
inline constexpr const char* kBatchStartFrequency = KESTRA_TEXT("kestra", "起始频率(MHz)");
inline constexpr const char* kBatchRxStep = KESTRA_TEXT("kestra", "接收步进 (kHz)");
inline constexpr const char* kBatchTxStep = KESTRA_TEXT("kestra", "发射步进(KHz)");
inline constexpr const char* kBatchRxTone = KESTRA_TEXT("kestra", "接收信令:");
inline constexpr const char* kBatchTxTone = KESTRA_TEXT("kestra", "发射信令:");
inline constexpr const char* kBatchStartTone = KESTRA_TEXT("kestra", "起始信令");
inline constexpr const char* kBatchRandom = KESTRA_TEXT("kestra", "随机");
inline constexpr const char* kBatchInterval = KESTRA_TEXT("kestra", "间隔");

// CSV import and export.
inline constexpr const char* kCsvFilter = "*.csv";
inline constexpr const char* kFileImportCsvTitle = KESTRA_TEXT("kestra", "导入 CSV");
inline constexpr const char* kCsvStartChannel = KESTRA_TEXT("kestra", "起始信道");
inline constexpr const char* kCsvKeepLocation = KESTRA_TEXT("kestra", "保留位置");
inline constexpr const char* kCsvOverwrite = KESTRA_TEXT("kestra", "覆盖非空信道");
inline constexpr const char* kCsvImport = KESTRA_TEXT("kestra", "导入");
inline constexpr const char* kCsvColumnRow = KESTRA_TEXT("kestra", "行");
inline constexpr const char* kCsvColumnLabel = KESTRA_TEXT("kestra", "名称");
inline constexpr const char* kCsvColumnChannel = KESTRA_TEXT("kestra", "信道");
inline constexpr const char* kCsvColumnReplaces = KESTRA_TEXT("kestra", "覆盖");
inline constexpr const char* kCsvColumnResult = KESTRA_TEXT("kestra", "结果");
// %n the rows imported, %1 those skipped.
inline constexpr const char* kCsvSummary = KESTRA_COUNT_TEXT("kestra", "导入 %n 行，跳过 %1 行");
inline constexpr const char* kCsvFirstRowsListed = KESTRA_TEXT("kestra", "（列出前 %1 行）");
// %1 the file.
inline constexpr const char* kCsvUnusable = KESTRA_TEXT("kestra", "无法导入 CSV 文件“%1”");
inline constexpr const char* kCsvWriteFailed = KESTRA_TEXT("kestra", "无法写入 CSV 文件“%1”");
// Status bar after an export: %n the number of channels, %1 the file.
// Status bar after 导入 CSV: %1 the file, %2 what the import did.
inline constexpr const char* kStatusCsvImported = KESTRA_TEXT("kestra", "CSV 导入 %1：%2");
inline constexpr const char* kStatusCsvExported =
    KESTRA_COUNT_TEXT("kestra", "已导出 %n 个信道到 %1");

// Printing the channel list.
inline constexpr const char* kPdfFilter = "*.pdf";
inline constexpr const char* kPdfWriteFailed = KESTRA_TEXT("kestra", "无法写入该 PDF 文件");
inline constexpr const char* kPrintCutsValues =
    KESTRA_TEXT("kestra", "纸张太窄，信道表放不下：部分数值会被截短（以“…”结尾）。\n"
                          "可在“打印设置”中改用横向、较宽的纸张或较窄的页边距。仍要继续吗？");
inline constexpr const char* kQuoteInFileName =
    KESTRA_TEXT("kestra", "文件名中不能有双引号（\"）：请换一个名字");
// Status bar after 导出 PDF: %1 the file.
inline constexpr const char* kStatusPdfExported = KESTRA_TEXT("kestra", "已导出信道表到 %1");
inline constexpr const char* kPrintFailed = KESTRA_TEXT("kestra", "打印失败");
// Status bar after 打印: %1 the printer.
inline constexpr const char* kStatusPrinted = KESTRA_TEXT("kestra", "已将信道表发送到打印机 %1");

// Model information.
inline constexpr const char* kModelBandA = KESTRA_TEXT("kestra", "A段");
inline constexpr const char* kModelBandB = KESTRA_TEXT("kestra", "B段");
inline constexpr const char* kModelLimitDash = KESTRA_TEXT("kestra", "---");
// After 机型 narrowed a band: %n channels, %1 their labels.
inline constexpr const char* kModelLeavesOut = KESTRA_COUNT_TEXT(
    "kestra", "有 %n 个信道的接收频率不在新的频段范围内，将被清除：%1\n要使用新的频段范围吗？");

// The backup folder in the per-user data folder (not shown).
inline constexpr const char* kBackupFolderName = "backups";

// Settings file (not shown: never translated).
inline constexpr const char* kIniSetup = "Setup";
inline constexpr const char* kIniCom = "COM";
inline constexpr const char* kIniType = "Type";
inline constexpr const char* kIniAbout = "About";
inline constexpr const char* kIniVersion = "Version";
inline constexpr const char* kIniCopyright = "Copyright";
inline constexpr const char* kIniCompany = "Company";

// Bitmaps looked for next to the program.
inline constexpr const char* kBackgroundFile = "BackGround.bmp";
inline constexpr const char* kSplashFile = "startup.bmp";

} // namespace kestra::text
