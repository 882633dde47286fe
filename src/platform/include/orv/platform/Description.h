#pragma once
// Stored component descriptions: a small text format in the spirit of the
// original component streams, and the reader that builds components from it.
//
//   object SerialDataModule: TSerialDataModule
//     object TIPO_ACCENSIONE: TOrvNumber
//       DataMask = 7
//       MeasureUnit = 'RPM'            // strings in single quotes, '' for '
//       Coeffs = (4.0 -4.0 0.0 1000.0) // lists in parentheses
//       Resizer.ResizingMode = [raHorizontal, raMove]  // sets in brackets
//       Connection = OrvConnection     // references by name
//       OnGetData = TIPO_ACCENSIONEGetData  // events: root methods by name
//     end
//   end
//
// Comments run from "//" to the end of the line. Strings may also hold #nnn
// character codes (Unicode code points, written as UTF-8) next to quoted
// parts: 'Giri' #176 'C'.
//
// Reading: every "object" is created through the class registry with the
// root as owner (a nested object is also given its enclosing object through
// SetParentComponent). Each object's properties are set in its class's
// declared order (base classes first), whatever their order in the text,
// then its defined (list) properties. References and events are resolved
// after the whole description has been read; then every component's Loaded
// runs (created components in creation order, the root last). csLoading is
// set on every component while it is being read.
//
// A description with a syntax error, an unknown class or property, a bad
// value, a dangling reference or an unknown handler is refused with a
// message naming the line; every component the reader created is destroyed.

#include <any>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "orv/platform/Component.h"

namespace orv::platform {

// One value of a property in a description.
struct TDescValue {
  enum class Kind { Integer, Float, String, Ident, List, Set };
  Kind kind = Kind::Integer;
  long long Int = 0;
  double Float = 0.0;
  std::string Text;                // String and Ident
  std::vector<TDescValue> Items;   // List
  std::vector<std::string> Names;  // Set
  int Line = 0;

  bool IsNumber() const { return kind == Kind::Integer || kind == Kind::Float; }
  double AsDouble() const { return kind == Kind::Integer ? static_cast<double>(Int) : Float; }
};

class TDescriptionError : public std::runtime_error {
 public:
  TDescriptionError(int line, const std::string& message);
  int Line() const { return FLine; }

 private:
  int FLine;
};

class TClassRegistry;

// What a property setter gets besides the value: the root, and the means to
// defer a reference until the whole description is read.
class TReaderContext {
 public:
  virtual ~TReaderContext() = default;
  virtual TComponent& Root() = 0;
  // Resolves name (a component of the root, or "Form.Component" through the
  // external resolver) after the whole description; apply receives it. A
  // name that cannot be found refuses the description.
  virtual void AddFixup(const std::string& name, int line, std::function<void(TComponent*)> apply,
                        std::function<bool(TComponent*)> accepts, std::string expected) = 0;
  // The root's method of that name, type-erased (see TClassBuilder::Method).
  virtual void AddEventFixup(const std::string& handler, int line, std::function<void(const std::any&)> apply) = 0;
  [[noreturn]] void Fail(int line, const std::string& message) const { throw TDescriptionError(line, message); }
};

using TPropertySetter = std::function<void(TComponent& target, const TDescValue& value, TReaderContext& ctx)>;

struct TPropertyInfo {
  std::string Name;  // may hold a dot for a nested list ("Items.Strings")
  TPropertySetter Set;
};

struct TSubComponentInfo {
  std::string Name;
  std::function<TComponent*(TComponent& owner)> Get;
};

struct TMethodInfo {
  std::string Name;
  // Returns the handler bound to the root, as a std::any holding the event's
  // std::function type.
  std::function<std::any(TComponent& root)> Bind;
};

struct TClassInfo {
  std::string Name;
  std::string Parent;                                    // empty for a class directly on TComponent
  std::function<TComponent*(TComponent* owner)> Create;  // empty: cannot be created by name
  std::vector<TPropertyInfo> Properties;                 // published, in declared order
  std::vector<TPropertyInfo> DefinedProperties;          // set after the published ones
  std::vector<TSubComponentInfo> SubComponents;          // "EditLabel.Caption = ..."
  std::vector<TMethodInfo> Methods;                      // handlers a root offers
};

class TClassRegistry {
 public:
  // Registers (or replaces) a class.
  void Register(TClassInfo info);
  const TClassInfo* Find(std::string_view name) const;
  // The class and its bases, base first.
  std::vector<const TClassInfo*> Lineage(std::string_view name) const;
  // True when class name is cls or derives from it.
  bool InheritsFrom(std::string_view name, std::string_view base) const;

 private:
  std::map<std::string, TClassInfo, std::less<>> FClasses;
};

struct TReadOptions {
  // Resolves a dotted reference ("FormConfig.PopupMenuConfig") outside the root.
  std::function<TComponent*(std::string_view name)> ExternalResolver;
};

// Reads text into root (see above). Throws TDescriptionError when the
// description is refused; the components it created are gone by then.
void ReadDescription(TComponent& root, std::string_view text, const TClassRegistry& registry,
                     const TReadOptions& options = {});
// The same, reporting the refusal as text ("line N: ...") instead of throwing.
bool TryReadDescription(TComponent& root, std::string_view text, const TClassRegistry& registry, std::string* error,
                        const TReadOptions& options = {});

// Registration of one class's published properties, in declared order:
//
//   TClassBuilder<TOrvNumber>(registry, "TOrvNumber", "TOrvSerialData")
//       .Int("Address", [](TOrvNumber& o, int v) { o.Address = v; })
//       .Ref<TOrvConnection>("Connection", [](TOrvNumber& o, TOrvConnection* c) { o.SetConnection(c); })
//       .Event<TNotifyEvent>("OnGetData", [](TOrvNumber& o, TNotifyEvent e) { o.OnGetData = e; });
//
// The class is registered when the builder goes out of scope.
template <class T>
class TClassBuilder {
 public:
  TClassBuilder(TClassRegistry& registry, std::string name, std::string parent, bool creatable = true)
      : FRegistry(registry) {
    FInfo.Name = std::move(name);
    FInfo.Parent = std::move(parent);
    if constexpr (std::is_constructible_v<T, TComponent*>) {
      if (creatable) FInfo.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
    }
  }
  ~TClassBuilder() { FRegistry.Register(std::move(FInfo)); }
  TClassBuilder(const TClassBuilder&) = delete;
  TClassBuilder& operator=(const TClassBuilder&) = delete;

  // Any value, handled by the setter itself.
  TClassBuilder& Raw(std::string name, std::function<void(T&, const TDescValue&, TReaderContext&)> fn) {
    FInfo.Properties.push_back({std::move(name), Wrap(std::move(fn))});
    return *this;
  }
  TClassBuilder& Int(std::string name, std::function<void(T&, int)> fn) {
    return Raw(std::move(name), [fn](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind != TDescValue::Kind::Integer) ctx.Fail(v.Line, "an integer is expected");
      fn(o, static_cast<int>(v.Int));
    });
  }
  TClassBuilder& Float(std::string name, std::function<void(T&, double)> fn) {
    return Raw(std::move(name), [fn](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (!v.IsNumber()) ctx.Fail(v.Line, "a number is expected");
      fn(o, v.AsDouble());
    });
  }
  TClassBuilder& Bool(std::string name, std::function<void(T&, bool)> fn) {
    return Raw(std::move(name), [fn](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind == TDescValue::Kind::Ident && SameName(v.Text, "True")) return fn(o, true);
      if (v.kind == TDescValue::Kind::Ident && SameName(v.Text, "False")) return fn(o, false);
      ctx.Fail(v.Line, "True or False is expected");
    });
  }
  TClassBuilder& String(std::string name, std::function<void(T&, const std::string&)> fn) {
    return Raw(std::move(name), [fn](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind != TDescValue::Kind::String) ctx.Fail(v.Line, "a quoted text is expected");
      fn(o, v.Text);
    });
  }
  // An enumeration by its value names; an integer is accepted as well.
  TClassBuilder& Enum(std::string name, std::vector<std::pair<std::string, int>> values,
                      std::function<void(T&, int)> fn) {
    return Raw(std::move(name), [fn, values](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind == TDescValue::Kind::Integer) return fn(o, static_cast<int>(v.Int));
      if (v.kind == TDescValue::Kind::Ident) {
        for (const auto& [n, value] : values) {
          if (SameName(n, v.Text)) return fn(o, value);
        }
      }
      ctx.Fail(v.Line, "unknown value '" + v.Text + "'");
    });
  }
  // A set of named bits: bit i is the i-th name.
  TClassBuilder& Set(std::string name, std::vector<std::string> names, std::function<void(T&, unsigned)> fn) {
    return Raw(std::move(name), [fn, names](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind != TDescValue::Kind::Set) ctx.Fail(v.Line, "a set in brackets is expected");
      unsigned bits = 0;
      for (const std::string& n : v.Names) {
        bool found = false;
        for (std::size_t i = 0; i < names.size(); ++i) {
          if (SameName(names[i], n)) {
            bits |= 1u << i;
            found = true;
          }
        }
        if (!found) ctx.Fail(v.Line, "unknown set member '" + n + "'");
      }
      fn(o, bits);
    });
  }
  // A list of quoted texts ("Items.Strings = ('a' 'b')").
  TClassBuilder& Strings(std::string name, std::function<void(T&, const std::vector<std::string>&)> fn) {
    return Raw(std::move(name), [fn](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind != TDescValue::Kind::List) ctx.Fail(v.Line, "a list of texts is expected");
      std::vector<std::string> lines;
      for (const TDescValue& item : v.Items) {
        if (item.kind != TDescValue::Kind::String) ctx.Fail(item.Line, "a quoted text is expected");
        lines.push_back(item.Text);
      }
      fn(o, lines);
    });
  }
  // A reference to another component, resolved after the description; "nil"
  // clears it. Only components of class U are accepted.
  template <class U>
  TClassBuilder& Ref(std::string name, std::function<void(T&, U*)> fn) {
    return Raw(std::move(name), [fn](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind != TDescValue::Kind::Ident) ctx.Fail(v.Line, "a component name is expected");
      if (SameName(v.Text, "nil")) return fn(o, nullptr);
      T* target = &o;
      ctx.AddFixup(
          v.Text, v.Line, [fn, target](TComponent* c) { fn(*target, dynamic_cast<U*>(c)); },
          [](TComponent* c) { return dynamic_cast<U*>(c) != nullptr; }, "of the right kind");
    });
  }
  // An event bound to the root's method of that name (E: a std::function type).
  template <class E>
  TClassBuilder& Event(std::string name, std::function<void(T&, E)> fn) {
    return Raw(std::move(name), [fn](T& o, const TDescValue& v, TReaderContext& ctx) {
      if (v.kind != TDescValue::Kind::Ident) ctx.Fail(v.Line, "a handler name is expected");
      if (SameName(v.Text, "nil")) return fn(o, E{});
      T* target = &o;
      const int line = v.Line;
      const std::string handler = v.Text;
      ctx.AddEventFixup(handler, line, [fn, target, line, handler](const std::any& method) {
        const E* e = std::any_cast<E>(&method);
        if (e == nullptr) throw TDescriptionError(line, "handler '" + handler + "' does not fit the event");
        fn(*target, *e);
      });
    });
  }
  // A defined (list-valued) property, set after every published one.
  TClassBuilder& Defined(std::string name, std::function<void(T&, const TDescValue&, TReaderContext&)> fn) {
    FInfo.DefinedProperties.push_back({std::move(name), Wrap(std::move(fn))});
    return *this;
  }
  // An owned sub-component whose properties are written "Name.Property".
  TClassBuilder& Sub(std::string name, std::function<TComponent*(T&)> get) {
    FInfo.SubComponents.push_back({std::move(name), [get](TComponent& c) -> TComponent* {
                                     T* owner = dynamic_cast<T*>(&c);
                                     return owner != nullptr ? get(*owner) : nullptr;
                                   }});
    return *this;
  }
  // A handler the root offers to events, by name (E: the event's type).
  template <class E>
  TClassBuilder& Method(std::string name, std::function<E(T&)> bind) {
    FInfo.Methods.push_back({std::move(name), [bind](TComponent& root) -> std::any {
                               T* r = dynamic_cast<T*>(&root);
                               return r != nullptr ? std::any(bind(*r)) : std::any();
                             }});
    return *this;
  }

 private:
  static TPropertySetter Wrap(std::function<void(T&, const TDescValue&, TReaderContext&)> fn) {
    return [fn](TComponent& c, const TDescValue& v, TReaderContext& ctx) {
      T* target = dynamic_cast<T*>(&c);
      if (target == nullptr) ctx.Fail(v.Line, std::string("the component is not a ") + typeid(T).name());
      fn(*target, v, ctx);
    };
  }

  TClassRegistry& FRegistry;
  TClassInfo FInfo;
};

}  // namespace orv::platform
