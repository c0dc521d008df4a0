#include "preprocessor.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "builtins.h"
#include "lexer.h"

namespace lvrc {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxIncludeDepth = 32;
constexpr int kMaxExpansionDepth = 64;
constexpr int kMaxNesting = 256;             // parentheses and unary operators in a condition
constexpr size_t kMaxExpandedLine = 1 << 20;  // a longer line means runaway macros

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\f\v");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r\f\v");
  return s.substr(b, e - b + 1);
}

// Replaces comments by a space (keeping their line breaks) so that line
// numbers stay true; string literals are left untouched.
std::string StripComments(const std::string& src) {
  std::string out;
  out.reserve(src.size());
  size_t i = 0;
  bool inString = false;
  while (i < src.size()) {
    char c = src[i];
    if (inString) {
      out += c;
      if (c == '\\' && i + 1 < src.size() && src[i + 1] != '\n') {
        out += src[++i];
      } else if (c == '"' || c == '\n') {
        inString = false;
      }
      ++i;
    } else if (c == '"') {
      inString = true;
      out += c;
      ++i;
    } else if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
      while (i < src.size() && src[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
      i += 2;
      out += ' ';
      while (i < src.size() && !(src[i] == '*' && i + 1 < src.size() && src[i + 1] == '/')) {
        if (src[i] == '\n') out += '\n';
        ++i;
      }
      i = std::min(src.size(), i + 2);
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  for (char c : text) {
    if (c == '\n') {
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      lines.push_back(std::move(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) lines.push_back(std::move(cur));
  return lines;
}

// Evaluates a preprocessor condition over tokens, with C's operators and
// precedence; identifiers left after expansion count as 0.
class ConditionEvaluator {
 public:
  ConditionEvaluator(const std::vector<Token>& tokens, const Location& where)
      : t_(tokens), where_(where) {}

  int64_t Run() {
    if (t_.empty()) throw RcError(where_, "missing expression in condition");
    int64_t v = Binary(0);
    if (pos_ != t_.size()) throw RcError(where_, "unexpected '" + t_[pos_].text + "' in condition");
    return v;
  }

 private:
  // Binary operators by precedence level, lowest first.
  static int Level(const std::string& op) {
    static const std::pair<const char*, int> kLevels[] = {
        {"||", 1}, {"&&", 2}, {"|", 3}, {"^", 4}, {"&", 5}, {"==", 6}, {"!=", 6},
        {"<", 7}, {">", 7}, {"<=", 7}, {">=", 7}, {"<<", 8}, {">>", 8}, {"+", 9},
        {"-", 9}, {"*", 10}, {"/", 10}, {"%", 10}};
    for (auto& [o, l] : kLevels)
      if (op == o) return l;
    return 0;
  }

  int64_t Binary(int minLevel) {
    int64_t lhs = Unary();
    while (pos_ < t_.size() && t_[pos_].kind == TokenKind::Punct) {
      std::string op = t_[pos_].text;
      int level = Level(op);
      if (level == 0 || level <= minLevel) break;
      ++pos_;
      int64_t rhs = Binary(level);
      lhs = Apply(op, lhs, rhs);
    }
    return lhs;
  }

  int64_t Apply(const std::string& op, int64_t a, int64_t b) {
    if ((op == "/" || op == "%") && b == 0) throw RcError(where_, "division by zero in condition");
    if (op == "||") return (a || b) ? 1 : 0;
    if (op == "&&") return (a && b) ? 1 : 0;
    if (op == "|") return a | b;
    if (op == "^") return a ^ b;
    if (op == "&") return a & b;
    if (op == "==") return a == b;
    if (op == "!=") return a != b;
    if (op == "<") return a < b;
    if (op == ">") return a > b;
    if (op == "<=") return a <= b;
    if (op == ">=") return a >= b;
    if (op == "<<") return static_cast<int64_t>(static_cast<uint64_t>(a) << (b & 63));
    if (op == ">>") return a >> (b & 63);
    if (op == "+") return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
    if (op == "-") return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
    if (op == "*") return static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b));
    if (op == "/") return (a == INT64_MIN && b == -1) ? a : a / b;
    return (a == INT64_MIN && b == -1) ? 0 : a % b;
  }

  int64_t Unary() {
    if (++nesting_ > kMaxNesting) throw RcError(where_, "condition nested too deeply");
    int64_t v = UnaryTerm();
    --nesting_;
    return v;
  }

  int64_t UnaryTerm() {
    if (pos_ >= t_.size()) throw RcError(where_, "incomplete expression in condition");
    const Token& t = t_[pos_++];
    if (t.kind == TokenKind::Number) return static_cast<int64_t>(t.value);
    if (t.kind == TokenKind::Identifier) return 0;
    if (IsPunct(t, "(")) {
      int64_t v = Binary(0);
      if (pos_ >= t_.size() || !IsPunct(t_[pos_], ")")) throw RcError(where_, "missing ')' in condition");
      ++pos_;
      return v;
    }
    if (IsPunct(t, "!")) return !Unary();
    if (IsPunct(t, "~")) return ~Unary();
    if (IsPunct(t, "-")) return static_cast<int64_t>(0 - static_cast<uint64_t>(Unary()));
    if (IsPunct(t, "+")) return Unary();
    throw RcError(where_, "unexpected '" + t.text + "' in condition");
  }

  const std::vector<Token>& t_;
  Location where_;
  size_t pos_ = 0;
  int nesting_ = 0;
};

}  // namespace

struct Preprocessor::FileState {
  fs::path path;
  bool directivesOnly;  // C headers: only their directives count
};

std::string ReadWholeFile(const fs::path& path, const Location& where) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RcError(where, "cannot open file '" + path.string() + "'");
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) throw RcError(where, "cannot read file '" + path.string() + "'");
  return ss.str();
}

Preprocessor::Preprocessor(std::vector<fs::path> includeDirs) : includeDirs_(std::move(includeDirs)) {
  LoadBuiltins();
}

void Preprocessor::LoadBuiltins() {
  for (const BuiltinMacro& m : BuiltinMacros()) macros_[std::string(m.name)] = {std::string(m.replacement), false};
  builtinsLoaded_ = true;
}

std::vector<SourceLine> Preprocessor::Run(const fs::path& path) {
  out_.clear();
  ProcessFile(path, Location{});
  if (!conditionals_.empty()) throw RcError({path.string(), 0}, "missing #endif");
  return std::move(out_);
}

void Preprocessor::NoteFileRead(const fs::path& given) {
  std::error_code ec;
  fs::path path = fs::absolute(given, ec);
  if (ec) path = given;
  if (std::find(filesRead_.begin(), filesRead_.end(), path) == filesRead_.end()) filesRead_.push_back(path);
}

fs::path Preprocessor::Resolve(const std::string& name, const fs::path& relativeTo) const {
  std::string unixName = name;
  std::replace(unixName.begin(), unixName.end(), '\\', '/');
  fs::path p(unixName);
  std::error_code ec;
  if (p.is_absolute()) return fs::is_regular_file(p, ec) ? p : fs::path();
  fs::path beside = relativeTo / p;
  if (fs::is_regular_file(beside, ec)) return beside;
  for (const fs::path& dir : includeDirs_) {
    fs::path cand = dir / p;
    if (fs::is_regular_file(cand, ec)) return cand;
  }
  return {};
}

bool Preprocessor::Active() const { return conditionals_.empty() || conditionals_.back().active; }

void Preprocessor::ProcessFile(const fs::path& path, const Location& from) {
  if (++depth_ > kMaxIncludeDepth) throw RcError(from, "includes nested too deeply");
  NoteFileRead(path);
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  FileState f{path, ext == ".h" || ext == ".hpp" || ext == ".c"};
  std::string text = ReadWholeFile(path, from);
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // UTF-8 byte order mark
  if (text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0)
    throw RcError({path.string(), 1}, "the file is UTF-16; save it as UTF-8");
  std::vector<std::string> lines = SplitLines(StripComments(text));
  size_t conditionalsAtStart = conditionals_.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    Location where{path.string(), static_cast<int>(i + 1)};
    std::string line = lines[i];
    while (!line.empty() && line.back() == '\\' && i + 1 < lines.size()) {
      line.pop_back();
      line += lines[++i];
    }
    std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed[0] == '#') {
      Directive(f, trimmed.substr(1), where);
    } else if (Active() && !f.directivesOnly && !trimmed.empty()) {
      out_.push_back({where, Expand(line, where)});
    }
  }
  if (conditionals_.size() != conditionalsAtStart)
    throw RcError({path.string(), static_cast<int>(lines.size())}, "missing #endif");
  --depth_;
}

void Preprocessor::Directive(FileState& f, const std::string& body, const Location& where) {
  std::string rest = Trim(body);
  size_t nameEnd = 0;
  while (nameEnd < rest.size() && IsIdentChar(rest[nameEnd])) ++nameEnd;
  std::string name = rest.substr(0, nameEnd);
  std::string arg = Trim(rest.substr(nameEnd));
  if (name == "if" || name == "ifdef" || name == "ifndef") {
    bool parent = Active();
    bool cond = false;
    if (parent) {
      if (name == "if") {
        cond = Evaluate(arg, where);
      } else {
        if (arg.empty() || !IsIdentStart(arg[0])) throw RcError(where, "#" + name + " needs a macro name");
        std::string macro = arg.substr(0, arg.find_first_of(" \t"));
        cond = macros_.count(macro) != 0;
        if (name == "ifndef") cond = !cond;
      }
    }
    conditionals_.push_back({parent, cond, parent && cond, false});
    return;
  }
  if (name == "elif" || name == "else" || name == "endif") {
    if (conditionals_.empty()) throw RcError(where, "#" + name + " without #if");
    Conditional& c = conditionals_.back();
    if (name == "endif") {
      conditionals_.pop_back();
      return;
    }
    if (c.sawElse) throw RcError(where, "#" + name + " after #else");
    if (name == "else") {
      c.sawElse = true;
      c.active = c.parentActive && !c.taken;
    } else {
      c.active = c.parentActive && !c.taken && Evaluate(arg, where);
    }
    c.taken = c.taken || c.active;
    return;
  }
  if (!Active()) return;
  if (name == "include") {
    Include(f, arg, where);
  } else if (name == "define") {
    Define(arg, where);
  } else if (name == "undef") {
    macros_.erase(arg.substr(0, arg.find_first_of(" \t")));
  } else if (name == "error") {
    throw RcError(where, "#error " + arg);
  } else if (name == "pragma") {
    if (Trim(arg) == "once") pragmaOnce_.insert(fs::weakly_canonical(f.path));
  } else if (!name.empty() && name != "line") {
    throw RcError(where, "unknown directive #" + name);
  }
}

void Preprocessor::Include(FileState& f, const std::string& arg, const Location& where) {
  if (arg.size() < 2 || !((arg.front() == '"' && arg.find('"', 1) != std::string::npos) ||
                          (arg.front() == '<' && arg.find('>') != std::string::npos))) {
    throw RcError(where, "#include needs \"file\" or <file>");
  }
  char close = arg.front() == '"' ? '"' : '>';
  std::string name = arg.substr(1, arg.find(close, 1) - 1);
  fs::path found = Resolve(name, f.path.parent_path());
  if (found.empty()) {
    if (IsPlatformHeader(name) || close == '>') return;  // the built-in table stands for it
    throw RcError(where, "cannot find include file '" + name + "'");
  }
  if (pragmaOnce_.count(fs::weakly_canonical(found))) return;
  ProcessFile(found, where);
}

void Preprocessor::Define(const std::string& arg, const Location& where) {
  if (arg.empty() || !IsIdentStart(arg[0])) throw RcError(where, "#define needs a macro name");
  size_t end = 0;
  while (end < arg.size() && IsIdentChar(arg[end])) ++end;
  std::string name = arg.substr(0, end);
  Macro m;
  if (end < arg.size() && arg[end] == '(') {
    m.functionLike = true;
    size_t close = arg.find(')', end);
    if (close == std::string::npos) throw RcError(where, "missing ')' in macro parameters");
    end = close + 1;
  }
  m.replacement = Trim(arg.substr(end));
  macros_[name] = std::move(m);
}

bool Preprocessor::Evaluate(const std::string& expr, const Location& where) const {
  // defined X and defined(X) are decided before macros are expanded.
  std::string replaced;
  size_t i = 0;
  while (i < expr.size()) {
    if (IsIdentStart(expr[i])) {
      size_t j = i;
      while (j < expr.size() && IsIdentChar(expr[j])) ++j;
      std::string word = expr.substr(i, j - i);
      if (word != "defined") {
        replaced += word;
        i = j;
        continue;
      }
      while (j < expr.size() && std::isspace(static_cast<unsigned char>(expr[j]))) ++j;
      bool paren = j < expr.size() && expr[j] == '(';
      if (paren) ++j;
      while (j < expr.size() && std::isspace(static_cast<unsigned char>(expr[j]))) ++j;
      size_t k = j;
      while (k < expr.size() && IsIdentChar(expr[k])) ++k;
      if (k == j) throw RcError(where, "defined needs a macro name");
      std::string macro = expr.substr(j, k - j);
      if (paren) {
        while (k < expr.size() && std::isspace(static_cast<unsigned char>(expr[k]))) ++k;
        if (k >= expr.size() || expr[k] != ')') throw RcError(where, "missing ')' after defined");
        ++k;
      }
      replaced += macros_.count(macro) ? " 1 " : " 0 ";
      i = k;
    } else if (std::isdigit(static_cast<unsigned char>(expr[i]))) {
      while (i < expr.size() && IsIdentChar(expr[i])) replaced += expr[i++];
    } else {
      replaced += expr[i++];
    }
  }
  std::vector<Token> tokens;
  TokenizeLine(Expand(replaced, where), where, 0, tokens);
  return ConditionEvaluator(tokens, where).Run() != 0;
}

std::string Preprocessor::Expand(const std::string& text, const Location& where) const {
  std::set<std::string> busy;
  std::string out;
  ExpandInto(text, where, busy, out, 0);
  return out;
}

void Preprocessor::ExpandInto(const std::string& text, const Location& where, std::set<std::string>& busy,
                              std::string& out, int depth) const {
  if (depth > kMaxExpansionDepth) throw RcError(where, "macros nested too deeply");
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '"' || ((c == 'L' || c == 'l') && i + 1 < text.size() && text[i + 1] == '"')) {
      size_t j = c == '"' ? i + 1 : i + 2;
      while (j < text.size() && text[j] != '"') j += (text[j] == '\\' && j + 1 < text.size()) ? 2 : 1;
      j = std::min(text.size(), j + 1);
      out.append(text, i, j - i);
      i = j;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      while (i < text.size() && IsIdentChar(text[i])) out += text[i++];
    } else if (IsIdentStart(c)) {
      size_t j = i;
      while (j < text.size() && IsIdentChar(text[j])) ++j;
      std::string word = text.substr(i, j - i);
      auto it = macros_.find(word);
      if (it != macros_.end() && !it->second.functionLike && !busy.count(word)) {
        busy.insert(word);
        ExpandInto(it->second.replacement, where, busy, out, depth + 1);
        if (out.size() > kMaxExpandedLine) throw RcError(where, "macro expansion too long");
        busy.erase(word);
      } else {
        out += word;
      }
      i = j;
    } else {
      out += c;
      ++i;
    }
  }
}

}  // namespace lvrc
