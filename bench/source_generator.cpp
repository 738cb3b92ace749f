#include "source_generator.h"

#include "source_writer.h"

namespace markwell::bench {

std::optional<SourceLanguage> ParseSourceLanguage(std::string_view name) {
  if (name == "pascal") return SourceLanguage::kPascal;
  if (name == "matlab") return SourceLanguage::kMatlab;
  if (name == "asm") return SourceLanguage::kAssembler;
  if (name == "c") return SourceLanguage::kC;
  if (name == "python") return SourceLanguage::kPython;
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
    case SourceLanguage::kC:
      return "c";
    case SourceLanguage::kPython:
      return "python";
  }
  return "";
}

std::string GenerateSource(SourceLanguage language, std::size_t size, std::uint64_t seed,
                           SourceCharset charset) {
  switch (language) {
    case SourceLanguage::kPascal: {
      SourceWriter w(size, seed, charset, "\r\n");
      GeneratePascal(w);
      return w.Finish("//");
    }
    case SourceLanguage::kMatlab: {
      SourceWriter w(size, seed, charset, "\n");
      GenerateMatlab(w);
      return w.Finish("%");
    }
    case SourceLanguage::kAssembler: {
      SourceWriter w(size, seed, charset, "\r\n");
      GenerateAssembler(w);
      return w.Finish(";");
    }
    case SourceLanguage::kC: {
      SourceWriter w(size, seed, charset, "\n");
      GenerateC(w);
      return w.Finish("//");
    }
    case SourceLanguage::kPython: {
      SourceWriter w(size, seed, charset, "\n");
      GeneratePython(w);
      return w.Finish("#");
    }
  }
  return {};
}

}  // namespace markwell::bench
