// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/pseudo_terminal.h"

#include "core/codec/text_seam.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#define KESTRA_HAVE_PTY 1
#endif

namespace kestra {

PseudoTerminal::~PseudoTerminal() {
    Close();
}

#ifdef KESTRA_HAVE_PTY

namespace {
// fd, moved above the standard streams when it took one of their numbers
// (a program started with one of them closed): what is meant for that
// stream must fail, not reach the line. The moved one is close-on-exec.
int AboveStandardStreams(int fd) {
    if (fd < 0 || fd > STDERR_FILENO)
        return fd;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    const int err = errno;
    ::close(fd);
    errno = err;
    return moved;
}
} // namespace

bool PseudoTerminal::Open(std::string* error) {
    Close();
    const auto fail = [&](const char* what) {
        const int err = errno;
        if (error)
            *error = std::string(what) + ": " + std::strerror(err);
        Close();
        return false;
    };
    master_ = AboveStandardStreams(::posix_openpt(O_RDWR | O_NOCTTY));
    if (master_ < 0)
        return fail("posix_openpt");
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    if (::grantpt(master_) != 0)
        return fail("grantpt");
    if (::unlockpt(master_) != 0)
        return fail("unlockpt");
    char name[256];
#if defined(__linux__)
    if (::ptsname_r(master_, name, sizeof name) != 0)
        return fail("ptsname");
#else
    const char* p = ::ptsname(master_);
    if (!p)
        return fail("ptsname");
    std::snprintf(name, sizeof name, "%s", p);
#endif
    slavePath_ = name;
    slave_ = AboveStandardStreams(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (slave_ < 0)
        return fail("open slave"); // not shown: the failing call, as ptsname
    struct termios tio;
    if (::tcgetattr(slave_, &tio) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(slave_, TCSANOW, &tio) != 0)
        return fail("tcsetattr");
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("fcntl");
    return true;
}

void PseudoTerminal::Close() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
    slavePath_.clear();
}

#else

bool PseudoTerminal::Open(std::string* error) {
    if (error)
        *error = TranslateText(KESTRA_TEXT("kestra", "此系统不提供伪终端"));
    return false;
}

void PseudoTerminal::Close() {}

#endif

} // namespace kestra
