// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "phone/PhoneSettings.h"

class PhoneLink;

// The flags one run of the program shares between its parts, kept in one place with one owner:
// the application object for the window's run, the command-line tool for its own.
struct AppState {
    // How often the messages were loaded since the last new-message indication: the message
    // view loads on its first showing while this is 0.
    int messagesLoaded = 0;
    // Whether the message last viewed is a delivery report: the list then leaves the time of a
    // pending report empty.
    bool reportFlag = false;
    // The phone's feature mask ("at+crfo"): 8 phonebook, 4 short messages, 2 scheduler, 1 to-do.
    int featureMask = 0;
    // The connection whose set in use user text is judged against (phoneTextCharset).
    const PhoneLink* textLink = nullptr;
    // This run's choices from its command line (--charset, --profile and the like); unset
    // fields keep the profile's.
    PhoneSettingsOverride runSettings;
};

// The profile's phone settings with this run's choices over them.
PhoneSettings runPhoneSettings();

// The set user text bound for the phone is judged against now: the connection's set in use,
// else the set of the run's settings.
PhoneCharset phoneTextCharset();
// The message format in use now, from the same connection or settings.
SmsFormat phoneMessageFormat();

// The state of the running program: the one its owner installed, else (a piece run on its own,
// as in a unit test) a state nobody owns.
AppState& appState();

// Owns the program's state and installs it for its lifetime; the previous one comes back after.
class AppStateOwner {
  public:
    AppStateOwner();
    ~AppStateOwner();
    AppStateOwner(const AppStateOwner&) = delete;
    AppStateOwner& operator=(const AppStateOwner&) = delete;

    AppState& state() { return state_; }

  private:
    AppState state_;
    AppState* previous_;
};
