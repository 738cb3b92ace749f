// Generated C: functions with loops, conditions, strings with escapes,
// preprocessor lines and comments of both kinds, some over several lines.
#include <string>

#include "source_writer.h"

namespace markwell::bench {

namespace {

class CGenerator {
 public:
  explicit CGenerator(SourceWriter& w) : w_(w), rng_(w.Rng()) {}

  void Generate() {
    w_.Line(0, "#include <stdio.h>\n#include <stdlib.h>\n#include <string.h>");
    w_.Blank();
    for (int n = 1; !w_.Full(); ++n) {
      if (rng_.Chance(15)) {
        Struct(n);
      } else {
        Function(n);
      }
    }
  }

 private:
  std::string Var() {
    static constexpr std::string_view kNames[] = {"i", "n",    "count", "buf",   "len",   "total",
                                                  "p", "node", "key",   "value", "index", "size"};
    return std::string(Pick(rng_, kNames));
  }

  std::string Type() {
    static constexpr std::string_view kTypes[] = {"int",    "size_t",        "char *",
                                                  "double", "unsigned long", "const char *",
                                                  "long",   "struct node *", "float"};
    return std::string(Pick(rng_, kTypes));
  }

  std::string Str() {
    switch (rng_.Below(5)) {
      case 0:
        return "\"%d items\\n\"";
      case 1:
        return "\"\\t%s: %zu\\n\"";
      case 2:
        return "\"\"";
      default:
        return "\"" + w_.Phrase() + "\"";
    }
  }

  std::string Expr() {
    switch (rng_.Below(8)) {
      case 0:
        return Cat({Var(), " + ", Number(rng_)});
      case 1:
        return "strlen(" + Var() + ")";
      case 2:
        return Cat({"(", Var(), " * ", Var(), ") >> 2"});
      case 3:
        return Var() + "[" + Var() + "]";
      case 4:
        return "sizeof(" + Type() + ")";
      case 5:
        return "0x" + std::to_string(rng_.Below(900) + 100) + "u";
      default:
        return Var();
    }
  }

  void Statement(int indent, int depth) {
    switch (rng_.Below(depth > 2 ? 4 : 8)) {
      case 0:
        w_.Line(indent, Var() + " = " + Expr() + ";");
        break;
      case 1:
        w_.Line(indent, "printf(" + Str() + ", " + Var() + ");");
        break;
      case 2:
        w_.Line(indent, Var() + " += " + Expr() + ";  // " + w_.Phrase());
        break;
      case 3:
        w_.Line(indent, "/* " + w_.Phrase() + " */");
        break;
      case 4:
        w_.Line(indent,
                "for (int " + Var() + " = 0; " + Var() + " < " + Expr() + "; ++" + Var() + ") {");
        Block(indent + 4, depth + 1);
        w_.Line(indent, "}");
        break;
      case 5:
        w_.Line(indent, "if (" + Var() + " != NULL && " + Expr() + " > 0) {");
        Block(indent + 4, depth + 1);
        w_.Line(indent, "} else {");
        Block(indent + 4, depth + 1);
        w_.Line(indent, "}");
        break;
      case 6:
        w_.Line(indent, "while (" + Expr() + ") {");
        Block(indent + 4, depth + 1);
        w_.Line(indent, "}");
        break;
      default:
        w_.Line(indent, "switch (" + Var() + ") {\ncase 1:\n    break;\ndefault:\n    return " +
                            Number(rng_) + ";\n}");
        break;
    }
  }

  void Block(int indent, int depth) {
    const std::size_t statements = rng_.Below(4) + 1;
    for (std::size_t i = 0; i < statements; ++i) Statement(indent, depth);
  }

  void Function(int n) {
    if (rng_.Chance(50)) w_.Line(0, "/*\n * " + w_.Phrase() + ".\n * " + w_.Phrase() + ".\n */");
    if (rng_.Chance(20)) w_.Line(0, "#define LIMIT_" + std::to_string(n) + " " + Number(rng_));
    w_.Line(0, (rng_.Chance(30) ? "static " : "") + Type() + " " + std::string(Pick(rng_, kVerbs)) +
                   std::string(Pick(rng_, kNouns)) + std::to_string(n) + "(" + Type() + " " +
                   Var() + ", " + Type() + " " + Var() + ") {");
    Block(4, 0);
    w_.Line(4, "return " + Expr() + ";");
    w_.Line(0, "}");
    w_.Blank();
  }

  void Struct(int n) {
    w_.Line(0, "struct " + std::string(Pick(rng_, kNouns)) + std::to_string(n) + " {");
    const std::size_t fields = rng_.Below(5) + 2;
    for (std::size_t i = 0; i < fields; ++i) {
      w_.Line(4, Type() + " " + Var() + std::to_string(i) + ";  // " + w_.Phrase());
    }
    w_.Line(0, "};");
    w_.Blank();
  }

  SourceWriter& w_;
  SplitMix64& rng_;
};

}  // namespace

void GenerateC(SourceWriter& w) {
  CGenerator(w).Generate();
}

}  // namespace markwell::bench
