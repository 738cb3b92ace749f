#include "languages/known_languages.h"

#include <algorithm>
#include <array>

namespace markwell {

namespace {

const std::vector<Language>& MakeStyleBoxLanguages() {
  static const std::vector<Language> rows = {
      {.caption = "Výchozí", .word = "reset", .runner = LanguageRunner::kReset},
      {.caption = "Assembler",
       .word = "asm",
       .extensions = {"asm", "s", "nasm"},
       .runner = LanguageRunner::kFilter,
       .mode = 1,
       .menuCaption = "Upravit na assembler"},
      // Only .dpr and .pas preselect Pascal when a file is opened.
      {.caption = "Delphi ",
       .word = "pascal",
       .extensions = {"pas", "dpr", "dpk", "pp", "lpr"},
       .openExtensions = {"dpr", "pas"},
       .runner = LanguageRunner::kFilter,
       .mode = 2,
       .menuCaption = "Upravit na delphi kód"},
      {.caption = "HTML",
       .runner = LanguageRunner::kNoFilter,
       .mode = 3,
       .menuCaption = "Upravit na HTML"},
      {.caption = "Matlab",
       .word = "matlab",
       .extensions = {"m"},
       .runner = LanguageRunner::kFilter,
       .mode = 4,
       .menuCaption = "Upravit na Matlab"},
  };
  return rows;
}

// The library's definitions with the captions the style box shows and the
// extensions that choose them. Where the library's own map gives an
// extension to two languages, or a name that is no extension, this table
// decides: .h is C (most headers are), .pl is Perl, and .s stays the
// assembler's.
constexpr KnownDefinition kKnownDefinitions[] = {
    {"ada", "Ada", "ada adb ads"},
    {"applescript", "AppleScript", "applescript scpt"},
    {"awk", "Awk", "awk"},
    {"bat", "Batch", "bat cmd"},
    {"bib", "BibTeX", "bib"},
    {"bison", "Bison", "y yy"},
    {"c", "C", "c h"},
    {"caml", "OCaml", "ml mli"},
    {"changelog", "ChangeLog", "changelog"},
    {"clipper", "Clipper", "prg"},
    {"cobol", "COBOL", "cbl cob"},
    {"coffeescript", "CoffeeScript", "coffee"},
    {"conf", "Conf", "conf"},
    {"cpp", "C++", "cpp cc cxx c++ hpp hh hxx"},
    {"csharp", "C#", "cs"},
    {"css", "CSS", "css"},
    {"d", "D", "d"},
    {"desktop", "Desktop", "desktop ini"},
    {"diff", "Diff", "diff patch"},
    {"erlang", "Erlang", "erl hrl"},
    {"errors", "Errors", "errors"},
    {"feature", "Feature", "feature"},
    {"fixed-fortran", "Fortran (fixed form)", ""},
    {"flex", "Flex", "l lex ll"},
    {"fortran", "Fortran", "f f77 f90 f95 f03 for"},
    {"glsl", "GLSL", "glsl vert frag"},
    {"go", "Go", "go"},
    {"groovy", "Groovy", "groovy gradle"},
    {"haskell", "Haskell", "hs"},
    {"haskell_literate", "Haskell (literate)", "lhs"},
    {"haxe", "Haxe", "hx"},
    {"ipxe", "IPXE", "ipxe"},
    {"islisp", "ISLisp", ""},
    {"java", "Java", "java"},
    {"javalog", "Javalog", ""},
    {"javascript", "JavaScript", "js mjs cjs"},
    {"json", "JSON", "json"},
    {"latex", "LaTeX", "tex latex cls sty dtx"},
    {"ldap", "LDAP", "ldif"},
    {"lilypond", "LilyPond", "ly"},
    {"lisp", "Lisp", "lisp el lsp"},
    {"log", "Log", "log"},
    {"logtalk", "Logtalk", "lgt"},
    {"lsm", "LSM", "lsm"},
    {"lua", "Lua", "lua"},
    {"m4", "M4", "m4 ac"},
    {"makefile", "Makefile", "mk mak am"},
    {"manifest", "Manifest", "mf"},
    {"opa", "Opa", "opa"},
    {"oz", "Oz", "oz"},
    {"pc", "Pkg-config", "pc"},
    {"perl", "Perl", "pl pm"},
    {"php", "PHP", "php php3 php4 php5 ctp"},
    {"po", "PO", "po pot"},
    {"postscript", "PostScript", "ps eps"},
    {"prolog", "Prolog", ""},
    {"properties", "Properties", "properties"},
    {"proto", "Protocol Buffers", "proto"},
    {"python", "Python", "py pyw"},
    {"r", "R", "r"},
    {"ruby", "Ruby", "rb"},
    {"rust", "Rust", "rs"},
    {"s", "S", ""},
    {"scala", "Scala", "scala"},
    {"scheme", "Scheme", "scm ss"},
    {"sh", "Shell", "sh bash ksh csh tcsh"},
    {"slang", "S-Lang", "sl slsh"},
    {"sml", "Standard ML", "sml sig"},
    {"sql", "SQL", "sql"},
    {"tcl", "Tcl", "tcl tk"},
    {"texinfo", "Texinfo", "texi texinfo"},
    {"tml", "TML", "tml"},
    {"upc", "UPC", "upc"},
    {"vala", "Vala", "vala"},
    {"vbscript", "VBScript", "vbs"},
    {"vim", "Vim script", "vim"},
    {"xml", "XML", "xml xsd xsl xslt svg xhtml ui kcfg"},
    {"xorg", "Xorg", ""},
    {"zsh", "Zsh", "zsh"},
};

// The Pascal looks: "DKey", "DKoment" and "DText".
constexpr ElementLook kDefinitionLooks[] = {
    {"keyword", TokenStyle::kPascalKeyword},    {"type", TokenStyle::kPascalKeyword},
    {"preproc", TokenStyle::kPascalKeyword},    {"comment", TokenStyle::kPascalComment},
    {"todo", TokenStyle::kPascalComment},       {"string", TokenStyle::kPascalString},
    {"specialchar", TokenStyle::kPascalString}, {"regexp", TokenStyle::kPascalString},
};

}  // namespace

std::span<const ElementLook> DefinitionLooks() {
  return kDefinitionLooks;
}

std::span<const Language> StyleBoxLanguages() {
  return MakeStyleBoxLanguages();
}

std::span<const KnownDefinition> KnownDefinitions() {
  return kKnownDefinitions;
}

bool IsExcludedDefinition(std::string_view file) {
  constexpr std::array<std::string_view, 7> kExcluded = {
      "html.lang",    "pascal.lang", "asm.lang",     "langdef.lang",
      "outlang.lang", "style.lang",  "nohilite.lang"};
  return std::find(kExcluded.begin(), kExcluded.end(), file) != kExcluded.end();
}

}  // namespace markwell
