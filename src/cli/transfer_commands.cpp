// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that talk to a radio (or the virtual radio): read, write, init,
// calibration, decoder, simulate, ports.
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "core/codec/text_seam.h"
#include "core/document/app_state.h"
#include "core/document/backups.h"
#include "core/document/dat_file.h"
#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "lang/language.h"
#include "link/link_texts.h"
#include "link/serial_devices.h"
#include "link/serial_link.h"
#include "link/transfers.h"
#include "link/virtual_radio.h"

#ifdef _WIN32
#include <io.h>
#else
#include <pthread.h>
#include <unistd.h>
#endif

namespace kestra::cli {

namespace {

constexpr const char* kUnexpectedArgument = KESTRA_TEXT("kestra", "%1：多余的参数“%2”");

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return ::isatty(::fileno(stderr)) != 0;
#endif
}

// QSerialPort wants a Qt application object on the main thread.
std::unique_ptr<QCoreApplication> StartQt() {
    static int argc = 1;
    static char name[] = "kestra-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        app = std::make_unique<QCoreApplication>(argc, argv);
        kestra::ApplySystemMessageLanguage();
    }
    return app;
}

// Percentages on standard error: rewritten in place on a terminal, one per
// line otherwise.
class ProgressPrinter {
public:
    ProgressPrinter() : terminal_(StderrIsTerminal()) {}
    void Show(int position, int total) {
        const std::string text = PercentText(position, total);
        if (text == last_)
            return;
        last_ = text;
        std::fprintf(stderr, terminal_ ? "\r%s" : "%s\n", text.c_str());
        std::fflush(stderr);
    }
    void Finish() {
        if (terminal_ && !last_.empty())
            std::fputc('\n', stderr);
        last_.clear();
    }

private:
    bool terminal_;
    std::string last_;
};

void PrintTrace(const TraceEvent& e) {
    if (e.note) {
        std::fprintf(stderr, "%7lld ms # %s\n", static_cast<long long>(e.ms), e.note); // not shown: trace
        return;
    }
    std::string line = Format("%7lld ms %s", static_cast<long long>(e.ms), e.sent ? ">" : "<"); // not shown: trace
    for (std::size_t i = 0; i < e.count; ++i)
        line += Format(" %02X", e.data[i]);
    if (!e.sent && e.count < e.requested)
        line += Format(" (%zu of %zu, timed out)", e.count, e.requested); // not shown: trace
    std::fprintf(stderr, "%s\n", line.c_str());
}

// SIGINT, SIGTERM and SIGHUP during an exchange. The handler only records the signal;
// the exchange sees the flag within milliseconds and fails, its port is
// closed as on every other path (the lock file removed, the terminal's
// settings restored), and only then does kestra-cli end, the way the signal
// would have ended it.
std::atomic<bool> stopRequested{false};
volatile std::sig_atomic_t stopSignal = 0;
static_assert(std::atomic<bool>::is_always_lock_free,
              "the signal handler needs a lock-free flag"); // not shown

extern "C" void OnStopSignal(int signal) {
    stopSignal = signal;
    stopRequested.store(true);
}

class StopSignals {
public:
    StopSignals()
        : oldInt_(std::signal(SIGINT, OnStopSignal)), oldTerm_(std::signal(SIGTERM, OnStopSignal)),
          oldHup_(std::signal(SIGHUP, OnStopSignal)) {}
    ~StopSignals() {
        std::signal(SIGINT, oldInt_);
        std::signal(SIGTERM, oldTerm_);
        std::signal(SIGHUP, oldHup_);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    const std::atomic<bool>* flag() const { return &stopRequested; }
    bool Received() const { return stopRequested.load(); }
    // After the port is closed: says so (and that a write was cut short)
    // and ends with the signal.
    int Exit(const TransferResult& result) {
        const int signal = static_cast<int>(stopSignal);
        std::fprintf(stderr, "kestra-cli: interrupted\n");
        if (result.partlyWritten)
            std::fprintf(stderr, "%s\n", TranslateText(kTextPartlyWritten).c_str());
        std::fflush(stderr);
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return 128 + signal;
    }

private:
    using Handler = void (*)(int);
    Handler oldInt_;
    Handler oldTerm_;
    Handler oldHup_;
};

// Reports the outcome of an exchange; returns the exit status. The message
// and its detail go to standard error after the progress lines, on success
// too: standard output that cannot be written must not turn an exchange that
// went well into a failure a script would repeat.
int Report(const TransferResult& result) {
    // The message is the link's source text; the detail comes composed.
    if (!result.message.empty())
        std::fprintf(stderr, "%s\n", TranslateText(result.message.c_str()).c_str());
    if (!result.detail.empty())
        std::fprintf(stderr, "%s\n", result.detail.c_str());
    return result.succeeded ? kExitOk : kExitFailed;
}

// The common options of the exchange commands.
struct LinkArgs {
    std::string device;
    bool factoryMode = false;
    bool trace = false;
};

// Takes --port, --factory and --trace; returns false after printing a usage
// error into *exitCode.
bool TakeLinkArgs(const std::string& command, const Args& args, bool factoryRequired, LinkArgs& out,
                  int* exitCode) {
    const std::string* port = args.Option("--port");
    if (!port || port->empty()) {
        *exitCode = UsageError(
            FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：必须给出 %2")), {command, "--port DEVICE"}));
        return false;
    }
    out.device = ResolvePortArgument(*port);
    const std::string* password = args.Option("--factory");
    if (password && !FactoryPasswordMatches(*password)) {
        *exitCode =
            UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：工厂密码不正确")), {command}));
        return false;
    }
    if (!password && factoryRequired) {
        *exitCode = UsageError(FillIn(
            TranslateText(KESTRA_TEXT("kestra", "%1：需要工厂模式（%2）")), {command, "--factory PASSWORD"}));
        return false;
    }
    out.factoryMode = password != nullptr;
    out.trace = args.Has("--trace");
    return true;
}

// Parses the arguments of an exchange command: a read takes --base and -o
// (an output that can be created), a write takes one image file. Returns
// false with the exit status set.
bool ParseExchangeArgs(const std::string& command, bool read, bool factoryRequired,
                       const std::vector<std::string>& argv, Args& args, LinkArgs& link,
                       int& exitCode, bool backups = false) {
    std::string error;
    std::vector<std::string> values =
        read ? std::vector<std::string>{"--port", "--factory", "--base", "-o"}
             : std::vector<std::string>{"--port", "--factory"};
    std::vector<std::string> flags{"--trace"};
    if (backups) {
        values.push_back("--backup-dir");
        flags.push_back("--no-backup");
        if (!read)
            flags.push_back("--verify");
    }
    exitCode = kExitUsage;
    if (!ParseArgs(argv, values, flags, args, error))
        exitCode = UsageError(error);
    else if (read && (!args.positional.empty() || !args.Option("-o")))
        exitCode = UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要 %2，且不要其他文件")),
                                     {command, "-o OUT.dat"}));
    else if (!read && args.positional.size() != 1)
        exitCode =
            UsageError(FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要一个映像文件")), {command}));
    else if (TakeLinkArgs(command, args, factoryRequired, link, &exitCode))
        return !read ||
               (OutputCanBeCreated(*args.Option("-o")) && OutputKeepsNoBytes(*args.Option("-o")));
    return false;
}

// The image a read starts from: --base, or a new document's image.
bool LoadReadBase(const Args& args, RadioImage& image) {
    if (const std::string* base = args.Option("--base"))
        return LoadInputImage(*base, image);
    NewDocumentImage(CliProgramFolders(), image);
    return true;
}

// Saves the image of an exchange as a backup (--backup-dir, else backups/ in
// the per-user data folder the application uses): what a read got, or what
// a write or an initialise is about to send. A backup that cannot be written
// is a warning; the exchange goes ahead.
// Returns false when no backup was saved (--no-backup aside); savedPath
// (when given) receives the backup's path.
bool SaveTransferBackup(const Args& args, const std::string& kind, const RadioImage& image,
                        std::string* savedPath = nullptr) {
    if (args.Has("--no-backup"))
        return true;
    std::string dir;
    if (const std::string* given = args.Option("--backup-dir")) {
        dir = *given;
    } else {
        QCoreApplication::setOrganizationName(QStringLiteral("Kestra"));
        QCoreApplication::setApplicationName(QStringLiteral("kestra"));
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (data.isEmpty()) {
            std::fprintf(stderr, "kestra-cli: %s\n",
                         TranslateText(KESTRA_TEXT("kestra", "警告：没有存放备份的用户数据文件夹"))
                             .c_str());
            return false;
        }
        dir = QDir::toNativeSeparators(data + QStringLiteral("/backups")).toStdString();
    }
    std::string reason;
    if (SaveBackup(dir, kind, image, std::time(nullptr), reason, savedPath))
        return true;
    std::fprintf(
        stderr, "kestra-cli: %s\n",
        FillIn(TranslateText(KESTRA_TEXT("kestra", "警告：未保存备份：%1")), {reason}).c_str());
    return false;
}

int RunTransferCommand(TransferKind kind, const std::vector<std::string>& argv) {
    const bool read = kind == TransferKind::Read;
    const std::string command = read ? "read" : kind == TransferKind::Write ? "write" : "init";
    Args args;
    LinkArgs link;
    int exitCode = kExitUsage;
    if (!ParseExchangeArgs(command, read, kind == TransferKind::Initialise, argv, args, link,
                           exitCode, true))
        return exitCode;

    RadioImage image;
    if (read) {
        if (!LoadReadBase(args, image))
            return kExitUsage;
    } else {
        // What the application sends: the grid as it shows the file,
        // converted back and finalised.
        if (!LoadInputImage(args.positional[0], image))
            return kExitUsage;
        BandLimits limits;
        PassThroughGrid(image, limits);
    }

    const auto qt = StartQt();
    ProgressPrinter progress;
    StopSignals stop;
    TransferOptions options;
    options.factoryMode = link.factoryMode;
    options.progress = [&progress](int position, int total) { progress.Show(position, total); };
    if (link.trace)
        options.trace = PrintTrace;
    options.abort = stop.flag();
    options.verify = args.Has("--verify");
    // What a write or an initialise sends is kept before the first byte goes
    // out, whatever then happens to the exchange or to this program.
    if (!read)
        SaveTransferBackup(args, command, image);
    const TransferResult result = RunTransfer(kind, link.device, image, options);
    progress.Finish();
    if (stop.Received())
        return stop.Exit(result);
    if (result.succeeded && read)
        SaveTransferBackup(args, command, image);
    if (result.succeeded && read) {
        const int saved = SaveOutputImage(*args.Option("-o"), image);
        if (saved != kExitOk)
            return saved;
    }
    return Report(result);
}

int RunRegionCommand(RegionKind region, const std::vector<std::string>& argv) {
    const std::string name = region == RegionKind::Calibration ? "calibration" : "decoder";
    if (argv.empty() || (argv[0] != "read" && argv[0] != "write"))
        return UsageError(
            FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：需要 read 或 write")), {name}));
    const bool read = argv[0] == "read";
    Args args;
    LinkArgs link;
    int exitCode = kExitUsage;
    if (!ParseExchangeArgs(name + " " + argv[0], read, true,
                           std::vector<std::string>(argv.begin() + 1, argv.end()), args, link,
                           exitCode, !read))
        return exitCode;

    RadioImage image;
    // A write sends the file's bytes as they are.
    if (!(read ? LoadReadBase(args, image) : LoadInputImage(args.positional[0], image)))
        return kExitUsage;

    const auto qt = StartQt();
    StopSignals stop;
    TransferOptions options;
    if (link.trace)
        options.trace = PrintTrace;
    options.abort = stop.flag();
    options.verify = args.Has("--verify");
    // Before a write, what it overwrites (per-radio data no read covers) is
    // read from the radio and kept; without that copy nothing is written.
    std::string copy;
    if (!read && !args.Has("--no-backup")) {
        RadioImage before = image;
        TransferResult first = RunRegionExchange(region, true, link.device, before, options);
        if (stop.Received())
            return stop.Exit(first);
        if (!first.succeeded) {
            NoteNothingWritten(first);
            return Report(first);
        }
        if (!SaveTransferBackup(args, RegionBackupKind(region), before, &copy)) {
            std::fprintf(
                stderr, "kestra-cli: %s\n",
                FillIn(TranslateText(KESTRA_TEXT(
                           "kestra",
                           "没有写入：对讲机中原有数据的备份未能保存（%1 不保存备份而写入）")),
                       {"--no-backup"})
                    .c_str());
            return kExitFailed;
        }
    }
    TransferResult result = RunRegionExchange(region, read, link.device, image, options);
    if (!result.succeeded && !copy.empty())
        NoteRegionCopy(result, copy);
    if (stop.Received())
        return stop.Exit(result);
    if (result.succeeded && read) {
        const int saved = SaveOutputImage(*args.Option("-o"), image);
        if (saved != kExitOk)
            return saved;
    }
    return Report(result);
}

// An optional whole number 0..100000; true when absent.
bool ParseCount(const std::string* text, int& out) {
    int v = 0;
    if (!text)
        return true;
    if (!ScanWholeInt(*text, v) || v < 0 || v > 100000)
        return false;
    out = v;
    return true;
}

bool ParseIdentification(const std::string& text, Identification& out) {
    if (text == "model") {
        out = kIdentModel;
    } else if (text == "version") {
        out = kIdentVersion;
    } else if (text == "blank") {
        out = kIdentBlank;
    } else {
        if (text.size() != 16 ||
            text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            return false;
        for (std::size_t i = 0; i < 8; ++i)
            out[i] = static_cast<std::uint8_t>(std::stoi(text.substr(i * 2, 2), nullptr, 16));
    }
    return true;
}

// The fault and identification options of simulate. Returns false with the
// exit status set.
bool TakeRadioOptions(const Args& args, VirtualRadioOptions& options, int& exitCode) {
    exitCode = kExitUsage;
    if (const std::string* ident = args.Option("--ident")) {
        if (!ParseIdentification(*ident, options.identification)) {
            exitCode = UsageError(FillIn(
                TranslateText(KESTRA_TEXT("kestra", "%1：--ident 取 model、version、blank 或 16 个十六进制数字")),
                {"simulate"}));
            return false;
        }
    }
    if (!ParseCount(args.Option("--answer-on"), options.answerOnAttempt) ||
        !ParseCount(args.Option("--stray-byte"), options.strayByteAttempts) ||
        !ParseCount(args.Option("--wrong-ack-after"), options.wrongAckAfterBlock) ||
        !ParseCount(args.Option("--hang-up-after"), options.hangUpAfterBlock) ||
        !ParseCount(args.Option("--latency"), options.replyDelayMs)) {
        exitCode = UsageError(
            FillIn(TranslateText(KESTRA_TEXT("kestra", "%1：故障选项取一个整数")), {"simulate"}));
        return false;
    }
    if (const std::string* address = args.Option("--corrupt-store")) {
        // A hexadecimal (0x3F70) or decimal image offset.
        const bool hex = address->size() > 2 && (*address)[0] == '0' &&
                         ((*address)[1] == 'x' || (*address)[1] == 'X');
        const std::string digits = hex ? address->substr(2) : *address;
        const bool valid =
            !digits.empty() && digits.size() <= 5 &&
            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") ==
                std::string::npos;
        const long offset = valid ? std::strtol(digits.c_str(), nullptr, hex ? 16 : 10) : -1;
        if (offset < 0 || offset >= static_cast<long>(kImageSize)) {
            exitCode = UsageError(FillIn(
                TranslateText(KESTRA_TEXT("kestra", "%1：--corrupt-store 取映像偏移 0..0x3FFF")),
                {"simulate"}));
            return false;
        }
        options.corruptStoreAddress = static_cast<int>(offset);
    }
    options.silent = args.Has("--silent");
    options.pacing = args.Has("--pace");
    if (const std::string* path = args.Option("--image")) {
        RadioImage memory;
        if (!LoadInputImage(*path, memory))
            return false;
        options.memory = memory;
    }
    return true;
}

// Runs the virtual radio until SIGINT, SIGTERM or SIGHUP, then saves its memory to
// savePath when one is given.
int ServeUntilInterrupted(const VirtualRadioOptions& options, const std::string* savePath) {
#ifdef _WIN32
    (void)options;
    (void)savePath;
    std::fprintf(stderr, "%s\n",
                 TranslateText(KESTRA_TEXT("kestra", "虚拟对讲机需要伪终端，Windows 不提供")).c_str());
    return kExitFailed;
#else
    // The radio's thread inherits the mask, so only this thread takes the
    // stop signals, in sigwait.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    VirtualRadio radio(options);
    const std::string device = radio.Start();
    if (device.empty()) {
        std::fprintf(stderr, "%s\n",
                     FillIn(TranslateText(KESTRA_TEXT("kestra", "无法启动虚拟对讲机：%1")), {radio.Error()})
                         .c_str());
        return kExitFailed;
    }
    if (!WriteOutput(device + '\n')) {
        radio.Stop();
        return kExitFailed;
    }
    std::fprintf(stderr, "%s\n",
                 FillIn(TranslateText(KESTRA_TEXT("kestra", "虚拟对讲机在 %1；按 Ctrl+C 停止")), {device})
                     .c_str());
    int received = 0;
    sigwait(&stopSignals, &received);
    radio.Stop();
    return savePath ? SaveOutputImage(*savePath, radio.Memory()) : kExitOk;
#endif
}

int RunSimulate(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv,
                   {"--image", "--save", "--ident", "--answer-on", "--stray-byte",
                    "--wrong-ack-after", "--hang-up-after", "--latency", "--corrupt-store"},
                   {"--silent", "--pace"}, args, error))
        return UsageError(error);
    if (!args.positional.empty())
        return UsageError(FillIn(TranslateText(kUnexpectedArgument), {"simulate", args.positional[0]}));
    VirtualRadioOptions options;
    int exitCode = kExitUsage;
    if (!TakeRadioOptions(args, options, exitCode))
        return exitCode;
    // Refused before the radio starts, not when its memory is to be kept.
    if (args.Option("--save") && !OutputKeepsNoBytes(*args.Option("--save")))
        return kExitUsage;
    return ServeUntilInterrupted(options, args.Option("--save"));
}

// One device of the list: the fields tab-separated, "-" for what is unknown.
std::string DeviceLine(const SerialDeviceInfo& d) {
    const auto field = [](const std::string& s) { return s.empty() ? std::string("-") : s; };
    std::string line = d.path + "\t" + (d.portNumber ? Format("COM%d", d.portNumber) : "-");
    for (const std::string* s : {&d.family, &d.model})
        line += "\t" + field(*s);
    line += "\t" + field(d.UsbId());
    for (const std::string* s : {&d.manufacturer, &d.product, &d.serial, &d.driver})
        line += "\t" + field(*s);
    line += "\t" + (d.latencyTimerMs >= 0 ? Format("%d ms", d.latencyTimerMs) : "-") + "\n";
    for (const std::string& link : d.byIdLinks)
        line += "\t" + link + "\n";
    return line;
}

int RunPorts(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {"--port"}, {}, args, error))
        return UsageError(error);
    if (!args.positional.empty())
        return UsageError(FillIn(TranslateText(kUnexpectedArgument), {"ports", args.positional[0]}));
    const std::string* port = args.Option("--port");
    const auto qt = StartQt();
    const PortProbe probe = ProbePorts(port ? ResolvePortArgument(*port) : std::string());
    const std::vector<SerialDeviceInfo> devices = ListSerialDevices();
    std::string out;
    for (int n = 1; n <= kPortCount; ++n) {
        std::string cable;
        for (const SerialDeviceInfo& d : devices)
            if (d.portNumber == n)
                cable = d.usb ? d.CableName() : d.driver;
        const bool available = probe.available[static_cast<std::size_t>(n)];
        out += Format("%d\t%s\t%s", n, PortDeviceName(n).c_str(),
                      TranslateText(available ? KESTRA_TEXT("kestra", "可用")
                                              : KESTRA_TEXT("kestra", "不可用"))
                          .c_str());
        if (probe.selected == n)
            out += "\t" + TranslateText(KESTRA_TEXT("kestra", "已选"));
        if (!cable.empty())
            out += "\t" + cable;
        // A port with a device behind it that does not open says why (held
        // by another program, not permitted).
        if (!available && !cable.empty())
            out += "\t" + probe.reasons[static_cast<std::size_t>(n)];
        out += "\n";
    }
    out += "\n" +
           TranslateText(KESTRA_TEXT("kestra", "设备（设备、端口、芯片系列、芯片、USB ID、制造商、产品、"
                                               "序列号、驱动、延迟定时器；by-id 链接列在其设备之下）：")) +
           "\n";
    for (const SerialDeviceInfo& d : devices)
        out += DeviceLine(d);
    if (devices.empty())
        out += TranslateText(KESTRA_TEXT("kestra", "（无）")) + "\n";
    return WriteOutput(out) ? kExitOk : kExitFailed;
}

} // namespace

void RegisterTransferCommands(CommandTable& table) {
    table["read"] = {
        "read --port DEV [--base IMAGE.dat] [--factory PASSWORD] [--trace] [--no-backup] "
        "[--backup-dir DIR] -o OUT.dat",
        KESTRA_TEXT("kestra", "把对讲机读入基础映像的副本（默认：新文档的映像）并保存"),
        [](const std::vector<std::string>& a) {
            return RunTransferCommand(TransferKind::Read, a);
        }};
    table["write"] = {
        "write --port DEV [--factory PASSWORD] [--trace] [--verify] [--no-backup] "
        "[--backup-dir DIR] IMAGE.dat",
        KESTRA_TEXT("kestra", "打开 IMAGE，像应用程序那样转换并整理，写入对讲机；"
                              "--verify 读回并比较（有差异时退出状态 1）"),
        [](const std::vector<std::string>& a) {
            return RunTransferCommand(TransferKind::Write, a);
        }};
    table["init"] = {
        "init --port DEV --factory PASSWORD [--trace] [--verify] [--no-backup] "
        "[--backup-dir DIR] IMAGE.dat",
        KESTRA_TEXT("kestra", "同 write，但写整个映像（初始化）；read、write 和 init 把映像的备份"
                              "保存到用户数据文件夹的 backups/ 中"),
        [](const std::vector<std::string>& a) {
            return RunTransferCommand(TransferKind::Initialise, a);
        }};
    // clang-format off
    table["calibration"] = {
        "calibration read --port DEV --factory PASSWORD [--base IMAGE.dat] [--trace] -o OUT.dat" // syntax, never translated: not shown
        " | calibration write --port DEV --factory PASSWORD [--trace] [--verify] [--no-backup] " // syntax, never translated: not shown
        "[--backup-dir DIR] IMAGE.dat", // syntax, never translated: not shown
        KESTRA_TEXT("kestra", "交换校准块（0x3ED0-0x3F6F）；write 原样发送文件的字节，之前先读出"
                              "对讲机中的校准块并作为备份保存（读不出则不写入）"),
        [](const std::vector<std::string>& a) {
            return RunRegionCommand(RegionKind::Calibration, a);
        }};
    table["decoder"] = {
        "decoder read --port DEV --factory PASSWORD [--base IMAGE.dat] [--trace] -o OUT.dat" // syntax, never translated: not shown
        " | decoder write --port DEV --factory PASSWORD [--trace] [--verify] [--no-backup] " // syntax, never translated: not shown
        "[--backup-dir DIR] IMAGE.dat", // syntax, never translated: not shown
        KESTRA_TEXT("kestra", "交换 DTMF 解码表（0x3E00-0x3E2F）；write 同 calibration write"),
        [](const std::vector<std::string>& a) {
            return RunRegionCommand(RegionKind::DecoderTable, a);
        }};
    // clang-format on
    table["simulate"] = {
        "simulate [--image IMAGE.dat] [--save OUT.dat] [--ident model|version|blank|HEX16] " // syntax, never translated: not shown
        "[--silent] [--answer-on K] [--stray-byte N] [--wrong-ack-after K] [--hang-up-after K] "
        "[--latency MS] [--corrupt-store ADDR] [--pace]",
        KESTRA_TEXT("kestra", "在伪终端上运行虚拟对讲机，输出其设备路径，一直服务到被中断；"
                              "--save 在退出时写出其存储"),
        RunSimulate};
    table["ports"] = {"ports [--port DEV]",
                      KESTRA_TEXT("kestra", "列出端口号及其设备和能否打开，再列出每个串口设备及其"
                                            "电缆（芯片、USB ID、字符串、by-id 链接）"),

                      RunPorts};
}

} // namespace kestra::cli
