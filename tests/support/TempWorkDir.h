// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>

// A temporary folder that is also the process's working directory (the database files and the
// profile live there) while the object lives.
class TempWorkDir {
  public:
    TempWorkDir();
    ~TempWorkDir();
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
    QString previous_;
};
