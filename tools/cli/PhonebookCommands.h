// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <functional>

class PhoneLink;

// "phonebook load | list | add | edit | delete | restore | copy" over phonebook.mdb in the
// working directory. arguments: everything after "phonebook". link: connects on first use.
// Returns the exit code: 0 done, 1 not done, 2 usage error or text the phone cannot take.
int runPhonebookCommand(const QStringList& arguments, const std::function<PhoneLink&()>& link);
