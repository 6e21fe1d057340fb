// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads printed PDF files back as text with poppler's pdftotext, for the printing tests.

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

struct PdfWord {
    int page = 0;  // from 1
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    QString text;
};

inline QString runPdfToText(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page, in reading order.
inline QStringList pdfPages(const QString& file) {
    QStringList pages = runPdfToText({QStringLiteral("-layout"), file, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();  // pdftotext ends every page, the last one too, with a form feed
    }
    return pages;
}

// Every word with its box in points.
inline QList<PdfWord> pdfWords(const QString& file) {
    const QString html = runPdfToText({QStringLiteral("-bbox"), file, QStringLiteral("-")});
    static const QRegularExpression token(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(0) == QStringLiteral("<page ")) {
            ++page;
            continue;
        }
        QString text = match.captured(5);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.append(PdfWord{page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                             match.captured(3).toDouble(), match.captured(4).toDouble(), text});
    }
    return words;
}

inline QList<PdfWord> wordsNamed(const QList<PdfWord>& words, const QString& text) {
    QList<PdfWord> found;
    for (const PdfWord& word : words) {
        if (word.text == text) {
            found.append(word);
        }
    }
    return found;
}
