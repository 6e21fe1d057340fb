// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A pseudo-terminal pair whose slave is in raw mode. The phone keeps a slave descriptor of its
// own open so the master survives a host that closes and reopens the port.
class PhoneSimPty {
  public:
    PhoneSimPty() = default;
    ~PhoneSimPty();
    PhoneSimPty(const PhoneSimPty&) = delete;
    PhoneSimPty& operator=(const PhoneSimPty&) = delete;

    bool open(QString* error);
    // Hang-up: closes both ends; the host then reads end-of-file or an error.
    void close();
    bool isOpen() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    QString slavePath() const { return slavePath_; }

  private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};
