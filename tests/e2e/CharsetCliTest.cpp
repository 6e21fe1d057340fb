// SPDX-License-Identifier: GPL-3.0-or-later
// Names in every script through dexmoro-cli and the simulated phone under UCS2, into the cache
// and out through the exports.
#include <QFile>

#include "CliPhoneTest.h"

namespace {

class CharsetCliTest : public CliPhoneTest {
  protected:
    ProgramRun ucs2(const QStringList& arguments) {
        return cli(QStringList{"--charset", "ucs2"} + arguments);
    }
    QString exported(const QString& what, const QString& format) {
        const QString file = dir.filePath(what + "." + format);
        const QStringList memory = what == "sms" ? QStringList() : QStringList{"--memory", "sim"};
        const ProgramRun run =
            cli(QStringList{"export", "--what", what, "--format", format, "--file", file} + memory);
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
    state.smMessages.messages[1] = {
        "REC READ", "+71", 145, "26/12/06,12:00:00+00", QStringLiteral("Γειά! Привет! 你好 😀"),
        4,          0,     0};
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
        const QString file = exported("phonebook", format);
        for (const QString& name : kNames) {
            EXPECT_TRUE(listed.contains(name)) << name.toStdString();
            EXPECT_TRUE(file.contains(name) || file.contains(QString(name).replace("\"", "\"\"")))
                << format.toStdString() << " " << name.toStdString();
        }
    }
    ASSERT_EQ(ucs2({"sms", "load"}).exitCode, 0);
    EXPECT_TRUE(exported("sms", "xml").contains(QStringLiteral("Γειά! Привет! 你好 😀")));
}
