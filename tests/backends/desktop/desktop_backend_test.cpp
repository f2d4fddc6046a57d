// SPDX-License-Identifier: MIT
// The program on the desktop backend, its real Qt widgets driven with key and
// mouse events on Qt's offscreen platform: what a desktop user sees and does.
#include "backends/desktop/desktop_backend.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>

#include "app/run_program.h"
#include "desktop_user.h"
#include "res/resource_ids.h"
#include "support/scratch_profile.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using User = DesktopUser;

class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() {
        std::filesystem::create_directories(routes);
        WriteFileBytes(routes / "Ausflug.rte", "");
        WriteFileBytes(routes / "Heimweg.rte", "");
    }

    // The first start: the language dialog offers English with the focus on
    // it, and Enter is its default button OK, which keeps it.
    void ChooseEnglish() {
        user.OnDialog(IDD_LANGUAGE, [](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Quillpost Language");
            EXPECT_EQ(User::Focus(d), Named(IDC_ENGLISH));
            EXPECT_TRUE(d.findChild<QPushButton*>(Named(IDOK))->isDefault());
            User::Key(Qt::Key_Return);
        });
    }
    int Run() { return RunProgram(User::Backend()); }

    ScratchProfile profile;
    ScratchDir card;
    ScopedEnv cardEnv{"QUILLPOST_STORAGE_CARD", card.path().string()};
    std::filesystem::path routes = card.path() / "MN6" / "Settings" / "Routes";
    User user;
};

TEST_F(DesktopTest, AFirstStartTypesAPointAndAddsItToTheChosenFile) {
    ChooseEnglish();
    user.OnDialog(IDD_ROUTE_FILE, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Routing File Dialog");
        User::ClickItem(d, Named(IDC_ROUTE_FILES), 0);
        User::Click(d, Named(IDOK));
    });
    user.OnDialog(IDD_ENTRY, [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Quillpost");
        EXPECT_FALSE(d.windowIcon().isNull());
        EXPECT_EQ(User::Focus(d), Named(IDC_NAME));
        User::Type("Home");
        User::Key(Qt::Key_Tab);
        User::Type("53.5");
        User::Key(Qt::Key_Tab);
        User::Type("10");
        // The rest of the tab order: the two buttons, the list and Add.
        std::vector<QString> order;
        for (int i = 0; i < 4; ++i) {
            User::Key(Qt::Key_Tab);
            order.push_back(User::Focus(d));
        }
        EXPECT_THAT(order, ElementsAre(Named(IDC_LAT_HEMISPHERE), Named(IDC_LONG_HEMISPHERE),
                                       Named(IDC_FORMAT), Named(IDC_ADD)));
        EXPECT_EQ(User::Text(d, Named(IDC_NAME)), "HOME");
        User::Key(Qt::Key_Return);  // Add
        // The window manager's close button is Cancel.
        d.close();
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_THAT(user.DialogsOpened(), ElementsAre(IDD_LANGUAGE, IDD_ENTRY, IDD_ROUTE_FILE));
    EXPECT_EQ(ReadFileBytes(routes / "Ausflug.rte"),
              "[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n");
    EXPECT_EQ(ReadFileBytes(routes / "Heimweg.rte"), "");
    EXPECT_EQ(ReadFileBytes(profile.File()),
              "[Settings]\nLatHemisphere=0\nLongHemisphere=0\nFormat=0\nDatum=0\nLanguage=1\n");
}

TEST_F(DesktopTest, EveryFormatThroughTheDropDownList) {
    profile.Write(L"Language", 1);
    user.OnDialog(IDD_ENTRY, [](QDialog& d) {
        User::Click(d, Named(IDC_LAT_DEG));
        User::Type("53.5");
        User::Click(d, Named(IDC_LONG_DEG));
        User::Type("10");
        User::Click(d, Named(IDC_LAT_HEMISPHERE));
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_HEMISPHERE)), "S");
        // The hemisphere letters stand in a face whose letters are all as wide.
        const QFontMetricsF letters(d.findChild<QWidget*>(Named(IDC_LAT_HEMISPHERE))->font());
        EXPECT_EQ(letters.horizontalAdvance(QLatin1Char('i')),
                  letters.horizontalAdvance(QLatin1Char('W')));

        User::Click(d, Named(IDC_FORMAT));  // opens the list
        User::Key(Qt::Key_Down);
        User::Key(Qt::Key_Return);
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "Deg Min");
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_DEG)), "53");
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_MIN)), "30");
        EXPECT_EQ(User::Text(d, Named(IDC_LONG_MIN)), "0");
        EXPECT_FALSE(User::Shown(d, Named(IDC_LAT_SEC)));

        User::Key(Qt::Key_F4);
        User::Key(Qt::Key_Down);
        User::Key(Qt::Key_Return);
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "Deg Min Sec");
        EXPECT_TRUE(User::Shown(d, Named(IDC_LAT_SEC)));
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_SEC)), "0");

        User::Key(Qt::Key_Down, Qt::AltModifier);
        User::Key(Qt::Key_Home);
        User::Key(Qt::Key_Return);
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "Degree");
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_DEG)), "53.5");

        User::Key(Qt::Key_Space);
        User::Key(Qt::Key_End);
        User::Key(Qt::Key_Return);
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "UTM");
        EXPECT_EQ(User::Text(d, Named(IDC_NORTH)), "4071641");
        EXPECT_EQ(User::Text(d, Named(IDC_EAST)), "566332");
        EXPECT_EQ(User::Text(d, Named(IDC_ZONE)), "32");
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_HEMISPHERE)), "S");
        EXPECT_FALSE(User::Shown(d, Named(IDC_LAT_DEG)));
        EXPECT_FALSE(User::Shown(d, Named(IDC_LONG_HEMISPHERE)));

        // Esc in the open list leaves the format as it was.
        User::Key(Qt::Key_Return);
        User::Key(Qt::Key_Home);
        User::Key(Qt::Key_Escape);
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "UTM");
        EXPECT_EQ(User::Text(d, Named(IDC_EAST)), "566332");

        // A pick typed ahead of the program is made before the keys after it.
        User::KeysAhead({Qt::Key_F4, Qt::Key_Home, Qt::Key_Return, Qt::Key_Tab});
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "Degree");
        EXPECT_EQ(User::Focus(d), Named(IDC_ADD));
        User::KeysAhead({Qt::Key_Backtab, Qt::Key_F4, Qt::Key_End, Qt::Key_Return});
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "UTM");

        // A pick with the mouse.
        User::Click(d, Named(IDC_FORMAT));
        User::ClickOpenListItem(d, Named(IDC_FORMAT), 1);
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "Deg Min");
        EXPECT_TRUE(User::Shown(d, Named(IDC_LAT_MIN)));
        User::Key(Qt::Key_F4);
        User::Key(Qt::Key_End);
        User::Key(Qt::Key_Return);
        User::Key(Qt::Key_F10);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(profile.Read(L"Format"), 3);
    EXPECT_EQ(profile.Read(L"LatHemisphere"), 1);
}

TEST_F(DesktopTest, MessagesForAnEmptyNameAndARangeAndWhereTheFocusGoes) {
    profile.Write(L"Language", 1);
    user.OnDialog(IDD_ENTRY, [this](QDialog& d) {
        User::Click(d, Named(IDC_ADD));
        EXPECT_THAT(user.TakeMessageBoxes(), ElementsAre(L"The Name must not be empty!"));

        User::Click(d, Named(IDC_LAT_DEG));
        User::Type("95");
        User::Key(Qt::Key_Tab);
        EXPECT_THAT(user.TakeMessageBoxes(),
                    ElementsAre(L"Please enter a number between 0 and 90."));
        EXPECT_EQ(User::Focus(d), Named(IDC_LAT_DEG));
        // The refused text is marked, so that typing replaces it.
        EXPECT_EQ(d.findChild<QLineEdit*>(Named(IDC_LAT_DEG))->selectedText(), "095");
        // A click elsewhere leaves the field too: the message again, and the
        // click goes no further.
        User::Click(d, Named(IDC_LAT_HEMISPHERE));
        EXPECT_EQ(user.TakeMessageBoxes().size(), 1u);
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_HEMISPHERE)), "N");
        EXPECT_EQ(User::Focus(d), Named(IDC_LAT_DEG));
        // The title bar's OK keeps the form open while a field is wrong.
        User::Click(d, "title-ok");
        EXPECT_EQ(user.TakeMessageBoxes().size(), 1u);
        EXPECT_TRUE(d.isVisible());
        User::Type("45");
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_DEG)), "45");
        User::Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_THAT(user.DialogsOpened(), ElementsAre(IDD_ENTRY));
}

TEST_F(DesktopTest, TheHelpButtonRelabelsTheFormInGerman) {
    profile.Write(L"Language", 1);
    user.OnDialog(IDD_LANGUAGE, [](QDialog& d) {
        User::Click(d, Named(IDC_GERMAN));
        User::Click(d, Named(IDOK));
    });
    user.OnDialog(IDD_ENTRY, [](QDialog& d) {
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_LABEL)), "Lat");
        User::Click(d, "title-help");
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_LABEL)), "Breite");
        EXPECT_EQ(User::Text(d, Named(IDC_LONG_LABEL)), QString::fromUtf8("L\u00e4nge"));
        EXPECT_EQ(User::Text(d, Named(IDC_LAT_DEG_SIGN)), QString::fromUtf8("\u00b0"));
        EXPECT_EQ(User::Text(d, Named(IDC_ADD)), "Hinzu");
        EXPECT_EQ(User::Text(d, Named(IDC_LONG_HEMISPHERE)), "O");
        EXPECT_EQ(User::Text(d, Named(IDC_FORMAT)), "Grad");
        User::Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(profile.Read(L"Language"), 0);
}

TEST_F(DesktopTest, ARefusedUtmEntryWritesNothing) {
    profile.Write(L"Language", 1);
    profile.Write(L"Format", 3);
    user.OnDialog(IDD_ENTRY, [this](QDialog& d) {
        User::Type("Far");
        User::Click(d, Named(IDC_NORTH));
        User::Type("1e400");
        User::Click(d, Named(IDC_ADD));
        EXPECT_EQ(user.TakeMessageBoxes().size(), 1u);
        EXPECT_EQ(User::Focus(d), Named(IDC_NORTH));
        User::Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_THAT(user.DialogsOpened(), ElementsAre(IDD_ENTRY));
    EXPECT_EQ(ReadFileBytes(routes / "Ausflug.rte"), "");
}

TEST_F(DesktopTest, ADoubleClickInTheChooserIsOk) {
    profile.Write(L"Language", 1);
    user.OnDialog(IDD_ROUTE_FILE,
                  [](QDialog& d) { User::ClickItem(d, Named(IDC_ROUTE_FILES), 1, true); });
    user.OnDialog(IDD_ENTRY, [](QDialog& d) {
        User::Type("Pier");
        User::Click(d, Named(IDC_ADD));
        User::Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ReadFileBytes(routes / "Heimweg.rte"),
              "[PIER||][0][10]|0.000000,0.000000||0.000000|0.000000|\r\n");
}

TEST_F(DesktopTest, ALargerSystemFontScalesTheFontsTheFormNames) {
    profile.Write(L"Language", 1);
    const QFont system = QApplication::font();
    QFont large = system;
    large.setPointSizeF(18);
    QApplication::setFont(large);
    user.OnDialog(IDD_ENTRY, [](QDialog& d) {
        // The form names an 8-point face for the hemisphere buttons, in its
        // own 8-point font: both grow alike.
        EXPECT_EQ(d.findChild<QWidget*>(Named(IDC_LAT_HEMISPHERE))->font().pointSizeF(), 18);
        EXPECT_EQ(d.findChild<QWidget*>(Named(IDC_LAT_DEG))->font().pointSizeF(), 18);
        User::Key(Qt::Key_Escape);
    });
    EXPECT_EQ(Run(), 0);
    QApplication::setFont(system);
}

TEST_F(DesktopTest, EveryControlHasTheNameAScreenReaderReads) {
    profile.Write(L"Language", 1);
    profile.Write(L"Format", 2);
    user.OnDialog(IDD_ENTRY, [](QDialog& d) {
        const auto name = [&d](const QString& id) {
            return d.findChild<QWidget*>(id)->accessibleName();
        };
        EXPECT_EQ(name(Named(IDC_NAME)), "Name");
        EXPECT_EQ(name(Named(IDC_LAT_DEG)), "Lat degrees");
        EXPECT_EQ(name(Named(IDC_LAT_MIN)), "Lat minutes");
        EXPECT_EQ(name(Named(IDC_LAT_SEC)), "Lat seconds");
        EXPECT_EQ(name(Named(IDC_LONG_HEMISPHERE)), "Long E");
        EXPECT_EQ(name(Named(IDC_FORMAT)), "Format");
        EXPECT_EQ(name("title-help"), "Help");
        EXPECT_EQ(name("title-ok"), "OK");
        User::Click(d, "title-help");
        EXPECT_EQ(name(Named(IDC_LONG_DEG)), QString::fromUtf8("L\u00e4nge Grad"));
        User::Key(Qt::Key_Escape);
    });
    user.OnDialog(IDD_LANGUAGE, [](QDialog&) {
        // Up moves to German and checks it; Enter is OK.
        User::Key(Qt::Key_Up);
        User::Key(Qt::Key_Return);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(profile.Read(L"Language"), 0);
}

// The desktop tests run twice, with the machine's fonts and with Noto Sans
// Mono hidden from fontconfig (ctest sets QUILLPOST_TEST_NOTO_MONO): each
// run checks that it has the fonts it is meant to have.
TEST(DesktopFonts, TheRunHasTheFontsItIsMeantToHave) {
    const char* expected = std::getenv("QUILLPOST_TEST_NOTO_MONO");
    if (!expected) {
        GTEST_SKIP() << "QUILLPOST_TEST_NOTO_MONO is not set";
    }
    User::Backend();
    EXPECT_EQ(QFontDatabase::families().contains("Noto Sans Mono"), std::string(expected) == "1")
        << "Noto Sans Mono " << (std::string(expected) == "1" ? "missing" : "not hidden")
        << "; scripts/setup installs fonts-noto-mono";
}

}  // namespace
