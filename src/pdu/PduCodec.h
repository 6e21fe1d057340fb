// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "pdu/SmsPdu.h"

// A PDU as hex digits, as +CMGR and +CMGL give it and +CMGS and +CMGW take it. Without the
// service centre's prefix for the few places that carry the bare transfer unit.
SmsPdu decodePdu(const QString& hex, bool withServiceCentre = true);

struct EncodedPdu {
    QString hex;
    int tpduLength = 0;  // octets after the service centre's prefix: what +CMGS and +CMGW count
};

// The alphabet follows the data coding octet. The text must fit one unit (255 octets of user data
// at most): submitPdus cuts a longer one into parts.
EncodedPdu encodePdu(const SmsPdu& pdu, bool withServiceCentre = true);
