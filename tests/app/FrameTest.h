// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "AppTestSupport.h"
#include "RecordingView.h"
#include "app/CMainFrame.h"
#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"

// A main frame's test: recording views, an off-line link, the databases closed after each case.
class FrameTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        RecordingView::log.clear();
    }
    void TearDown() override {
        closeAllDatabases();
        AppTest::TearDown();
    }
    std::unique_ptr<PhoneLink> offline = makeTestLink(false);
};

inline ViewFactory recordingViews() {
    return [](int view) { return new RecordingView(view); };
}
