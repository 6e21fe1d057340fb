// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/PhoneSafeText.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookCopy.h"
#include "platform/Notice.h"
#include "platform/Progress.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

PhoneSimPhonebookEntry phoneEntry(const QString& dial, const QString& name) {
    return PhoneSimPhonebookEntry{dial, dial.startsWith('+') ? 145 : 129, name};
}

PcPhonebookEntry pcEntry(int number, const QString& name, const QString& main) {
    PcPhonebookEntry entry;
    entry.number = number;
    entry.name = name;
    entry.mainNumber = main;
    return entry;
}

class RecordingObserver : public PhonebookCopyObserver {
  public:
    void copyStarted(const QString& sourceName, const QString& targetName) override {
        events << "start " + sourceName + " > " + targetName;
    }
    void itemCopied(const QString& sourceName, const QString& targetName) override {
        events << "item " + sourceName + " > " + targetName;
    }
    QStringList events;
};

class PhonebookCopyTest : public ::testing::Test {
  protected:
    PhonebookCopyTest() {
        state.sm =
            PhoneSimPhonebook{4, {{1, phoneEntry("111", "Ann")}, {2, phoneEntry("222", "Bob")}}};
        state.me = PhoneSimPhonebook{5, {}};
    }
    // Connects and fills the SIM and MS tables from the phone, as the view's first start does.
    PhoneLink& connect() {
        phone = std::make_unique<EnginePhoneLink>(state);
        sim.LoadFromPhone(phone->link(), currentProgress());
        ms.LoadFromPhone(phone->link(), currentProgress());
        return phone->link();
    }
    void addPcRows(const QList<PcPhonebookEntry>& rows) {
        for (const PcPhonebookEntry& row : rows) {
            pc.AddRow(row);
        }
    }
    // Command lines sent from the given one on.
    QStringList commandsFrom(qsizetype first) const {
        QStringList out;
        const QList<QByteArray>& writes = phone->line().writes();
        for (qsizetype i = first; i < writes.size(); ++i) {
            out << QString::fromLatin1(writes[i]);
        }
        return out;
    }
    qsizetype sent() const { return phone->line().writes().size(); }
    PhonebookCopyResult copy(PhonebookMemory source, PhonebookMemory target,
                             const QList<int>& indexes) {
        PhonebookTable& table = source == MemorySim  ? static_cast<PhonebookTable&>(sim)
                                : source == MemoryMs ? static_cast<PhonebookTable&>(ms)
                                                     : static_cast<PhonebookTable&>(pc);
        const QList<PhonebookListRow> items =
            PhonebookCopy::rowsWithIndexes(table, indexes, nullptr);
        PhonebookCopy copier(sim, ms, pc);
        copier.setObserver(&observer);
        PhonebookCopyResult result =
            copier.run(phone ? &phone->link() : nullptr, source, target, items, prompterAsker());
        // As the view does: the stores' notices come before the copy's message.
        showNotices(result.notices);
        return result;
    }

    TempWorkDir dir;
    PhoneSimState state;
    std::unique_ptr<EnginePhoneLink> phone;
    CSimViewDB sim;
    CMsListDB ms;
    CPCListDB pc;
    RecordingObserver observer;
};

}  // namespace

TEST(PhonebookCopyMessages, WordingFollowsCopiedAndDroppedCounts) {
    auto all = copyCountNotice(3, 3, "Copy to SIM");
    EXPECT_EQ(all.text, "3 entries are copied.");
    EXPECT_EQ(all.caption, "Copy to SIM");
    EXPECT_EQ(all.icon, PromptIcon::Warning);
    EXPECT_EQ(copyCountNotice(1, 1, "Copy to PC").text, "1 entry is copied.");

    auto dropped = copyCountNotice(2, 3, "Copy to SIM");
    EXPECT_EQ(dropped.text,
              "2 entriies are copied. 1 entry is are dropped. \nMaximum Capacity Exceeded!");
    EXPECT_EQ(dropped.caption, "Warning");
    EXPECT_EQ(copyCountNotice(1, 2, "Copy to MS").text,
              "1 entries are copied. 1 entries are dropped. \nMaximum Capacity Exceeded!");
    EXPECT_EQ(copyCountNotice(1, 4, "Copy to MS").text,
              "1 entriy is copied. 3 entries are dropped. \nMaximum Capacity Exceeded!");
    EXPECT_EQ(copyCountNotice(2, 5, "Copy to MS").text,
              "2 entries are copied. 3 entries are dropped. \nMaximum Capacity Exceeded!");
}

TEST(PhonebookCopyMessages, SourceCodesAndNames) {
    EXPECT_EQ(copySourceCode(MemorySim, MemorySim), 1);
    EXPECT_EQ(copySourceCode(MemorySim, MemoryMs), 1);
    EXPECT_EQ(copySourceCode(MemoryMs, MemorySim), 3);
    EXPECT_EQ(copySourceCode(MemoryMs, MemoryMs), 3);
    EXPECT_EQ(copySourceCode(MemoryPc, MemorySim), 0);
    EXPECT_EQ(copySourceCode(MemoryPc, MemoryMs), 2);
    EXPECT_EQ(phonebookNameOf(MemorySim), "SIM PhoneBook");
    EXPECT_EQ(phonebookNameOf(MemoryMs), "MS PhoneBook");
    EXPECT_EQ(phonebookNameOf(MemoryPc), "PC PhoneBook");
}

TEST_F(PhonebookCopyTest, EachItemIsProbedThenWrittenWithTheSourceCode) {
    connect();
    const qsizetype before = sent();
    const PhonebookCopyResult result = copy(MemorySim, MemoryMs, {1, 2});
    EXPECT_EQ(result.end, PhonebookCopyEnd::Copied);
    EXPECT_TRUE(result.allCopied());
    ASSERT_TRUE(result.message);
    EXPECT_EQ(result.message->text, "2 entries are copied.");
    EXPECT_EQ(result.message->caption, "Copy to MS");
    EXPECT_EQ(commandsFrom(before),
              (QStringList{"atz\r", "at+cgmi\r", "at+cpbs=\"me\"\r",
                           "at+cpbw=1,1,\"111\",129,\"Ann\"\r", "atz\r", "at+cgmi\r",
                           "at+cpbs=\"me\"\r", "at+cpbw=2,1,\"222\",129,\"Bob\"\r"}));
    EXPECT_EQ(phone->engine().state().me.entries.at(2), phoneEntry("222", "Bob"));
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{1, "Ann", "111"}, {2, "Bob", "222"}}));
    EXPECT_EQ(observer.events, (QStringList{"start SIM PhoneBook > MS PhoneBook",
                                            "item SIM PhoneBook > MS PhoneBook",
                                            "item SIM PhoneBook > MS PhoneBook"}));

    // From MS the code is 3, from PC 0 into the SIM and 2 into the phone memory.
    addPcRows({pcEntry(1, "Pat", "301")});
    qsizetype mark = sent();
    copy(MemoryMs, MemorySim, {2});
    EXPECT_EQ(commandsFrom(mark).last(), "at+cpbw=3,3,\"222\",129,\"Bob\"\r");
    mark = sent();
    copy(MemoryPc, MemorySim, {1});
    EXPECT_EQ(commandsFrom(mark).last(), "at+cpbw=4,0,\"301\",129,\"Pat\"\r");
    mark = sent();
    copy(MemoryPc, MemoryMs, {1});
    EXPECT_EQ(commandsFrom(mark).last(), "at+cpbw=3,2,\"301\",129,\"Pat\"\r");
}

TEST_F(PhonebookCopyTest, ItemsBeyondTheCapacityAreDropped) {
    connect();
    addPcRows({pcEntry(1, "Pat", "301"), pcEntry(2, "Quin", "302"), pcEntry(3, "Rae", "303")});
    const PhonebookCopyResult result = copy(MemoryPc, MemorySim, {1, 2, 3});
    EXPECT_EQ(result.end, PhonebookCopyEnd::Copied);
    EXPECT_EQ(result.requested, 3);
    EXPECT_EQ(result.copied, 2);
    EXPECT_FALSE(result.allCopied());
    EXPECT_EQ(result.message->text,
              "2 entriies are copied. 1 entry is are dropped. \nMaximum Capacity Exceeded!");
    EXPECT_EQ(result.message->caption, "Warning");
    EXPECT_EQ(phone->engine().state().sm.entries.size(), 4u);
    EXPECT_EQ(phone->engine().state().sm.entries.at(4).name, "Quin");
    EXPECT_EQ(sim.FullRecordCount(), 4);

    // Now full: nothing is sent and nothing starts.
    observer.events.clear();
    const qsizetype before = sent();
    const PhonebookCopyResult full = copy(MemoryPc, MemorySim, {3});
    EXPECT_EQ(full.end, PhonebookCopyEnd::TargetFull);
    EXPECT_EQ(full.message->text, "Maximum Capacity Exceeded!");
    EXPECT_EQ(full.message->caption, "Warning");
    EXPECT_EQ(full.message->icon, PromptIcon::Warning);
    EXPECT_EQ(sent(), before);
    EXPECT_TRUE(observer.events.isEmpty());
}

TEST_F(PhonebookCopyTest, NoItemsDoNothing) {
    connect();
    const qsizetype before = sent();
    const PhonebookCopyResult result = copy(MemorySim, MemoryMs, {});
    EXPECT_EQ(result.end, PhonebookCopyEnd::NothingToCopy);
    EXPECT_FALSE(result.message);
    EXPECT_EQ(sent(), before);
    EXPECT_TRUE(observer.events.isEmpty());
}

TEST_F(PhonebookCopyTest, ALostPhoneEndsTheCopyWithoutACount) {
    connect();
    addPcRows({pcEntry(1, "Pat", "301")});
    phone->line().setResponder([](const QByteArray&) { return QList<FakeChunk>{}; });
    PhonebookCopyResult result = copy(MemorySim, MemoryMs, {1, 2});
    EXPECT_EQ(result.end, PhonebookCopyEnd::PhoneLost);
    EXPECT_EQ(result.copied, 0);
    EXPECT_EQ(result.message->text, "The Cable is not connected to the phone");
    EXPECT_EQ(result.message->caption, "ERROR");
    EXPECT_EQ(result.message->icon, PromptIcon::Error);
    EXPECT_EQ(ms.FullRecordCount(), 0);

    result = copy(MemoryPc, MemorySim, {1});
    EXPECT_EQ(result.message->text, "The cable is not connected to the phone");
}

TEST_F(PhonebookCopyTest, AFullExtensionStoreKeepsTheMainNumber) {
    state.extensionUsed = state.extensionCapacity;
    connect();
    addPcRows({pcEntry(1, "Ext", "123P678")});
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    const PhonebookCopyResult result = copy(MemoryPc, MemoryMs, {1});
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].caption, "FULL");
    EXPECT_EQ(result.message->text, "1 entry is copied.");
    EXPECT_EQ(phone->engine().state().me.entries.at(1), phoneEntry("123", "Ext"));
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{1, "Ext", "123"}}));
}

TEST_F(PhonebookCopyTest, CallerIdNumbersGoInPhoneFormAndPcRowsKeepEveryColumn) {
    state.sm.entries[2] = phoneEntry("+*31#22", "Bob");
    connect();
    PcPhonebookEntry full = pcEntry(1, "Pat", "+#31#301");
    full.mobileNumber = "0777";
    full.memo = "note";
    addPcRows({full});

    const qsizetype before = sent();
    copy(MemorySim, MemoryMs, {2});
    EXPECT_EQ(commandsFrom(before).last(), "at+cpbw=1,1,\"+*31#22\",145,\"Bob\"\r");
    EXPECT_EQ(phone->engine().state().me.entries.at(1), phoneEntry("+*31#22", "Bob"));

    // The PC list shows the number in display form; the copy still finds the whole row.
    copy(MemoryPc, MemoryPc, {1});
    pc.RefillList(0);
    const PcPhonebookEntry copied = pc.entryAt(1);
    EXPECT_EQ(copied.number, 2);
    EXPECT_EQ(copied.mobileNumber, "0777");
    EXPECT_EQ(copied.memo, "note");
}

TEST_F(PhonebookCopyTest, ACopyToPcNeedsNoPhone) {
    // Off-line: the SIM table alone.
    sim.AddRow(3, "333", "Cy");
    const PhonebookCopyResult result = copy(MemorySim, MemoryPc, {3});
    EXPECT_EQ(result.end, PhonebookCopyEnd::Copied);
    EXPECT_EQ(result.message->text, "1 entry is copied.");
    EXPECT_EQ(result.message->caption, "Copy to PC");
    EXPECT_EQ(pc.rows().size(), 1);
    EXPECT_EQ(pc.rows()[0].name, "Cy");
    EXPECT_EQ(pc.rows()[0].number, 1);

    const PhonebookCopyResult toSim = copy(MemorySim, MemoryMs, {3});
    EXPECT_EQ(toSim.end, PhonebookCopyEnd::PhoneLost);
}

TEST_F(PhonebookCopyTest, TextThePhoneCannotTakeStopsTheCopyBeforeAnythingIsSent) {
    connect();
    addPcRows({pcEntry(1, "Pat", "301"), pcEntry(2, "Tom \"Q\" Ray", "302")});
    const auto before = phone->engine().state();
    const qsizetype mark = sent();
    const PhonebookCopyResult result = copy(MemoryPc, MemoryMs, {1, 2});
    EXPECT_EQ(result.end, PhonebookCopyEnd::UnsafeText);
    EXPECT_EQ(result.copied, 0);
    EXPECT_EQ(result.message->text, phoneSafeTextProblem("Tom \"Q\" Ray", PhoneTextKind::Name));
    EXPECT_FALSE(result.message->text.isEmpty());
    EXPECT_EQ(result.message->caption, "ERROR");
    EXPECT_EQ(sent(), mark);
    EXPECT_EQ(phone->engine().state(), before);
    EXPECT_EQ(ms.FullRecordCount(), 0);
    EXPECT_TRUE(observer.events.isEmpty());

    // A pasted number with a character no phone dials is refused the same way.
    pc.UpdateRow(pcEntry(2, "Tom", "30;2"));
    EXPECT_EQ(copy(MemoryPc, MemoryMs, {2}).end, PhonebookCopyEnd::UnsafeText);
    // Within the PC nothing goes to the phone.
    EXPECT_EQ(copy(MemoryPc, MemoryPc, {2}).end, PhonebookCopyEnd::Copied);
}

TEST_F(PhonebookCopyTest, WritesThePhoneRefusesAreNotCountedAsCopied) {
    connect();
    PhoneSimFaults faults;
    faults.errorPattern = "at+cpbw=";
    phone->engine().setFaults(faults);
    const PhonebookCopyResult result = copy(MemorySim, MemoryMs, {1, 2});
    EXPECT_EQ(result.end, PhonebookCopyEnd::Copied);
    EXPECT_EQ(result.copied, 0);
    EXPECT_FALSE(result.allCopied());
    EXPECT_EQ(result.message->text, "0 entries are copied.\n2 entries are refused by the phone.");
    EXPECT_EQ(result.message->caption, "Warning");
    EXPECT_TRUE(phone->engine().state().me.entries.empty());
    EXPECT_EQ(ms.FullRecordCount(), 0);
}

TEST_F(PhonebookCopyTest, RowsAreTakenInListOrderOnce) {
    addPcRows({pcEntry(5, "Eve", "5"), pcEntry(2, "Bo", "2"), pcEntry(9, "Ida", "9")});
    QList<int> missing;
    const QList<PhonebookListRow> rows = PhonebookCopy::rowsWithIndexes(pc, {9, 2, 9, 4}, &missing);
    EXPECT_EQ(rows, (QList<PhonebookListRow>{{"2", "Bo", "2"}, {"9", "Ida", "9"}}));
    EXPECT_EQ(missing, QList<int>{4});
}
