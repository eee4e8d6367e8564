#pragma once
// Published properties and methods: what a class exposes by name, so that form descriptions can
// store and re-create its objects and code can get and set its properties by name.
//
// Sections: enumeration names · identifier maps · TPropInfo · TMethodInfo · TPublishedTable ·
// TPublisher and Z_PUBLISHED (declaring) · access by name.
//
// A class declares its published properties, events and methods in one block, right after
// Z_CLASS; the kind of each property follows from its getter's type, and the table is inherited.
// Like every declaration macro, the block leaves the access private:
//
//     Z_ENUM(TAlign, Byte, alNone, alTop, alBottom, alClient)
//
//     class TPanelish : public TComponent {
//         Z_CLASS(TPanelish, TComponent)
//         Z_PUBLISHED {
//             p.Property(L"Align", &TPanelish::Align, &TPanelish::SetAlign).Default(alNone);
//             p.Property(L"Caption", &TPanelish::Caption, &TPanelish::SetCaption);
//             p.Property(L"Color", &TPanelish::Color, &TPanelish::SetColor).Default(clBtnFace);
//             p.Property(L"Font", &TPanelish::Font);                // sub-object: no setter
//             p.Property(L"Tag", &TPanelish::Tag, &TPanelish::SetTag).Stored(&TPanelish::IsTagStored);
//             p.Event(L"OnClick", &TPanelish::OnClick);            // a public TEvent field
//             p.Method(L"PanelClick", &TPanelish::PanelClick);     // bindable by name
//         }
//     public:
//         TNotifyEvent OnClick;
//         ...
//     };
//
// Kinds by getter type: bool -> Boolean; TColor -> Integer written with the colour identifiers
// (clBtnFace); other integers -> Integer; an enumeration declared with Z_ENUM -> Enumeration;
// TSet<E> -> Set; float/double/long double -> Float; String -> String; TEvent<...> -> Method
// (event); a pointer to a TComponent kind -> Component (a reference, or a nested sub-component
// when that component has csSubComponent and belongs to the object); a pointer to another
// TPersistent kind -> Class (a nested sub-object; a TCollection is written as a collection).
//
// A property is written when it is stored and differs from its declared default. Without a
// declared default, strings are written when not empty, references when set, events when
// assigned, and every other kind always.

#include <functional>
#include <limits>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "Events.h"
#include "Persistent.h"
#include "Sets.h"
#include "SysExceptions.h"

class TComponent;

Z_EXCEPTION(EPropertyError, Exception)

// ---- enumeration names ---------------------------------------------------------------------

// The identifiers of an enumeration whose members are numbered 0, 1, 2, ... in order.
class TEnumInfo {
public:
    // names: the members as written in the declaration, separated by commas.
    TEnumInfo(const wchar_t* typeName, const wchar_t* names);
    const String& Name() const { return name_; }
    int Count() const { return int(names_.size()); }
    // The identifier of a member; empty when the ordinal is out of range.
    String NameOf(Int64 ordinal) const;
    // The ordinal of an identifier (letter case ignored); -1 when it is not a member.
    int OrdinalOf(const String& name) const;

private:
    String name_;
    std::vector<String> names_;
};

// Declares an enumeration together with its identifiers, for published properties and sets:
//
//     Z_ENUM(TAlign, Byte, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
//
// declares `enum TAlign : Byte { alNone, ... }`. The members are numbered 0, 1, 2, ... in order.
#define Z_ENUM(Type, Underlying, ...)       \
    enum Type : Underlying { __VA_ARGS__ }; \
    Z_ENUM_NAMES(Type, __VA_ARGS__)

// The identifiers of an enumeration, for Z_ENUM.
#define Z_ENUM_NAMES(Type, ...)                                   \
    inline const TEnumInfo& EnumInfo(Type) {                      \
        static const TEnumInfo info(L## #Type, L## #__VA_ARGS__); \
        return info;                                              \
    }

template <class E>
concept NamedEnum = std::is_enum_v<E> && requires(E e) {
    { EnumInfo(e) } -> std::same_as<const TEnumInfo&>;
};

// ---- identifier maps -----------------------------------------------------------------------

// Names for some values of an integer property (colour constants such as clBtnFace), written and
// read in place of the number.
struct TIdentMapEntry {
    Int64 value;
    const wchar_t* name;
};

class TIdentMap {
public:
    TIdentMap(std::initializer_list<TIdentMapEntry> entries) : entries_(entries) {}
    bool IdentToInt(const String& ident, Int64& value) const;  // letter case ignored
    bool IntToIdent(Int64 value, String& ident) const;

private:
    std::vector<TIdentMapEntry> entries_;
};

// An integer type whose values have names: a class convertible to and from Integer for which
// IdentMapOf(value) gives the names (TColor: clBtnFace). Its properties write the names by
// themselves.
template <class V>
concept NamedIntegerType = std::is_class_v<V> && std::is_convertible_v<V, Integer> && requires(V v) {
    { IdentMapOf(v) } -> std::same_as<const TIdentMap&>;
};

// ---- TPropInfo -----------------------------------------------------------------------------

enum TTypeKind { tkInteger, tkEnumeration, tkSet, tkFloat, tkString, tkBoolean, tkClass, tkComponent, tkMethod };
enum TFloatType { ftSingle, ftDouble, ftExtended };

class TMethodInfo;

// One published property: its name, kind and type details, accessors, default and storage rule.
// The accessors take the object as TPersistent; the table they belong to guarantees its class.
class TPropInfo {
public:
    String Name;
    TTypeKind Kind = tkInteger;
    const TEnumInfo* EnumType = nullptr;       // enumeration, and the members of a set
    const TIdentMap* Idents = nullptr;         // integer: named values
    TClass ClassType = nullptr;                // class and component: the declared class
    std::type_index EventType = typeid(void);  // method: the TEvent type
    TFloatType FloatType = ftDouble;
    Int64 MinValue = 0, MaxValue = 0;  // integer: the range of the C++ type

    bool HasDefault = false;
    Int64 DefaultOrd = 0;
    Extended DefaultFloat = 0;
    String DefaultString;
    bool StoredAlways = true;                           // false: .Stored(false)
    std::function<bool(TPersistent*)> StoredPredicate;  // .Stored(&C::IsXStored)
    bool Writable = false;

    // Ordinal kinds (integer, enumeration, set as its bits, Boolean as 0/1).
    std::function<Int64(TPersistent*)> GetOrd;
    std::function<void(TPersistent*, Int64)> SetOrd;
    std::function<Extended(TPersistent*)> GetFloat;
    std::function<void(TPersistent*, Extended)> SetFloat;
    std::function<String(TPersistent*)> GetString;
    std::function<void(TPersistent*, const String&)> SetString;
    // Class and component kinds; SetObject is given an object of ClassType or null.
    std::function<TObject*(TPersistent*)> GetObject;
    std::function<void(TPersistent*, TObject*)> SetObject;
    // Method kind: binding to a published method of root (null method: unassign), testing.
    std::function<bool(TPersistent*)> MethodAssigned;
    std::function<void(TPersistent*, const TMethodInfo*, TObject* root)> SetMethod;
    std::function<bool(TPersistent*, const TMethodInfo&, TObject* root)> MethodIs;

    bool IsStored(TPersistent* instance) const;
    // True when the current value equals the declared default (or the kind's implicit one).
    bool IsDefault(TPersistent* instance) const;
    bool IsOrdinal() const { return Kind == tkInteger || Kind == tkEnumeration || Kind == tkSet || Kind == tkBoolean; }
};

// Chained options of a property of class C being declared.
template <class C>
class TPropDecl {
public:
    explicit TPropDecl(TPropInfo& info) : info_(info) {}
    template <class V>
    TPropDecl& Default(V value) {
        info_.HasDefault = true;
        if constexpr (std::is_floating_point_v<V>) {
            info_.DefaultFloat = value;
        } else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) {
            info_.DefaultOrd = Int64(value);
            // A whole number is also the default of a float property: Default(50) on a single.
            if constexpr (std::is_integral_v<V>) info_.DefaultFloat = Extended(value);
        } else if constexpr (NamedIntegerType<V>) {
            info_.DefaultOrd = Int64(Integer(value));
        } else if constexpr (requires { value.Bits(); }) {
            info_.DefaultOrd = Int64(value.Bits());
        } else {
            info_.DefaultString = String(value);
        }
        return *this;
    }
    TPropDecl& Stored(bool stored) {
        info_.StoredAlways = stored;
        return *this;
    }
    template <class P>
    requires(!std::is_same_v<P, bool>) TPropDecl& Stored(P predicate) {
        info_.StoredPredicate = [predicate](TPersistent* o) {
            return bool(std::invoke(predicate, static_cast<C*>(o)));
        };
        return *this;
    }
    TPropDecl& Idents(const TIdentMap& map) {
        info_.Idents = &map;
        return *this;
    }

private:
    TPropInfo& info_;
};

// ---- TMethodInfo ---------------------------------------------------------------------------

// A published method of a root class: an event handler that form descriptions bind by name.
class TMethodInfo {
public:
    String Name;
    std::type_index EventType = typeid(void);
    // Writes the event (of EventType) bound to root's method into event.
    std::function<void(TObject* root, void* event)> MakeEvent;
};

// ---- TPublishedTable -----------------------------------------------------------------------

class TPublishedTable {
public:
    using TDeclare = void (*)(TPublishedTable&);
    TPublishedTable(TClass cls, const TPublishedTable* parent, TDeclare declare);
    TPublishedTable(const TPublishedTable&) = delete;
    TPublishedTable& operator=(const TPublishedTable&) = delete;

    TClass ClassType() const { return class_; }
    const TPublishedTable* Parent() const { return parent_; }
    // By name, letter case ignored; this class first, then its ancestors. Null when none.
    const TPropInfo* FindProperty(const String& name) const;
    const TMethodInfo* FindMethod(const String& name) const;
    // Every property, ancestors' first; a property redeclared by a descendant appears once, in
    // its ancestor's place.
    std::vector<const TPropInfo*> Properties() const;
    // Every published method, this class's first.
    std::vector<const TMethodInfo*> Methods() const;

    TPropInfo& AddProperty(const wchar_t* name);
    TMethodInfo& AddMethod(const wchar_t* name);

private:
    TClass class_;
    const TPublishedTable* parent_;
    std::vector<std::unique_ptr<TPropInfo>> properties_;
    std::vector<std::unique_ptr<TMethodInfo>> methods_;
};

// ---- TPublisher and Z_PUBLISHED ------------------------------------------------------------

template <class T>
struct TIsSet : std::false_type {};
template <class E>
struct TIsSet<TSet<E>> : std::true_type {};
template <class T>
struct TIsEvent : std::false_type {};
template <class S>
struct TIsEvent<TEvent<S>> : std::true_type {};

template <class C>
class TPublisher {
public:
    explicit TPublisher(TPublishedTable& table) : table_(table) {}

    // A property read through getter only: a sub-object or collection that the object owns
    // (its own properties are read and written in place), or a value not read back.
    template <class G>
    TPropDecl<C> Property(const wchar_t* name, G getter) {
        return Declare(name, getter, nullptr);
    }
    // getter and setter: member functions (or data members, or callables taking C*).
    template <class G, class S>
    TPropDecl<C> Property(const wchar_t* name, G getter, S setter) {
        return Declare(name, getter, setter);
    }

    // An event: a public TEvent field of the class, assigned directly by whoever binds it.
    template <class B, class S>
    TPropDecl<C> Event(const wchar_t* name, TEvent<S> B::*field) {
        static_assert(std::is_base_of_v<B, C>, "the event must be a field of the class or of an ancestor");
        return Declare(name, field, [field](C* c, const TEvent<S>& e) { c->*field = e; });
    }

    // A method that event properties of components in a description can be bound to by name.
    template <class R, class B, class... A>
    void Method(const wchar_t* name, R (B::*method)(A...)) {
        using Ev = TEvent<R(A...)>;
        TMethodInfo& m = table_.AddMethod(name);
        m.EventType = typeid(Ev);
        m.MakeEvent = [method](TObject* root, void* event) {
            *static_cast<Ev*>(event) = Ev(dynamic_cast<C*>(root), method);
        };
    }

private:
    static C* Self(TPersistent* o) { return static_cast<C*>(o); }

    template <class G, class S>
    TPropDecl<C> Declare(const wchar_t* name, G getter, S setter) {
        using V = std::decay_t<std::invoke_result_t<G, C*>>;
        constexpr bool writable = !std::is_same_v<S, std::nullptr_t>;
        TPropInfo& p = table_.AddProperty(name);
        p.Writable = writable;
        if constexpr (std::is_same_v<V, bool> || std::is_integral_v<V> || std::is_enum_v<V> || TIsSet<V>::value ||
                      NamedIntegerType<V>) {
            if constexpr (NamedIntegerType<V>) {
                p.Kind = tkInteger;
                p.Idents = &IdentMapOf(V{});
                p.MinValue = Int64(std::numeric_limits<Integer>::min());
                p.MaxValue = Int64(std::numeric_limits<Integer>::max());
            } else if constexpr (std::is_same_v<V, bool>) {
                p.Kind = tkBoolean;
            } else if constexpr (std::is_integral_v<V>) {
                static_assert(sizeof(V) < 8 || std::is_signed_v<V>, "a published integer must fit Int64");
                p.Kind = tkInteger;
                p.MinValue = Int64(std::numeric_limits<V>::min());
                p.MaxValue = Int64(std::numeric_limits<V>::max());
            } else if constexpr (std::is_enum_v<V>) {
                static_assert(NamedEnum<V>, "give the enumeration its names with Z_ENUM or Z_ENUM_NAMES");
                p.Kind = tkEnumeration;
                p.EnumType = &EnumInfo(V{});
            } else {
                using E = typename V::Element;
                static_assert(NamedEnum<E>, "give the set's enumeration its names with Z_ENUM or Z_ENUM_NAMES");
                p.Kind = tkSet;
                p.EnumType = &EnumInfo(E{});
            }
            p.GetOrd = [getter](TPersistent* o) -> Int64 {
                V v = std::invoke(getter, Self(o));
                if constexpr (TIsSet<V>::value)
                    return Int64(v.Bits());
                else if constexpr (NamedIntegerType<V>)
                    return Int64(Integer(v));
                else
                    return Int64(v);
            };
            if constexpr (writable)
                p.SetOrd = [setter](TPersistent* o, Int64 x) {
                    if constexpr (TIsSet<V>::value)
                        std::invoke(setter, Self(o), V::FromBits(std::uint64_t(x)));
                    else if constexpr (NamedIntegerType<V>)
                        std::invoke(setter, Self(o), V(Integer(x)));
                    else
                        std::invoke(setter, Self(o), static_cast<V>(x));
                };
        } else if constexpr (std::is_floating_point_v<V>) {
            p.Kind = tkFloat;
            p.FloatType = std::is_same_v<V, float> ? ftSingle : std::is_same_v<V, double> ? ftDouble : ftExtended;
            p.GetFloat = [getter](TPersistent* o) -> Extended { return std::invoke(getter, Self(o)); };
            if constexpr (writable)
                p.SetFloat = [setter](TPersistent* o, Extended x) { std::invoke(setter, Self(o), V(x)); };
        } else if constexpr (std::is_same_v<V, String>) {
            p.Kind = tkString;
            p.GetString = [getter](TPersistent* o) -> String { return std::invoke(getter, Self(o)); };
            if constexpr (writable)
                p.SetString = [setter](TPersistent* o, const String& x) { std::invoke(setter, Self(o), x); };
        } else if constexpr (TIsEvent<V>::value) {
            p.Kind = tkMethod;
            p.EventType = typeid(V);
            p.MethodAssigned = [getter](TPersistent* o) { return std::invoke(getter, Self(o)).Assigned(); };
            p.MethodIs = [getter](TPersistent* o, const TMethodInfo& m, TObject* root) {
                V bound;
                m.MakeEvent(root, &bound);
                return std::invoke(getter, Self(o)) == bound;
            };
            if constexpr (writable)
                p.SetMethod = [setter](TPersistent* o, const TMethodInfo* m, TObject* root) {
                    V bound;
                    if (m) m->MakeEvent(root, &bound);
                    std::invoke(setter, Self(o), bound);
                };
        } else if constexpr (std::is_pointer_v<V>) {
            using T = std::remove_cv_t<std::remove_pointer_t<V>>;
            static_assert(std::is_base_of_v<TPersistent, T>, "an object property must be of a TPersistent kind");
            p.Kind = std::is_base_of_v<TComponent, T> ? tkComponent : tkClass;
            p.ClassType = T::StaticClass();
            p.GetObject = [getter](TPersistent* o) -> TObject* { return std::invoke(getter, Self(o)); };
            if constexpr (writable)
                p.SetObject = [setter](TPersistent* o, TObject* x) {
                    std::invoke(setter, Self(o), dynamic_cast<T*>(x));
                };
        } else {
            static_assert(sizeof(V) == 0, "this type cannot be published");
        }
        return TPropDecl<C>(p);
    }

    TPublishedTable& table_;
};

// Opens the published block of a class; follow it with the block's body (see the top of this
// file). Place it right after Z_CLASS.
#define Z_PUBLISHED                                                                                               \
public:                                                                                                           \
    static const TPublishedTable& StaticPublished() {                                                             \
        static const TPublishedTable table(StaticClass(), &inherited::StaticPublished(), [](TPublishedTable& t) { \
            TPublisher<ZSelf> p(t);                                                                               \
            ZSelf::DeclarePublished(p);                                                                           \
        });                                                                                                       \
        return table;                                                                                             \
    }                                                                                                             \
    const TPublishedTable& PublishedTable() const override {                                                      \
        static_assert(std::is_same_v<std::remove_cvref_t<decltype(*this)>, ZSelf>,                                \
                      "Z_PUBLISHED needs Z_CLASS of its own class first");                                        \
        return StaticPublished();                                                                                 \
    }                                                                                                             \
                                                                                                                  \
private:                                                                                                          \
    static void DeclarePublished([[maybe_unused]] TPublisher<ZSelf>& p)

// ---- access by name ------------------------------------------------------------------------
// Each raises EPropertyError when the object has no such published property or when it is of
// another kind.

const TPropInfo* GetPropInfo(const TPersistent* instance, const String& name);  // null when none
bool IsPublishedProp(const TPersistent* instance, const String& name);
Int64 GetOrdProp(TPersistent* instance, const String& name);
void SetOrdProp(TPersistent* instance, const String& name, Int64 value);
String GetEnumProp(TPersistent* instance, const String& name);
void SetEnumProp(TPersistent* instance, const String& name, const String& value);
// A set as its members' identifiers separated by commas, e.g. "akLeft,akTop".
String GetSetProp(TPersistent* instance, const String& name);
void SetSetProp(TPersistent* instance, const String& name, const String& value);
Extended GetFloatProp(TPersistent* instance, const String& name);
void SetFloatProp(TPersistent* instance, const String& name, Extended value);
String GetStrProp(TPersistent* instance, const String& name);
void SetStrProp(TPersistent* instance, const String& name, const String& value);
TObject* GetObjectProp(TPersistent* instance, const String& name);
void SetObjectProp(TPersistent* instance, const String& name, TObject* value);

// An identifier: ASCII letters, digits and '_', not starting with a digit.
bool IsValidIdent(const String& ident);
