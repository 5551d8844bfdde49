#pragma once
// ACAPI::Result: a value or an error. Unwrap on an error ends the program, as the host's does;
// test IsOk or IsErr first.
#include <cstdlib>
#include <utility>
#include <variant>

#include "GS/Types.hpp"
#include "GS/UniString.hpp"

namespace ACAPI {

struct Error {
    GSErrCode kind = NoError;
    GS::UniString text;
    Error() = default;
    Error(GSErrCode kind, const GS::UniString& text) : kind(kind), text(text) {}
};

template <typename T, typename E = Error> class Result {
public:
    Result(T value) : content(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : content(std::in_place_index<1>, std::move(error)) {}

    bool IsOk() const { return content.index() == 0; }
    bool IsErr() const { return content.index() == 1; }

    const T& Unwrap() const&
    {
        if (!IsOk())
            std::abort();
        return std::get<0>(content);
    }
    T Unwrap() &&
    {
        if (!IsOk())
            std::abort();
        return std::move(std::get<0>(content));
    }
    T UnwrapOr(T other) const { return IsOk() ? std::get<0>(content) : std::move(other); }
    const E& UnwrapErr() const
    {
        if (!IsErr())
            std::abort();
        return std::get<1>(content);
    }
    const T& Expect(const char*) const { return Unwrap(); }

    const T& operator*() const { return Unwrap(); }
    const T* operator->() const { return &Unwrap(); }

    template <typename F> auto Map(F&& f) const -> Result<decltype(f(std::declval<const T&>())), E>
    {
        if (IsOk())
            return f(std::get<0>(content));
        return std::get<1>(content);
    }
    template <typename F> auto Then(F&& f) const -> decltype(f(std::declval<const T&>()))
    {
        if (IsOk())
            return f(std::get<0>(content));
        return std::get<1>(content);
    }
    template <typename F> Result OrElse(F&& f) const
    {
        if (IsOk())
            return *this;
        return f(std::get<1>(content));
    }

private:
    std::variant<T, E> content;
};

} // namespace ACAPI
