#pragma once

#include <QString>

#include <exception>
#include <type_traits>
#include <utility>

class Prompt;

// The one place where an error that an event let through is caught: it becomes the error
// box and the rest of the event is skipped, so the program goes on. Every connected
// handler runs through guarded(), and the application's notify() uses run() as the last
// safety net for event handlers.
class ErrorGuard final
{
public:
    explicit ErrorGuard(Prompt &prompt) : m_prompt(prompt) {}

    // A message as the error box shows it: with a full stop when it lacks one.
    static QString boxText(const QString &message);

    // Runs action; reports what it throws. Returns false when it threw.
    template <typename Action>
    bool run(Action &&action) noexcept
    {
        try {
            std::forward<Action>(action)();
            return true;
        } catch (...) {
            report(std::current_exception());
            return false;
        }
    }

    // A slot that runs handler under this guard; the signal's arguments are passed on
    // when the handler takes them.
    template <typename Handler>
    auto guarded(Handler handler)
    {
        return [this, handler](auto &&...args) {
            run([&] {
                if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                    handler(std::forward<decltype(args)>(args)...);
                else
                    handler();
            });
        };
    }

private:
    void report(std::exception_ptr error) noexcept;

    Prompt &m_prompt;
};
