// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include "phone/Registry.h"

// A device registry that lists the given entries, in order.
class ListedRegistry : public Registry {
  public:
    ListedRegistry(std::initializer_list<SerialPortEntry> entries) : entries_(entries) {}
    QList<SerialPortEntry> serialPortEntries() const override { return entries_; }

  private:
    QList<SerialPortEntry> entries_;
};
