// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The one way a text from the user or the phone enters a filter string. Filters are written in
// the Jet condition syntax; these helpers make a literal of any text, so that a quote or a
// wildcard inside it neither breaks the condition nor changes its meaning.

// 'O''Brien': the text between single quotes, each quote doubled.
QString jetQuote(const QString& text);

// The text with the like wildcards (* ? # [) bracketed, so that they match themselves.
QString jetLikeEscape(const QString& text);

// '*text*' with the text escaped and quoted: a like pattern that tests for a substring.
QString jetLikeContains(const QString& text);
