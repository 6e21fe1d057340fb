// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>

#include "phonesim/PhoneSimEngine.h"
#include "phonesim/PhoneSimPty.h"
#include "phonesim/PhoneSimTranscript.h"

using Clock = std::chrono::steady_clock;

struct PhoneSimServer::Impl {
    Impl(PhoneSimState state, PhoneSimOptions opts) : engine(std::move(state)), options(opts) {
        engine.setFaults({options.errorPattern.toLatin1(), options.cmeError, options.garbage,
                          options.cmsError, options.noList});
    }

    // Waits until the deadline; false when asked to stop meanwhile.
    bool waitUntil(Clock::time_point deadline);
    // Waits until the master can take more bytes; false on stop or hang-up.
    bool waitWritable();
    void run();
    void onBytes(const QByteArray& bytes, Clock::time_point readAt);
    bool send(const QByteArray& reply, Clock::time_point start);
    void hangUp();
    // Line time of a number of bytes at 10 bits a byte.
    Clock::duration wireTime(qsizetype bytes) const {
        if (options.baud <= 0)
            return Clock::duration::zero();
        return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(
            static_cast<std::int64_t>(bytes) * 10'000'000'000LL / options.baud));
    }

    mutable std::mutex mutex;  // guards engine
    PhoneSimEngine engine;
    PhoneSimOptions options;
    PhoneSimPty pty;
    PhoneSimTranscript transcript;
    QString slavePath;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> serving{false};
    Clock::time_point inboundIdleAt{};  // when the host's last byte has crossed the wire
};

bool PhoneSimServer::Impl::waitUntil(Clock::time_point deadline) {
    while (!stopping) {
        const auto now = Clock::now();
        if (now >= deadline)
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
        timespec timeout{static_cast<time_t>(left.count() / 1'000'000'000),
                         static_cast<long>(left.count() % 1'000'000'000)};
        pollfd wake{wakeRead, POLLIN, 0};
        ::ppoll(&wake, 1, &timeout, nullptr);
    }
    return false;
}

bool PhoneSimServer::Impl::waitWritable() {
    pollfd fds[2] = {{pty.masterFd(), POLLOUT, 0}, {wakeRead, POLLIN, 0}};
    while (!stopping) {
        if (::poll(fds, 2, 100) < 0 && errno != EINTR)
            return false;
        if (fds[1].revents)
            return false;
        if (fds[0].revents & (POLLERR | POLLNVAL))
            return false;
        if (fds[0].revents & POLLOUT)
            return true;
    }
    return false;
}

void PhoneSimServer::Impl::run() {
    QByteArray buffer(4096, '\0');
    while (!stopping && pty.isOpen()) {
        pollfd fds[2] = {{pty.masterFd(), POLLIN, 0}, {wakeRead, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents)
            break;
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t n = ::read(pty.masterFd(), buffer.data(), buffer.size());
            if (n > 0) {
                onBytes(buffer.left(n), Clock::now());
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                // No slave open (cannot happen while we hold one); do not spin.
                waitUntil(Clock::now() + std::chrono::milliseconds(50));
            }
        }
    }
    serving = false;
}

void PhoneSimServer::Impl::onBytes(const QByteArray& bytes, Clock::time_point readAt) {
    transcript.fromHost(bytes);
    // The bytes left the host at once but take their wire time to arrive.
    inboundIdleAt = std::max(readAt, inboundIdleAt) + wireTime(bytes.size());
    if (options.silent)
        return;

    std::unique_lock lock(mutex);
    engine.receive(bytes);
    while (engine.hasComplete() && !stopping) {
        if (options.dropAfterCommands >= 0 && engine.nextIsCommand() &&
            engine.commandCount() >= options.dropAfterCommands) {
            lock.unlock();
            hangUp();
            return;
        }
        const PhoneSimExchange exchange = engine.processNext();
        lock.unlock();
        const auto start = inboundIdleAt + std::chrono::milliseconds(options.latencyMs);
        if (!send(exchange.reply, start))
            return;
        lock.lock();
    }
}

bool PhoneSimServer::Impl::send(const QByteArray& reply, Clock::time_point start) {
    if (reply.isEmpty())
        return true;
    if (!waitUntil(start))
        return false;
    // Bursts of about 5 ms of line time; each burst is written when its last byte would have
    // crossed the wire, measured from the absolute start so sleep overhead never accumulates.
    const qsizetype burst = options.baud > 0 ? std::max(1, options.baud / 10 / 200) : reply.size();
    const qsizetype chunk = options.chunkBytes > 0 ? options.chunkBytes : reply.size();
    auto chunkStart = std::max(start, Clock::now());
    qsizetype sent = 0;
    while (sent < reply.size()) {
        qsizetype chunkEnd = std::min(reply.size(), sent + chunk);
        const qsizetype lineEnd = options.lineByLine ? reply.indexOf('\n', sent) : -1;
        if (lineEnd >= 0) {
            chunkEnd = std::min(chunkEnd, lineEnd + 1);
        }
        qsizetype inChunk = 0;
        while (sent < chunkEnd) {
            const qsizetype size = std::min(burst, chunkEnd - sent);
            inChunk += size;
            if (!waitUntil(chunkStart + wireTime(inChunk)))
                return false;
            qsizetype written = 0;
            while (written < size) {
                const ssize_t n =
                    ::write(pty.masterFd(), reply.constData() + sent + written, size - written);
                if (n > 0) {
                    written += n;
                } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                    if (!waitWritable())
                        return false;
                } else {
                    return false;
                }
            }
            transcript.fromPhone(reply.mid(sent, size));
            sent += size;
        }
        if (sent < reply.size()) {
            chunkStart = std::max(Clock::now(), chunkStart + wireTime(inChunk)) +
                         std::chrono::milliseconds(options.chunkGapMs);
            if (!waitUntil(chunkStart))
                return false;
        }
    }
    return true;
}

void PhoneSimServer::Impl::hangUp() {
    // Cleared first: a host that sees the hang-up may ask at once.
    serving = false;
    transcript.note("hang-up");
    pty.close();
}

PhoneSimServer::PhoneSimServer(PhoneSimState state, PhoneSimOptions options)
    : impl_(std::make_unique<Impl>(std::move(state), std::move(options))) {}

PhoneSimServer::~PhoneSimServer() {
    stop();
}

bool PhoneSimServer::start(QString* error) {
    if (impl_->thread.joinable())
        return true;
    if (!impl_->pty.open(error))
        return false;
    impl_->slavePath = impl_->pty.slavePath();
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error)
            *error = QStringLiteral("cannot create the wake-up pipe");
        impl_->pty.close();
        return false;
    }
    impl_->wakeRead = wake[0];
    impl_->wakeWrite = wake[1];
    if (!impl_->options.transcriptPath.isEmpty() &&
        !impl_->transcript.open(impl_->options.transcriptPath, error)) {
        stop();
        return false;
    }
    const QString link = impl_->options.linkPath;
    if (!link.isEmpty()) {
        if (QFileInfo(link).isSymLink())
            QFile::remove(link);
        if (::symlink(QFile::encodeName(impl_->slavePath).constData(),
                      QFile::encodeName(link).constData()) != 0) {
            if (error)
                *error = QStringLiteral("cannot make the link %1").arg(link);
            stop();
            return false;
        }
    }
    impl_->stopping = false;
    impl_->serving = true;
    impl_->thread = std::thread([this] { impl_->run(); });
    return true;
}

void PhoneSimServer::stop() {
    impl_->stopping = true;
    if (impl_->wakeWrite >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t ignored = ::write(impl_->wakeWrite, &byte, 1);
    }
    if (impl_->thread.joinable())
        impl_->thread.join();
    impl_->serving = false;
    impl_->pty.close();
    for (int* fd : {&impl_->wakeRead, &impl_->wakeWrite}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    impl_->transcript.close();
    const QString link = impl_->options.linkPath;
    if (!link.isEmpty() && QFileInfo(link).isSymLink() &&
        QFileInfo(link).symLinkTarget() == QFileInfo(impl_->slavePath).absoluteFilePath())
        QFile::remove(link);
}

QString PhoneSimServer::slavePath() const {
    return impl_->slavePath;
}

bool PhoneSimServer::isServing() const {
    return impl_->serving;
}

PhoneSimState PhoneSimServer::stateSnapshot() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->engine.state();
}

int PhoneSimServer::commandCount() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->engine.commandCount();
}
