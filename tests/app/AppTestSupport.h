// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/TempWorkDir.h"

class PhoneLink;

// A fresh working directory and profile for every test, and no splash (it would wait).
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    TempWorkDir workDir;
};

// A link that touches no real device, marked as having found the phone or not and as having
// opened its port or not (a found phone had its port open).
std::unique_ptr<PhoneLink> makeTestLink(bool phoneFound, bool portOpen);
std::unique_ptr<PhoneLink> makeTestLink(bool phoneFound);
