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

// A link whose port never opens (no real device is touched), marked as having found the
// phone or not.
std::unique_ptr<PhoneLink> makeTestLink(bool phoneFound);
