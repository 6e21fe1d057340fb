// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimEngine.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"

// A PhoneLink whose line is an in-memory fake wired to the simulated phone's answering logic:
// no pseudo-terminal, virtual time, every answer instant. Construction is the usual connection
// attempt (identification, capacities), so link().phoneFound tells whether the phone answered.
//
//   EnginePhoneLink phone;                       // the demo phone
//   phone.link().SelectPhonebookMemory(0);
//   phone.engine().state().sm.entries            // what the phone holds now
//   phone.line().writes()                        // every command line sent, in order
class EnginePhoneLink {
  public:
    // settings: the link's choices (the character set); unset, the profile's.
    explicit EnginePhoneLink(PhoneSimState state = PhoneSimState::demo(),
                             std::optional<PhoneSettings> settings = std::nullopt);

    PhoneLink& link() { return *link_; }
    PhoneSimEngine& engine() { return engine_; }
    // The line of the current connection (a new one after Disconnect and Connect).
    FakeSerialDevice& line() { return *line_; }
    FakeClock& clock() { return clock_; }
    // The phone answers the next `answered` command lines, then falls silent.
    void silenceAfter(int answered);

  private:
    PhoneSimEngine engine_;
    FakeClock clock_;
    FakeSerialDevice* line_ = nullptr;
    std::unique_ptr<PhoneLink> link_;
};
