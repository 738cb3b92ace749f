// Generated Pascal (Delphi dialect): units and programs with comments of all three forms.
#include <string>

#include "source_writer.h"

namespace markwell::bench {

namespace {

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

}  // namespace

void GeneratePascal(SourceWriter& w) {
  PascalGenerator(w).Generate();
}

}  // namespace markwell::bench
