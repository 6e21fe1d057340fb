// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "platform/Progress.h"

// Records the progress calls as readable lines ("show Caption|Text", "value 50", "destroy")
// and installs itself for its lifetime.
class RecordingProgress : public Progress {
  public:
    RecordingProgress();
    ~RecordingProgress() override;

    void show(const QString& caption, const QString& text) override;
    void setCaption(const QString& caption) override;
    void setText(const QString& text) override;
    void setValue(int value) override;
    void destroy() override;

    QStringList calls;
    int lastValue = -1;
    bool visible = false;

  private:
    Progress* previous_;
};
