#pragma once
// The embedded browser and the JavaScript objects an add-on registers in it.
#include <functional>
#include <vector>

#include "DG/Panel.hpp"
#include "GS/Array.hpp"
#include "GS/Ref.hpp"
#include "GS/UniString.hpp"

namespace DG {

class JSBase {
public:
    explicit JSBase(const GS::UniString& name = GS::UniString()) : name(name) {}
    virtual ~JSBase() = default;
    const GS::UniString& GetName() const { return name; }

private:
    GS::UniString name;
};

class JSValue : public JSBase {
public:
    enum Type { UNDEFINED = 0, NIL = 1, BOOL = 2, INTEGER = 3, DOUBLE = 4, STRING = 5 };

    JSValue() : type(UNDEFINED) {}
    explicit JSValue(const GS::UniString& value) : type(STRING), string(value) {}
    explicit JSValue(const char* value) : type(STRING), string(value) {}
    explicit JSValue(bool value) : type(BOOL), boolean(value) {}
    explicit JSValue(int value) : type(INTEGER), integer(value) {}
    explicit JSValue(Int64 value) : type(INTEGER), integer(value) {}
    explicit JSValue(double value) : type(DOUBLE), real(value) {}
    static GS::Ref<JSValue> Null();

    Type GetType() const { return type; }
    // Any value as text, the way the page would print it.
    GS::UniString GetString() const;
    bool GetBool() const { return boolean; }
    Int64 GetInteger() const { return integer; }
    double GetDouble() const { return real; }

private:
    Type type;
    GS::UniString string;
    bool boolean = false;
    Int64 integer = 0;
    double real = 0.0;
};

class JSArray : public JSBase {
public:
    void AddItem(const GS::Ref<JSBase>& item) { items.Push(item); }
    const GS::Array<GS::Ref<JSBase>>& GetItemArray() const { return items; }

private:
    GS::Array<GS::Ref<JSBase>> items;
};

class JSFunction : public JSBase {
public:
    using Callback = std::function<GS::Ref<JSBase>(GS::Ref<JSBase>)>;
    JSFunction(const GS::UniString& name, Callback callback) : JSBase(name), callback(std::move(callback)) {}
    GS::Ref<JSBase> Call(GS::Ref<JSBase> argument) const { return callback(std::move(argument)); }

private:
    Callback callback;
};

class JSObject : public JSBase {
public:
    explicit JSObject(const GS::UniString& name) : JSBase(name) {}
    void AddItem(const GS::Ref<JSBase>& item) { items.Push(item); }
    const GS::Array<GS::Ref<JSBase>>& GetItemArray() const { return items; }

private:
    GS::Array<GS::Ref<JSBase>> items;
};

class BrowserBase {
public:
    virtual ~BrowserBase();
    void LoadURL(const GS::UniString& url);
    GS::UniString GetURL() const { return url; }
    bool RegisterAsynchJSObject(GS::Ref<JSObject> object);
    const std::vector<GS::Ref<JSObject>>& GetJSObjects() const { return jsObjects; }
    int GetLoadCount() const { return loads; }

private:
    GS::UniString url;
    std::vector<GS::Ref<JSObject>> jsObjects;
    int loads = 0;
};

class Browser : public Item, public BrowserBase {
public:
    Browser(const Panel& panel, short itemId) : Item(panel, itemId) {}
};

} // namespace DG
