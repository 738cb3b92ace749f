// Generated MATLAB: functions and scripts with strings, transposes and comments.
#include <string>

#include "source_writer.h"

namespace markwell::bench {

namespace {

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

}  // namespace

void GenerateMatlab(SourceWriter& w) {
  MatlabGenerator(w).Generate();
}

}  // namespace markwell::bench
