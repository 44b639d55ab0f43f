// Modal forms natively: answered by the form handler of the program that
// loaded the plug-in (platform/posix/host_services.h); cancelled without one.
#include "platform/modal_form.h"
#include "platform/posix/host_services.h"

namespace plat {

bool RunModalForm(const std::string& caption, std::vector<FormField>& fields) {
    const ModalFormHandler handler = CurrentModalFormHandler();
    if (!handler) {
        return false;
    }
    std::vector<FormField> edited = fields;
    if (!handler(caption, edited) || edited.size() != fields.size()) {
        return false;
    }
    fields = std::move(edited);
    return true;
}

}  // namespace plat
