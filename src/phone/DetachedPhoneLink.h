// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class PhoneLink;

// A link without a line: every open fails at once, so nothing ever reaches a real port. For views
// made without an application around and for work on the cache alone.
std::unique_ptr<PhoneLink> makeDetachedPhoneLink();

// The running program's link, or (without one) a detached link kept in `detached`.
PhoneLink& applicationLinkOr(std::unique_ptr<PhoneLink>& detached);
