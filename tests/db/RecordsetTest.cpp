// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/JetQuote.h"
#include "db/Recordset.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

class RecordsetTest : public ::testing::Test {
  protected:
    // The database errors reach the scripted prompter as the window's message boxes would.
    RecordsetTest() { databaseNotices().setReporter(showNotice); }
    ~RecordsetTest() override { databaseNotices().setReporter(nullptr); }

    static void addSim(Recordset& rs, int number, const QString& name, const QString& dial) {
        ASSERT_TRUE(rs.AddNew());
        rs.setValue(QStringLiteral("Number"), number);
        rs.setValue(QStringLiteral("Name"), name);
        rs.setValue(QStringLiteral("MainNumber"), dial);
        ASSERT_TRUE(rs.Update());
    }

    // Names of the rows in recordset order.
    static QStringList names(Recordset& rs) {
        QStringList out;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            out.append(rs.textValue(QStringLiteral("Name")));
        }
        return out;
    }

    // Counts the rows straight from the file, past every recordset.
    static int rowsInFile(const QString& fileName, const QString& table) {
        QString error;
        const QString connection = openDatabaseFile(fileName, &error);
        QSqlQuery query(databaseConnection(connection));
        EXPECT_TRUE(query.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)));
        EXPECT_TRUE(query.next());
        return query.value(0).toInt();
    }

    TempWorkDir dir_;
};

class SimRecordset : public Recordset {
  public:
    SimRecordset() : Recordset(kPhonebookDbFile, QStringLiteral("sim")) {
        setSort(QStringLiteral("Number ASC"));
    }
};

}  // namespace

TEST_F(RecordsetTest, MissingFilesAreCreatedWithEveryTableAndColumn) {
    for (const QString& file : {kPhonebookDbFile, kSmsDbFile, kSchedulerDbFile, kToDoListDbFile}) {
        ASSERT_FALSE(QFile::exists(dir_.filePath(file)));
        for (const TableDef& table : tablesOfFile(file)) {
            Recordset rs(file, table.name);
            ASSERT_TRUE(rs.Open()) << table.name.toStdString();
            QStringList expected;
            for (const ColumnDef& column : table.columns) {
                expected.append(column.name);
            }
            EXPECT_EQ(rs.columnNames(), expected);
            EXPECT_EQ(rs.GetRecordCount(), 0);
        }
        EXPECT_TRUE(QFile::exists(dir_.filePath(file)));
    }
    EXPECT_EQ(tablesOfFile(kPhonebookDbFile).size(), 6);
}

TEST_F(RecordsetTest, MissingColumnIsAddedToAnExistingTable) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(dir_.filePath(kToDoListDbFile));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral(
            "CREATE TABLE Todolist (\"index\" INTEGER, contents TEXT, priority INTEGER)")));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO Todolist VALUES (7, 'Milk', 1)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));

    Recordset rs(kToDoListDbFile, QStringLiteral("Todolist"));
    ASSERT_TRUE(rs.Open());
    EXPECT_EQ(rs.columnNames().size(), 8);
    ASSERT_EQ(rs.GetRecordCount(), 1);
    EXPECT_EQ(rs.intValue(QStringLiteral("index")), 7);
    EXPECT_FALSE(rs.boolValue(QStringLiteral("mark")));  // the added Yes/No starts as No
    EXPECT_TRUE(rs.textValue(QStringLiteral("done_date")).isEmpty());
    // The old text column has no NOCASE collation; equality is case-blind all the same.
    rs.setFilter(QStringLiteral("contents='MILK'"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 1);
}

TEST_F(RecordsetTest, QuotesInNamesAndFiltersNeitherBreakNorChangeTheQuery) {
    SimRecordset rs;
    ASSERT_TRUE(rs.Open());
    addSim(rs, 1, QStringLiteral("O'Brien"), QStringLiteral("+*31#123"));
    addSim(rs, 2, QStringLiteral("Anna"), QStringLiteral("0123"));
    addSim(rs, 3, QStringLiteral("x' OR 'a'='a"), QStringLiteral("555"));

    rs.setFilter(QStringLiteral("Name=") + jetQuote(QStringLiteral("o'brien")));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), QStringList{QStringLiteral("O'Brien")});

    // A text built to widen the condition is only a name that nobody has.
    rs.setFilter(QStringLiteral("Name=") + jetQuote(QStringLiteral("z' OR 'a'='a")));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 0);
    rs.setFilter(QStringLiteral("Name like ") + jetLikeContains(QStringLiteral("' OR '")));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), QStringList{QStringLiteral("x' OR 'a'='a")});

    // Wildcard characters in the text match themselves: # is no digit, * no run.
    rs.setFilter(QStringLiteral("MainNumber like ") + jetLikeContains(QStringLiteral("*31#")));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), QStringList{QStringLiteral("O'Brien")});
    rs.setFilter(QStringLiteral("MainNumber like ") + jetLikeContains(QStringLiteral("#")));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), QStringList{QStringLiteral("O'Brien")});
}

TEST_F(RecordsetTest, LikeIsCaseBlindSubstringAndEqualsIsExact) {
    SimRecordset rs;
    ASSERT_TRUE(rs.Open());
    addSim(rs, 1, QStringLiteral("Johanna"), QStringLiteral("111"));
    addSim(rs, 2, QStringLiteral("ANNE"), QStringLiteral("222"));
    addSim(rs, 3, QStringLiteral("Bob"), QStringLiteral("3331"));
    addSim(rs, 4, QStringLiteral("Ann"), QStringLiteral("444"));

    rs.setFilter(QStringLiteral("Name like '*an*' OR MainNumber like '*31*'"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), (QStringList{QStringLiteral("Johanna"), QStringLiteral("ANNE"),
                                      QStringLiteral("Bob"), QStringLiteral("Ann")}));
    rs.setFilter(QStringLiteral("Name='ann'"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), QStringList{QStringLiteral("Ann")});
    rs.setFilter(QStringLiteral("Name='ann' AND MainNumber='444'"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 1);
    rs.setFilter(QStringLiteral("Name like 'A?N*' AND Number > 2"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), QStringList{QStringLiteral("Ann")});
    rs.setFilter(QStringLiteral("Name <> 'ANN' AND NOT Name like '*o*'"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), QStringList{QStringLiteral("ANNE")});

    // Letters beyond ASCII fold too; a row without a name matches neither a test nor its NOT.
    addSim(rs, 5, QString::fromUtf8("ÉMILE Müller"), QStringLiteral("555"));
    ASSERT_TRUE(rs.AddNew());
    rs.setValue(QStringLiteral("Number"), 6);
    ASSERT_TRUE(rs.Update());
    rs.setFilter(QStringLiteral("Name like ") + jetLikeContains(QString::fromUtf8("émile mü")));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 1);
    rs.setFilter(QStringLiteral("Name=") + jetQuote(QString::fromUtf8("émile MÜLLER")));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 1);
    rs.setFilter(QStringLiteral("NOT Name like '*'"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 0);
    rs.setFilter(QStringLiteral("Name is null"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 1);
}

TEST_F(RecordsetTest, SortTogglesAndSortsTextWithoutCase) {
    SimRecordset rs;
    ASSERT_TRUE(rs.Open());
    addSim(rs, 2, QStringLiteral("bert"), QStringLiteral("1"));
    addSim(rs, 1, QStringLiteral("Carl"), QStringLiteral("2"));
    addSim(rs, 3, QStringLiteral("Anna"), QStringLiteral("3"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), (QStringList{QStringLiteral("Carl"), QStringLiteral("bert"),
                                      QStringLiteral("Anna")}));
    rs.setSort(QStringLiteral("Name DESC"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), (QStringList{QStringLiteral("Carl"), QStringLiteral("bert"),
                                      QStringLiteral("Anna")}));
    rs.setSort(QStringLiteral("Name ASC"));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), (QStringList{QStringLiteral("Anna"), QStringLiteral("bert"),
                                      QStringLiteral("Carl")}));
    rs.setSort(QString());  // natural order: as added
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs), (QStringList{QStringLiteral("bert"), QStringLiteral("Carl"),
                                      QStringLiteral("Anna")}));
}

TEST_F(RecordsetTest, MultiColumnSortOfTheToDoList) {
    Recordset rs(kToDoListDbFile, QStringLiteral("Todolist"));
    ASSERT_TRUE(rs.Open());
    const int dates[][3] = {{2001, 5, 9}, {2000, 12, 31}, {2001, 5, 10}, {2001, 4, 30}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(rs.AddNew());
        rs.setValue(QStringLiteral("index"), i);
        rs.setValue(QStringLiteral("until_year"), dates[i][0]);
        rs.setValue(QStringLiteral("until_month"), dates[i][1]);
        rs.setValue(QStringLiteral("until_day"), dates[i][2]);
        ASSERT_TRUE(rs.Update());
    }
    rs.setSort(QStringLiteral("until_year DESC,until_month DESC,until_day DESC"));
    ASSERT_TRUE(rs.Requery());
    QList<int> order;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        order.append(rs.intValue(QStringLiteral("index")));
    }
    EXPECT_EQ(order, (QList<int>{2, 0, 3, 1}));
}

TEST_F(RecordsetTest, MovesAndBofEofAtBothEnds) {
    SimRecordset rs;
    ASSERT_TRUE(rs.Open());
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.FullRecordCount(), 0);
    EXPECT_FALSE(rs.MoveFirst());
    EXPECT_FALSE(rs.MoveLast());
    EXPECT_FALSE(rs.MoveNext());

    addSim(rs, 1, QStringLiteral("A"), QString());
    addSim(rs, 2, QStringLiteral("B"), QString());
    addSim(rs, 3, QStringLiteral("C"), QString());
    ASSERT_TRUE(rs.Requery());
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("A"));
    EXPECT_FALSE(rs.MovePrev());
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_FALSE(rs.MovePrev());  // stays at BOF
    EXPECT_TRUE(rs.MoveNext());
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("A"));

    EXPECT_EQ(rs.FullRecordCount(), 3);
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("C"));  // left on the last
    EXPECT_FALSE(rs.MoveNext());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_FALSE(rs.hasCurrent());
    EXPECT_TRUE(rs.value(QStringLiteral("Name")).isNull());
    EXPECT_FALSE(rs.MoveNext());
    EXPECT_TRUE(rs.MovePrev());
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("C"));
    EXPECT_TRUE(rs.moveTo(1));
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("B"));
    EXPECT_FALSE(rs.moveTo(3));
    EXPECT_TRUE(rs.IsEOF());
}

TEST_F(RecordsetTest, AddEditUpdateDeleteWithDynasetCursor) {
    SimRecordset rs;
    ASSERT_TRUE(rs.Open());
    addSim(rs, 5, QStringLiteral("Eve"), QStringLiteral("5"));
    addSim(rs, 1, QStringLiteral("Al"), QStringLiteral("1"));
    ASSERT_TRUE(rs.Requery());
    ASSERT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("Al"));

    // An added row joins the end; the current row stays current.
    addSim(rs, 3, QStringLiteral("Cy"), QStringLiteral("3"));
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("Al"));
    EXPECT_EQ(rs.GetRecordCount(), 3);
    EXPECT_EQ(names(rs),
              (QStringList{QStringLiteral("Al"), QStringLiteral("Eve"), QStringLiteral("Cy")}));
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(names(rs),
              (QStringList{QStringLiteral("Al"), QStringLiteral("Cy"), QStringLiteral("Eve")}));

    // Edit in place; CancelUpdate leaves the row as it was.
    ASSERT_TRUE(rs.moveTo(1));
    ASSERT_TRUE(rs.Edit());
    rs.setValue(QStringLiteral("Name"), QStringLiteral("Cyd"));
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("Cyd"));
    rs.CancelUpdate();
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("Cy"));
    ASSERT_TRUE(rs.Edit());
    rs.setValue(QStringLiteral("MainNumber"), QStringLiteral("+33"));
    ASSERT_TRUE(rs.Update());
    EXPECT_EQ(rs.textValue(QStringLiteral("MainNumber")), QStringLiteral("+33"));
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("Cy"));
    ASSERT_TRUE(rs.Requery());
    ASSERT_TRUE(rs.moveTo(1));
    EXPECT_EQ(rs.textValue(QStringLiteral("MainNumber")), QStringLiteral("+33"));
    EXPECT_TRUE(rs.value(QStringLiteral("Type")).isNull());  // never written

    // After Delete there is no current row until a move; MoveNext reaches the next row.
    ASSERT_TRUE(rs.Delete());
    EXPECT_FALSE(rs.hasCurrent());
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetRecordCount(), 2);
    ASSERT_TRUE(rs.MoveNext());
    EXPECT_EQ(rs.textValue(QStringLiteral("Name")), QStringLiteral("Eve"));
    ASSERT_TRUE(rs.Delete());
    EXPECT_FALSE(rs.MoveNext());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sim")), 1);

    // Emptying the way the stores do: n times first row, delete, requery.
    const int n = rs.FullRecordCount();
    for (int i = 0; i < n; ++i) {
        rs.MoveFirst();
        ASSERT_TRUE(rs.Delete());
        ASSERT_TRUE(rs.Requery());
    }
    EXPECT_TRUE(rs.IsBOF() && rs.IsEOF());
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sim")), 0);
}

TEST_F(RecordsetTest, FieldKindsAreKept) {
    Recordset rs(kSmsDbFile, QStringLiteral("SMS"));
    ASSERT_TRUE(rs.Open());
    ASSERT_TRUE(rs.AddNew());
    rs.setValue(QStringLiteral("Number"), 10);  // a text column: stored as "10"
    rs.setValue(QStringLiteral("Status"), QStringLiteral("UnRead"));
    rs.setValue(QStringLiteral("Reply"), true);
    rs.setValue(QStringLiteral("Pid"), QStringLiteral("64"));
    ASSERT_TRUE(rs.Update());
    ASSERT_TRUE(rs.AddNew());
    rs.setValue(QStringLiteral("Number"), QStringLiteral("9"));
    rs.setValue(QStringLiteral("Status"), QStringLiteral("Read"));
    ASSERT_TRUE(rs.Update());

    rs.setFilter(QStringLiteral("Status='Unread'"));
    ASSERT_TRUE(rs.Requery());
    ASSERT_EQ(rs.GetRecordCount(), 1);
    EXPECT_EQ(rs.textValue(QStringLiteral("Number")), QStringLiteral("10"));
    EXPECT_TRUE(rs.boolValue(QStringLiteral("Reply")));
    EXPECT_EQ(rs.intValue(QStringLiteral("Pid")), 64);

    rs.setFilter(QString());
    rs.setSort(QStringLiteral("Number DESC"));  // a text column sorts as text
    ASSERT_TRUE(rs.Requery());
    EXPECT_EQ(rs.textValue(QStringLiteral("Number")), QStringLiteral("9"));
    EXPECT_FALSE(rs.boolValue(QStringLiteral("Reply")));
    ASSERT_TRUE(rs.MoveNext());
    EXPECT_EQ(rs.textValue(QStringLiteral("Number")), QStringLiteral("10"));
}

TEST_F(RecordsetTest, FailingStatementShowsMessageAndLeavesNoRow) {
    SimRecordset rs;
    ASSERT_TRUE(rs.Open());
    addSim(rs, 1, QStringLiteral("Kept"), QStringLiteral("1"));
    {
        QString error;
        QSqlQuery query(databaseConnection(openDatabaseFile(kPhonebookDbFile, &error)));
        ASSERT_TRUE(query.exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON sim WHEN NEW.Name = 'Bad' "
                           "BEGIN SELECT RAISE(ABORT, 'refused by test'); END")));
    }
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    ASSERT_TRUE(rs.AddNew());
    rs.setValue(QStringLiteral("Number"), 2);
    rs.setValue(QStringLiteral("Name"), QStringLiteral("Bad"));
    EXPECT_FALSE(rs.Update());
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_TRUE(prompter.prompts()[0].text.contains(QStringLiteral("refused by test")));
    EXPECT_FALSE(rs.isEditing());
    EXPECT_EQ(rs.GetRecordCount(), 1);
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sim")), 1);

    // A value the column cannot hold: shown, and the row is not stored at all.
    prompter.then(PromptAnswer::Ok);
    ASSERT_TRUE(rs.AddNew());
    rs.setValue(QStringLiteral("Name"), QStringLiteral("Half"));
    EXPECT_FALSE(rs.setValue(QStringLiteral("Number"), QStringLiteral("twelve")));
    EXPECT_FALSE(rs.Update());
    EXPECT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sim")), 1);
}

TEST_F(RecordsetTest, TransactionScopeRollsBackEveryChangeWhenOneFails) {
    SimRecordset sim;
    Recordset deleted(kPhonebookDbFile, QStringLiteral("sTemp"));
    ASSERT_TRUE(sim.Open());
    ASSERT_TRUE(deleted.Open());
    addSim(sim, 1, QStringLiteral("Bad"), QStringLiteral("1"));
    ASSERT_TRUE(sim.Requery());
    {
        QString error;
        QSqlQuery query(databaseConnection(openDatabaseFile(kPhonebookDbFile, &error)));
        ASSERT_TRUE(query.exec(
            QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON sim WHEN OLD.Name = 'Bad' "
                           "BEGIN SELECT RAISE(ABORT, 'cannot delete'); END")));
    }
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    {
        DbTransaction unit(kPhonebookDbFile);
        ASSERT_TRUE(unit.isActive());
        addSim(deleted, 1, QStringLiteral("Bad"), QStringLiteral("1"));
        EXPECT_FALSE(sim.Delete());
        EXPECT_FALSE(unit.commit());
    }
    EXPECT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sTemp")), 0);
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sim")), 1);

    // The same pair commits when both succeed.
    addSim(sim, 2, QStringLiteral("Good"), QStringLiteral("2"));
    ASSERT_TRUE(sim.Requery());
    ASSERT_TRUE(sim.moveTo(1));
    {
        DbTransaction unit(kPhonebookDbFile);
        addSim(deleted, 2, QStringLiteral("Good"), QStringLiteral("2"));
        EXPECT_TRUE(sim.Delete());
        EXPECT_TRUE(unit.commit());
    }
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sTemp")), 1);
    EXPECT_EQ(rowsInFile(kPhonebookDbFile, QStringLiteral("sim")), 1);
}

TEST_F(RecordsetTest, BadFilterIsShownAndSelectsNothing) {
    SimRecordset rs;
    ASSERT_TRUE(rs.Open());
    addSim(rs, 1, QStringLiteral("A"), QString());
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    rs.setFilter(QStringLiteral("Name='A' UNION SELECT 1"));
    EXPECT_FALSE(rs.Requery());
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_TRUE(prompter.prompts()[0].text.contains(QStringLiteral("UNION")));
    EXPECT_EQ(rs.GetRecordCount(), 0);
    EXPECT_TRUE(rs.IsEOF());
    rs.setFilter(QString());
    EXPECT_TRUE(rs.Requery());
    EXPECT_EQ(rs.GetRecordCount(), 1);
}

TEST_F(RecordsetTest, BulkChangesAreAllOrNothing) {
    Recordset rs(kSmsDbFile, QStringLiteral("SMS"));
    const QStringList columns = {QStringLiteral("Number"), QStringLiteral("Name"),
                                 QStringLiteral("Pid")};
    ASSERT_TRUE(rs.addRows(columns, {{1, QStringLiteral("A"), 0}, {2, QStringLiteral("B"), 127}}));
    EXPECT_EQ(rs.GetRecordCount(), 2);
    EXPECT_EQ(rs.textValue(QStringLiteral("Number")), QStringLiteral("1"));

    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    // The second row breaks the 16-bit range of Pid: neither row stays.
    EXPECT_FALSE(
        rs.addRows(columns, {{3, QStringLiteral("C"), 1}, {4, QStringLiteral("D"), 70000}}));
    EXPECT_FALSE(rs.addRows(columns, {{5, QStringLiteral("E")}}));
    EXPECT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(rowsInFile(kSmsDbFile, QStringLiteral("SMS")), 2);

    rs.setFilter(QStringLiteral("Name='A'"));
    ASSERT_TRUE(rs.Requery());
    ASSERT_TRUE(rs.deleteAllRows());  // the filter does not limit it
    EXPECT_EQ(rs.GetRecordCount(), 0);
    EXPECT_EQ(rowsInFile(kSmsDbFile, QStringLiteral("SMS")), 0);
}

TEST_F(RecordsetTest, FileThatIsNoDatabaseIsReportedAndLeftAlone) {
    static const char kJetHeader[] = "\0\x01\0\0Standard Jet DB\0 not SQLite at all";
    const QByteArray foreign(kJetHeader, sizeof kJetHeader - 1);
    {
        QFile file(dir_.filePath(kSmsDbFile));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(foreign);
    }
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    Recordset rs(kSmsDbFile, QStringLiteral("SMS"));
    EXPECT_FALSE(rs.Open());
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_TRUE(rs.IsBOF() && rs.IsEOF());
    EXPECT_FALSE(rs.AddNew());  // tries to open again: a second message
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_TRUE(
        prompter.prompts()[0].text.startsWith(QStringLiteral("Database error in smsDB.mdb")));
    QFile file(dir_.filePath(kSmsDbFile));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), foreign);
}
