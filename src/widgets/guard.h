#pragma once
// Handlers run by Qt (slots, lambdas connected to signals, timers) must not
// let an exception cross the event loop. guarded() wraps a handler so that a
// run-time error it raises goes to the program-wide report, which behaves as
// for any run-time error of the program.
//
//   connect(ui->cmdAdd, &QPushButton::clicked, this, guarded(this, &frmX::cmdAdd_Click));
//   connect(timer, &QTimer::timeout, this, guarded([this] { Refresh(); }));
//
// An error that is not the program's own (a std::bad_alloc, a standard
// library's exception) is reported from the handler it escaped: its module
// and line are where it was connected, its routine the handler's name as
// written there (cmdAdd_Click; for a lambda, the routine it calls first).
#include "core/apperror.h"
#include "core/money.h"

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

// Shows the program-wide error report for e and ends the program at once.
[[noreturn]] void ReportFatalError(const AppError& e);

// Tells the user that the database file is damaged or cannot be read: the
// file, the database's reason and what to do. The program goes on with what
// it could read; the step that failed ends there, and writes nothing after
// the failed read. Told once while its message is up (a list painted behind
// it reads no more).
void ReportUnreadableFile(const AppError& e);

// The program-wide report of an error a handler did not handle: a damaged
// or unreadable file is told, a result too large refused, and any other
// error ends the program.
void ReportError(const AppError& e);

// Hands an exception caught at a handler's boundary to the program-wide
// report. handlerText is the text the handler was written as, or null when
// where names the handler itself.
[[noreturn]] void ReportHandlerError(const std::exception* e, const Where& where, const char* handlerText);

// The handler's name in the text it was written as: the member after the
// last "::", or the first routine a lambda's body calls.
QString HandlerName(const char* handlerText);

// A result of money arithmetic that the program cannot hold (error
// "Overflow") is the refusal of the handler's step, not the end of the
// program: the user is told, and what the step had begun in a transaction is
// undone with it.
void ReportRefusedOverflow();

// Runs f, reporting what it throws as raised in the routine that calls this.
template <typename F>
void RunGuarded(F&& f, const Where& where = Where::here(), const char* handlerText = nullptr)
{
    try {
        std::forward<F>(f)();
    } catch (const AppError& e) {
        ReportError(e);
    } catch (const std::exception& e) {
        ReportHandlerError(&e, where, handlerText);
    }
}

// Calls f with args when it takes them, else without; and the same for a
// member handler of receiver. (The choice is made here, in a template of its
// own: a choice inside a lambda nested in a generic one is not left out of
// the compilation by every compiler.)
template <typename F, typename... A>
void CallDroppingArguments(F& f, A&&... args)
{
    if constexpr (std::is_invocable_v<F&, A...>)
        f(std::forward<A>(args)...);
    else
        f();
}

template <typename C, typename H, typename... A>
void CallHandlerDroppingArguments(C* receiver, H handler, A&&... args)
{
    if constexpr (std::is_invocable_v<H, C*, A...>)
        std::invoke(handler, receiver, std::forward<A>(args)...);
    else
        std::invoke(handler, receiver);
}

// A callable, taking any arguments, that runs f guarded.
template <typename F>
auto guardedAs(const char* handlerText, const Where& where, F f)
{
    return [f = std::move(f), handlerText, where](auto&&... args) mutable {
        RunGuarded([&] { CallDroppingArguments(f, std::forward<decltype(args)>(args)...); }, where, handlerText);
    };
}

// A member handler of receiver, guarded. The signal's arguments are passed
// on when the handler takes them, and dropped when it takes none.
template <typename C, typename H>
auto guardedAs(const char* handlerText, const Where& where, C* receiver, H handler)
{
    return [receiver, handler, handlerText, where](auto&&... args) {
        RunGuarded([&] { CallHandlerDroppingArguments(receiver, handler, std::forward<decltype(args)>(args)...); }, where,
                   handlerText);
    };
}

// guarded(f) or guarded(receiver, &Class::handler), named and placed where
// it is written.
#define guarded(...) guardedAs(#__VA_ARGS__, Where::here(), __VA_ARGS__)
