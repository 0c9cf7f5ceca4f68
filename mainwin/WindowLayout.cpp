// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowLayout.h"

namespace wf {

LayoutResult WindowLayout::sizeControls(float& X, const LayoutInput& in) {
    LayoutResult r;
    r.windowHeight = in.windowHeight < kMinWindowHeight ? kMinWindowHeight : in.windowHeight;
    if (X < kMinPane) {
        X = kMinPane;
    }
    if (X > in.windowWidth - kMinPane) {
        X = in.windowWidth - kMinPane;
    }
    r.pic0.top = in.pic0Top;
    r.pic0.width = X;
    r.pic0.height = in.sbVisible ? in.scaleHeight - (in.tbTop + in.tbHeight + in.sbHeight)
                                 : in.scaleHeight - (in.tbTop + in.tbHeight);
    r.imgSplitter.left = X;
    r.imgSplitter.top = r.pic0.top;
    r.imgSplitter.height = r.pic0.height;
    r.pic1.top = r.pic0.top;
    r.pic1.left = X + 40;
    r.pic1.width = in.windowWidth - (r.pic0.width + 200);
    r.pic1.height = r.pic0.height;
    r.tv1.top = in.tv1Top;
    r.tv1.width = r.pic0.width * 0.95f;
    r.tv1.height = r.pic0.height * 0.88f;
    r.pic2.left = in.pic2Left;
    r.pic2.top = r.tv1.top;
    r.pic2.width = r.pic1.width - 275;
    r.pic2.height = r.tv1.height;
    r.rtb.top = r.pic2.height * 0.03f;
    r.rtb.left = r.pic2.width * 0.02f;
    r.rtb.width = r.pic2.width * 0.96f;
    r.rtb.height = r.pic2.height * 0.95f;
    r.lbltitleLeft = r.pic2.left;
    r.lbltitleWidth = r.pic2.width;
    r.web.top = in.coolBarHeight + in.tbHeight;
    r.web.left = r.pic1.left;
    r.web.width = r.pic1.width;
    r.web.height = r.pic1.height - in.coolBarHeight;
    r.fg1.left = r.pic1.left;
    r.fg1.top = r.web.top;
    r.fg1.width = r.pic1.width;
    r.fg1.height = r.pic1.height - in.coolBarHeight;
    r.coolBarWidth = r.pic1.width;
    r.coolBarLeft = r.pic1.left;
    r.cmbSearchCategoryWidth = r.tv1.width * 0.9f;
    r.frame1Width = r.tv1.width;
    return r;
}

float WindowLayout::dragPosition(float pos, float windowWidth) {
    if (pos < kDragLimit) {
        return kDragLimit;
    }
    if (pos > windowWidth - kDragLimit) {
        return windowWidth - kDragLimit;
    }
    return pos;
}

}  // namespace wf
