// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The user's text for a send the phone refused: "Fail sending message", followed by the reason
// its "+CMS ERROR:" code names in the 27.005 error table, or by the code alone when the table
// has no text for it. A refusal without a code gives the plain text.
QString sendFailureText(int messageErrorCode);
