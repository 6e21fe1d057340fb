// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

// The message commands in PDU mode ("+CMGF=0"). A message the phone holds as text is offered as
// the unit it would have received or stored; one it holds as a unit shows in text mode as what
// the unit decodes to.

PhoneSimAnswer pduReadMessage(PhoneSimState& state, const PhoneSimCommand& command);
PhoneSimAnswer pduListMessages(PhoneSimState& state, const PhoneSimCommand& command);
PhoneSimAnswer pduWriteMessage(PhoneSimState& state, const PhoneSimCommand& command);
PhoneSimAnswer pduSendMessage(PhoneSimState& state, const PhoneSimCommand& command);

// The hex unit of a message, service centre's prefix included.
QString pduOf(const PhoneSimState& state, const PhoneSimMessage& message);
// The message as text mode shows it: itself unless it is held as a unit.
PhoneSimMessage textViewOf(const PhoneSimMessage& message);
