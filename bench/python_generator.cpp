// Generated Python: classes and functions with docstrings, comments,
// strings of both quotes, loops, conditions and comprehensions.
#include <string>

#include "source_writer.h"

namespace markwell::bench {

namespace {

class PythonGenerator {
 public:
  explicit PythonGenerator(SourceWriter& w) : w_(w), rng_(w.Rng()) {}

  void Generate() {
    w_.Line(0, "import os\nimport sys\nfrom collections import defaultdict");
    w_.Blank();
    for (int n = 1; !w_.Full(); ++n) {
      if (rng_.Chance(20)) {
        Class(n);
      } else {
        Function(0, n);
      }
    }
  }

 private:
  std::string Var() {
    static constexpr std::string_view kNames[] = {"i",    "n",     "count", "items",
                                                  "line", "total", "path",  "node",
                                                  "key",  "value", "name",  "result"};
    return std::string(Pick(rng_, kNames));
  }

  std::string Str() {
    switch (rng_.Below(5)) {
      case 0:
        return "'%s: %d\\n'";
      case 1:
        return "\"{}\".format(" + Var() + ")";
      case 2:
        return "''";
      default: {
        const std::string quote = rng_.Chance(50) ? "'" : "\"";
        return quote + w_.Phrase() + quote;
      }
    }
  }

  std::string Expr() {
    switch (rng_.Below(8)) {
      case 0:
        return Cat({Var(), " + ", Number(rng_)});
      case 1:
        return "len(" + Var() + ")";
      case 2:
        return Cat({"[", Var(), " for ", Var(), " in ", Var(), " if ", Var(), "]"});
      case 3:
        return Var() + "[" + Var() + "]";
      case 4:
        return Str();
      case 5:
        return "os.path.join(" + Var() + ", " + Str() + ")";
      default:
        return Var();
    }
  }

  void Statement(int indent, int depth) {
    switch (rng_.Below(depth > 2 ? 4 : 7)) {
      case 0:
        w_.Line(indent, Var() + " = " + Expr());
        break;
      case 1:
        w_.Line(indent, "print(" + Str() + " % (" + Var() + ", " + Var() + "))");
        break;
      case 2:
        w_.Line(indent, Var() + " += " + Expr() + "  # " + w_.Phrase());
        break;
      case 3:
        w_.Line(indent, "# " + w_.Phrase());
        break;
      case 4:
        w_.Line(indent, "for " + Var() + " in range(" + Expr() + "):");
        Block(indent + 4, depth + 1);
        break;
      case 5:
        w_.Line(indent, "if " + Var() + " is not None and " + Expr() + ":");
        Block(indent + 4, depth + 1);
        w_.Line(indent, "else:");
        Block(indent + 4, depth + 1);
        break;
      default:
        w_.Line(indent, "try:");
        Block(indent + 4, depth + 1);
        w_.Line(indent, "except (KeyError, ValueError) as error:");
        w_.Line(indent + 4, "raise RuntimeError(" + Str() + ") from error");
        break;
    }
  }

  void Block(int indent, int depth) {
    const std::size_t statements = rng_.Below(3) + 1;
    for (std::size_t i = 0; i < statements; ++i) Statement(indent, depth);
  }

  void Function(int indent, int n) {
    if (rng_.Chance(20)) w_.Line(indent, "@staticmethod");
    w_.Line(indent, "def " + std::string(Pick(rng_, kVerbs)) + "_" +
                        std::string(Pick(rng_, kNouns)) + std::to_string(n) + "(" + Var() + ", " +
                        Var() + "=None):");
    if (rng_.Chance(60)) w_.Line(indent + 4, "\"\"\"" + w_.Phrase() + ".\"\"\"");
    Block(indent + 4, 0);
    w_.Line(indent + 4, "return " + Expr());
    w_.Blank();
  }

  void Class(int n) {
    w_.Line(0, "class " + std::string(Pick(rng_, kNouns)) + std::to_string(n) + "(object):");
    w_.Line(4, "\"\"\"" + w_.Phrase() + ".\n\n" + w_.Phrase() + ".\n\"\"\"");
    const std::size_t methods = rng_.Below(3) + 1;
    for (std::size_t i = 0; i < methods; ++i) Function(4, n * 10 + static_cast<int>(i));
    w_.Blank();
  }

  SourceWriter& w_;
  SplitMix64& rng_;
};

}  // namespace

void GeneratePython(SourceWriter& w) {
  PythonGenerator(w).Generate();
}

}  // namespace markwell::bench
