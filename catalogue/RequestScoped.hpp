#pragma once
// What one request reads from the host once and keeps until it ends: a T made when the
// first scope of it opens and dropped when the last one closes (scopes nest: a bulk import
// runs imports). Calls on the application's thread only, as every add-on callback is.
namespace KRV {

template <typename T> class RequestScoped {
public:
    // The request's T, or null outside every scope.
    static T* Current() { return current; }
    static void Open()
    {
        if (scopes == 0)
            current = new T();
        ++scopes;
    }
    static void Close() noexcept
    {
        if (--scopes == 0) {
            delete current;
            current = nullptr;
        }
    }

private:
    static inline T* current = nullptr;
    static inline int scopes = 0;
};

} // namespace KRV
