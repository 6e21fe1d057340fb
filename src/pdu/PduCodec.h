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

EncodedPdu encodePdu(const SmsPdu& pdu, bool withServiceCentre = true);
