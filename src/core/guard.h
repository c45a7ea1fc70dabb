#pragma once
// Handlers run by Qt (slots, lambdas connected to signals, timers) must not
// let an exception cross the event loop. guarded() wraps a handler so that a
// run-time error it raises goes to the program-wide report, which behaves as
// for any run-time error of the program.
//
//   connect(ui->cmdAdd, &QPushButton::clicked, this, guarded(this, &frmX::cmdAdd_Click));
//   connect(timer, &QTimer::timeout, this, guarded([this] { Refresh(); }));
#include "core/apperror.h"

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

// Hands a non-AppError exception caught at a handler's boundary to the
// program-wide report (as run-time error 51 of that routine).
[[noreturn]] void ReportHandlerError(const std::exception& e, const char* routine);

// Runs f, reporting what it throws.
template <typename F>
void RunGuarded(F&& f, const char* routine = __builtin_FUNCTION())
{
    try {
        std::forward<F>(f)();
    } catch (const AppError& e) {
        ReportFatalError(e);
    } catch (const std::exception& e) {
        ReportHandlerError(e, routine);
    }
}

// A callable, taking any arguments, that runs f guarded.
template <typename F>
auto guarded(F f)
{
    return [f = std::move(f)](auto&&... args) mutable {
        RunGuarded([&] {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                f(std::forward<decltype(args)>(args)...);
            else
                f();
        });
    };
}

// A member handler of receiver, guarded. The signal's arguments are passed
// on when the handler takes them, and dropped when it takes none.
template <typename C, typename H>
auto guarded(C* receiver, H handler)
{
    return [receiver, handler](auto&&... args) {
        RunGuarded([&] {
            if constexpr (std::is_invocable_v<H, C*, decltype(args)...>)
                std::invoke(handler, receiver, std::forward<decltype(args)>(args)...);
            else
                std::invoke(handler, receiver);
        });
    };
}
