// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/QSerialPortDevice.h"

#include "link/DeviceProblems.h"

namespace {

constexpr int kWriteTimeoutMs = 100;

QSerialPort::Parity parityOf(quint8 code) {
    switch (code) {
        case 1:
            return QSerialPort::OddParity;
        case 2:
            return QSerialPort::EvenParity;
        case 3:
            return QSerialPort::MarkParity;
        case 4:
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits stopBitsOf(quint8 code) {
    switch (code) {
        case 1:
            return QSerialPort::OneAndHalfStop;
        case 2:
            return QSerialPort::TwoStop;
        default:
            return QSerialPort::OneStop;
    }
}

QSerialPort::FlowControl flowControlOf(quint8 flags) {
    if (flags & 2) {
        return QSerialPort::HardwareControl;
    }
    if (flags & 4) {
        return QSerialPort::SoftwareControl;
    }
    return QSerialPort::NoFlowControl;
}

}  // namespace

QSerialPortDevice::QSerialPortDevice() {
    // A hang-up shows as a read that returns nothing; Qt reports it as a read or resource
    // error, synchronously, so no event loop is needed to see it.
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
            hungUp_ = true;
        }
    });
}

QSerialPortDevice::~QSerialPortDevice() {
    close();
}

bool QSerialPortDevice::open(const QString& path) {
    hungUp_ = false;
    openProblem_.clear();
    path_ = path;
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        port_.clearError();
        openProblem_ = deviceOpenProblem(path);
        return false;
    }
    return true;
}

QString QSerialPortDevice::openProblem() const {
    return openProblem_;
}

bool QSerialPortDevice::vanished() const {
    return hungUp_ && deviceVanished(path_);
}

bool QSerialPortDevice::applySettings(const SerialSettings& settings) {
    bool ok = port_.setBaudRate(static_cast<qint32>(settings.baudRate));
    ok = port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) && ok;
    ok = port_.setParity(parityOf(settings.parity)) && ok;
    ok = port_.setStopBits(stopBitsOf(settings.stopBits)) && ok;
    ok = port_.setFlowControl(flowControlOf(settings.flowControl)) && ok;
    if (!ok) {
        port_.clearError();
    }
    return ok;
}

void QSerialPortDevice::close() {
    if (port_.isOpen()) {
        port_.clear();
        port_.close();
    }
    port_.clearError();
}

void QSerialPortDevice::setDtr(bool high) {
    if (!port_.isOpen()) {
        return;
    }
    if (!port_.setDataTerminalReady(high)) {
        port_.clearError();  // no modem lines on a pseudo-terminal
    }
}

qint64 QSerialPortDevice::write(const QByteArray& bytes) {
    if (!port_.isOpen()) {
        return -1;
    }
    const qint64 written = port_.write(bytes);
    if (written < 0) {
        port_.clearError();
        return -1;
    }
    if (!port_.waitForBytesWritten(kWriteTimeoutMs)) {
        if (port_.error() != QSerialPort::TimeoutError) {
            port_.clearError();
        }
    }
    return written;
}

qint64 QSerialPortDevice::bytesQueued() {
    if (!port_.isOpen()) {
        return 0;
    }
    return port_.bytesAvailable();
}

QByteArray QSerialPortDevice::read(qint64 maxBytes) {
    if (!port_.isOpen()) {
        return {};
    }
    return port_.read(maxBytes);
}

bool QSerialPortDevice::waitForBytes(int maxMs) {
    if (!port_.isOpen() || hungUp_) {
        return false;
    }
    if (port_.bytesAvailable() > 0) {
        return true;
    }
    if (port_.waitForReadyRead(maxMs)) {
        return true;
    }
    if (port_.error() == QSerialPort::TimeoutError) {
        port_.clearError();
    }
    return port_.bytesAvailable() > 0;
}

bool QSerialPortDevice::hungUp() const {
    return hungUp_ || !port_.isOpen();
}
