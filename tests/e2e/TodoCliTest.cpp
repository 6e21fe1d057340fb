// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CliPhoneTest.h"

namespace {

class TodoCliTest : public CliPhoneTest {
  protected:
    static PhoneSimState threeItems() {
        PhoneSimState state;
        state.fixedClock = QDateTime(QDate(2026, 12, 7), QTime(21, 5));
        state.todos[0] = {2, 0, 2001, 10, 9, "Old, done", "2001/10/9", "14:05"};
        state.todos[7] = {0, 1, 2026, 12, 24, "Wrap presents", {}, {}};
        state.todos[50] = {0, 0, 2027, 1, 2, "Last slot", {}, {}};
        return state;
    }
};

}  // namespace

TEST_F(TodoCliTest, LoadThenListShowsThePhonesItems) {
    startPhone(threeItems());
    const ProgramRun load = cli({"todo", "load"});
    ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
    EXPECT_EQ(load.out, "todo: 3 items\n");
    EXPECT_TRUE(load.err.contains("To Do List Load")) << load.err.toStdString();

    const ProgramRun all = cli({"todo", "list"});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out,
              "0\tOld, done\t1\t9-10-2001\tDone\t9-10-2001 14:05\n"
              "7\tWrap presents\t2\t24-12-2026\tUndo\t\n"
              "50\tLast slot\t1\t2-1-2027\tUndo\t\n"
              "TOTAL : 3/50\n");

    const ProgramRun sorted =
        cli({"todo", "list", "--tab", "priority", "--sort", "until", "--desc"});
    EXPECT_EQ(sorted.out,
              "50\tLast slot\t1\t2-1-2027\tUndo\t\n"
              "0\tOld, done\t1\t9-10-2001\tDone\t9-10-2001 14:05\n"
              "TOTAL : 2/50\n");

    const ProgramRun undone = cli({"todo", "list", "--tab", "completed", "--sub", "1"});
    EXPECT_EQ(undone.out,
              "7\tWrap presents\t2\t24-12-2026\tUndo\t\n"
              "50\tLast slot\t1\t2-1-2027\tUndo\t\n"
              "TOTAL : 2/50\n");
}

TEST_F(TodoCliTest, ChangesReachThePhone) {
    startPhone(threeItems());
    ASSERT_EQ(cli({"todo", "load"}).exitCode, 0);

    const ProgramRun add =
        cli({"todo", "add", "--text", "Buy milk", "--priority", "2", "--until", "2027-01-05"});
    ASSERT_EQ(add.exitCode, 0) << add.err.toStdString();
    EXPECT_EQ(add.out, "added: 1\n");
    ASSERT_EQ(phone->state().todos.count(1), 1u);
    EXPECT_EQ(phone->state().todos.at(1).contents, "Buy milk");
    EXPECT_EQ(phone->state().todos.at(1).priority, 1);
    EXPECT_EQ(phone->state().todos.at(1).day, 5);

    ASSERT_EQ(cli({"todo", "mark", "--index", "1"}).exitCode, 0);
    EXPECT_EQ(phone->state().todos.at(1).status, 2);
    EXPECT_TRUE(cli({"todo", "list", "--tab", "completed"})
                    .out.contains("1\tBuy milk\t2\t5-1-2027\tDone\t07-12-2026 21:05\n"));

    ASSERT_EQ(cli({"todo", "unmark", "--index", "1"}).exitCode, 0);
    EXPECT_EQ(phone->state().todos.at(1).status, 0);
    EXPECT_TRUE(phone->state().todos.at(1).doneDate.isEmpty());

    ASSERT_EQ(cli({"todo", "edit", "--index", "7", "--text", "Wrap all presents"}).exitCode, 0);
    EXPECT_EQ(phone->state().todos.at(7).contents, "Wrap all presents");
    EXPECT_EQ(phone->state().todos.at(7).priority, 1);

    ASSERT_EQ(cli({"todo", "delete", "--index", "50"}).exitCode, 0);
    EXPECT_EQ(phone->state().todos.count(50), 0u);
    EXPECT_EQ(cli({"todo", "list"}).out.count('\n'), 4);
}

TEST_F(TodoCliTest, RefusalsAndBadInput) {
    PhoneSimOptions options;
    // Writes of the contents "x" fail; writing the old item back succeeds.
    options.errorPattern = ",\"x\"";
    startPhone(threeItems(), options);
    ASSERT_EQ(cli({"todo", "load"}).exitCode, 0);

    const ProgramRun unsafe = cli({"todo", "add", "--text", "say \"hi\""});
    EXPECT_EQ(unsafe.exitCode, 2);
    EXPECT_FALSE(unsafe.err.isEmpty());
    EXPECT_EQ(phone->state().todos.size(), 3u);

    const ProgramRun refused = cli({"todo", "edit", "--index", "7", "--text", "x"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("The phone did not accept the to-do item."))
        << refused.err.toStdString();
    // The rewrite was refused: the item was written back as it was.
    EXPECT_EQ(phone->state().todos.at(7).contents, "Wrap presents");

    EXPECT_EQ(cli({"todo", "mark", "--index", "33"}).exitCode, 1);
    EXPECT_EQ(cli({"todo", "list", "--tab", "tomorrow"}).exitCode, 2);
    const ProgramRun impossible = cli({"todo", "add", "--text", "x", "--until", "2027-02-30"});
    EXPECT_EQ(impossible.exitCode, 2);
    EXPECT_TRUE(impossible.err.contains("2027-02-30 is not a date"));
}

TEST_F(TodoCliTest, LoadWithoutAPhoneFailsAndKeepsTheList) {
    ASSERT_EQ(cli({"todo", "add", "--text", "Offline item"}).exitCode, 0);
    const ProgramRun load = cli({"todo", "load"});
    EXPECT_EQ(load.exitCode, 1);
    EXPECT_TRUE(cli({"todo", "list"}).out.startsWith("1\tOffline item\t1\t"));
}
