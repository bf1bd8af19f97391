// What a change of the face's frame asks to redraw.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "ui/faceframe.h"

namespace {

TEST(FaceFrame, ChangeAsksForTheLeastRedraw)
{
    FaceFrame shown = {};
    std::strcpy(shown.line1, "2026/12/07 23:59:58");
    std::strcpy(shown.line2, "2026/12/08 06:00:00");
    struct Case {
        const char* what;
        std::function<void(FaceFrame&)> change;
        FaceChange expected;
    } cases[] = {
        {"nothing", [](FaceFrame&) {}, FaceChange::None},
        {"the seconds", [](FaceFrame& f) { std::strcpy(f.line1, "2026/12/07 23:59:59"); }, FaceChange::Line1Time},
        {"the date", [](FaceFrame& f) { std::strcpy(f.line1, "2026/12/08 00:00:00"); }, FaceChange::Line1},
        {"a line without a blank", [](FaceFrame& f) { std::strcpy(f.line1, "x"); }, FaceChange::Line1},
        {"line 2", [](FaceFrame& f) { std::strcpy(f.line2, "2026/12/08 07:00:00"); }, FaceChange::Line2},
        {"the suffix", [](FaceFrame& f) { std::strcpy(f.suffix, "\"(7ms/0)"); }, FaceChange::Line2},
        {"both lines", [](FaceFrame& f) { f.line1[18] = '9'; f.line2[0] = '3'; }, FaceChange::Whole},
        {"running", [](FaceFrame& f) { f.running = 1; }, FaceChange::Whole},
        {"a colour", [](FaceFrame& f) { f.colours[2] = 1; }, FaceChange::Whole},
        {"the button", [](FaceFrame& f) { f.buttonDown = 1; }, FaceChange::Whole},
        {"the mode", [](FaceFrame& f) { f.monitorMode = 201; }, FaceChange::Whole},
    };
    for (const Case& c : cases) {
        FaceFrame next = shown;
        c.change(next);
        EXPECT_EQ(static_cast<int>(c.expected), static_cast<int>(faceChange(shown, next))) << c.what;
    }
}

} // namespace
