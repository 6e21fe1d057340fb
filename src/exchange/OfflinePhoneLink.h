#pragma once

#include <memory>

class PhoneLink;

// A link without a line: the stores take one to decide between phone and table, and an import
// without a phone must not try to open the profile's port.
std::unique_ptr<PhoneLink> makeOfflinePhoneLink();
