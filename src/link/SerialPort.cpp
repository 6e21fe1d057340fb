// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SerialPort.h"

#include <algorithm>

#include "link/LinkClock.h"
#include "link/PortNaming.h"
#include "link/QSerialPortDevice.h"

namespace {

constexpr int kReceiveBufferBytes = 4096;
constexpr int kHighestPortNumber = 9;
constexpr char kCtrlZ = 26;

// Marks a transaction as running for its whole life, whatever way it ends.
class BusyFlag {
  public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }

  private:
    bool& flag_;
};

}  // namespace

Notice portClosedNotice() {
    return Notice{
        "Serial Port Init Failed!\r\n\r\nClose Another Session Using Port.\n\r<On Commport>!",
        "Error", PromptIcon::Error};
}

SerialPort::SerialPort(quint8 portNumber, quint32 baudRate, quint8 dataBits, quint8 parity,
                       quint8 stopBits, quint8 flowControl, std::unique_ptr<SerialDevice> device,
                       LinkClock* clock)
    : portNumber(portNumber),
      dataBits(dataBits),
      flowControl(flowControl),
      parity(parity),
      stopBits(stopBits),
      baudRate(baudRate),
      device_(device ? std::move(device) : std::make_unique<QSerialPortDevice>()),
      clock_(clock ? clock : &realLinkClock()) {}

SerialPort::~SerialPort() {
    if (open == 1) {
        Close();
    }
}

void SerialPort::SetParameters(quint8 portNumber, quint32 baudRate, quint8 dataBits, quint8 parity,
                               quint8 stopBits, quint8 flowControl) {
    this->portNumber = portNumber;
    this->baudRate = baudRate;
    this->dataBits = dataBits;
    this->parity = parity;
    this->stopBits = stopBits;
    this->flowControl = flowControl;
}

QString SerialPort::deviceName() const {
    return devicePath.isEmpty() ? devicePathForPort(portNumber) : devicePath;
}

int SerialPort::Open() {
    if (devicePath.isEmpty() && portNumber > kHighestPortNumber) {
        return 0;
    }
    if (open == 1) {
        Close();
    }
    lost_ = false;
    if (!device_->open(deviceName())) {
        return 0;
    }
    if (!ApplyParameters()) {
        open = 0;
        device_->close();
        return 0;
    }
    open = 1;
    device_->setDtr(true);
    return 1;
}

bool SerialPort::ApplyParameters() {
    SerialSettings settings;
    settings.baudRate = baudRate;
    settings.dataBits = dataBits;
    settings.parity = parity;
    settings.stopBits = stopBits;
    settings.flowControl = flowControl;
    return device_->applySettings(settings);
}

int SerialPort::Close() {
    open = 0;
    device_->setDtr(false);
    device_->close();
    return 1;
}

QByteArray SerialPort::ReadQueued(int maxBytes) {
    const qint64 n = std::min<qint64>(maxBytes, device_->bytesQueued());
    if (n <= 0) {
        return {};
    }
    return device_->read(n);
}

int SerialPort::Transact(const QByteArray& command, QByteArray& answer, PollRate rate) {
    answer.clear();
    if (busy_) {
        return kTransactFailed;  // never two commands interleaved on the wire
    }
    if (open == 0) {
        notices_.report(portClosedNotice());
        return kTransactComplete;
    }
    BusyFlag busy(busy_);
    if (device_->write(command) < 0) {
        return kTransactComplete;
    }
    if (command.contains("cmgr") && rate != PollRate::Eager) {
        clock_->sleepMs(kMessageReadDelayMs);
    }
    return poll(command, answer, rate);
}

int SerialPort::poll(const QByteArray& command, QByteArray& answer, PollRate rate) {
    const int period = rate == PollRate::Slow ? kSlowPollPeriodMs : kPollPeriodMs;
    const int silenceBound = command.contains(kCtrlZ) ? kNetworkSilenceBoundMs : kSilenceBoundMs;
    qint64 lastNews = clock_->nowMs();
    for (;;) {
        if (!lost_) {
            clock_->waitForBytes(*device_, period);
        }
        QByteArray chunk = ReadQueued(kReceiveBufferBytes);
        if (!chunk.isEmpty()) {
            chunk.replace('\0', QByteArray());  // the answer is text
            answer += chunk;
            lastNews = clock_->nowMs();
            const int code = transactEndCode(command, answer);
            if (code >= 0) {
                return code;
            }
            continue;
        }
        if (lost_ || device_->hungUp()) {
            lost_ = true;  // the phone went away: nothing more will come
            return transactSilenceCode(command, answer);
        }
        const int quietCode = transactQuietEndCode(command, answer);
        if (quietCode >= 0 && clock_->nowMs() - lastNews >= kMessageQuietMs) {
            return quietCode;
        }
        if (clock_->nowMs() - lastNews >= silenceBound) {
            return transactSilenceCode(command, answer);
        }
    }
}

int SerialPort::SendExpectOk(const QByteArray& command, PollRate rate) {
    QByteArray answer;
    return Transact(command, answer, rate);
}
