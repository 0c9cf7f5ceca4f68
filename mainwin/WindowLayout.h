// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace wf {

// The main window's geometry, in twips, from one number: the split position.
// Products and differences are single precision and assigned as they are.
struct LayoutInput {
    float windowWidth = 0;   // the window's width
    float windowHeight = 0;  // the window's height
    float scaleHeight = 0;   // the height of its inner area
    float tbTop = 0;         // the main toolbar
    float tbHeight = 0;
    bool sbVisible = true;  // the status bar
    float sbHeight = 0;
    float coolBarHeight = 0;  // the web band
    float pic0Top = 0;        // design positions the layout keeps
    float tv1Top = 0;
    float pic2Left = 0;
};

struct TwipsRect {
    float left = 0, top = 0, width = 0, height = 0;
};

struct LayoutResult {
    float windowHeight = 0;  // raised to the least height when lower
    TwipsRect pic0, imgSplitter, pic1, tv1, pic2, rtb, web, fg1;
    float lbltitleLeft = 0, lbltitleWidth = 0;
    float coolBarLeft = 0, coolBarWidth = 0;
    float cmbSearchCategoryWidth = 0, frame1Width = 0;
};

struct WindowLayout {
    static constexpr float kMinWindowWidth = 3000;
    static constexpr float kMinWindowHeight = 2000;
    static constexpr float kMinPane = 3300;
    static constexpr float kDragLimit = 500;

    // Lays the panes out from the split position X, which it clamps in place:
    // at least 3300, at most the window's width less 3300 (that clamp comes
    // last and wins on a narrow window).
    static LayoutResult sizeControls(float& X, const LayoutInput& in);

    // Where the ghost bar goes for a drag at pos, within 500 of either edge.
    static float dragPosition(float pos, float windowWidth);
};

}  // namespace wf
