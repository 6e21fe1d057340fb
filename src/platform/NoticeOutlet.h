// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

#include "platform/Notice.h"

// Where the notices of a long-lived object (the port, the phone link, the database files) go
// as they arise: to the reporter its owner set (the window's message box, the command line's
// stderr), else kept until the owner takes them.
class NoticeOutlet {
  public:
    using Reporter = std::function<void(const Notice&)>;

    void setReporter(Reporter reporter) {
        reporter_ = std::move(reporter);
        if (reporter_) {
            for (const Notice& notice : std::exchange(pending_, {})) {
                reporter_(notice);
            }
        }
    }
    void report(const Notice& notice) {
        if (reporter_) {
            reporter_(notice);
        } else {
            kept_.append(notice);
        }
    }
    Notices take() { return std::exchange(kept_, {}); }
    // For what the user must see even when it arose before the owner set a reporter (during a
    // link's construction, say): shown now, else as soon as a reporter is set.
    void reportWhenShown(const Notice& notice) {
        if (reporter_) {
            reporter_(notice);
        } else {
            pending_.append(notice);
        }
    }

  private:
    Reporter reporter_;
    Notices kept_;
    Notices pending_;
};
