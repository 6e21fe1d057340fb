// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "TranscriptBytes.h"
#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimServer.h"

// A phonebook with every index filled: "+44770" and six digits, the prefix and the index.
inline PhoneSimPhonebook filledBook(int capacity, const QString& prefix) {
    PhoneSimPhonebook book{capacity, {}};
    for (int i = 1; i <= capacity; ++i) {
        const QString dial = QStringLiteral("+44770%1").arg(i, 6, 10, QChar('0'));
        book.entries[i] = PhoneSimPhonebookEntry{dial, 145, prefix + QString::number(i)};
    }
    return book;
}

// A simulated phone paced at `baud` on a pseudo-terminal, logging its transcript into a fresh
// working folder (where the databases go too), and a link that connects to it as the program
// does at start-up.
class BenchPhone {
  public:
    BenchPhone(const PhoneSimState& state, int baud) : options_(optionsFor(baud, workDir_)) {
        QDir::setCurrent(workDir_.path());
        server_ = std::make_unique<PhoneSimServer>(state, options_);
    }
    ~BenchPhone() { stop(); }

    // Starts the phone and connects; false, with the reason on stderr, when either fails.
    bool connect() {
        QString error;
        if (!server_->start(&error)) {
            std::fprintf(stderr, "phone did not start: %s\n", qPrintable(error));
            return false;
        }
        PhoneLinkOptions linkOptions;
        linkOptions.devicePath = server_->slavePath();
        link_ = std::make_unique<PhoneLink>(linkOptions);
        if (!link_->phoneFound) {
            std::fprintf(stderr, "no phone found on %s\n", qPrintable(server_->slavePath()));
            return false;
        }
        return true;
    }

    PhoneLink& link() { return *link_; }
    // Bytes both ways since the phone started.
    qint64 bytesSoFar() const { return bytesInTranscript(options_.transcriptPath); }
    double wireSeconds(qint64 bytes) const { return bytes * 10.0 / options_.baud; }

    // Hangs up, stops the phone and closes the databases; the transcript stays readable.
    void stop() {
        if (link_) {
            link_->Disconnect();
            link_.reset();
        }
        server_->stop();
        closeAllDatabases();
    }

  private:
    static PhoneSimOptions optionsFor(int baud, const QTemporaryDir& dir) {
        PhoneSimOptions options;
        options.baud = baud;
        options.transcriptPath = dir.filePath(QStringLiteral("transcript.txt"));
        return options;
    }

    QTemporaryDir workDir_;
    PhoneSimOptions options_;
    std::unique_ptr<PhoneSimServer> server_;
    std::unique_ptr<PhoneLink> link_;
};
