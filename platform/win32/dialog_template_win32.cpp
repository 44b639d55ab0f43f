#include "platform/win32/dialog_template_win32.h"

#include "platform/win32/wide_text.h"

namespace plat {
namespace {

// Predefined window classes of dialog items, by their atoms.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;

class TemplateWriter {
  public:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Short(int v) { Word(static_cast<WORD>(static_cast<short>(v))); }
    void Text(const std::string& utf8) {
        for (wchar_t ch : Utf8ToWide(utf8)) {
            // A NUL inside the text would end it early; the dialog sees a blank.
            Word(ch == L'\0' ? L' ' : static_cast<WORD>(ch));
        }
        Word(0);
    }
    // Items start on a DWORD boundary of the template.
    void AlignDword() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<WORD> Take() { return std::move(words_); }

  private:
    std::vector<WORD> words_;
};

WORD ClassAtom(ControlKind kind) {
    switch (kind) {
        case ControlKind::kStatic:
            return kStaticClass;
        case ControlKind::kEdit:
            return kEditClass;
        case ControlKind::kComboBox:
            return kComboBoxClass;
        case ControlKind::kPushButton:
        case ControlKind::kCheckBox:
        case ControlKind::kGroupBox:
            break;
    }
    return kButtonClass;
}

}  // namespace

DWORD ControlStyle(const ControlTemplate& c) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (c.kind) {
        case ControlKind::kStatic:
            style |= SS_LEFT;
            break;
        case ControlKind::kPushButton:
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::kCheckBox:
            style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case ControlKind::kGroupBox:
            style |= BS_GROUPBOX;
            break;
        case ControlKind::kEdit:
            style |= ES_LEFT | WS_BORDER | WS_TABSTOP;
            break;
        case ControlKind::kComboBox:
            style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
            break;
    }
    return style | c.style;
}

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& t, bool visible) {
    TemplateWriter out;
    DWORD style = t.style | DS_SETFONT;
    if (visible) {
        style |= WS_VISIBLE;
    } else {
        style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    out.Dword(style);
    out.Dword(t.exStyle);
    out.Word(static_cast<WORD>(t.controls.size()));
    out.Short(t.x);
    out.Short(t.y);
    out.Short(t.cx);
    out.Short(t.cy);
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(t.caption);
    out.Word(static_cast<WORD>(t.fontPoints));
    out.Text(t.fontName);
    for (const ControlTemplate& c : t.controls) {
        out.AlignDword();
        out.Dword(ControlStyle(c));
        out.Dword(c.exStyle);
        out.Short(c.x);
        out.Short(c.y);
        out.Short(c.cx);
        out.Short(c.cy);
        out.Word(static_cast<WORD>(c.id));
        out.Word(0xFFFF);
        out.Word(ClassAtom(c.kind));
        out.Text(c.text);
        out.Word(0);  // no creation data
    }
    return out.Take();
}

}  // namespace plat
