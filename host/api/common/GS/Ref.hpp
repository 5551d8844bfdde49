#pragma once
// Counted reference of the host library. Dereferencing an empty one raises
// NullReferenceException, as the host's does.
#include "GS/Exceptions.hpp"

#include <memory>

namespace GS {

struct Counter {};

template <typename T, typename CounterType = Counter> class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    explicit Ref(T* object) : ptr(object) {}
    template <typename U, typename C> Ref(const Ref<U, C>& other) : ptr(other.Shared()) {}

    T* operator->() const { return &Deref(); }
    T& operator*() const { return Deref(); }
    T* Get() const { return ptr.get(); }
    bool IsNull() const { return ptr == nullptr; }
    explicit operator bool() const { return ptr != nullptr; }
    bool operator==(const Ref& other) const { return ptr == other.ptr; }
    bool operator!=(const Ref& other) const { return ptr != other.ptr; }
    bool operator==(std::nullptr_t) const { return ptr == nullptr; }
    bool operator!=(std::nullptr_t) const { return ptr != nullptr; }
    long GetRefCount() const { return ptr.use_count(); }

    const std::shared_ptr<T>& Shared() const { return ptr; }
    static Ref FromShared(std::shared_ptr<T> shared)
    {
        Ref r;
        r.ptr = std::move(shared);
        return r;
    }

private:
    T& Deref() const
    {
        if (ptr == nullptr)
            throw NullReferenceException();
        return *ptr;
    }
    std::shared_ptr<T> ptr;
};

// Null when the object is not a U (or the reference is empty).
template <typename U, typename T, typename C> Ref<U, C> DynamicCast(const Ref<T, C>& ref)
{
    return Ref<U, C>::FromShared(std::dynamic_pointer_cast<U>(ref.Shared()));
}

// Raises ClassCastException when a non-empty reference is not a U.
template <typename U, typename T, typename C> Ref<U, C> CheckedCast(const Ref<T, C>& ref)
{
    if (ref.IsNull())
        return Ref<U, C>();
    auto cast = std::dynamic_pointer_cast<U>(ref.Shared());
    if (cast == nullptr)
        throw ClassCastException();
    return Ref<U, C>::FromShared(std::move(cast));
}

} // namespace GS
