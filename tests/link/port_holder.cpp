// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: holds a serial device open until its standard input closes.
//   link_port_holder serial|exclusive|flock|open DEVICE
// Prints "held" once the device is held, "failed: reason" otherwise.
#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "link/serial_link.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: link_port_holder serial|exclusive|flock|open DEVICE\n");
        return 2;
    }
    const std::string mode = argv[1];
    kestra::SerialLink link;
    int fd = -1;
    if (mode == "serial") {
        std::string reason;
        if (!link.Open(argv[2], &reason)) {
            std::printf("failed: %s\n", reason.c_str());
            return 1;
        }
    } else {
        fd = ::open(argv[2], O_RDWR | O_NOCTTY | O_NONBLOCK);
        const bool ok = fd >= 0 && (mode == "open" ||
                                    (mode == "exclusive" ? ::ioctl(fd, TIOCEXCL) == 0
                                                         : ::flock(fd, LOCK_EX | LOCK_NB) == 0));
        if (!ok) {
            std::printf("failed: %s\n", std::strerror(errno));
            return 1;
        }
    }
    std::printf("held\n");
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) {
    }
    if (fd >= 0) {
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
    }
    return 0;
}
