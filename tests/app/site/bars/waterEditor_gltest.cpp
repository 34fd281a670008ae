// The water editor's brush on a real water mask: its "clear" check paints
// the water out (black), as its "Clear" button fills the whole mask black,
// and unchecked it paints water in (white), as "Opaque" fills it white.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/site/bars/tbSiteBarsPresenter.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbWaterMask.h"
#include "tests/app/site/siteOnGl.h"

namespace {

class GlWaterEditor : public sitetest::SiteOnGl {
protected:
    void SetUp() override {
        SiteOnGl::SetUp();
        if (HasFatalFailure()) return;
        site = std::make_unique<tbProject_flyingsite>();
        ASSERT_TRUE(site->onNew(""));
        sitebars::PresenterSetup setup;
        setup.site = [this] { return site.get(); };
        bars = std::make_unique<sitebars::SiteBarsPresenter>(std::move(setup));
        bars->bind();
    }
    void TearDown() override {
        bars.reset();
        site.reset();
        SiteOnGl::TearDown();
    }
    // Red of the mask's centre texel, where a dab at the water's centre lands.
    int centre() const {
        std::vector<uint8_t> dds;
        EXPECT_TRUE(site->waterMask().save(dds));
        const size_t texel = 128 + (size_t(tbWaterMask::kSize / 2) * tbWaterMask::kSize + tbWaterMask::kSize / 2) * 4;
        return dds.size() > texel ? dds[texel] : -1;
    }
    void dab() {
        site->setBrushPoint(site->getWaterPosition() + d3dx::Vector3(1, 0, 1));
        site->paintWaterMask();
    }

    std::unique_ptr<tbProject_flyingsite> site;
    std::unique_ptr<sitebars::SiteBarsPresenter> bars;
};

}  // namespace

TEST_F(GlWaterEditor, TheClearCheckPaintsBlackLikeTheClearButton) {
    bars->water.strengthMoved(200);
    bars->water.opaqueClicked();
    EXPECT_EQ(centre(), 255);
    bars->water.clearBrushClicked(true);
    dab();
    EXPECT_LT(centre(), 128);

    bars->water.clearClicked();
    EXPECT_EQ(centre(), 0);
    bars->water.clearBrushClicked(false);
    dab();
    EXPECT_GT(centre(), 128);
}
