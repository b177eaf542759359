// The desktop application's own texts: captions, menus, buttons and messages,
// UTF-8, exactly as the program shows them. Widget code takes its texts from
// here and nowhere else.
#pragma once

namespace kestra::text {

// Application and main frame.
inline constexpr const char* kAppTitle = "写频软件";
inline constexpr const char* kReady = "就绪";
inline constexpr const char* kUntitled = "无标题";
inline constexpr const char* kDatFilter = "*.dat";

// Menus.
inline constexpr const char* kMenuFile = "文件";
inline constexpr const char* kMenuEdit = "编辑";
inline constexpr const char* kMenuProgram = "编程";
inline constexpr const char* kMenuSetup = "设置";
inline constexpr const char* kMenuView = "视图";
inline constexpr const char* kMenuHelp = "帮助";

inline constexpr const char* kFileNew = "新建";
inline constexpr const char* kFileOpen = "打开...";
inline constexpr const char* kFileClose = "关闭";
inline constexpr const char* kFileSave = "存为";
inline constexpr const char* kFileSaveAs = "另存为...";
inline constexpr const char* kFilePrintSetup = "打印设置...";
inline constexpr const char* kFileExit = "退出";
inline constexpr const char* kFilePrint = "打印";

inline constexpr const char* kEditChannels = "信道信息";
inline constexpr const char* kEditOptional = "可选功能";
inline constexpr const char* kEditDtmf = "DTMF";
inline constexpr const char* kEditModel = "机型";
inline constexpr const char* kEditFmRadio = "收音机";
inline constexpr const char* kEditParamTuning = "参数调节";
inline constexpr const char* kEditDtmfInit = "DTMF 初始化";

inline constexpr const char* kProgramRead = "读频";
inline constexpr const char* kProgramWrite = "写频";
inline constexpr const char* kSetupPort = "串口";
inline constexpr const char* kViewToolbar = "工具栏";
inline constexpr const char* kViewStatusBar = "状态栏";
inline constexpr const char* kViewSplitter = "分隔栏";
inline constexpr const char* kHelpAbout = "关于...";

// Status bar indicators.
inline constexpr const char* kIndicatorCaps = "CAP";
inline constexpr const char* kIndicatorNum = "NUM";
inline constexpr const char* kIndicatorScroll = "SCRL";

// Navigation tree panel.
inline constexpr const char* kTreePanelTitle = "IE Control Bar";
inline constexpr const char* kTreePanelClose = "Close";
inline constexpr const char* kTreeChannels = "信道信息";
inline constexpr const char* kTreeOptional = "可选功能";
inline constexpr const char* kTreeDtmf = "DTMF";

// Main view buttons.
inline constexpr const char* kButtonBatch = "批量生成";
inline constexpr const char* kButtonChannelEdit = "信道编辑";
inline constexpr const char* kButtonInitialise = "初始化";

// Common buttons.
inline constexpr const char* kOk = "确定";
inline constexpr const char* kCancel = "取消";

// New document.
inline constexpr const char* kConfirmNew = "所有数据将会被清除！";

// About dialog.
inline constexpr const char* kAboutTitle = "关于";

// Port dialog.
inline constexpr const char* kPortTitle = "端口设置";
inline constexpr const char* kPortGroup = "端口";
inline constexpr const char* kPortButtonFormat = "COM%1";

// Password dialog.
inline constexpr const char* kPasswordTitle = "密码";
inline constexpr const char* kPasswordLabel = "密码";

// Progress dialog.
inline constexpr const char* kCommStart = "开始";
inline constexpr const char* kCommExit = "退出";

// Status bar, after the progress dialog has closed.
inline constexpr const char* kStatusReadDone = "读频完成";
inline constexpr const char* kStatusWriteDone = "写频完成";
inline constexpr const char* kStatusInitialiseDone = "初始化完成";

// Settings file.
inline constexpr const char* kIniFileName = "Program.ini";
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
