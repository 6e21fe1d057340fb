// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The modeless "Phone Data Load" window as the loading and deleting code sees it: a caption,
// a text line and a bar from 0 to 100. The window implements it; the command-line tool prints
// to stderr; tests record the calls.
class Progress {
  public:
    virtual ~Progress() = default;
    // Creates the window when it does not exist and shows it.
    virtual void show(const QString& caption, const QString& text) = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setText(const QString& text) = 0;
    // Values above 100 show a full bar.
    virtual void setValue(int value) = 0;
    virtual void destroy() = 0;
};

// The process-wide progress window; a silent one when none is installed.
Progress& currentProgress();
void setCurrentProgress(Progress* progress);
