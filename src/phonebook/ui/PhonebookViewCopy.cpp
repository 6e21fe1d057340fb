// SPDX-License-Identifier: GPL-3.0-or-later
#include <QEventLoop>
#include <QTimer>

#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookCopy.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonebook/ui/CopyAnimationDialog.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "platform/Notice.h"

// Copies between the three lists, with the animation while items go.

namespace {
constexpr int kCopyPauseMs = 1500;

// Plays the copy animation with the names of the two phonebooks while items go.
class AnimationObserver : public PhonebookCopyObserver {
  public:
    explicit AnimationObserver(CopyAnimationDialog& animation) : animation_(animation) {}
    void copyStarted(const QString& sourceName, const QString& targetName) override {
        animation_.setNames(sourceName, targetName);
        animation_.start();
    }
    void itemCopied(const QString& sourceName, const QString& targetName) override {
        animation_.setNames(sourceName, targetName);
    }

  private:
    CopyAnimationDialog& animation_;
};
}  // namespace

void CPhonebookView::copyToSim() {
    copyTo(MemorySim);
}

void CPhonebookView::copyToMs() {
    copyTo(MemoryMs);
}

void CPhonebookView::copyToPc() {
    copyTo(MemoryPc);
}

void CPhonebookView::copyTo(int target) {
    const auto source = PhonebookMemory(currentMemory_);
    PhonebookListWidget* sourceList = lists_[source];
    QList<PhonebookListRow> items;
    for (int position : sourceList->selectedPositions()) {
        items.append(sourceList->rowTexts(position));
    }

    AnimationObserver observer(*animation_);
    PhonebookCopy copy(*sim_, *ms_, *pc_);
    copy.setObserver(&observer);
    const PhonebookCopyResult result =
        copy.run(link_, source, PhonebookMemory(target), items, prompterAsker());
    showNotices(result.notices);
    switch (result.end) {
        case PhonebookCopyEnd::NothingToCopy:
            return;
        case PhonebookCopyEnd::TargetFull:
        case PhonebookCopyEnd::UnsafeText:
            break;
        case PhonebookCopyEnd::PhoneLost:
            showNotice(*result.message);
            animation_->stop();
            setMainWindowTitle(QStringLiteral("Quillon Dexmoro - Out of Service"));
            refill(target, lastAction_);
            return;
        case PhonebookCopyEnd::Copied:
            waitAfterCopy();
            animation_->stop();
            refill(target, lastAction_);
            break;
    }
    showNotice(*result.message);
}

void CPhonebookView::waitAfterCopy() {
    if (copyPause_) {
        copyPause_();
        return;
    }
    // Paint and timer events go on (the animation keeps moving); input waits.
    QEventLoop loop;
    QTimer::singleShot(kCopyPauseMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
