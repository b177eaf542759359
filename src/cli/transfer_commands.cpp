// Commands that talk to a radio (or the virtual radio): read, write, init,
// calibration, decoder, simulate, ports.
#include <QCoreApplication>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "core/document/app_state.h"
#include "core/document/dat_file.h"
#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
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

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return ::isatty(::fileno(stderr)) != 0;
#endif
}

// QSerialPort wants a Qt application object on the main thread. Qt sets the
// process locale from the environment when it starts; numbers are read and
// written the C way everywhere else in the program.
std::unique_ptr<QCoreApplication> StartQt() {
    static int argc = 1;
    static char name[] = "kestra-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
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
    std::string line = Format("%7lld ms %s", static_cast<long long>(e.ms), e.sent ? ">" : "<");
    for (std::size_t i = 0; i < e.count; ++i)
        line += Format(" %02X", e.data[i]);
    if (!e.sent && e.count < e.requested)
        line += Format(" (%zu of %zu, timed out)", e.count, e.requested);
    std::fprintf(stderr, "%s\n", line.c_str());
}

// Reports the outcome of an exchange; returns the exit status.
int Report(const TransferResult& result) {
    if (result.succeeded) {
        if (!result.message.empty())
            std::printf("%s\n", result.message.c_str());
        std::fflush(stdout);
        return kExitOk;
    }
    std::fprintf(stderr, "%s\n", result.message.c_str());
    if (!result.detail.empty())
        std::fprintf(stderr, "%s\n", result.detail.c_str());
    return kExitFailed;
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
        *exitCode = UsageError(command + ": --port DEVICE is required");
        return false;
    }
    out.device = ResolvePortArgument(*port);
    const std::string* password = args.Option("--factory");
    if (password && !FactoryPasswordMatches(*password)) {
        *exitCode = UsageError(command + ": the factory password does not match");
        return false;
    }
    if (!password && factoryRequired) {
        *exitCode = UsageError(command + ": needs factory mode (--factory PASSWORD)");
        return false;
    }
    out.factoryMode = password != nullptr;
    out.trace = args.Has("--trace");
    return true;
}

// Parses the arguments of an exchange command: a read takes --base and -o,
// a write takes one image file. Returns false with the exit status set.
bool ParseExchangeArgs(const std::string& command, bool read, bool factoryRequired,
                       const std::vector<std::string>& argv, Args& args, LinkArgs& link,
                       int& exitCode) {
    std::string error;
    const std::vector<std::string> values =
        read ? std::vector<std::string>{"--port", "--factory", "--base", "-o"}
             : std::vector<std::string>{"--port", "--factory"};
    exitCode = kExitUsage;
    if (!ParseArgs(argv, values, {"--trace"}, args, error))
        exitCode = UsageError(error);
    else if (read && (!args.positional.empty() || !args.Option("-o")))
        exitCode = UsageError(command + ": expected -o OUT.dat and no other file");
    else if (!read && args.positional.size() != 1)
        exitCode = UsageError(command + ": expected one image file");
    else
        return TakeLinkArgs(command, args, factoryRequired, link, &exitCode);
    return false;
}

// The image a read starts from: --base, or a new document's image.
bool LoadReadBase(const Args& args, RadioImage& image) {
    if (const std::string* base = args.Option("--base"))
        return LoadInputImage(*base, image);
    NewDocumentImage(ProgramDirectory(), image);
    return true;
}

int RunTransferCommand(TransferKind kind, const std::vector<std::string>& argv) {
    const bool read = kind == TransferKind::Read;
    const std::string command = read ? "read" : kind == TransferKind::Write ? "write" : "init";
    Args args;
    LinkArgs link;
    int exitCode = kExitUsage;
    if (!ParseExchangeArgs(command, read, kind == TransferKind::Initialise, argv, args, link,
                           exitCode))
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
    TransferOptions options;
    options.factoryMode = link.factoryMode;
    options.progress = [&progress](int position, int total) { progress.Show(position, total); };
    if (link.trace)
        options.trace = PrintTrace;
    const TransferResult result = RunTransfer(kind, link.device, image, options);
    progress.Finish();
    if (result.succeeded && read && !SaveOutputImage(*args.Option("-o"), image))
        return kExitFailed;
    return Report(result);
}

int RunRegionCommand(RegionKind region, const std::vector<std::string>& argv) {
    const std::string name = region == RegionKind::Calibration ? "calibration" : "decoder";
    if (argv.empty() || (argv[0] != "read" && argv[0] != "write"))
        return UsageError(name + ": expected 'read' or 'write'");
    const bool read = argv[0] == "read";
    Args args;
    LinkArgs link;
    int exitCode = kExitUsage;
    if (!ParseExchangeArgs(name + " " + argv[0], read, true,
                           std::vector<std::string>(argv.begin() + 1, argv.end()), args, link,
                           exitCode))
        return exitCode;

    RadioImage image;
    // A write sends the file's bytes as they are.
    if (!(read ? LoadReadBase(args, image) : LoadInputImage(args.positional[0], image)))
        return kExitUsage;

    const auto qt = StartQt();
    const TransferResult result = RunRegionExchange(
        region, read, link.device, image, link.trace ? TraceCallback(PrintTrace) : TraceCallback());
    if (result.succeeded && read && !SaveOutputImage(*args.Option("-o"), image))
        return kExitFailed;
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
            exitCode = UsageError("simulate: --ident takes model, version, blank or 16 hex digits");
            return false;
        }
    }
    if (!ParseCount(args.Option("--answer-on"), options.answerOnAttempt) ||
        !ParseCount(args.Option("--stray-byte"), options.strayByteAttempts) ||
        !ParseCount(args.Option("--wrong-ack-after"), options.wrongAckAfterBlock) ||
        !ParseCount(args.Option("--hang-up-after"), options.hangUpAfterBlock)) {
        exitCode = UsageError("simulate: fault options take a whole number");
        return false;
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

// Runs the virtual radio until SIGINT or SIGTERM, then saves its memory to
// savePath when one is given.
int ServeUntilInterrupted(const VirtualRadioOptions& options, const std::string* savePath) {
#ifdef _WIN32
    (void)options;
    (void)savePath;
    std::fprintf(stderr,
                 "the virtual radio needs pseudo-terminals, which Windows does not offer\n");
    return kExitFailed;
#else
    // The radio's thread inherits the mask, so only this thread takes the
    // stop signals, in sigwait.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    VirtualRadio radio(options);
    const std::string device = radio.Start();
    if (device.empty()) {
        std::fprintf(stderr, "cannot start the virtual radio: %s\n", radio.Error().c_str());
        return kExitFailed;
    }
    std::printf("%s\n", device.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "virtual radio on %s; stop it with Ctrl+C\n", device.c_str());
    int received = 0;
    sigwait(&stopSignals, &received);
    radio.Stop();
    if (savePath && !SaveOutputImage(*savePath, radio.Memory()))
        return kExitFailed;
    return kExitOk;
#endif
}

int RunSimulate(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv,
                   {"--image", "--save", "--ident", "--answer-on", "--stray-byte",
                    "--wrong-ack-after", "--hang-up-after"},
                   {"--silent", "--pace"}, args, error))
        return UsageError(error);
    if (!args.positional.empty())
        return UsageError("simulate: unexpected argument '" + args.positional[0] + "'");
    VirtualRadioOptions options;
    int exitCode = kExitUsage;
    if (!TakeRadioOptions(args, options, exitCode))
        return exitCode;
    return ServeUntilInterrupted(options, args.Option("--save"));
}

int RunPorts(const std::vector<std::string>& argv) {
    Args args;
    std::string error;
    if (!ParseArgs(argv, {"--port"}, {}, args, error))
        return UsageError(error);
    if (!args.positional.empty())
        return UsageError("ports: unexpected argument '" + args.positional[0] + "'");
    const std::string* port = args.Option("--port");
    const auto qt = StartQt();
    const PortProbe probe = ProbePorts(port ? ResolvePortArgument(*port) : std::string());
    for (int n = 1; n <= kPortCount; ++n) {
        std::printf("%d\t%s\t%s%s\n", n, PortDeviceName(n).c_str(),
                    probe.available[static_cast<std::size_t>(n)] ? "available" : "unavailable",
                    probe.selected == n ? "\tselected" : "");
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

} // namespace

void RegisterTransferCommands(CommandTable& table) {
    table["read"] = {"read --port DEV [--base IMAGE.dat] [--factory PASSWORD] [--trace] -o OUT.dat",
                     "read the radio into a copy of the base image (default: a new document's "
                     "image) and save it",
                     [](const std::vector<std::string>& a) {
                         return RunTransferCommand(TransferKind::Read, a);
                     }};
    table["write"] = {"write --port DEV [--factory PASSWORD] [--trace] IMAGE.dat",
                      "open IMAGE, convert and finalise it as the application does, write it "
                      "into the radio",
                      [](const std::vector<std::string>& a) {
                          return RunTransferCommand(TransferKind::Write, a);
                      }};
    table["init"] = {"init --port DEV --factory PASSWORD [--trace] IMAGE.dat",
                     "like write, but the whole image (initialise)",
                     [](const std::vector<std::string>& a) {
                         return RunTransferCommand(TransferKind::Initialise, a);
                     }};
    table["calibration"] = {
        "calibration read --port DEV --factory PASSWORD [--base IMAGE.dat] [--trace] -o OUT.dat"
        " | calibration write --port DEV --factory PASSWORD [--trace] IMAGE.dat",
        "exchange the calibration block (0x3ED0-0x3F6F); write sends the file's bytes as they "
        "are",
        [](const std::vector<std::string>& a) {
            return RunRegionCommand(RegionKind::Calibration, a);
        }};
    table["decoder"] = {
        "decoder read --port DEV --factory PASSWORD [--base IMAGE.dat] [--trace] -o OUT.dat"
        " | decoder write --port DEV --factory PASSWORD [--trace] IMAGE.dat",
        "exchange the DTMF decoder table (0x3E00-0x3E2F); write sends the file's bytes as they "
        "are",
        [](const std::vector<std::string>& a) {
            return RunRegionCommand(RegionKind::DecoderTable, a);
        }};
    table["simulate"] = {
        "simulate [--image IMAGE.dat] [--save OUT.dat] [--ident model|version|blank|HEX16] "
        "[--silent] [--answer-on K] [--stray-byte N] [--wrong-ack-after K] [--hang-up-after K] "
        "[--pace]",
        "run the virtual radio on a pseudo-terminal, print its device path, serve until "
        "interrupted; --save writes its memory on exit",
        RunSimulate};
    table["ports"] = {"ports [--port DEV]",
                      "list the port numbers with their devices and whether each can be opened",
                      RunPorts};
}

} // namespace kestra::cli
