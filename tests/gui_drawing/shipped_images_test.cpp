// The editor images that a library carries: found by type "PNG" and id in the program's own
// module, byte for byte the committed files, with the sizes the editor lays itself out by; and a
// knob image blended over the panel, checked against a blend of the files decoded separately.
// Built once per library (QLN_LIBRARY names it).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "drawing_test_support.h"
#include "gui/bitmap.h"
#include "gui/offscreen_context.h"
#include "gui/platform/resources.h"
#include "shell/module_instance.h"

namespace {

using namespace QGUI;
using drawing_test::capture;
using drawing_test::Picture;
using drawing_test::picturesMatch;
using drawing_test::RgbaImage;

constexpr std::int32_t kPanelId = 128;
constexpr std::int32_t kKnobId = 129;
constexpr std::int32_t kKnobSize = 80;
constexpr std::int32_t kKnobFrames = 61;

std::string panelFile() {
    return drawing_test::resourcesFolder() + "/" + QLN_LIBRARY + "/panel.png";
}
std::string knobFile() { return drawing_test::resourcesFolder() + "/knob_strip.png"; }

class ShippedImagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::reset();
        platform::headless::resetDrawingPlatform();
        drawing_test::lookUpBlending();
        saved = gModuleInstance;
        // The program's own module, as the entry records it for a library.
        gModuleInstance = platform::moduleContaining(reinterpret_cast<const void*>(&panelFile));
    }
    void TearDown() override { gModuleInstance = saved; }

    void* saved = nullptr;
};

TEST_F(ShippedImagesTest, ResourcesAreTheCommittedFiles) {
    struct Case {
        std::int32_t id;
        std::string file;
    } cases[] = {{kPanelId, panelFile()}, {kKnobId, knobFile()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        platform::ResourceBytes bytes;
        ASSERT_TRUE(platform::findResource(gModuleInstance, "PNG", c.id, bytes));
        const auto file = drawing_test::readFile(c.file);
        ASSERT_FALSE(file.empty());
        ASSERT_EQ(bytes.size, file.size());
        EXPECT_TRUE(std::equal(file.begin(), file.end(), bytes.data));
    }
    platform::ResourceBytes none;
    EXPECT_FALSE(platform::findResource(gModuleInstance, "PNG", 130, none));
    EXPECT_FALSE(platform::findResource(gModuleInstance, "BITMAP", kPanelId, none));
    // The id is a 16-bit integer id.
    EXPECT_TRUE(platform::findResource(gModuleInstance, "PNG", 0x10000 + kPanelId, none));
}

TEST_F(ShippedImagesTest, PanelAndKnobStripLoadWithTheirSizes) {
    CBitmap panel(kPanelId), knobs(kKnobId);
    EXPECT_TRUE(panel.isLoaded());
    EXPECT_EQ(panel.width, 752);
    EXPECT_EQ(panel.height, 80);
    EXPECT_FALSE(panel.hasNoAlpha());
    EXPECT_TRUE(knobs.isLoaded());
    EXPECT_EQ(knobs.width, kKnobSize);
    EXPECT_EQ(knobs.height, kKnobSize * kKnobFrames);
    EXPECT_FALSE(knobs.hasNoAlpha());
    EXPECT_TRUE(panel.loadResource(kPanelId));
}

TEST_F(ShippedImagesTest, KnobStripIsTransparentOutsideTheKnobAndOpaqueInside) {
    RgbaImage strip;
    ASSERT_TRUE(drawing_test::decodePngFile(knobFile(), strip));
    for (std::int32_t frame = 0; frame < kKnobFrames; frame += 10) {
        SCOPED_TRACE(frame);
        const std::int32_t top = frame * kKnobSize;
        EXPECT_EQ(strip.at(0, top)[3], 0);                               // corners
        EXPECT_EQ(strip.at(kKnobSize - 1, top + kKnobSize - 1)[3], 0);
        EXPECT_EQ(strip.at(kKnobSize / 2, top + kKnobSize / 2)[3], 255);  // centre
        EXPECT_EQ(strip.at(kKnobSize / 2 + 20, top + kKnobSize / 2)[3], 255);
    }
}

TEST_F(ShippedImagesTest, KnobImageOverThePanelFollowsTheStripsAlpha) {
    RgbaImage panelPixels, strip;
    ASSERT_TRUE(drawing_test::decodePngFile(panelFile(), panelPixels));
    ASSERT_TRUE(drawing_test::decodePngFile(knobFile(), strip));
    CBitmap panel(kPanelId), knobs(kKnobId);

    const CRectangle knobRect(272, 0, 352, 80);  // the second knob of the editor
    for (std::int32_t frame : {0, 30, 60}) {
        SCOPED_TRACE(frame);
        COffscreenContext context(nullptr, 752, 80, kBlackColor);
        panel.drawPlain(&context, {0, 0, 752, 80});
        knobs.drawPlain(&context, knobRect, {0, frame * kKnobSize});

        // The same picture from the files: the panel premultiplied as loading does (opaque
        // channels lose a step), the knob blended over it.
        Picture expected(752, 80);
        for (std::int32_t y = 0; y < 80; ++y)
            for (std::int32_t x = 0; x < 752; ++x) {
                const std::uint8_t* p = panelPixels.at(x, y);
                CRgbaColor c{std::uint8_t(p[0] * 255 >> 8), std::uint8_t(p[1] * 255 >> 8),
                             std::uint8_t(p[2] * 255 >> 8), 255};
                if (knobRect.contains({x, y})) {
                    const std::uint8_t* k = strip.at(x - knobRect.left, frame * kKnobSize + y);
                    const unsigned a = k[3];
                    auto over = [&](std::uint8_t knob, std::uint8_t under) {
                        const unsigned premultiplied = a == 0 ? 0 : (knob * a) >> 8;
                        return std::uint8_t(
                            std::lround(premultiplied + under * (255.0 - a) / 255.0));
                    };
                    c = {over(k[0], c.red), over(k[1], c.green), over(k[2], c.blue), 255};
                }
                expected.set(x, y, c);
            }
        const Picture drawn = capture(context.getSystemContext(), 752, 80);
        EXPECT_TRUE(picturesMatch(drawn, expected, 1,
                                  std::string("knob-over-panel-") + QLN_LIBRARY + "-" +
                                      std::to_string(frame)));
        // Where the strip is clear the panel shows unchanged; where it is opaque, the knob.
        const std::uint8_t* corner = strip.at(0, frame * kKnobSize);
        ASSERT_EQ(corner[3], 0);
        EXPECT_EQ(drawn.at(knobRect.left, 0), expected.at(knobRect.left, 0));
        const std::uint8_t* centre = strip.at(40, frame * kKnobSize + 40);
        ASSERT_EQ(centre[3], 255);
        EXPECT_NEAR(drawn.at(knobRect.left + 40, 40).green, centre[1] * 255 >> 8, 1);
    }
}

}  // namespace
