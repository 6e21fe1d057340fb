// Names and texts in every script through dexmoro-cli and the simulated phone under UCS2, and a
// phone that will not take the set.
#include <QFile>

#include "CliPhoneTest.h"

namespace {

class CharsetCliTest : public CliPhoneTest {
  protected:
    ProgramRun ucs2(const QStringList& arguments) {
        return cli(QStringList{"--charset", "ucs2"} + arguments);
    }
    QString exported(const QString& format) {
        const QString file = dir.filePath("sim." + format);
        const ProgramRun run = cli({"export", "--what", "phonebook", "--memory", "sim", "--format",
                                    format, "--file", file});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    }
};

PhoneSimState emptyPhone() {
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{10, {}};
    state.me = PhoneSimPhonebook{5, {}};
    state.sm.entries[10] = {"+71", 145, QStringLiteral("Σοφία 😀")};  // known only from a load
    return state;
}

const QStringList kNames = {QStringLiteral("Ελένη Παππά"),   QStringLiteral("Иван Петров"),
                            QStringLiteral("王小明"),        QStringLiteral("Emoji 😀 Name"),
                            QStringLiteral("Tom \"Q\" Ray"), QStringLiteral("€ Bank"),
                            QStringLiteral("Σοφία 😀")};

}  // namespace

TEST_F(CharsetCliTest, EveryScriptRoundTripsAndSurvivesExport) {
    startPhone(emptyPhone());
    for (int i = 0; i + 1 < kNames.size(); ++i) {
        const ProgramRun add = ucs2({"phonebook", "add", "--memory", "sim", "--name", kNames[i],
                                     "--number", "+3021" + QString::number(i)});
        ASSERT_EQ(add.exitCode, 0) << kNames[i].toStdString() << add.err.toStdString();
        EXPECT_EQ(phone->state().sm.entries.at(i + 1).name, kNames[i]);
        EXPECT_EQ(phone->state().sm.entries.at(i + 1).dial, "+3021" + QString::number(i));
    }
    ASSERT_EQ(ucs2({"phonebook", "load"}).exitCode, 0);
    const QString listed = cli({"phonebook", "list", "--memory", "sim"}).out;
    for (const QString& format : {QStringLiteral("vcard"), QStringLiteral("csv")}) {
        const QString file = exported(format);
        for (const QString& name : kNames) {
            EXPECT_TRUE(listed.contains(name)) << name.toStdString();
            EXPECT_TRUE(file.contains(name) || file.contains(QString(name).replace("\"", "\"\"")))
                << format.toStdString() << " " << name.toStdString();
        }
    }

    const QString text = QStringLiteral("Γειά σου, Привет, 你好 😀 \"quoted\" €");
    const ProgramRun sent = ucs2({"sms", "send", "--number", "+302101234567", "--text", text});
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    ASSERT_EQ(phone->state().outbox.size(), 1u);
    EXPECT_EQ(phone->state().outbox.front().text, text);
    EXPECT_EQ(phone->state().outbox.front().address, "+302101234567");
}

TEST_F(CharsetCliTest, APhoneRefusingUcs2LeavesLatin1AndSaysSo) {
    PhoneSimState state = emptyPhone();
    state.refusedCharsets = {"UCS2"};
    startPhone(state);
    const ProgramRun add = ucs2({"phonebook", "add", "--memory", "sim", "--name",
                                 QStringLiteral("Ελένη"), "--number", "+30"});
    EXPECT_EQ(add.exitCode, 2);
    EXPECT_EQ(add.err.count("does not take the character set Unicode (UCS2)"), 1)
        << add.err.toStdString();
    EXPECT_TRUE(add.err.contains("outside Latin-1")) << add.err.toStdString();
    EXPECT_TRUE(phone->state().sm.entries.empty());
}
