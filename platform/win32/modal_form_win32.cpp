// The modal form as a real dialog: editable drop-downs offer their choices,
// the fields show their values, and OK takes back every field's text.
#include "platform/win32/windows_api.h"

#include "platform/modal_form.h"
#include "platform/win32/form_template.h"
#include "platform/win32/owned_dialog.h"
#include "platform/win32/wide_text.h"

namespace plat {
namespace {

class FormHandler : public DialogHandler {
  public:
    // At most kFormMaxFields fields.
    explicit FormHandler(const std::vector<FormField>& fields) : fields_(fields) {}

    bool OnInitDialog(DialogWindow& w) override {
        HWND dialog = FromInteger<HWND>(w.Id());
        for (size_t i = 0; i < fields_.size(); ++i) {
            const FormField& f = fields_[i];
            const int id = kFormFirstFieldId + static_cast<int>(i);
            for (const std::string& choice : f.choices) {
                const std::wstring wide = Utf8ToWide(AnsiToUtf8(choice));
                SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(wide.c_str()));
            }
            w.SetItemText(id, AnsiToUtf8(f.value));
        }
        // A form that appears from a library is brought to the front, so the
        // operator sees it at once.
        SetForegroundWindow(dialog);
        return true;
    }

    void OnCommand(DialogWindow& w, int id, int /*code*/) override {
        if (id == kIdOk) {
            edited_.clear();
            for (size_t i = 0; i < fields_.size(); ++i) {
                edited_.push_back(Utf8ToAnsi(w.ItemText(kFormFirstFieldId + static_cast<int>(i))));
            }
            w.EndDialog(kIdOk);
        } else if (id == kIdCancel) {
            w.EndDialog(kIdCancel);
        }
    }

    // Valid after OK: the fields' texts, in the fields' order.
    const std::vector<std::string>& edited() const { return edited_; }

  private:
    const std::vector<FormField>& fields_;
    std::vector<std::string> edited_;
};

}  // namespace

bool RunModalForm(const std::string& caption, std::vector<FormField>& fields) {
    try {
        if (fields.size() > kFormMaxFields) {
            return false;  // such a form cannot be shown whole
        }
        FormHandler handler(fields);
        // Modal over the calling thread's active window (the host's, when
        // the host asks for the form): the host takes no input until the
        // form is answered, and is active again afterwards. A thread without
        // one shows the form on its own.
        if (RunOwnedModalDialog(FormTemplate(caption, fields), handler, GetActiveWindow()) !=
                kIdOk ||
            handler.edited().size() != fields.size()) {
            return false;
        }
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i].value = handler.edited()[i];
        }
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace plat
