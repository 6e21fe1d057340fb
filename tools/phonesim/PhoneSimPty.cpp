// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimPty.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

void setFlags(int fd, bool nonBlocking) {
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
    if (nonBlocking)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

PhoneSimPty::~PhoneSimPty() {
    close();
}

bool PhoneSimPty::open(QString* error) {
    close();
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    raw.c_cflag |= CREAD | CLOCAL;
    ::cfsetispeed(&raw, B38400);
    ::cfsetospeed(&raw, B38400);
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("cannot open a pseudo-terminal: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        master_ = slave_ = -1;
        return false;
    }
    setFlags(master_, true);
    setFlags(slave_, false);
    slavePath_ = QString::fromLocal8Bit(name);
    return true;
}

void PhoneSimPty::close() {
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
}
