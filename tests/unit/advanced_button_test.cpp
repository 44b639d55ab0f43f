// The recolourable owner-drawn button on a fake parent dialog that paints
// the item into a recording canvas whenever it is redrawn, as the window
// system routes the owner-draw paint to the button.
#include "controls/advanced_button.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tests/headless/recording_canvas.h"

namespace {

using plat::CanvasOp;
using plat::CanvasOpKind;
using plat::Colour;
using plat::RecordingCanvas;
using plat::Rect;

constexpr int kCw = 1004;
constexpr Colour kFace = 0x00C0C0C0;
constexpr Colour kText = 0x00010101;
constexpr Colour kDisabledText = 0x00808080;
constexpr Colour kGreen = 0x0000FF00;

class FakeDialog : public plat::DialogWindow {
  public:
    std::map<int, std::string> texts{{kCw, "CW"}};
    std::set<int> ownerDrawn;
    controls::CAdvancedButton* painter = nullptr;
    unsigned state = 0;
    Rect itemRect{0, 0, 60, 24};
    int redraws = 0;
    RecordingCanvas canvas;  // the last paint

    plat::WindowId Id() const override { return 1; }
    bool IsModal() const override { return false; }
    void SetCaption(const std::string& /*text*/) override {}
    std::string Caption() const override { return {}; }
    bool HasItem(int id) const override { return texts.count(id) != 0; }
    void SetItemText(int id, const std::string& text) override { texts[id] = text; }
    std::string ItemText(int id) const override {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    void SetCheck(int /*id*/, bool /*checked*/) override {}
    bool IsChecked(int /*id*/) const override { return false; }
    void EnableItem(int /*id*/, bool /*enabled*/) override {}
    void MoveItem(int /*id*/, const Rect& /*r*/) override {}
    Rect ItemRect(int /*id*/) const override { return itemRect; }
    bool MakeOwnerDrawn(int id) override {
        if (!HasItem(id)) {
            return false;
        }
        ownerDrawn.insert(id);
        return true;
    }
    void RedrawItemNow(int /*id*/) override {
        ++redraws;
        canvas.ClearOps();
        if (painter != nullptr) {
            painter->DrawItem(canvas, itemRect, state);
        }
    }
    void InvalidateItem(int /*id*/) override {}
    Rect WindowRect() const override { return {}; }
    Rect ClientRect() const override { return {}; }
    void MoveTo(int /*x*/, int /*y*/) override {}
    void MakeTopmost() override {}
    void SetIcon(int /*resourceId*/) override {}
    void DisableCloseEntry() override {}
    void Show() override {}
    void EndDialog(int /*result*/) override {}
    void Destroy() override {}
};

struct ButtonTest : ::testing::Test {
    FakeDialog dialog;
    controls::CAdvancedButton button;

    void SetUp() override {
        dialog.painter = &button;
        ASSERT_TRUE(button.AttachToItem(kCw, dialog, kFace, kText, kDisabledText));
    }
    std::vector<CanvasOp> Ops(CanvasOpKind kind) const { return dialog.canvas.OpsOf(kind); }
    CanvasOp Label() const {
        auto texts = Ops(CanvasOpKind::kDrawCentredText);
        EXPECT_EQ(texts.size(), 1u);
        return texts.empty() ? CanvasOp{} : texts[0];
    }
};

TEST_F(ButtonTest, AttachMakesTheItemOwnerDrawnWithoutPainting) {
    EXPECT_EQ(dialog.ownerDrawn, std::set<int>{kCw});
    EXPECT_EQ(dialog.redraws, 0);

    controls::CAdvancedButton missing;
    EXPECT_FALSE(missing.AttachToItem(999, dialog, kGreen, kGreen, kGreen));
    EXPECT_NE(missing.BackColor(), kGreen);
    missing.SetBackColor(kGreen);  // not attached: only stores the colour
    EXPECT_EQ(dialog.redraws, 0);
}

TEST_F(ButtonTest, ShapeChoosesTheFaceAndAttachResetsIt) {
    button.SetShape(controls::CAdvancedButton::ShapeEllipse);
    EXPECT_EQ(dialog.redraws, 1);
    EXPECT_FALSE(Ops(CanvasOpKind::kEllipse).empty());
    EXPECT_TRUE(Ops(CanvasOpKind::kFillSolidRect).empty());

    for (int shape : {7, -1, int{controls::CAdvancedButton::ShapeRect}}) {
        button.SetShape(shape);
        EXPECT_EQ(dialog.canvas.RectsOf(CanvasOpKind::kFillSolidRect),
                  std::vector<Rect>{dialog.itemRect})
            << "shape " << shape;
        EXPECT_TRUE(Ops(CanvasOpKind::kEllipse).empty()) << "shape " << shape;
    }

    button.SetShape(controls::CAdvancedButton::ShapeEllipse);
    ASSERT_TRUE(button.AttachToItem(kCw, dialog, kFace, kText, kDisabledText));
    dialog.RedrawItemNow(kCw);
    EXPECT_TRUE(Ops(CanvasOpKind::kEllipse).empty());
}

TEST_F(ButtonTest, RecolouringRepaintsAtOnce) {
    button.SetShape(controls::CAdvancedButton::ShapeEllipse);
    button.SetBackColor(kGreen);
    EXPECT_EQ(dialog.redraws, 2);
    EXPECT_EQ(Ops(CanvasOpKind::kEllipse).back().pen.colour, kGreen);
    EXPECT_EQ(Label().textColour, kText);

    EXPECT_TRUE(button.SetForeColor(0x0000FFFF));
    EXPECT_EQ(dialog.redraws, 3);
    EXPECT_EQ(Label().textColour, 0x0000FFFFu);
    EXPECT_EQ(Ops(CanvasOpKind::kEllipse).back().pen.colour, kGreen);
}

TEST_F(ButtonTest, LabelIsTheItemTextInTheStateColour) {
    dialog.RedrawItemNow(kCw);
    EXPECT_EQ(Label().text, "CW");
    EXPECT_EQ(Label().textColour, kText);
    EXPECT_EQ(dialog.canvas.OpsOf(CanvasOpKind::kFillSolidRect).at(0).colour, kFace);

    dialog.state = plat::kItemDisabled;
    dialog.RedrawItemNow(kCw);
    EXPECT_EQ(Label().textColour, kDisabledText);
}

TEST_F(ButtonTest, LongLabelIsCutTo511Bytes) {
    std::string longText(600, 'A');
    longText[510] = 'Z';
    dialog.texts[kCw] = longText;
    dialog.RedrawItemNow(kCw);
    EXPECT_EQ(Label().text, longText.substr(0, 511));

    // A cut inside a two-byte character drops the whole character.
    dialog.texts[kCw] = std::string(510, 'A') + "\xD0\x96" + "tail";
    dialog.RedrawItemNow(kCw);
    EXPECT_EQ(Label().text, std::string(510, 'A'));
}

TEST_F(ButtonTest, DetachedButtonStoresColoursWithoutPainting) {
    button.Detach();
    button.SetBackColor(kGreen);
    EXPECT_EQ(button.BackColor(), kGreen);
    EXPECT_EQ(dialog.redraws, 0);
}

}  // namespace
