#include "phone/SlotMirror.h"

#include "phone/PhoneLink.h"
#include "platform/Progress.h"

MirrorOutcome mirrorSlots(PhoneLink& link, Progress& progress, const SlotMirrorPlan& plan) {
    MirrorOutcome outcome;
    if (!link.phoneFound) {
        return outcome;
    }
    progress.show(plan.caption, plan.text);
    if (plan.startValue) {
        progress.setValue(*plan.startValue);
    }
    for (int slot = plan.first; slot <= plan.last; ++slot) {
        const int code = plan.readSlot(slot);
        if (code == 0) {
            ++outcome.slotsRead;
        }
        const bool probe = plan.probeAfter ? plan.probeAfter(slot, code) : code != 0;
        if (probe) {
            if (!link.Identify()) {
                progress.destroy();
                outcome.kind = MirrorOutcome::Kind::PhoneLost;
                outcome.notice = plan.lostNotice;
                return outcome;
            }
            if (plan.resumeAfterProbe && !plan.resumeAfterProbe()) {
                progress.destroy();
                return outcome;
            }
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
