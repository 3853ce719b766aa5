// A non-owning reference to something callable, for a callable passed down
// and called (or not) before the call that took it returns: no allocation,
// whatever the callable captures.
#ifndef READER_FUNCTION_REF_H_
#define READER_FUNCTION_REF_H_

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace compattatore {

template <typename Signature>
class function_ref;

template <typename R, typename... Args>
class function_ref<R(Args...)> {
 public:
  /// REQUIRES: `f` outlives every call through this reference.
  template <typename F>
  requires(!std::is_same_v<std::remove_cvref_t<F>, function_ref> &&
           std::is_invocable_r_v<R, F&, Args...>) function_ref(F&& f)
  noexcept  // implicit, as the callable it refers to
      : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
        call_([](void* object, Args... args) -> R {
          return std::invoke(*static_cast<std::remove_reference_t<F>*>(object),
                             std::forward<Args>(args)...);
        }) {}

  R operator()(Args... args) const {
    return call_(object_, std::forward<Args>(args)...);
  }

 private:
  void* object_;
  R (*call_)(void*, Args...);
};

}  // namespace compattatore

#endif  // READER_FUNCTION_REF_H_
