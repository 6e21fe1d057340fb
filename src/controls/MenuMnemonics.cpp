// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MenuMnemonics.h"

#include <QAction>
#include <QMenu>

namespace {
// The letter a text already marks with "&", or a null char ("&&" is a plain ampersand).
QChar markedLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] != '&') {
                return text[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

qsizetype freeLetterAt(const QString& text, const QList<QChar>& taken) {
    // Word starts first, then any letter or digit.
    for (int pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
            if ((pass == 1 || wordStart) && text[i].isLetterOrNumber() &&
                !taken.contains(text[i].toUpper())) {
                return i;
            }
        }
    }
    return -1;
}
}  // namespace

QStringList withMnemonics(const QStringList& texts) {
    QList<QChar> taken;
    for (const QString& text : texts) {
        if (const QChar letter = markedLetter(text); !letter.isNull()) {
            taken.append(letter);
        }
    }
    QStringList out;
    for (const QString& text : texts) {
        if (!markedLetter(text).isNull() || text.isEmpty()) {
            out.append(text);
            continue;
        }
        // Only "&&" pairs (plain ampersands) are left in such a text.
        const QString& plain = text;
        const qsizetype at = freeLetterAt(plain, taken);
        if (at < 0) {
            out.append(plain);
            continue;
        }
        taken.append(plain[at].toUpper());
        out.append(plain.left(at) + '&' + plain.mid(at));
    }
    return out;
}

void addMnemonics(QMenu* menu) {
    QList<QAction*> actions;
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            actions.append(action);
            texts.append(action->text());
        }
    }
    const QStringList marked = withMnemonics(texts);
    for (qsizetype i = 0; i < actions.size(); ++i) {
        actions[i]->setText(marked[i]);
        if (QMenu* sub = actions[i]->menu()) {
            addMnemonics(sub);
        }
    }
}
