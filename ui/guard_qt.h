// Exceptions must not cross Qt's own frames. Every handler of ours runs through GuardedCall,
// which hands what it throws to the application's exception handler and carries on.
#pragma once

#include <exception>
#include <type_traits>
#include <utility>

void HandleApplicationException(std::exception_ptr error);

template <typename F>
void GuardedCall(F&& f) {
  try {
    std::forward<F>(f)();
  } catch (...) {
    HandleApplicationException(std::current_exception());
  }
}

// A slot that runs `f` guarded, for QObject::connect. Signal arguments that `f` does not
// take are dropped.
template <typename F>
auto Guarded(F f) {
  return [f = std::move(f)](auto&&... args) {
    GuardedCall([&] {
      if constexpr (std::is_invocable_v<const F&, decltype(args)...>)
        f(std::forward<decltype(args)>(args)...);
      else
        f();
    });
  };
}
