#pragma once

#include "platform/Progress.h"

// Progress on stderr for the command line: the caption and text once when shown, then a line
// for every ten percent the bar moves.
class StderrProgress : public Progress {
  public:
    StderrProgress();
    ~StderrProgress() override;

    void show(const QString& caption, const QString& text) override;
    void setCaption(const QString& caption) override;
    void setText(const QString& text) override;
    void setValue(int value) override;
    void destroy() override;

  private:
    void printHeading();

    Progress* previous_;
    QString caption_;
    QString text_;
    bool headingShown_ = false;
    int lastStep_ = -1;
};
