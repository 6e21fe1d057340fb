// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/SlotMirror.h"

#include <algorithm>

#include "phone/PhoneLink.h"
#include "platform/Progress.h"

QString MirrorOutcome::logNote() const {
    return readOneByOne ? QStringLiteral("read one by one: the phone refused the list command")
                        : QString();
}

namespace {

// After a failed read: whether the phone is still there and ready to read on. When it is not,
// the window goes and the outcome says why.
bool stillThere(PhoneLink& link, Progress& progress, const SlotMirrorPlan& plan,
                MirrorOutcome& outcome) {
    if (!link.Identify()) {
        progress.destroy();
        outcome.kind = MirrorOutcome::Kind::PhoneLost;
        outcome.notice = plan.lostNotice;
        if (const QString unplugged = link.lostDeviceText(); !unplugged.isEmpty()) {
            outcome.notice->text += QStringLiteral("\n\n") + unplugged;
        }
        return false;
    }
    if (plan.resumeAfterProbe && !plan.resumeAfterProbe()) {
        progress.destroy();
        return false;
    }
    return true;
}

// Reads whole ranges while the phone takes them; the first slot left for reading one by one.
int readRanges(PhoneLink& link, Progress& progress, const SlotMirrorPlan& plan,
               MirrorOutcome& outcome, bool* gone) {
    const int span = plan.rangeSlots > 0 ? plan.rangeSlots : plan.last - plan.first + 1;
    for (int first = plan.first; first <= plan.last;) {
        const int last = std::min(plan.last, first + std::max(span, 1) - 1);
        if (plan.readRange(first, last) != 0) {
            *gone = !stillThere(link, progress, plan, outcome);
            outcome.readOneByOne = !*gone;
            return first;
        }
        outcome.slotsRead += last - first + 1;
        if (plan.progressValue) {
            progress.setValue(plan.progressValue(last));
        }
        first = last + 1;
    }
    return plan.last + 1;
}

}  // namespace

MirrorOutcome mirrorSlots(PhoneLink& link, Progress& progress, const SlotMirrorPlan& plan) {
    MirrorOutcome outcome;
    if (!link.phoneFound) {
        return outcome;
    }
    progress.show(plan.caption, plan.text);
    if (plan.startValue) {
        progress.setValue(*plan.startValue);
    }
    int slot = plan.first;
    if (plan.readRange) {
        bool gone = false;
        slot = readRanges(link, progress, plan, outcome, &gone);
        if (gone) {
            return outcome;
        }
    }
    for (; slot <= plan.last; ++slot) {
        const int code = plan.readSlot(slot);
        if (code == 0) {
            ++outcome.slotsRead;
        }
        const bool probe = plan.probeAfter ? plan.probeAfter(slot, code) : code != 0;
        if (probe && !stillThere(link, progress, plan, outcome)) {
            return outcome;
        }
        if (plan.afterSlot) {
            plan.afterSlot(slot, code);
        }
        if (plan.progressValue) {
            progress.setValue(plan.progressValue(slot));
        }
    }
    outcome.rowsStaged = plan.stagedCount ? plan.stagedCount() : 0;
    const bool replaced = plan.replaceTable();
    progress.destroy();
    outcome.kind = replaced ? MirrorOutcome::Kind::Loaded : MirrorOutcome::Kind::TableFailed;
    return outcome;
}
