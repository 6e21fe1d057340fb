#include "AppTestSupport.h"

#include "app/SplashWindow.h"
#include "platform/Profile.h"

void AppTest::SetUp() {
    Profile::useFolder(workDir.path());
    SplashWindow::setEnabled(false);
}

void AppTest::TearDown() {
    Profile::useFolder(QString());
}
