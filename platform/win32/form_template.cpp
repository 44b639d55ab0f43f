#include "platform/win32/form_template.h"

#include "platform/win32/wide_text.h"

namespace plat {
namespace {

// Dialog units.
constexpr int kMargin = 7;
constexpr int kLabelWidth = 105;
constexpr int kFieldX = kMargin + kLabelWidth + 3;
constexpr int kRight = 323;
constexpr int kRowHeight = 15;
constexpr int kFieldHeight = 12;
constexpr int kMultiLineHeight = 40;
constexpr int kDropDownListHeight = 90;
// A row of two fields: the first ends here, the second's label and field
// follow.
constexpr int kPairFirstRight = 200;
constexpr int kPairLabelX = 206;
constexpr int kPairFieldX = 253;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 10;

ControlTemplate Label(int id, const std::string& text, int x, int y, int cx) {
    ControlTemplate c;
    c.id = id;
    c.kind = ControlKind::kStatic;
    c.text = text;
    c.x = x;
    c.y = y + 2;
    c.cx = cx;
    c.cy = 8;
    return c;
}

ControlTemplate Field(int id, const FormField& f, int x, int y, int cx) {
    ControlTemplate c;
    c.id = id;
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = kFieldHeight;
    if (!f.choices.empty()) {
        c.kind = ControlKind::kComboBox;
        c.cy = kFieldHeight + kDropDownListHeight;
        c.style = f.sortedChoices ? kComboSort : 0;
    } else {
        c.kind = ControlKind::kEdit;
        if (f.multiLine) {
            c.cy = kMultiLineHeight;
            c.style = kEditMultiLine | kEditWantReturn | kEditAutoVScroll | kStyleVScroll;
        } else if (!f.noSidewaysScroll) {
            c.style = kEditAutoHScroll;
        }
    }
    return c;
}

ControlTemplate Button(int id, const char* text, int x, int y, std::uint32_t style) {
    ControlTemplate c;
    c.id = id;
    c.kind = ControlKind::kPushButton;
    c.text = text;
    c.x = x;
    c.y = y;
    c.cx = kButtonWidth;
    c.cy = kButtonHeight;
    c.style = style;
    return c;
}

// The height a field takes in its row.
int FieldHeight(const FormField& f) {
    return f.multiLine && f.choices.empty() ? kMultiLineHeight : kFieldHeight;
}

}  // namespace

DialogTemplate FormTemplate(const std::string& caption, const std::vector<FormField>& fields) {
    DialogTemplate t;
    t.caption = AnsiToUtf8(caption);
    t.style = kDialogPopup | kDialogCaption | kDialogSysMenu | kDialogModalFrame | kDialogCentre;
    const size_t count = fields.size() < kFormMaxFields ? fields.size() : kFormMaxFields;
    int y = kMargin;
    int rowY = y;
    for (size_t i = 0; i < count; ++i) {
        const FormField& f = fields[i];
        const int labelId = kFormFirstLabelId + static_cast<int>(i);
        const int fieldId = kFormFirstFieldId + static_cast<int>(i);
        const std::string label = AnsiToUtf8(f.label);
        const bool pairedWithNext = i + 1 < count && fields[i + 1].besidePrevious;
        if (f.besidePrevious && i > 0) {
            t.controls.push_back(
                Label(labelId, label, kPairLabelX, rowY, kPairFieldX - kPairLabelX - 2));
            t.controls.push_back(Field(fieldId, f, kPairFieldX, rowY, kRight - kPairFieldX));
            continue;
        }
        const int right = pairedWithNext ? kPairFirstRight : kRight;
        rowY = y;
        t.controls.push_back(Label(labelId, label, kMargin, y, kLabelWidth));
        t.controls.push_back(Field(fieldId, f, kFieldX, y, right - kFieldX));
        y += FieldHeight(f) + kRowHeight - kFieldHeight;
    }
    y += kButtonGap - (kRowHeight - kFieldHeight);
    const int buttonsX = (kRight + kMargin - 2 * kButtonWidth - kButtonGap) / 2;
    t.controls.push_back(Button(kIdOk, "OK", buttonsX, y, kButtonDefault));
    t.controls.push_back(Button(kIdCancel, "CANCEL", buttonsX + kButtonWidth + kButtonGap, y, 0));
    t.cx = kRight + kMargin;
    t.cy = y + kButtonHeight + kMargin;
    return t;
}

}  // namespace plat
