#include "host/run_beside.h"

#include <exception>
#if !defined(_WIN32)
#include <thread>
#endif

namespace host {

void RunBeside(const std::function<void()>& side, const std::function<void()>& main) {
#if defined(_WIN32)
    main();
    side();
#else
    std::exception_ptr sideFailed;
    std::thread beside([&] {
        try {
            side();
        } catch (...) {
            sideFailed = std::current_exception();
        }
    });
    try {
        main();
    } catch (...) {
        beside.join();
        throw;
    }
    beside.join();
    if (sideFailed) {
        std::rethrow_exception(sideFailed);
    }
#endif
}

}  // namespace host
