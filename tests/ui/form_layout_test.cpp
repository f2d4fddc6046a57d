// SPDX-License-Identifier: MIT
// The entry form's layout per display format, on the form's own template:
// the widened fields, what follows them and what each format shows.
#include "ui/form_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "res/resource_ids.h"
#include "res/resources.h"
#include "support/headless/headless.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using Rects = std::map<int, RECT>;

Rects AllRects(const HeadlessDialog& d) {
    Rects rects;
    for (const auto& child : d.Dialog().m_hWnd->children) {
        rects[child->id] = child->rect;
    }
    return rects;
}

std::vector<int> ShownAndEnabled(const HeadlessDialog& d) {
    std::vector<int> ids;
    for (const auto& child : d.Dialog().m_hWnd->children) {
        EXPECT_EQ(child->visible, child->enabled) << child->id;
        if (child->visible) {
            ids.push_back(child->id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Opens the entry form's template as a plain dialog and runs the check on it.
void OnForm(const ResourceTable& resources,
            const std::function<void(CDialog&, HeadlessDialog&)>& check) {
    Headless ui(resources);
    ui.OnDialog(IDD_ENTRY, [&](HeadlessDialog& d) {
        check(d.Dialog(), d);
        d.Cancel();
    });
    CDialog(IDD_ENTRY).DoModal();
}

TEST(FormLayout, TablesFromTheTemplate) {
    OnForm(QuillpostResources(), [](CDialog& dialog, HeadlessDialog&) {
        const FormLayout::Table table = FormLayout::ComputeLayout(dialog);
        // Degree edits 16 units (32 px) become 88 px, minute edits become 64.
        EXPECT_THAT(table.width[Deg], ElementsAre(88, 32, 48));
        EXPECT_THAT(table.width[DegMin], ElementsAre(32, 64, 48));
        EXPECT_THAT(table.width[DegMinSec], ElementsAre(32, 32, 48));
        // Signs at 106, 162, 234 px; the buttons 22 px after the last sign.
        EXPECT_THAT(table.x[Deg], ElementsAre(162, 162, 234, 184));
        EXPECT_THAT(table.x[DegMin], ElementsAre(106, 194, 234, 216));
        EXPECT_THAT(table.x[DegMinSec], ElementsAre(106, 162, 234, 256));
    });
}

TEST(FormLayout, WideningTruncates) {
    ResourceTable resources = QuillpostResources();
    for (auto& item : resources.dialogs[0].items) {
        if (item.id == IDC_LAT_DEG || item.id == IDC_LAT_MIN) {
            item.cx = 17;  // 34 px: 93.5 px at 2.75 times, 68 at 2 times
        }
    }
    OnForm(resources, [](CDialog& dialog, HeadlessDialog&) {
        const FormLayout::Table table = FormLayout::ComputeLayout(dialog);
        EXPECT_EQ(table.width[Deg][0], 93);
        EXPECT_EQ(table.x[Deg][0], 106 + 93 - 34);
        EXPECT_EQ(table.width[DegMin][1], 68);
    });
}

TEST(FormLayout, EachFormatShowsItsControlsInPlace) {
    OnForm(QuillpostResources(), [](CDialog& dialog, HeadlessDialog& d) {
        const Rects template_ = AllRects(d);
        const FormLayout::Table table = FormLayout::ComputeLayout(dialog);

        FormLayout::ApplyFormat(dialog, table, Deg);
        EXPECT_THAT(ShownAndEnabled(d),
                    ElementsAreArray({IDC_NAME_LABEL, IDC_NAME, IDC_LAT_LABEL, IDC_LAT_DEG,
                                      IDC_LAT_DEG_SIGN, IDC_LAT_HEMISPHERE, IDC_LONG_LABEL,
                                      IDC_LONG_DEG, IDC_LONG_DEG_SIGN, IDC_LONG_HEMISPHERE,
                                      IDC_FORMAT_LABEL, IDC_FORMAT, IDC_ADD}));
        EXPECT_EQ(d.Rect(IDC_LAT_DEG), (RECT{70, 50, 158, 74}));
        EXPECT_EQ(d.Rect(IDC_LONG_DEG), (RECT{70, 78, 158, 102}));
        EXPECT_EQ(d.Rect(IDC_LONG_DEG_SIGN).left, 162);
        EXPECT_EQ(d.Rect(IDC_LAT_HEMISPHERE), (RECT{184, 50, 220, 74}));
        EXPECT_EQ(d.Rect(IDC_LONG_HEMISPHERE), (RECT{184, 78, 220, 102}));
        const Rects deg = AllRects(d);

        FormLayout::ApplyFormat(dialog, table, DegMin);
        EXPECT_THAT(ShownAndEnabled(d),
                    ElementsAreArray({IDC_NAME_LABEL, IDC_NAME, IDC_LAT_LABEL, IDC_LAT_DEG,
                                      IDC_LAT_DEG_SIGN, IDC_LAT_MIN, IDC_LAT_MIN_SIGN,
                                      IDC_LAT_HEMISPHERE, IDC_LONG_LABEL, IDC_LONG_DEG,
                                      IDC_LONG_DEG_SIGN, IDC_LONG_MIN, IDC_LONG_MIN_SIGN,
                                      IDC_LONG_HEMISPHERE, IDC_FORMAT_LABEL, IDC_FORMAT, IDC_ADD}));
        EXPECT_EQ(d.Rect(IDC_LAT_DEG), template_.at(IDC_LAT_DEG));
        EXPECT_EQ(d.Rect(IDC_LONG_MIN), (RECT{126, 78, 190, 102}));
        EXPECT_EQ(d.Rect(IDC_LAT_MIN_SIGN).left, 194);
        EXPECT_EQ(d.Rect(IDC_LONG_HEMISPHERE).left, 216);

        FormLayout::ApplyFormat(dialog, table, DegMinSec);
        EXPECT_EQ(ShownAndEnabled(d).size(), 21u);  // all but the six UTM controls
        EXPECT_EQ(AllRects(d), template_);

        FormLayout::ApplyFormat(dialog, table, UTM);
        EXPECT_THAT(ShownAndEnabled(d),
                    ElementsAreArray({IDC_NAME_LABEL, IDC_NAME, IDC_LAT_HEMISPHERE, IDC_NORTH_LABEL,
                                      IDC_NORTH, IDC_EAST_LABEL, IDC_EAST, IDC_ZONE_LABEL, IDC_ZONE,
                                      IDC_FORMAT_LABEL, IDC_FORMAT, IDC_ADD}));
        EXPECT_EQ(d.Rect(IDC_LAT_HEMISPHERE), (RECT{196, 50, 232, 74}));  // above the zone field

        FormLayout::ApplyFormat(dialog, table, Deg);
        EXPECT_EQ(AllRects(d), deg);
    });
}

}  // namespace
