// SPDX-License-Identifier: MIT
// The program against every state its settings file can be in: it starts,
// runs and ends whatever it finds there, and never throws away what it could
// not understand or was not allowed to change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/entry_app.h"
#include "engine/position_engine.h"
#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"
#include "support/scratch_dir.h"
#include "support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kFirstEnd =
    "[Settings]\nLatHemisphere=0\nLongHemisphere=0\nFormat=0\nDatum=0\nLanguage=1\n";

class SettingsFaultTest : public ::testing::Test {
protected:
    // A start as on a fresh device: the language dialog offers English, then
    // the form opens in decimal degrees, north and east, and is cancelled.
    void ExpectFirstStart(Headless& headless) {
        headless.OnDialog(IDD_LANGUAGE, [](HeadlessDialog& d) { d.Ok(); });
        ExpectForm(headless, L"Lat", Deg, L"N", L"E");
    }
    void ExpectForm(Headless& headless, const wchar_t* latitudeLabel, CoordFormat format,
                    const wchar_t* north, const wchar_t* east) {
        headless.OnDialog(IDD_ENTRY, [=](HeadlessDialog& d) {
            EXPECT_EQ(d.Text(IDC_LAT_LABEL), latitudeLabel);
            EXPECT_EQ(d.Selection(IDC_FORMAT), format);
            EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), north);
            EXPECT_EQ(d.Text(IDC_LONG_HEMISPHERE), east);
            d.Cancel();
        });
    }
    mode_t Mode(const fs::path& path) {
        struct stat status;
        return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
    }

    ScratchDir dir;
    ScopedEnv config{"XDG_CONFIG_HOME", dir.path().string()};
    fs::path folder = dir / "Kvo Applications";
    fs::path file = folder / "Quillpost.ini";
    Headless ui{QuillpostResources()};
};

TEST_F(SettingsFaultTest, AMissingOrEmptyFileIsAFirstStart) {
    ExpectFirstStart(ui);
    EXPECT_EQ(AfxWinMain(), 0);  // no folder yet: it is made at the end
    EXPECT_EQ(ReadFileBytes(file), kFirstEnd);

    WriteFileBytes(file, "");
    ExpectFirstStart(ui);
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(ReadFileBytes(file), kFirstEnd);
    EXPECT_THAT(ui.MessageBoxes(), IsEmpty());
    EXPECT_EQ(AfxGetApp()->SettingsNotSaved(), "");
}

TEST_F(SettingsFaultTest, GarbageIsKeptAndTheSettingsFollowIt) {
    const std::string garbage(
        "\x7f"
        "ELF\x02\x01\x00\xff\xfe=\x80\n\x00\x00[\x01\x02",
        17);
    WriteFileBytes(file, garbage);
    ExpectFirstStart(ui);
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(ReadFileBytes(file), garbage + "\n" + kFirstEnd);
}

TEST_F(SettingsFaultTest, ValuesOutsideTheirRangesFallBackAndAreMended) {
    WriteFileBytes(file,
                   "[Settings]\nLanguage=7\nFormat=9\nDatum=-5\nLatHemisphere=2\n"
                   "LongHemisphere=-1\n");
    ExpectForm(ui, L"Breite", Deg, L"N", L"O");  // German, and no language dialog
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(ReadFileBytes(file),
              "[Settings]\nLanguage=0\nFormat=0\nDatum=-5\nLatHemisphere=0\nLongHemisphere=0\n");
}

// Forty digits are no 32-bit number: each value is as good as absent, and
// an absent language is asked for again.
TEST_F(SettingsFaultTest, AFortyDigitValueCountsAsAbsent) {
    const std::string digits(40, '3');
    WriteFileBytes(file, "[Settings]\nLanguage=" + digits + "\nFormat=" + digits +
                             "\nDatum=" + digits + "\nLatHemisphere=" + digits +
                             "\nLongHemisphere=" + digits + "\n");
    ExpectFirstStart(ui);
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(ReadFileBytes(file),
              "[Settings]\nLanguage=1\nFormat=0\nDatum=0\nLatHemisphere=0\nLongHemisphere=0\n");
}

// A read-only settings file is the user's way of fixing the settings: the
// program starts with them and leaves the file as it is at the end.
TEST_F(SettingsFaultTest, AReadOnlyFileIsUsedAndLeftAsItIs) {
    const std::string stored =
        "[Settings]\nLatHemisphere=1\nLongHemisphere=0\nFormat=2\nDatum=0\nLanguage=1\n";
    WriteFileBytes(file, stored);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ui.OnDialog(IDD_ENTRY, [](HeadlessDialog& d) {
        EXPECT_EQ(d.Selection(IDC_FORMAT), DegMinSec);
        EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
        d.Pick(IDC_FORMAT, UTM).Click(IDC_LAT_HEMISPHERE).Ok();
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(ReadFileBytes(file), stored);
    EXPECT_EQ(Mode(file), 0444u);
    // The change made in the form is lost, and the user is told.
    EXPECT_EQ(AfxGetApp()->SettingsNotSaved(),
              "the settings were not saved to '" + file.string() + "': the file is read-only");
}

// The settings cannot be written at the end: the program ends as always and
// the old file, where there is one, is intact.
TEST_F(SettingsFaultTest, AFolderThatCannotBeWrittenEndsTheProgramNormally) {
    WriteFileBytes(folder, "a file where the folder belongs");
    ExpectFirstStart(ui);
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(ReadFileBytes(folder), "a file where the folder belongs");
    EXPECT_EQ(AfxGetApp()->SettingsNotSaved(),
              "the settings were not saved to '" + file.string() + "': Not a directory");

    fs::remove(folder);
    const std::string stored =
        "[Settings]\nLatHemisphere=1\nLongHemisphere=1\nFormat=1\nDatum=0\nLanguage=1\n";
    WriteFileBytes(file, stored);
    fs::permissions(dir.path(),
                    fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    fs::permissions(folder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    GiveToChild(file);  // the user's own file, in a folder the user may not change
    const int status = RunUnprivileged([&] {
        Headless child(QuillpostResources());
        child.OnDialog(IDD_ENTRY, [](HeadlessDialog& d) {
            EXPECT_EQ(d.Selection(IDC_FORMAT), DegMin);
            EXPECT_EQ(d.Text(IDC_LAT_HEMISPHERE), L"S");
            d.Pick(IDC_FORMAT, UTM).Cancel();  // a change that cannot be kept
        });
        return AfxWinMain();
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFileBytes(file), stored);
}

}  // namespace
