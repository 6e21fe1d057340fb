// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/TodoAnswers.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/TempWorkDir.h"

namespace {

PhoneSimState todoPhone() {
    PhoneSimState state;
    state.todos[0] = {0, 1, 2026, 12, 10, "First, slot", {}, {}};
    state.todos[7] = {2, 0, 2001, 10, 9, "Done one", "2001/10/9", "14:05"};
    state.todos[50] = {0, 0, 2027, 1, 2, "Last", {}, {}};
    return state;
}

class TodoCommandsTest : public ::testing::Test {
  protected:
    TodoCommandsTest() { Profile::useFolder(dir.path()); }
    ~TodoCommandsTest() override { Profile::useFolder({}); }

    int writeCount() { return static_cast<int>(phone.line().writes().size()); }
    QByteArray lastCommand() { return phone.line().writes().last(); }

    TempWorkDir dir;
    EnginePhoneLink phone{todoPhone()};
};

}  // namespace

TEST_F(TodoCommandsTest, CommandTextsByteForByte) {
    PhoneLink& link = phone.link();
    ASSERT_TRUE(link.phoneFound);
    EXPECT_EQ(link.WriteTodo(3, 0, 1, 2026, 12, 10, "Renew, insurance"), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+ctdw=3,0,1,2026,12,10,\"Renew, insurance\"\r");
    EXPECT_EQ(link.WriteTodo(3, 2, 0, 2001, 1, 9, "x"), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+ctdw=3,2,0,2001,1,9,\"x\"\r");
    EXPECT_EQ(link.MarkTodoDone(3, 1), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+ctdw=3,1\r");
    EXPECT_EQ(link.DeleteTodo(3), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+ctdd=3\r");
    EXPECT_EQ(phone.engine().state().todos.count(3), 0u);
    QString text;
    link.ReadTodo(12, text);
    EXPECT_EQ(lastCommand(), "at+ctdr=12\r");
}

TEST_F(TodoCommandsTest, GuardsSendNothing) {
    PhoneLink& link = phone.link();
    const int before = writeCount();
    EXPECT_EQ(link.WriteTodo(3, 3, 0, 2026, 1, 1, "x"), kTransactFailed);
    EXPECT_EQ(link.WriteTodo(3, -1, 0, 2026, 1, 1, "x"), kTransactFailed);
    EXPECT_EQ(link.WriteTodo(3, 0, 2, 2026, 1, 1, "x"), kTransactFailed);
    EXPECT_EQ(link.WriteTodo(3, 0, -1, 2026, 1, 1, "x"), kTransactFailed);
    EXPECT_EQ(link.MarkTodoDone(3, 2), kTransactFailed);
    EXPECT_EQ(link.MarkTodoDone(3, -1), kTransactFailed);
    // Contents that would end the quoted field or the command line never leave.
    EXPECT_EQ(link.WriteTodo(3, 0, 0, 2026, 1, 1, "say \"hi\""), kTransactFailed);
    EXPECT_EQ(link.WriteTodo(3, 0, 0, 2026, 1, 1, "a\rat+ctdd=7"), kTransactFailed);
    EXPECT_EQ(writeCount(), before);
    EXPECT_EQ(phone.engine().state().todos.count(3), 0u);
    EXPECT_EQ(phone.engine().state().todos.count(7), 1u);
    // The edges of the guards are accepted.
    EXPECT_EQ(link.WriteTodo(3, 2, 1, 2026, 1, 1, "x"), kTransactComplete);
    EXPECT_EQ(link.MarkTodoDone(3, 0), kTransactComplete);
}

TEST_F(TodoCommandsTest, ReadGivesTheTextAfterTheMarker) {
    QString text;
    EXPECT_EQ(phone.link().ReadTodo(0, text), kTransactComplete);
    EXPECT_EQ(text, "0,1,2026/12/10,\"First, slot\",,\r\n\r\nOK\r\n");
    EXPECT_EQ(phone.link().ReadTodo(50, text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("50,0,2027/01/02,\"Last\""));
}

TEST_F(TodoCommandsTest, OkWithoutMarkerIsAnEmptySlot) {
    QString text = "left over";
    EXPECT_EQ(phone.link().ReadTodo(5, text), kTransactComplete);
    EXPECT_TRUE(text.isEmpty());
}

TEST_F(TodoCommandsTest, FailedReadEmptiesTheText) {
    QString text = "left over";
    EXPECT_EQ(phone.link().ReadTodo(51, text), kTransactFailed);
    EXPECT_TRUE(text.isEmpty());
}

TEST(TodoAnswersTest, SixFieldsOfADoneItem) {
    const TodoAnswer answer =
        ParseTodoAnswer("7,0,2001/10/09,\"Call, then write\",2001/10/9,14:05\r\n\r\nOK\r\n");
    EXPECT_EQ(answer.index, 7);
    EXPECT_EQ(answer.priority, 0);
    EXPECT_EQ(answer.year, 2001);
    EXPECT_EQ(answer.month, 10);
    EXPECT_EQ(answer.day, 9);
    EXPECT_EQ(answer.contents, "Call, then write");
    EXPECT_TRUE(answer.done());
    EXPECT_EQ(TodoDoneDateText(answer.doneDate, answer.doneTime), "9-10-2001 14:05");
}

TEST(TodoAnswersTest, NotDoneItemHasNoDoneDate) {
    const TodoAnswer answer = ParseTodoAnswer("12,1,2026/12/10,\"Renew\",,\r\n\r\nOK\r\n");
    EXPECT_EQ(answer.index, 12);
    EXPECT_EQ(answer.priority, 1);
    EXPECT_EQ(answer.contents, "Renew");
    EXPECT_FALSE(answer.done());
    EXPECT_EQ(TodoDoneDateText(answer.doneDate, answer.doneTime), "");
}

TEST(TodoAnswersTest, DoneDateKeepsThePhonesSpelling) {
    EXPECT_EQ(TodoDoneDateText("2026/12/03", "07:45"), "03-12-2026 07:45");
}

TEST(TodoAnswersTest, ShortOrBrokenAnswersDoNotCrash) {
    const TodoAnswer answer = ParseTodoAnswer("3,x");
    EXPECT_EQ(answer.index, 3);
    EXPECT_EQ(answer.priority, 0);
    EXPECT_EQ(answer.year, 0);
    EXPECT_TRUE(answer.contents.isEmpty());
    EXPECT_FALSE(answer.done());
    EXPECT_EQ(ParseTodoAnswer("").index, 0);
}
