// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/ui/ComposeReport.h"

#include "platform/Notice.h"
#include "sms/MessageCompose.h"

void tellComposeResult(PhoneLink& link, const ComposeValues& values, const ComposeResult& result) {
    showNotices(result.notices);
    if (result.saved) {
        showNotices(OfferAddNumber(link, values.name, values.number, prompterAsker()));
    }
}
