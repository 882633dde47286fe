#include "orv/platform/Description.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <set>
#include <system_error>

namespace orv::platform {

TDescriptionError::TDescriptionError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), FLine(line) {}

// ---------------------------------------------------------------------------
// Class registry

void TClassRegistry::Register(TClassInfo info) {
  std::string name = info.Name;
  FClasses.insert_or_assign(std::move(name), std::move(info));
}

const TClassInfo* TClassRegistry::Find(std::string_view name) const {
  const auto it = FClasses.find(name);
  if (it != FClasses.end()) return &it->second;
  // Class names in descriptions are not case-sensitive.
  for (const auto& [key, info] : FClasses) {
    if (SameName(key, name)) return &info;
  }
  return nullptr;
}

std::vector<const TClassInfo*> TClassRegistry::Lineage(std::string_view name) const {
  std::vector<const TClassInfo*> chain;
  const TClassInfo* info = Find(name);
  while (info != nullptr) {
    // A registration naming itself among its bases must not loop for ever.
    if (std::find(chain.begin(), chain.end(), info) != chain.end()) break;
    chain.push_back(info);
    info = info->Parent.empty() ? nullptr : Find(info->Parent);
  }
  std::reverse(chain.begin(), chain.end());
  return chain;
}

bool TClassRegistry::InheritsFrom(std::string_view name, std::string_view base) const {
  if (SameName(name, base)) return true;
  for (const TClassInfo* info : Lineage(name)) {
    if (SameName(info->Name, base)) return true;
  }
  return false;
}

namespace {

// Nesting of objects and of lists is bounded so that damaged text cannot
// exhaust the stack.
constexpr int kMaxDepth = 64;

// ---------------------------------------------------------------------------
// Tokens

enum class TTok { Ident, Integer, Float, String, CharCode, Symbol, End };

struct TToken {
  TTok Kind = TTok::End;
  std::string Text;  // Ident, String (the decoded text), Symbol
  long long Int = 0;
  double Float = 0.0;
  int Line = 1;
};

bool IsIdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '.'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

void AppendUtf8(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

class TLexer {
 public:
  explicit TLexer(std::string_view text) : FText(text) {}

  TToken Next() {
    SkipBlanks();
    TToken t;
    t.Line = FLine;
    if (FPos >= FText.size()) return t;
    const char c = FText[FPos];
    if (IsIdentStart(c)) {
      const std::size_t start = FPos;
      while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
      t.Kind = TTok::Ident;
      t.Text = std::string(FText.substr(start, FPos - start));
      if (t.Text.back() == '.') Fail("a name cannot end with '.'");
      return t;
    }
    if (IsDigit(c) || c == '$' ||
        ((c == '-' || c == '+') && FPos + 1 < FText.size() && (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
      ReadNumber(t);
      return t;
    }
    if (c == '\'') {
      t.Kind = TTok::String;
      ReadQuoted(t.Text);
      return t;
    }
    if (c == '#') {
      t.Kind = TTok::CharCode;
      ReadCharCode(t.Text);
      return t;
    }
    static constexpr std::string_view kSymbols = ":=()[],+";
    if (kSymbols.find(c) != std::string_view::npos) {
      ++FPos;
      t.Kind = TTok::Symbol;
      t.Text = std::string(1, c);
      return t;
    }
    Fail(std::string("unexpected character '") + c + "'");
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const { throw TDescriptionError(FLine, message); }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '\n') {
        ++FLine;
        ++FPos;
      } else if (static_cast<unsigned char>(c) <= ' ') {
        ++FPos;
      } else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
        while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
      } else {
        break;
      }
    }
  }

  void ReadNumber(TToken& t) {
    bool negative = false;
    if (FText[FPos] == '-' || FText[FPos] == '+') {
      negative = FText[FPos] == '-';
      ++FPos;
    }
    if (FText[FPos] == '$') {
      ++FPos;
      const std::size_t start = FPos;
      while (FPos < FText.size() && IsHexDigit(FText[FPos])) ++FPos;
      unsigned long long magnitude = 0;
      const auto res = std::from_chars(FText.data() + start, FText.data() + FPos, magnitude, 16);
      if (FPos == start || res.ec != std::errc()) Fail("bad hexadecimal number");
      if (FPos < FText.size() && IsIdentChar(FText[FPos])) Fail("bad hexadecimal number");
      // Hexadecimal constants are bit patterns: $FFFFFFFF is 4294967295.
      if (magnitude > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
        Fail("number out of range");
      t.Kind = TTok::Integer;
      t.Int = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
      return;
    }
    const std::size_t start = FPos;
    bool isFloat = false;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    if (FPos < FText.size() && FText[FPos] == '.') {
      ++FPos;
      if (FPos >= FText.size() || !IsDigit(FText[FPos])) Fail("digits expected after the decimal point");
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      isFloat = true;
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
      ++FPos;
      if (FPos < FText.size() && (FText[FPos] == '+' || FText[FPos] == '-')) ++FPos;
      if (FPos >= FText.size() || !IsDigit(FText[FPos])) Fail("digits expected in the exponent");
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      isFloat = true;
    }
    if (FPos < FText.size() && IsIdentChar(FText[FPos])) Fail("bad number");
    std::string digits(FText.substr(start, FPos - start));
    if (isFloat) {
      // from_chars does not take a leading '+' in the exponent.
      const std::size_t plus = digits.find("e+") != std::string::npos ? digits.find("e+") : digits.find("E+");
      if (plus != std::string::npos) digits.erase(plus + 1, 1);
      double value = 0.0;
      const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value);
      if (res.ec != std::errc() || res.ptr != digits.data() + digits.size() || !std::isfinite(value))
        Fail("number out of range");
      t.Kind = TTok::Float;
      t.Float = negative ? -value : value;
      return;
    }
    unsigned long long magnitude = 0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + (negative ? 1ull : 0ull);
    if (res.ec != std::errc() || magnitude > limit) Fail("number out of range");
    t.Kind = TTok::Integer;
    if (negative)
      t.Int = magnitude == limit ? std::numeric_limits<long long>::min() : -static_cast<long long>(magnitude);
    else
      t.Int = static_cast<long long>(magnitude);
  }

  void ReadQuoted(std::string& out) {
    ++FPos;  // opening quote
    for (;;) {
      if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Fail("unterminated text");
      const char c = FText[FPos++];
      if (c != '\'') {
        out.push_back(c);
        continue;
      }
      if (FPos < FText.size() && FText[FPos] == '\'') {
        out.push_back('\'');
        ++FPos;
        continue;
      }
      return;
    }
  }

  void ReadCharCode(std::string& out) {
    ++FPos;  // '#'
    int base = 10;
    if (FPos < FText.size() && FText[FPos] == '$') {
      base = 16;
      ++FPos;
    }
    const std::size_t start = FPos;
    while (FPos < FText.size() && (base == 16 ? IsHexDigit(FText[FPos]) : IsDigit(FText[FPos]))) ++FPos;
    unsigned long cp = 0;
    const auto res = std::from_chars(FText.data() + start, FText.data() + FPos, cp, base);
    if (FPos == start || res.ec != std::errc()) Fail("bad character code");
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) Fail("bad character code");
    AppendUtf8(out, cp);
  }

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
};

// ---------------------------------------------------------------------------
// Syntax tree: the whole text is parsed before any component is created, so
// a syntax error never leaves anything behind.

struct TPropNode {
  std::string Path;
  TDescValue Value;
  int Line = 0;
};

struct TObjectNode {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TPropNode> Props;
  std::vector<std::unique_ptr<TObjectNode>> Children;
};

class TParser {
 public:
  explicit TParser(std::string_view text) : FLex(text) { Advance(); }

  std::unique_ptr<TObjectNode> ParseRoot() {
    if (!IsKeyword("object")) Fail(FTok.Line, "'object' expected");
    auto root = ParseObject(0);
    if (FTok.Kind != TTok::End) Fail(FTok.Line, "text after the end of the description");
    return root;
  }

 private:
  [[noreturn]] static void Fail(int line, const std::string& message) { throw TDescriptionError(line, message); }

  void Advance() { FTok = FLex.Next(); }
  bool IsKeyword(std::string_view word) const { return FTok.Kind == TTok::Ident && SameName(FTok.Text, word); }
  bool IsSymbol(char c) const { return FTok.Kind == TTok::Symbol && FTok.Text.size() == 1 && FTok.Text[0] == c; }
  void Expect(char c) {
    if (!IsSymbol(c)) Fail(FTok.Line, std::string("'") + c + "' expected");
    Advance();
  }
  std::string ExpectIdent(const char* what) {
    if (FTok.Kind != TTok::Ident) Fail(FTok.Line, std::string(what) + " expected");
    std::string text = FTok.Text;
    Advance();
    return text;
  }

  std::unique_ptr<TObjectNode> ParseObject(int depth) {
    if (depth > kMaxDepth) Fail(FTok.Line, "objects nested too deeply");
    auto node = std::make_unique<TObjectNode>();
    node->Line = FTok.Line;
    Advance();  // "object"
    node->Name = ExpectIdent("a component name");
    if (node->Name.find('.') != std::string::npos) Fail(node->Line, "a component name cannot hold '.'");
    Expect(':');
    node->ClassName = ExpectIdent("a class name");
    for (;;) {
      if (FTok.Kind == TTok::End) Fail(FTok.Line, "'end' expected");
      if (IsKeyword("end")) {
        Advance();
        return node;
      }
      if (IsKeyword("object")) {
        node->Children.push_back(ParseObject(depth + 1));
        continue;
      }
      TPropNode prop;
      prop.Line = FTok.Line;
      prop.Path = ExpectIdent("a property name");
      Expect('=');
      prop.Value = ParseValue(0);
      node->Props.push_back(std::move(prop));
    }
  }

  TDescValue ParseValue(int depth) {
    if (depth > kMaxDepth) Fail(FTok.Line, "lists nested too deeply");
    TDescValue v;
    v.Line = FTok.Line;
    switch (FTok.Kind) {
      case TTok::Integer:
        v.kind = TDescValue::Kind::Integer;
        v.Int = FTok.Int;
        Advance();
        return v;
      case TTok::Float:
        v.kind = TDescValue::Kind::Float;
        v.Float = FTok.Float;
        Advance();
        return v;
      case TTok::String:
      case TTok::CharCode:
        v.kind = TDescValue::Kind::String;
        v.Text = ParseText();
        return v;
      case TTok::Ident:
        if (IsKeyword("object") || IsKeyword("end")) Fail(FTok.Line, "a value expected");
        v.kind = TDescValue::Kind::Ident;
        v.Text = FTok.Text;
        Advance();
        return v;
      case TTok::Symbol:
        if (IsSymbol('(')) {
          Advance();
          v.kind = TDescValue::Kind::List;
          while (!IsSymbol(')')) {
            if (FTok.Kind == TTok::End) Fail(FTok.Line, "')' expected");
            v.Items.push_back(ParseValue(depth + 1));
          }
          Advance();
          return v;
        }
        if (IsSymbol('[')) {
          Advance();
          v.kind = TDescValue::Kind::Set;
          if (!IsSymbol(']')) {
            for (;;) {
              v.Names.push_back(ExpectIdent("a set member"));
              if (IsSymbol(']')) break;
              Expect(',');
            }
          }
          Advance();
          return v;
        }
        break;
      case TTok::End:
        break;
    }
    Fail(FTok.Line, "a value expected");
  }

  // One text: #nnn codes joined to the parts beside them on the same line
  // ('Giri' #176 'C'), and parts joined by '+' (also across lines). Two
  // quoted parts side by side are two values, as in a list ('a' 'b').
  std::string ParseText() {
    std::string text = FTok.Text;
    TTok prevKind = FTok.Kind;
    int prevLine = FTok.Line;
    Advance();
    for (;;) {
      const bool part = FTok.Kind == TTok::String || FTok.Kind == TTok::CharCode;
      if (part && FTok.Line == prevLine && (prevKind == TTok::CharCode || FTok.Kind == TTok::CharCode)) {
        // joined below
      } else if (IsSymbol('+')) {
        Advance();
        if (FTok.Kind != TTok::String && FTok.Kind != TTok::CharCode) Fail(FTok.Line, "a text expected after '+'");
      } else {
        return text;
      }
      text += FTok.Text;
      prevKind = FTok.Kind;
      prevLine = FTok.Line;
      Advance();
    }
  }

  TLexer FLex;
  TToken FTok;
};

// ---------------------------------------------------------------------------
// Building components from the tree

struct TFixup {
  std::string Name;
  int Line;
  std::function<void(TComponent*)> Apply;
  std::function<bool(TComponent*)> Accepts;
  std::string Expected;
};

struct TEventFixup {
  std::string Handler;
  int Line;
  std::function<void(const std::any&)> Apply;
};

// Where a property path leads: the component whose setter runs, the setter,
// and a key that orders the path by declaration (and spots a property given
// twice).
struct TResolved {
  TComponent* Target = nullptr;
  const TPropertyInfo* Info = nullptr;
  std::vector<int> Key;
};

class TBuilder final : public TReaderContext {
 public:
  TBuilder(TComponent& root, const TClassRegistry& registry, const TReadOptions& options)
      : FRoot(root), FRegistry(registry), FOptions(options) {}

  TComponent& Root() override { return FRoot; }

  void AddFixup(const std::string& name, int line, std::function<void(TComponent*)> apply,
                std::function<bool(TComponent*)> accepts, std::string expected) override {
    FFixups.push_back({name, line, std::move(apply), std::move(accepts), std::move(expected)});
  }

  void AddEventFixup(const std::string& handler, int line, std::function<void(const std::any&)> apply) override {
    FEventFixups.push_back({handler, line, std::move(apply)});
  }

  void Build(const TObjectNode& rootNode) {
    try {
      BuildAll(rootNode);
    } catch (const TDescriptionError&) {
      Undo();
      throw;
    } catch (const std::exception& e) {
      Undo();
      throw TDescriptionError(FLine, e.what());
    } catch (...) {
      Undo();
      throw TDescriptionError(FLine, "the component refused the value");
    }
  }

 private:
  void BuildAll(const TObjectNode& rootNode) {
    FLine = rootNode.Line;
    const std::string rootClass = FRoot.ClassName();
    if (!FRegistry.InheritsFrom(rootClass, rootNode.ClassName))
      Fail(rootNode.Line, "the description is of a " + rootNode.ClassName + ", not of a " + rootClass);
    FRootName = rootNode.Name;
    if (FRoot.Name().empty()) FRoot.SetName(rootNode.Name);
    FRoot.SetLoading(true);
    SetProperties(FRoot, rootClass, rootNode);
    for (const auto& child : rootNode.Children) BuildObject(*child, FRoot);
    ResolveFixups();
    FLine = rootNode.Line;
    // Loaded runs once everything is in place, the root last.
    const std::vector<TComponent*> created = FCreated;
    for (TComponent* c : created) {
      c->Loaded();
      c->SetLoading(false);
    }
    FRoot.Loaded();
    FRoot.SetLoading(false);
  }

  void BuildObject(const TObjectNode& node, TComponent& parent) {
    FLine = node.Line;
    const TClassInfo* info = FRegistry.Find(node.ClassName);
    if (info == nullptr) Fail(node.Line, "unknown class '" + node.ClassName + "'");
    if (!info->Create) Fail(node.Line, "class '" + node.ClassName + "' cannot be created from a description");
    if (SameName(node.Name, FRootName) || SameName(node.Name, FRoot.Name()) ||
        FRoot.FindComponent(node.Name) != nullptr)
      Fail(node.Line, "duplicate component name '" + node.Name + "'");
    TComponent* c = info->Create(&FRoot);
    if (c == nullptr) Fail(node.Line, "class '" + node.ClassName + "' could not be created");
    // Owned by the root from here on; remembered so that a refusal frees it.
    if (c->Owner() != &FRoot) {
      delete c;
      Fail(node.Line, "class '" + node.ClassName + "' did not take the root as owner");
    }
    FCreated.push_back(c);
    c->SetLoading(true);
    c->SetName(node.Name);
    c->SetParentComponent(&parent);
    SetProperties(*c, info->Name, node);
    for (const auto& child : node.Children) BuildObject(*child, *c);
  }

  // Finds the property a (possibly dotted) path names on a component of class
  // cls: a property of that exact name first ("Items.Strings"), else a
  // sub-component and the rest of the path on it.
  bool Resolve(TComponent& target, const std::string& cls, std::string_view path, TResolved& out, int depth) {
    if (depth > kMaxDepth) return false;
    const auto lineage = FRegistry.Lineage(cls);
    for (std::size_t l = 0; l < lineage.size(); ++l) {
      const auto& props = lineage[l]->Properties;
      for (std::size_t i = 0; i < props.size(); ++i) {
        if (SameName(props[i].Name, path)) {
          out.Target = &target;
          out.Info = &props[i];
          out.Key.insert(out.Key.end(), {0, static_cast<int>(l), static_cast<int>(i)});
          return true;
        }
      }
    }
    for (std::size_t l = 0; l < lineage.size(); ++l) {
      const auto& props = lineage[l]->DefinedProperties;
      for (std::size_t i = 0; i < props.size(); ++i) {
        if (SameName(props[i].Name, path)) {
          out.Target = &target;
          out.Info = &props[i];
          out.Key.insert(out.Key.end(), {2, static_cast<int>(l), static_cast<int>(i)});
          return true;
        }
      }
    }
    const std::size_t dot = path.find('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view head = path.substr(0, dot);
    for (std::size_t l = 0; l < lineage.size(); ++l) {
      const auto& subs = lineage[l]->SubComponents;
      for (std::size_t i = 0; i < subs.size(); ++i) {
        if (!SameName(subs[i].Name, head)) continue;
        TComponent* sub = subs[i].Get ? subs[i].Get(target) : nullptr;
        if (sub == nullptr) return false;
        out.Key.insert(out.Key.end(), {1, static_cast<int>(l), static_cast<int>(i)});
        return Resolve(*sub, sub->ClassName(), path.substr(dot + 1), out, depth + 1);
      }
    }
    return false;
  }

  void SetProperties(TComponent& c, const std::string& cls, const TObjectNode& node) {
    std::vector<std::pair<TResolved, const TPropNode*>> todo;
    std::set<std::vector<int>> seen;
    for (const TPropNode& p : node.Props) {
      TResolved r;
      if (!Resolve(c, cls, p.Path, r, 0)) Fail(p.Line, "unknown property '" + p.Path + "' of " + cls);
      if (!seen.insert(r.Key).second) Fail(p.Line, "property '" + p.Path + "' given twice");
      todo.emplace_back(std::move(r), &p);
    }
    // Declared order (base classes first, defined properties last), not text order.
    std::stable_sort(todo.begin(), todo.end(), [](const auto& a, const auto& b) { return a.first.Key < b.first.Key; });
    for (const auto& [r, p] : todo) {
      FLine = p->Line;
      if (!r.Info->Set) Fail(p->Line, "property '" + p->Path + "' cannot be set");
      r.Info->Set(*r.Target, p->Value, *this);
    }
  }

  TComponent* FindByName(const std::string& name) const {
    if (name.find('.') != std::string::npos)
      return FOptions.ExternalResolver ? FOptions.ExternalResolver(name) : nullptr;
    if (SameName(name, FRootName) || SameName(name, FRoot.Name())) return &FRoot;
    return FRoot.FindComponent(name);
  }

  const TMethodInfo* FindMethod(const std::string& handler) const {
    const auto lineage = FRegistry.Lineage(FRoot.ClassName());
    // The most derived class's method of a name wins.
    for (auto it = lineage.rbegin(); it != lineage.rend(); ++it) {
      for (const TMethodInfo& m : (*it)->Methods) {
        if (SameName(m.Name, handler)) return &m;
      }
    }
    return nullptr;
  }

  void ResolveFixups() {
    // Everything is looked up before anything is applied, so a refusal here
    // leaves no reference set.
    std::vector<TComponent*> targets;
    for (const TFixup& f : FFixups) {
      FLine = f.Line;
      TComponent* c = FindByName(f.Name);
      if (c == nullptr) Fail(f.Line, "unknown component '" + f.Name + "'");
      if (f.Accepts && !f.Accepts(c)) Fail(f.Line, "component '" + f.Name + "' is not " + f.Expected);
      targets.push_back(c);
    }
    std::vector<std::any> methods;
    for (const TEventFixup& f : FEventFixups) {
      FLine = f.Line;
      const TMethodInfo* m = FindMethod(f.Handler);
      if (m == nullptr || !m->Bind) Fail(f.Line, "unknown handler '" + f.Handler + "'");
      std::any bound = m->Bind(FRoot);
      if (!bound.has_value()) Fail(f.Line, "handler '" + f.Handler + "' cannot be bound");
      methods.push_back(std::move(bound));
    }
    // Events first: their setters refuse a handler of the wrong type.
    for (std::size_t i = 0; i < FEventFixups.size(); ++i) {
      FLine = FEventFixups[i].Line;
      FEventFixups[i].Apply(methods[i]);
    }
    for (std::size_t i = 0; i < FFixups.size(); ++i) {
      FLine = FFixups[i].Line;
      FFixups[i].Apply(targets[i]);
    }
  }

  // A refused description leaves nothing of what was built.
  void Undo() noexcept {
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) delete *it;
    FCreated.clear();
    FRoot.SetLoading(false);
  }

  TComponent& FRoot;
  const TClassRegistry& FRegistry;
  const TReadOptions& FOptions;
  std::string FRootName;
  std::vector<TComponent*> FCreated;
  std::vector<TFixup> FFixups;
  std::vector<TEventFixup> FEventFixups;
  int FLine = 0;
};

}  // namespace

void ReadDescription(TComponent& root, std::string_view text, const TClassRegistry& registry,
                     const TReadOptions& options) {
  TParser parser(text);
  const std::unique_ptr<TObjectNode> tree = parser.ParseRoot();
  TBuilder builder(root, registry, options);
  builder.Build(*tree);
}

bool TryReadDescription(TComponent& root, std::string_view text, const TClassRegistry& registry, std::string* error,
                        const TReadOptions& options) {
  try {
    ReadDescription(root, text, registry, options);
    if (error != nullptr) error->clear();
    return true;
  } catch (const TDescriptionError& e) {
    if (error != nullptr) *error = e.what();
  } catch (const std::exception& e) {
    if (error != nullptr) *error = std::string("line 0: ") + e.what();
  }
  return false;
}

}  // namespace orv::platform
