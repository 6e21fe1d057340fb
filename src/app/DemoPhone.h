#pragma once

#include <QString>

#include <memory>

class PhoneSimServer;

// The built-in simulated phone of the demo: served on a pseudo-terminal from its own thread,
// with a working directory and a profile of its own so the user's data stay untouched.
class DemoPhone {
  public:
    DemoPhone();
    ~DemoPhone();

    // Makes the demo folder the working directory and the profile's home, starts the phone
    // and points the link at it. False with a reason when any step fails.
    bool start(QString* error);

    QString workDir() const { return workDir_; }
    QString devicePath() const;

    // The demo folder: under the user's application data, else the temporary folder.
    static QString defaultWorkDir();

  private:
    std::unique_ptr<PhoneSimServer> server_;
    QString workDir_;
};
