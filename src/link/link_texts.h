// The texts the exchanges with the radio show the user, in one place.
#pragma once

namespace kestra {

inline constexpr const char* kTextCannotOpenPort = "无法打开串口";
inline constexpr const char* kTextCommunicationError = "通信出错";
inline constexpr const char* kTextRadioDataInvalid = "当前对讲机数据无效, 请先写频.";
inline constexpr const char* kTextInitialiseSucceeded = "初始化数据成功";
inline constexpr const char* kTextReadSucceeded = "读数据成功";
inline constexpr const char* kTextWriteSucceeded = "写数据成功";

// Titles of the progress dialog.
inline constexpr const char* kTitleRead = "读数据";
inline constexpr const char* kTitleWrite = "写数据";
inline constexpr const char* kTitleInitialise = "初始化数据";

} // namespace kestra
