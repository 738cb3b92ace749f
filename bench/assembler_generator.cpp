// Generated Intel-syntax assembler: labelled procedures with ";" comments.
#include <string>

#include "source_writer.h"

namespace markwell::bench {

namespace {

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

void GenerateAssembler(SourceWriter& w) {
  AssemblerGenerator(w).Generate();
}

}  // namespace markwell::bench
