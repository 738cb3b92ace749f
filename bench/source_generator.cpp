#include "source_generator.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

namespace markwell::bench {

namespace {

constexpr std::string_view kCzechPhrases[] = {
    "Načte vstupní soubor a spočítá řádky",   "Příliš žluťoučký kůň úpěl ďábelské ódy",
    "Uloží výsledek do výstupního bufferu",   "Ošetření chyb při čtení z proudu",
    "Hodnota musí být kladná, jinak končíme", "Přepočet souřadnic na obrazovku",
    "Vrátí počet položek v seznamu",          "Inicializace proměnných před během",
    "Zkontroluje, zda je index v rozsahu",    "Převod na velká písmena (jen ASCII)",
    "Ďáblův kód: neměnit bez důvodu!",        "Řádek končí znaky CR LF",
    "Časovač se nuluje při každém průchodu",  "Šířka a výška okna v pixelech",
};

constexpr std::string_view kEnglishPhrases[] = {
    "Returns the number of items in the list",
    "TODO: handle the empty case",
    "Reads the next block from the stream",
    "Keep this in sync with the header",
    "The caller owns the result",
    "Skips white space and line breaks",
    "Guard against endless loops",
    "Index is zero-based here",
    "Flushes the buffer when it is full",
    "Converts the value to upper case",
    "Checks the range before the access",
    "See the notes in the interface part",
};

constexpr std::string_view kNouns[] = {
    "Count",  "Index",  "Name",   "Buffer", "Total",  "Line",   "Value",  "Item",   "Stream",
    "Width",  "Height", "Offset", "Key",    "Data",   "Node",   "List",   "Text",   "Size",
    "Pos",    "Column", "Row",    "Margin", "Color",  "Font",   "Style",  "Token",  "State",
    "Mode",   "Path",   "Range",  "Limit",  "Start",  "Stop",   "Level",  "Depth",  "Owner",
    "Parent", "Child",  "Target", "Source", "Header", "Footer", "Handle", "Flags",  "Sum",
    "Length", "Cursor", "Block",  "Record", "Entry",  "Result", "Endian", "Format", "Caption"};

constexpr std::string_view kVerbs[] = {
    "Load",  "Save",   "Read",    "Write",    "Parse",  "Format",  "Update", "Reset",
    "Find",  "Insert", "Delete",  "Append",   "Clear",  "Compute", "Check",  "Apply",
    "Build", "Scan",   "Emit",    "Draw",     "Open",   "Close",   "Flush",  "Sort",
    "Merge", "Split",  "Convert", "Validate", "Render", "Process", "Begin",  "Finish"};

constexpr std::string_view kPascalTypes[] = {"Integer", "string",  "Cardinal", "Boolean",
                                             "Double",  "Char",    "Int64",    "Byte",
                                             "Word",    "Pointer", "TStrings", "TStream"};

template <typename T>
T Pick(SplitMix64& rng, std::span<const T> items) {
  return items[rng.Below(items.size())];
}

template <typename T, std::size_t N>
T Pick(SplitMix64& rng, const T (&items)[N]) {
  return Pick(rng, std::span<const T>(items, N));
}

// Decodes one UTF-8 sequence at `i` (the phrases above are valid UTF-8).
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  const auto b1 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0xE0) return static_cast<char32_t>(((b0 & 0x1F) << 6) | (b1 & 0x3F));
  const auto b2 = static_cast<unsigned char>(s[i++]);
  return static_cast<char32_t>(((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
}

// The Czech letters of windows-1250 and their bytes.
constexpr std::array<std::pair<char32_t, unsigned char>, 30> kWindows1250{{
    {U'á', 0xE1}, {U'č', 0xE8}, {U'ď', 0xEF}, {U'é', 0xE9}, {U'ě', 0xEC}, {U'í', 0xED},
    {U'ň', 0xF2}, {U'ó', 0xF3}, {U'ř', 0xF8}, {U'š', 0x9A}, {U'ť', 0x9D}, {U'ú', 0xFA},
    {U'ů', 0xF9}, {U'ý', 0xFD}, {U'ž', 0x9E}, {U'Á', 0xC1}, {U'Č', 0xC8}, {U'Ď', 0xCF},
    {U'É', 0xC9}, {U'Ě', 0xCC}, {U'Í', 0xCD}, {U'Ň', 0xD2}, {U'Ó', 0xD3}, {U'Ř', 0xD8},
    {U'Š', 0x8A}, {U'Ť', 0x8D}, {U'Ú', 0xDA}, {U'Ů', 0xD9}, {U'Ý', 0xDD}, {U'Ž', 0x8E},
}};

std::string ToWindows1250(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, i);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const auto* found =
        std::ranges::find(kWindows1250, c, &std::pair<char32_t, unsigned char>::first);
    out += static_cast<char>(found != kWindows1250.end() ? found->second : '?');
  }
  return out;
}

// Collects lines up to the wanted size. The source may only be cut behind a
// whole line (a multi-line comment is one line here), so that the cut never
// leaves a comment or a string open.
class SourceWriter {
 public:
  SourceWriter(std::size_t size, std::uint64_t seed, SourceCharset charset,
               std::string_view lineEnd)
      : rng_(seed), size_(size), charset_(charset), lineEnd_(lineEnd) {
    out_.reserve(size + 4096);
  }

  SplitMix64& Rng() { return rng_; }
  bool Full() const { return out_.size() >= size_; }

  // One line at `indent` spaces; a "\n" inside starts a further line of the
  // same item at the same indent.
  void Line(int indent, std::string_view text) {
    if (Full()) return;
    out_.append(static_cast<std::size_t>(indent), ' ');
    for (char c : text) {
      if (c == '\n') {
        out_ += lineEnd_;
        out_.append(static_cast<std::size_t>(indent), ' ');
      } else {
        out_ += c;
      }
    }
    out_ += lineEnd_;
    if (out_.size() <= size_) cut_ = out_.size();
  }
  void Blank() { Line(0, ""); }

  // A comment's words, Czech about every second time unless only ASCII is wanted.
  std::string Phrase() {
    if (charset_ == SourceCharset::kAscii || rng_.Chance(50)) {
      return std::string(Pick(rng_, kEnglishPhrases));
    }
    const std::string_view czech = Pick(rng_, kCzechPhrases);
    return charset_ == SourceCharset::kWindows1250 ? ToWindows1250(czech) : std::string(czech);
  }

  // The source cut behind its last whole line within the size, then filled up
  // to the exact size with line comments that begin with `commentPrefix`.
  std::string Finish(std::string_view commentPrefix) {
    out_.resize(cut_);
    const std::size_t shortest = commentPrefix.size() + lineEnd_.size();
    std::size_t rest = size_ - out_.size();
    while (rest > 0) {
      if (rest < shortest) {
        out_.append(rest, ' ');
        break;
      }
      std::size_t length = std::min<std::size_t>(rest, 72);
      // Leave room for a whole comment line after this one.
      if (rest > length && rest - length < shortest) length = rest - shortest;
      out_ += commentPrefix;
      out_.append(length - shortest, '-');
      out_ += lineEnd_;
      rest -= length;
    }
    return std::move(out_);
  }

 private:
  SplitMix64 rng_;
  std::size_t size_;
  SourceCharset charset_;
  std::string lineEnd_;
  std::string out_;
  std::size_t cut_ = 0;
};

std::string Number(SplitMix64& rng) {
  switch (rng.Below(6)) {
    case 0:
      return "0";
    case 1:
      return "1";
    case 2:
      return std::to_string(rng.Below(16) + 2);
    case 3:
      return std::to_string(rng.Below(4096));
    case 4:
      return "$" + std::string(1, "0123456789ABCDEF"[rng.Below(16)]) + "F";
    default:
      return std::to_string(rng.Below(100)) + "0";
  }
}

// ---------------------------------------------------------------- Pascal

class PascalGenerator {
 public:
  explicit PascalGenerator(SourceWriter& w) : w_(w), rng_(w.Rng()) {}

  void Generate() {
    for (int n = 1; !w_.Full(); ++n) {
      if (rng_.Chance(20)) {
        Program(n);
      } else {
        Unit(n);
      }
    }
  }

 private:
  std::string Ident() {
    std::string s(Pick(rng_, kNouns));
    if (rng_.Chance(30)) s += Pick(rng_, kNouns);
    return s;
  }
  std::string Local() {
    static constexpr std::string_view kShort[] = {"I", "J", "K", "N", "S", "P", "Ch", "Len"};
    return rng_.Chance(50) ? std::string(Pick(rng_, kShort)) : Ident();
  }
  std::string Field() {
    // Appended rather than "F" + Ident(), which trips GCC 12's -Wrestrict at -O3.
    std::string s = "F";
    s += Ident();
    return s;
  }
  std::string Routine() { return std::string(Pick(rng_, kVerbs)) + Ident(); }

  // A string literal; apostrophes inside are doubled.
  std::string Literal() {
    switch (rng_.Below(10)) {
      case 0:
        return "''";
      case 1:
        return "''''";
      case 2:
        return "'It''s done'";
      case 3:
        return "'Soubor ''' + " + Local() + " + ''' nenalezen'";
      case 4:
        return "'%d items, %s'";
      case 5:
        return "'C:\\Temp\\data.txt'";
      case 6:
        return "'{not a comment}'";
      case 7:
        return "'(* neither *) // nor this'";
      default: {
        std::string phrase = w_.Phrase();
        std::string quoted = "'";
        for (char c : phrase) {
          quoted += c;
          if (c == '\'') quoted += '\'';
        }
        return quoted + "'";
      }
    }
  }

  std::string Expr() {
    switch (rng_.Below(10)) {
      case 0:
        return Local();
      case 1:
        return Number(rng_);
      case 2:
        return Local() + " + " + Number(rng_);
      case 3:
        return Local() + " * (" + Local() + " - " + Number(rng_) + ")";
      case 4:
        return "Length(" + Local() + ")";
      case 5:
        return Local() + (rng_.Chance(50) ? " div " : " mod ") + Number(rng_);
      case 6:
        return "Ord(Ch) - Ord('0')";
      case 7:
        return "StrToIntDef(" + Local() + ", 0)";
      case 8:
        return Local() + " shl " + std::to_string(rng_.Below(8));
      default:
        return Field();
    }
  }

  std::string Condition() {
    switch (rng_.Below(8)) {
      case 0:
        return Local() + " > " + Expr();
      case 1:
        return "(" + Field() + " <> nil) and (" + Local() + " = 0)";
      case 2:
        return "not Assigned(" + Field() + ")";
      case 3:
        return Local() + " in [1, 2, 3]";
      case 4:
        return Local() + " = ''";
      case 5:
        return "Ch in ['a'..'z', 'A'..'Z', '_']";
      case 6:
        return "(" + Local() + " >= 0) or not " + Field();
      default:
        return Local() + " <= " + Field();
    }
  }

  std::string Comment() {
    switch (rng_.Below(3)) {
      case 0:
        return "// " + w_.Phrase();
      case 1:
        return "{ " + w_.Phrase() + " }";
      default:
        return "(* " + w_.Phrase() + " *)";
    }
  }

  // Keywords mostly lower case, now and then as older code has them.
  std::string Kw(std::string_view word) {
    std::string s(word);
    if (rng_.Chance(3)) {
      for (char& c : s) c = static_cast<char>(c - 'a' + 'A');
    } else if (rng_.Chance(3)) {
      s[0] = static_cast<char>(s[0] - 'a' + 'A');
    }
    return s;
  }

  // `last` is false in front of an "else", which takes no semicolon before it.
  void Block(int indent, int depth, bool last = true) {
    w_.Line(indent, Kw("begin"));
    Statements(indent + 2, depth + 1, 1 + static_cast<int>(rng_.Below(5)));
    w_.Line(indent, Kw("end") + (last ? ";" : ""));
  }

  // The statement of an if, a for or a with: a begin ... end block under
  // the head, or one statement indented below it.
  void Body(int indent, int depth, bool last = true) {
    if (depth < 3 && rng_.Chance(60)) {
      Block(indent, depth, last);
    } else {
      Simple(indent + 2, last);
    }
  }

  void Simple(int indent, bool last = true) {
    std::string line;
    switch (rng_.Below(12)) {
      case 0:
      case 1:
      case 2:
        line = Local() + " := " + Expr() + ";";
        break;
      case 3:
        line = Routine() + "(" + Local() + ", " + Expr() + ");";
        break;
      case 4:
        line = rng_.Chance(50) ? "Inc(" + Local() + ");" : "Dec(" + Field() + ", 2);";
        break;
      case 5:
        line = "S := " + Literal() + " + IntToStr(" + Local() + ");";
        break;
      case 6:
        line = "WriteLn(" + Literal() + ", " + Local() + ");";
        break;
      case 7:
        line = "Ch := #" + std::to_string(rng_.Chance(50) ? 13 : 10) + ";";
        break;
      case 8:
        line = "Result := Copy(S, 1, Pos(',', S) - 1);";
        break;
      case 9:
        line = "P := @" + Field() + "[0];";
        break;
      case 10:
        line = Field() + " := " + Local() + " and not " + Local() + ";";
        break;
      default:
        line = Kw("raise") + " Exception.Create(" + Literal() + ");";
        break;
    }
    if (!last) line.pop_back();
    if (rng_.Chance(15)) {
      line += "  " + Comment();
    }
    w_.Line(indent, line);
  }

  void Statements(int indent, int depth, int count) {
    for (int i = 0; i < count; ++i) {
      const std::size_t kind = depth >= 3 ? 0 : rng_.Below(16);
      switch (kind) {
        case 1: {
          const bool hasElse = rng_.Chance(40);
          w_.Line(indent, Kw("if") + " " + Condition() + " " + Kw("then"));
          Body(indent, depth, !hasElse);
          if (hasElse) {
            w_.Line(indent, Kw("else"));
            Body(indent, depth);
          }
          break;
        }
        case 2:
          w_.Line(indent,
                  Kw("for") + " I := 0 " + Kw("to") + " " + Local() + ".Count - 1 " + Kw("do"));
          Body(indent, depth);
          break;
        case 3:
          w_.Line(indent, Kw("while") + " " + Condition() + " " + Kw("do"));
          Block(indent, depth);
          break;
        case 4:
          w_.Line(indent, Kw("repeat"));
          Statements(indent + 2, depth + 1, 1 + static_cast<int>(rng_.Below(3)));
          w_.Line(indent, Kw("until") + " " + Condition() + ";");
          break;
        case 5:
          w_.Line(indent, Kw("case") + " " + Local() + " " + Kw("of"));
          w_.Line(indent + 2, "0: " + Local() + " := " + Expr() + ";");
          w_.Line(indent + 2, "1, 2: " + Routine() + "(" + Literal() + ");");
          w_.Line(indent, Kw("else"));
          Simple(indent + 2);
          w_.Line(indent, Kw("end") + ";");
          break;
        case 6:
          w_.Line(indent, Kw("try"));
          Statements(indent + 2, depth + 1, 1 + static_cast<int>(rng_.Below(3)));
          if (rng_.Chance(50)) {
            w_.Line(indent, Kw("finally"));
            w_.Line(indent + 2, Field() + ".Free;");
          } else {
            w_.Line(indent, Kw("except"));
            w_.Line(indent + 2, "on E: Exception do");
            w_.Line(indent + 4, "ShowMessage(" + Literal() + " + E.Message);");
          }
          w_.Line(indent, Kw("end") + ";");
          break;
        case 7:
          w_.Line(indent, Comment());
          break;
        case 8:
          w_.Line(0, "{$IFDEF DEBUG}");
          w_.Line(indent, "Assert(" + Field() + " <> nil, " + Literal() + ");");
          w_.Line(0, "{$ENDIF}");
          break;
        case 9:
          w_.Line(indent, Kw("with") + " " + Field() + " " + Kw("do"));
          Body(indent, depth);
          break;
        default:
          Simple(indent);
          break;
      }
    }
  }

  void Locals() {
    w_.Line(0, Kw("var"));
    const int count = 1 + static_cast<int>(rng_.Below(4));
    for (int i = 0; i < count; ++i) {
      w_.Line(2, Local() + ": " + std::string(Pick(rng_, kPascalTypes)) + ";");
    }
  }

  void RoutineBody(const std::string& heading) {
    if (rng_.Chance(40)) {
      if (rng_.Chance(30)) {
        // A multi-line comment in front of a routine, as documentation.
        w_.Line(0, "(*\n  " + w_.Phrase() + "\n  " + w_.Phrase() + "\n*)");
      } else {
        w_.Line(0, Comment());
      }
    }
    w_.Line(0, heading);
    if (rng_.Chance(70)) Locals();
    w_.Line(0, Kw("begin"));
    Statements(2, 0, 2 + static_cast<int>(rng_.Below(8)));
    w_.Line(0, Kw("end") + ";");
    w_.Blank();
  }

  void Unit(int n) {
    const std::string cls = "T" + Ident() + std::to_string(n);
    std::string methods[6];
    for (auto& m : methods) m = Routine();

    w_.Line(0, Kw("unit") + " Gen" + std::to_string(n) + ";");
    w_.Blank();
    w_.Line(0, "{ " + w_.Phrase() + " }");
    w_.Blank();
    w_.Line(0, Kw("interface"));
    w_.Blank();
    w_.Line(0, Kw("uses"));
    w_.Line(2, "SysUtils, Classes, Math;");
    w_.Blank();
    w_.Line(0, Kw("const"));
    w_.Line(2, "kMax" + std::to_string(n) + " = " + Number(rng_) + ";");
    w_.Line(2, "kName" + std::to_string(n) + " = " + Literal() + ";");
    w_.Blank();
    w_.Line(0, Kw("type"));
    w_.Line(2, "TKind" + std::to_string(n) + " = (kNone, kWord, kComment, kLiteral);");
    w_.Line(2, cls + " = " + Kw("class") + "(TObject)");
    w_.Line(2, Kw("private"));
    for (int i = 0; i < 3; ++i) {
      w_.Line(4, Field() + ": " + std::string(Pick(rng_, kPascalTypes)) + ";");
    }
    w_.Line(2, Kw("public"));
    w_.Line(4, Kw("constructor") + " Create;");
    w_.Line(4, Kw("destructor") + " Destroy; " + Kw("override") + ";");
    for (const auto& m : methods) {
      w_.Line(4, Kw("procedure") + " " + m + "(" + Kw("const") + " AName: string);");
    }
    w_.Line(4, Kw("property") + " " + Ident() + ": Integer " + Kw("read") + " " + Field() + " " +
                   Kw("write") + " " + Field() + ";");
    w_.Line(2, Kw("end") + ";");
    w_.Blank();
    w_.Line(0, Kw("implementation"));
    w_.Blank();
    w_.Line(0, "{ " + cls + " }");
    w_.Blank();
    RoutineBody(Kw("constructor") + " " + cls + ".Create;");
    for (const auto& m : methods) {
      RoutineBody(Kw("procedure") + " " + cls + "." + m + "(" + Kw("const") + " AName: string);");
      if (w_.Full()) break;
    }
    const int helpers = static_cast<int>(rng_.Below(6));
    for (int i = 0; i < helpers && !w_.Full(); ++i) {
      RoutineBody(Kw("function") + " " + Routine() + "(A, B: Integer): Integer;");
    }
    w_.Line(0, Kw("end") + ".");
    w_.Blank();
  }

  void Program(int n) {
    w_.Line(0, Kw("program") + " Tool" + std::to_string(n) + ";");
    w_.Blank();
    w_.Line(0, "{$APPTYPE CONSOLE}");
    w_.Line(0, "{$R *.res}");
    w_.Blank();
    w_.Line(0, Kw("uses"));
    w_.Line(2, "SysUtils;");
    w_.Blank();
    const int routines = 1 + static_cast<int>(rng_.Below(4));
    for (int i = 0; i < routines && !w_.Full(); ++i) {
      RoutineBody(Kw("procedure") + " " + Routine() + ";");
    }
    w_.Line(0, Kw("begin"));
    Statements(2, 0, 3 + static_cast<int>(rng_.Below(5)));
    w_.Line(0, Kw("end") + ".");
    w_.Blank();
  }

  SourceWriter& w_;
  SplitMix64& rng_;
};

// ---------------------------------------------------------------- MATLAB

class MatlabGenerator {
 public:
  explicit MatlabGenerator(SourceWriter& w) : w_(w), rng_(w.Rng()) {}

  void Generate() {
    for (int n = 1; !w_.Full(); ++n) {
      if (rng_.Chance(10)) {
        ClassDef(n);
      } else {
        Function(n);
      }
    }
  }

 private:
  std::string Var() {
    static constexpr std::string_view kNames[] = {"x",     "y",   "n",    "k",      "data",
                                                  "total", "idx", "mask", "values", "result",
                                                  "A",     "B",   "t",    "names",  "count"};
    std::string s(Pick(rng_, kNames));
    if (rng_.Chance(20)) s += std::to_string(rng_.Below(4));
    return s;
  }

  std::string Str() {
    switch (rng_.Below(7)) {
      case 0:
        return "'It''s done'";
      case 1:
        return "'%d items, %s\\n'";
      case 2:
        return "''";
      case 3:
        return "'r-'";
      case 4:
        return "'fast'";
      default: {
        std::string quoted = "'";
        for (char c : w_.Phrase()) {
          quoted += c;
          if (c == '\'') quoted += '\'';
        }
        return quoted + "'";
      }
    }
  }

  std::string Expr() {
    switch (rng_.Below(14)) {
      case 0:
        return Var() + "'";  // transpose of a variable
      case 1:
        return Var() + "(1)'";  // of an element
      case 2:
        return "[1 2 3]'";  // of a matrix literal
      case 3:
        return "(" + Var() + " + " + Var() + ")' * " + Var();
      case 4:
        return "zeros(" + Var() + ", 1)";
      case 5:
        return Var() + " .* " + Var() + " .^ 2";
      case 6:
        return "numel(" + Var() + ")";
      case 7:
        return "sum(" + Var() + "(:)) / " + std::to_string(rng_.Below(100) + 1);
      case 8:
        return "[" + Var() + "; " + Var() + "']";
      case 9:
        return "struct('name', " + Str() + ", 'size', 3)";
      case 10:
        return "{'a', 'b''c', " + Str() + "}";
      case 11:
        return std::to_string(rng_.Below(1000)) + "e-3";
      case 12:
        return "pi / " + std::to_string(rng_.Below(8) + 1);
      default:
        return Var();
    }
  }

  std::string Condition() {
    switch (rng_.Below(5)) {
      case 0:
        return "~isempty(" + Var() + ") && numel(" + Var() + ") > 1";
      case 1:
        return Var() + " > " + std::to_string(rng_.Below(10));
      case 2:
        return "strcmp(" + Var() + ", " + Str() + ")";
      case 3:
        return "any(" + Var() + "(:) < 0)";
      default:
        return Var() + " ~= " + Var();
    }
  }

  void Simple(int indent) {
    std::string line;
    switch (rng_.Below(11)) {
      case 0:
      case 1:
      case 2:
      case 3:
        line = Var() + " = " + Expr() + ";";
        break;
      case 4:
        line = "fprintf('%d: %s\\n', " + Var() + ", " + Var() + ");";
        break;
      case 5:
        line = "disp(['Value: ' num2str(" + Var() + ")]);";
        break;
      case 6:
        line = "label = " + Str() + ";";
        break;
      case 7:
        line = "plot(" + Var() + ", " + Var() + "', 'r-', 'LineWidth', 2);";
        break;
      case 8:
        line = Var() + "(end + 1) = " + Var() + "(k)';";
        break;
      case 9:
        // The non-conjugate transpose; rare in real code.
        line = rng_.Chance(20) ? Var() + " = " + Var() + ".';" : Var() + " = " + Var() + ";";
        break;
      default:
        line = "error('gen:bad', " + Str() + ");";
        break;
    }
    if (rng_.Chance(20)) line += "  % " + w_.Phrase();
    w_.Line(indent, line);
  }

  void Statements(int indent, int depth, int count) {
    for (int i = 0; i < count; ++i) {
      const std::size_t kind = depth >= 3 ? 0 : rng_.Below(14);
      switch (kind) {
        case 1:
          w_.Line(indent, "if " + Condition());
          Statements(indent + 4, depth + 1, 1 + static_cast<int>(rng_.Below(3)));
          if (rng_.Chance(30)) {
            w_.Line(indent, "elseif " + Condition());
            Statements(indent + 4, depth + 1, 1);
          }
          if (rng_.Chance(40)) {
            w_.Line(indent, "else");
            Statements(indent + 4, depth + 1, 1);
          }
          w_.Line(indent, "end");
          break;
        case 2:
          w_.Line(indent,
                  std::string(rng_.Chance(10) ? "parfor" : "for") + " k = 1:numel(" + Var() + ")");
          Statements(indent + 4, depth + 1, 1 + static_cast<int>(rng_.Below(3)));
          if (rng_.Chance(20)) w_.Line(indent + 4, rng_.Chance(50) ? "break;" : "continue;");
          w_.Line(indent, "end");
          break;
        case 3:
          w_.Line(indent, "while " + Condition());
          Statements(indent + 4, depth + 1, 1 + static_cast<int>(rng_.Below(2)));
          w_.Line(indent, "end");
          break;
        case 4:
          w_.Line(indent, "switch mode");
          w_.Line(indent + 4, "case 'fast'");
          Statements(indent + 8, depth + 1, 1);
          w_.Line(indent + 4, "case {'slow', 'safe'}");
          Statements(indent + 8, depth + 1, 1);
          w_.Line(indent + 4, "otherwise");
          w_.Line(indent + 8, "return;");
          w_.Line(indent, "end");
          break;
        case 5:
          w_.Line(indent, "try");
          Statements(indent + 4, depth + 1, 1 + static_cast<int>(rng_.Below(2)));
          w_.Line(indent, "catch err");
          w_.Line(indent + 4, "warning(err.message);");
          w_.Line(indent, "end");
          break;
        case 6:
          w_.Line(indent, "% " + w_.Phrase());
          break;
        case 7:
          if (rng_.Chance(15)) {
            w_.Line(indent, "%{\n" + w_.Phrase() + "\n%}");
          } else {
            Simple(indent);
          }
          break;
        default:
          Simple(indent);
          break;
      }
    }
  }

  void Function(int n) {
    static constexpr std::string_view kNames[] = {"process_data", "load_table", "smooth",
                                                  "fit_model",    "normalize",  "plot_result"};
    const std::string name = std::string(Pick(rng_, kNames)) + std::to_string(n);
    w_.Line(0, "function [out, count] = " + name + "(x, y, mode)");
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    w_.Line(0, "%" + upper + " " + w_.Phrase());
    w_.Line(0, "%   out = " + name + "(x, y) " + w_.Phrase());
    w_.Line(0, "%");
    w_.Line(0, "%   See also zeros, numel.");
    w_.Blank();
    if (rng_.Chance(20)) w_.Line(4, rng_.Chance(50) ? "persistent cache" : "global G_count");
    w_.Line(4, "count = 0;");
    Statements(4, 0, 3 + static_cast<int>(rng_.Below(10)));
    w_.Line(4, "out = " + Expr() + ";");
    w_.Line(0, "end");
    w_.Blank();
  }

  void ClassDef(int n) {
    const std::string name = "Model" + std::to_string(n);
    w_.Line(0, "classdef " + name + " < handle");
    w_.Line(4, "% " + w_.Phrase());
    w_.Line(4, "properties");
    w_.Line(8, "Name = " + Str() + ";");
    w_.Line(8, "Data");
    w_.Line(4, "end");
    w_.Line(4, "methods");
    w_.Line(8, "function obj = " + name + "(name)");
    w_.Line(12, "obj.Name = name;");
    w_.Line(12, "obj.Data = " + Expr() + ";");
    w_.Line(8, "end");
    w_.Line(4, "end");
    w_.Line(0, "end");
    w_.Blank();
  }

  SourceWriter& w_;
  SplitMix64& rng_;
};

// ---------------------------------------------------------------- assembler

class AssemblerGenerator {
 public:
  explicit AssemblerGenerator(SourceWriter& w) : w_(w), rng_(w.Rng()) {}

  void Generate() {
    for (int n = 1; !w_.Full(); ++n) Module(n);
  }

 private:
  std::string Register() {
    static constexpr std::string_view kRegisters[] = {"eax", "ebx", "ecx", "edx", "esi", "edi",
                                                      "al",  "ah",  "bl",  "cl",  "dx",  "ebp"};
    return std::string(Pick(rng_, kRegisters));
  }

  std::string Operand(int n) {
    switch (rng_.Below(7)) {
      case 0:
        return "[ebp+" + std::to_string(4 * (rng_.Below(6) + 2)) + "]";
      case 1:
        return "[esi+ecx*4]";
      case 2:
        return "dword [buf" + std::to_string(n) + "]";
      case 3:
        return "0x" + std::string(1, "0123456789abcdef"[rng_.Below(16)]) + "0";
      case 4:
        return std::to_string(rng_.Below(256));
      case 5:
        // A character constant; now and then the one that looks like a comment.
        return rng_.Chance(10) ? "';'" : "'A'";
      default:
        return Register();
    }
  }

  static std::string Pad(std::string s, std::size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
  }

  void Instruction(int n, int label) {
    static constexpr std::string_view kTwo[] = {"mov", "add",  "sub", "xor",  "and", "or",
                                                "cmp", "test", "lea", "imul", "shl", "shr"};
    static constexpr std::string_view kOne[] = {"push", "pop", "inc", "dec", "neg", "not"};
    static constexpr std::string_view kNone[] = {"lodsb", "stosb", "cdq", "nop", "rep movsb"};
    static constexpr std::string_view kJumps[] = {"jz", "jnz", "je", "jne", "jmp", "jb", "loop"};
    std::string line;
    switch (rng_.Below(10)) {
      case 0:
        line = Pad(std::string(Pick(rng_, kOne)), 8) + Register();
        break;
      case 1:
        line = std::string(Pick(rng_, kNone));
        break;
      case 2:
        line = Pad(std::string(Pick(rng_, kJumps)), 8) + ".l" + std::to_string(label);
        break;
      case 3:
        line = Pad("call", 8) + std::string(Pick(rng_, kVerbs)) + std::to_string(n);
        break;
      default:
        line = Pad(std::string(Pick(rng_, kTwo)), 8) + Register() + ", " + Operand(n);
        break;
    }
    if (rng_.Chance(35)) line = Pad(std::move(line), 32) + "; " + w_.Phrase();
    w_.Line(8, line);
  }

  void Module(int n) {
    const std::string rule(60, '-');
    w_.Line(0, "; " + rule);
    w_.Line(0, "; " + w_.Phrase());
    w_.Line(0, "; " + rule);
    w_.Line(0, "section .data");
    const int strings = 1 + static_cast<int>(rng_.Below(3));
    for (int i = 0; i < strings; ++i) {
      const std::string text = rng_.Chance(15) ? "Hodnota; jednotky" : "Value: ";
      w_.Line(0, Pad("msg" + std::to_string(n) + "_" + std::to_string(i), 12) + "db '" + text +
                     "', 13, 10, 0");
    }
    w_.Line(0, Pad("len" + std::to_string(n), 12) + "equ $ - msg" + std::to_string(n) + "_0");
    w_.Line(0, Pad("tbl" + std::to_string(n), 12) + "dw 1, 2, 3, 4, 0x10");
    w_.Line(0, "section .bss");
    w_.Line(0, Pad("buf" + std::to_string(n), 12) + "resb 256");
    w_.Line(0, "section .text");
    const int routines = 1 + static_cast<int>(rng_.Below(4));
    for (int r = 0; r < routines && !w_.Full(); ++r) {
      const std::string name =
          std::string(Pick(rng_, kVerbs)) + std::to_string(n) + "_" + std::to_string(r);
      w_.Line(0, "global " + name);
      w_.Line(0, name + ":");
      w_.Line(8, Pad("push", 8) + "ebp");
      w_.Line(8, Pad("mov", 8) + "ebp, esp");
      const int labels = 1 + static_cast<int>(rng_.Below(4));
      for (int l = 0; l < labels; ++l) {
        w_.Line(0, ".l" + std::to_string(l) + ":");
        const int count = 2 + static_cast<int>(rng_.Below(8));
        for (int i = 0; i < count; ++i) Instruction(n, l);
        if (rng_.Chance(20)) w_.Line(8, "; " + w_.Phrase());
      }
      w_.Line(8, Pad("pop", 8) + "ebp");
      w_.Line(8, "ret");
      w_.Blank();
    }
  }

  SourceWriter& w_;
  SplitMix64& rng_;
};

}  // namespace

std::optional<SourceLanguage> ParseSourceLanguage(std::string_view name) {
  if (name == "pascal") return SourceLanguage::kPascal;
  if (name == "matlab") return SourceLanguage::kMatlab;
  if (name == "asm") return SourceLanguage::kAssembler;
  return std::nullopt;
}

std::string_view LanguageName(SourceLanguage language) {
  switch (language) {
    case SourceLanguage::kPascal:
      return "pascal";
    case SourceLanguage::kMatlab:
      return "matlab";
    case SourceLanguage::kAssembler:
      return "asm";
  }
  return "";
}

std::string GenerateSource(SourceLanguage language, std::size_t size, std::uint64_t seed,
                           SourceCharset charset) {
  switch (language) {
    case SourceLanguage::kPascal: {
      SourceWriter w(size, seed, charset, "\r\n");
      PascalGenerator(w).Generate();
      return w.Finish("//");
    }
    case SourceLanguage::kMatlab: {
      SourceWriter w(size, seed, charset, "\n");
      MatlabGenerator(w).Generate();
      return w.Finish("%");
    }
    case SourceLanguage::kAssembler: {
      SourceWriter w(size, seed, charset, "\r\n");
      AssemblerGenerator(w).Generate();
      return w.Finish(";");
    }
  }
  return {};
}

}  // namespace markwell::bench

namespace markwell::bench {

namespace {

constexpr std::string_view kWordProcessorHeader =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg1250\\uc1\\adeff0\\deff0\\stshfdbch0\\stshfloch0"
    "\\stshfhich0\\stshfbi0\\deflang1029\\deflangfe1029\\themelang1029\\themelangfe0"
    "\\themelangcs0\r\n"
    "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset238\\fprq2{\\*\\panose 02020603050405020304}"
    "Times New Roman;}{\\f1\\fbidi \\fmodern\\fcharset238\\fprq1{\\*\\panose "
    "02070309020205020404}Courier New;}\r\n"
    "{\\f2\\fbidi \\fswiss\\fcharset238\\fprq2{\\*\\panose 020b0604020202020204}Arial;}"
    "{\\flomajor\\f31500\\fbidi \\froman\\fcharset238\\fprq2{\\*\\panose 02020603050405020304}"
    "Times New Roman;}}\r\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green128\\blue128;"
    "\\red128\\green0\\blue0;\\red34\\green139\\blue34;}\r\n"
    "{\\*\\defchp \\fs24\\lang1029\\langfe1033\\langfenp1033 }{\\*\\defpap \\ql \\li0\\ri0"
    "\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 }\r\n"
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto"
    "\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af0\\afs24\\alang1025 \\ltrch\\fcs0 "
    "\\fs24\\lang1029\\langfe1033\\cgrid\\langnp1029\\langfenp1033 \\snext0 \\sqformat "
    "\\spriority0 Normal;}{\\*\\cs10 \\additive \\ssemihidden \\sunhideused \\spriority1 "
    "Default Paragraph Font;}{\\s15\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum"
    "\\faauto\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af1\\afs20\\alang1025 \\ltrch"
    "\\fcs0 \\f1\\fs20\\lang1029\\langfe1033\\cgrid\\langnp1029\\langfenp1033 \\sbasedon0 "
    "\\snext15 \\slink16 Source Code;}}\r\n"
    "{\\*\\rsidtbl \\rsid1182041\\rsid2953442\\rsid6511244\\rsid9320187\\rsid14686502}\r\n"
    "{\\mmathPr\\mmathFont34\\mbrkBin0\\mbrkBinSub0\\msmallFrac0\\mdispDef1\\mlMargin0"
    "\\mrMargin0\\mdefJc1\\mwrapIndent1440\\mintLim0\\mnaryLim1}\r\n"
    "{\\info{\\title Source listing}{\\author Generator}{\\operator Generator}"
    "{\\creatim\\yr2024\\mo1\\dy2\\hr3\\min4}{\\revtim\\yr2024\\mo1\\dy2\\hr3\\min5}"
    "{\\version2}{\\edmins1}{\\nofpages1}{\\nofwords100}{\\nofchars600}}\r\n"
    "{\\*\\xmlnstbl {\\xmlns1 http://schemas.example.org/office/word/2003/wordml}}\r\n"
    "\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1417\\gutter0"
    "\\ltrsect \\widowctrl\\ftnbj\\aenddoc\\trackmoves0\\trackformatting1\\donotembedsysfont1"
    "\\relyonvml0\\donotembedlingdata0\\grfdocevents0\\validatexml1\\showplaceholdtext0\r\n"
    "\\sectd \\ltrsect\\linex0\\headery708\\footery708\\colsx708\\endnhere\\sectlinegrid360"
    "\\sectdefaultcl\\sftnbj {\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang "
    "{\\pntxta .}}\r\n";

constexpr std::string_view kRsids[] = {"1182041", "2953442", "6511244", "9320187", "14686502"};

// Appends the RTF of one code point of the text.
void PutRtfChar(std::string& out, char32_t c) {
  if (c == '\\' || c == '{' || c == '}') {
    out += '\\';
    out += static_cast<char>(c);
  } else if (c == '\t') {
    out += "\\tab ";
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else {
    const auto* found =
        std::ranges::find(kWindows1250, c, &std::pair<char32_t, unsigned char>::first);
    if (found != kWindows1250.end()) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\'";
      out += kHex[found->second >> 4];
      out += kHex[found->second & 0x0F];
    } else {
      out += "\\u" + std::to_string(static_cast<int>(c)) + "\\'3f";
    }
  }
}

}  // namespace

std::string WordProcessorRtf(std::string_view utf8Source, std::uint64_t seed) {
  SplitMix64 rng(seed);
  std::string out(kWordProcessorHeader);
  out.reserve(utf8Source.size() * 8);
  const std::string paragraph =
      "\\pard\\plain \\ltrpar\\s15\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum"
      "\\faauto\\adjustright\\rin0\\lin0\\itap0\\pararsid6511244 \\rtlch\\fcs1 \\af1\\afs20"
      "\\alang1025 \\ltrch\\fcs0 \\f1\\fs20\\lang1029\\langfe1033\\cgrid\\langnp1029"
      "\\langfenp1033 ";
  std::size_t i = 0;
  bool paragraphOpen = false;
  while (i < utf8Source.size()) {
    if (!paragraphOpen) {
      // A word processor repeats the paragraph's properties whenever it likes.
      out += rng.Chance(60) ? paragraph : std::string("\\pard\\plain \\ltrpar\\s0 ");
      paragraphOpen = true;
    }
    // A run of one to four words in one format.
    const int words = 1 + static_cast<int>(rng.Below(4));
    const std::size_t kind = rng.Below(6);
    out += "{\\rtlch\\fcs1 ";
    out += kind == 1 ? "\\ab\\af1\\afs20 \\ltrch\\fcs0 \\b" : "\\af1\\afs20 \\ltrch\\fcs0 ";
    if (kind == 2) out += "\\i\\cf3";
    if (kind == 3) out += "\\cf4";
    if (kind == 4) out += "\\b\\cf2";
    out += "\\f1\\fs20\\insrsid";
    out += kRsids[rng.Below(std::size(kRsids))];
    out += ' ';
    int seen = 0;
    bool lineEnd = false;
    while (i < utf8Source.size()) {
      const char byte = utf8Source[i];
      if (byte == '\r' || byte == '\n') {
        ++i;
        if (byte == '\r' && i < utf8Source.size() && utf8Source[i] == '\n') ++i;
        lineEnd = true;
        break;
      }
      if (byte == ' ') {
        // The space ends the run's last word and stays in the run.
        out += ' ';
        ++i;
        if (++seen == words) break;
        continue;
      }
      PutRtfChar(out, NextCodePoint(utf8Source, i));
    }
    out += '}';
    if (lineEnd) {
      out += "\\par\r\n";
      paragraphOpen = false;
    }
  }
  out +=
      "{\\*\\themedata 504b030414000600080000002100e9de0fbfff0000001c020000130000005b436f6e}\r\n}";
  return out;
}

}  // namespace markwell::bench
