// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Progress.h"

namespace {
class SilentProgress : public Progress {
  public:
    void show(const QString&, const QString&) override {}
    void setCaption(const QString&) override {}
    void setText(const QString&) override {}
    void setValue(int) override {}
    void destroy() override {}
};

Progress* installedProgress = nullptr;
}  // namespace

Progress& currentProgress() {
    static SilentProgress silent;
    return installedProgress ? *installedProgress : silent;
}

void setCurrentProgress(Progress* progress) {
    installedProgress = progress;
}
