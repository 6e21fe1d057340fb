// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// The document of the single-document window. It holds no data: everything lives in the
// database files that the views and stores open.
class CDexmoroDoc : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;
};
