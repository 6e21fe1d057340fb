// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "phone/PhoneLink.h"
#include "support/FakeClock.h"

// A link whose port never opens: no phone found, so stores change their tables alone.
class OfflineLink {
  public:
    OfflineLink();
    FakeClock clock;
    std::unique_ptr<PhoneLink> link;
};
