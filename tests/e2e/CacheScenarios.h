// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small phones and the dexmoro-cli operations run against them by the tests that check that a
// cache survives a misbehaving phone or a killed program: each operation's database file holds
// either what it held before or what a run on a sound phone leaves.

#include <QString>
#include <QStringList>
#include <functional>
#include <map>

#include "phonesim/PhoneSimState.h"
#include "support/DatabaseSnapshot.h"

// The phone's lists, which the operations change.
struct PhoneLists {
    PhoneSimPhonebook sm;
    PhoneSimPhonebook me;
    PhoneSimMessageStorage messages;
    std::map<int, PhoneSimScheduleEntry> schedule;
    std::map<int, PhoneSimTodoItem> todos;

    explicit PhoneLists(const PhoneSimState& state)
        : sm(state.sm),
          me(state.me),
          messages(state.smMessages),
          schedule(state.schedule),
          todos(state.todos) {}
    bool operator==(const PhoneLists&) const = default;
};

struct CacheOperation {
    const char* name;
    QString databaseFile;
    // The phone whose load fills the cache first, and the phone of the run.
    std::function<PhoneSimState()> before;
    std::function<PhoneSimState()> after;
    QStringList preload;
    QStringList arguments;
    // The command the error faults hit: an empty slot for a load, the write for a write.
    QString errorPattern;
    bool isLoad;
    // Tables that are the PC's own copy rather than a mirror of the phone: a refused write may
    // change them.
    QStringList pcTables = {};
    // A third outcome the program documents besides the old and the new tables, derived from
    // the tables of a sound run: the user's values kept although the phone refused them, a mark
    // without the phone's stamp.
    std::function<DatabaseSnapshot(DatabaseSnapshot)> degradedTables = {};
};

// Every loader, and every single-entry write (each after a load of its phone).
const QList<CacheOperation>& cacheLoaders();
const QList<CacheOperation>& cacheWrites();
