// A value or an error, for operations that fail without throwing.
#ifndef KESTRIX_MODEL_RESULT_H
#define KESTRIX_MODEL_RESULT_H

#include <utility>
#include <variant>

namespace kestrix {

template <class T, class E>
class Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only valid when ok().
    const T &value() const & { return std::get<0>(state_); }
    T &&value() && { return std::get<0>(std::move(state_)); }
    // Only valid when !ok().
    const E &error() const { return std::get<1>(state_); }

private:
    std::variant<T, E> state_;
};

} // namespace kestrix

#endif
