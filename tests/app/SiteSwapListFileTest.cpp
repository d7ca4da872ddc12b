#include "app/SiteSwapListFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "TempHome.h"

namespace {

using SiteSwapListFile::Loaded;

struct ParseCase {
    const char* name;
    QByteArray bytes;
    bool ok;
    QStringList strings;
};

TEST(SiteSwapListFileParse, AcceptsOnlyAnArrayOfStrings) {
    const ParseCase cases[] = {
        {"list", R"(["5", "531", "55rrq555"])", true, {"5", "531", "55rrq555"}},
        {"empty list", "[]", true, {}},
        {"unicode kept", R"(["\u00e9"])", true, {QString::fromUtf8("\xc3\xa9")}},
        {"no bytes", "", false, {}},
        {"truncated", R"(["5", "53)", false, {}},
        {"object", R"({"list": ["5"]})", false, {}},
        {"number entry", R"(["5", 3])", false, {}},
        {"nested list", R"([["5"]])", false, {}},
        {"binary", QByteArray("\x00\xff\x01", 3), false, {}},
    };
    for (const ParseCase& c : cases) {
        const SiteSwapListFile::Parsed parsed = SiteSwapListFile::parse(c.bytes);
        EXPECT_EQ(parsed.ok, c.ok) << c.name;
        EXPECT_EQ(parsed.strings, c.strings) << c.name;
        EXPECT_EQ(parsed.reason.isEmpty(), c.ok) << c.name;
    }
}

TEST(SiteSwapListFileParse, SerializeReadsBackInOrder) {
    const QStringList list{"9r", "5", "", "a \"quoted\" one", "5"};
    const auto parsed = SiteSwapListFile::parse(SiteSwapListFile::serialize(list));
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.strings, list);
}

TEST(SiteSwapListFileStorage, PathIsUnderTheCurrentHome) {
    TempHome home;
    EXPECT_EQ(SiteSwapListFile::path(),
              QDir(home.path()).filePath("Documents/SiteSwapList.juggle"));
}

TEST(SiteSwapListFileStorage, MissingFileThenSaveCreatesTheFolderAndReadsBack) {
    TempHome home;
    EXPECT_EQ(SiteSwapListFile::load(home.listPath()).source, Loaded::Source::Missing);
    ASSERT_FALSE(QFileInfo::exists(home.documents()));

    EXPECT_EQ(SiteSwapListFile::save(home.listPath(), {"531", "5"}), QString());
    const Loaded loaded = SiteSwapListFile::load(home.listPath());
    EXPECT_EQ(loaded.source, Loaded::Source::File);
    EXPECT_EQ(loaded.strings, (QStringList{"531", "5"}));
    // Nothing but the list: no temporary file left behind.
    EXPECT_EQ(QDir(home.documents()).entryList(QDir::Files), QStringList{"SiteSwapList.juggle"});
}

TEST(SiteSwapListFileStorage, UnreadableFileIsCopiedAsideOnceBeforeItIsReplaced) {
    TempHome home;
    const QByteArray junk = "not a list {";
    home.write(home.listPath(), junk);

    const Loaded loaded = SiteSwapListFile::load(home.listPath());
    EXPECT_EQ(loaded.source, Loaded::Source::Unreadable);
    EXPECT_TRUE(loaded.strings.isEmpty());
    const QString copy = home.listPath() + ".unreadable";
    EXPECT_EQ(TempHome::read(copy), junk);
    EXPECT_TRUE(loaded.message.contains(QDir::toNativeSeparators(copy)))
        << loaded.message.toStdString();
    EXPECT_EQ(TempHome::read(home.listPath()), junk) << "reading must not change the file";

    EXPECT_EQ(SiteSwapListFile::save(home.listPath(), {"5"}), QString());
    EXPECT_EQ(SiteSwapListFile::load(home.listPath()).strings, QStringList{"5"});
    EXPECT_EQ(TempHome::read(copy), junk);
    EXPECT_EQ(QDir(home.documents()).entryList(QDir::Files).size(), 2)
        << "the copy made at reading serves the save too";
}

TEST(SiteSwapListFileStorage, AnEarlierCopyIsNeverOverwritten) {
    TempHome home;
    const QString copy = home.listPath() + ".unreadable";
    home.write(copy, "first junk");
    home.write(home.listPath(), "second junk");

    SiteSwapListFile::load(home.listPath());
    EXPECT_EQ(TempHome::read(copy), "first junk");
    const QStringList copies =
        QDir(home.documents()).entryList({"SiteSwapList.juggle.unreadable-*"}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(TempHome::read(QDir(home.documents()).filePath(copies[0])), "second junk");
}

TEST(SiteSwapListFileStorage, FailuresAreReportedAndLeaveWhatWasThere) {
    {
        // "Documents" is a plain file, so the folder cannot be made (this holds for root too).
        TempHome home;
        home.write(home.documents(), "a file");
        EXPECT_FALSE(SiteSwapListFile::save(home.listPath(), {"5"}).isEmpty());
        EXPECT_EQ(TempHome::read(home.documents()), "a file");
    }
    {
        // The list path is a folder: it can be neither copied aside nor replaced.
        TempHome home;
        QDir().mkpath(home.listPath());
        EXPECT_EQ(SiteSwapListFile::load(home.listPath()).source, Loaded::Source::Unreadable);
        EXPECT_FALSE(SiteSwapListFile::save(home.listPath(), {"5"}).isEmpty());
        EXPECT_TRUE(QFileInfo(home.listPath()).isDir());
    }
}

}  // namespace
