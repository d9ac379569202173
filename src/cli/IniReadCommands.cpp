// orvo ini get | sections | entries | ko | index: the file is read, never written (except
// the index file that "index --write" is asked for).
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/IniCommands.h"
#include "cli/IniDocument.h"
#include "cli/Numbers.h"
#include "platform/files.h"

namespace orvo::cli {
namespace {

void AddGet(CLI::App& ini, Invocation& invocation) {
  struct Args {
    std::string file, section, entry;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = ini.add_subcommand("get", "Print the value of ENTRY in SECTION");
  cmd->add_option("FILE", args->file, "The INI file")->required();
  cmd->add_option("SECTION", args->section, "Section name (any case; \"\" for entries before the first header)")
      ->required();
  cmd->add_option("ENTRY", args->entry, "Entry name (any case)")->required();
  cmd->callback([args, &invocation] {
    invocation.action = [args] {
      IniDocument doc(args->file);
      doc.RequireReadable();
      // An empty value prints an empty line; a missing entry prints nothing and fails, so
      // that a script can tell the two apart by the exit status.
      const auto value = doc.Lookup(args->section, args->entry);
      if (!value) throw CommandFailed("no entry " + doc.Where(args->section, args->entry));
      return PrintedLines{*value};
    };
  });
}

void AddSections(CLI::App& ini, Invocation& invocation) {
  auto file = std::make_shared<std::string>();
  CLI::App* cmd = ini.add_subcommand("sections", "List the section names in the order of the text");
  cmd->add_option("FILE", *file, "The INI file")->required();
  cmd->callback([file, &invocation] {
    invocation.action = [file] {
      IniDocument doc(*file);
      doc.RequireReadable();
      return doc.SectionNames();
    };
  });
}

void AddEntries(CLI::App& ini, Invocation& invocation) {
  struct Args {
    std::string file, section;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = ini.add_subcommand("entries", "Print name=value for every entry of SECTION, in text order");
  cmd->add_option("FILE", args->file, "The INI file")->required();
  cmd->add_option("SECTION", args->section, "Section name (any case)")->required();
  cmd->callback([args, &invocation] {
    invocation.action = [args] {
      IniDocument doc(args->file);
      doc.RequireReadable();
      if (!doc.FindSection(args->section)) throw CommandFailed("no section " + doc.Where(args->section));
      PrintedLines lines;
      for (const auto& [entry, value] : doc.EntriesOfFoundSection()) lines.push_back(entry + "=" + value);
      return lines;
    };
  });
}

// A double quote in a parameter ends it early, and the rest of the text becomes arguments of
// the game's own: a file must not be able to add those. CommandFailed naming the first one.
void RequireNoQuote(IniDocument& doc, const std::string& section, const std::string& written) {
  const auto holdsQuote = [](const std::string& text) { return text.find('"') != std::string::npos; };
  const std::string advice = " holds a double quote, which would end the game's parameter (--raw prints it all the same)";
  if (holdsQuote(written)) throw CommandFailed("the section name [" + written + "]" + advice);
  for (const auto& [entry, value] : doc.EntriesOfFoundSection())
    if (holdsQuote(entry) || holdsQuote(value)) throw CommandFailed(doc.Where(section, entry) + advice);
}

void AddKo(CLI::App& ini, Invocation& invocation) {
  struct Args {
    std::string file, section, as, number;
    bool raw = false;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = ini.add_subcommand("ko", "Print the game's override parameters for every entry of SECTION");
  cmd->add_option("FILE", args->file, "The INI file (its name gives the game INI number)")->required();
  cmd->add_option("SECTION", args->section, "Section name (any case)")->required();
  cmd->add_option("--as", args->as, "Write the parameters under this section name");
  cmd->add_option("--number", args->number, "Game INI number to use instead of the one of the file's name");
  cmd->add_flag("--raw", args->raw, "Print the parameters even where a name or value holds a double quote");
  cmd->callback([args, &invocation] {
    invocation.action = [args] {
      std::int32_t number = -1;  // the engine's own number for the file's name
      if (!args->number.empty()) {
        number = ParseInt32(args->number, "--number");
        if (number < 0) throw UsageError("--number must be 0 or more");
      }
      IniDocument doc(args->file);
      doc.RequireReadable();
      if (number < 0 && doc.engine().IniNumber() < 0)
        throw UsageError(args->file + " is none of the game's INI files: give its number with --number");
      if (!doc.FindSection(args->section)) throw CommandFailed("no section " + doc.Where(args->section));
      if (!args->raw) RequireNoQuote(doc, args->section, args->as.empty() ? args->section : args->as);
      return PrintedLines{doc.engine().GPLORSection(args->section, args->as, number)};
    };
  });
}

void AddIndex(CLI::App& ini, Invocation& invocation) {
  struct Args {
    std::string file;
    bool write = false;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = ini.add_subcommand("index", "Print the section index, or write it as the index file");
  cmd->add_option("FILE", args->file, "The INI file")->required();
  cmd->add_flag("--write", args->write, "Write the index file (FILE's name with .gix) instead of printing");
  cmd->callback([args, &invocation] {
    invocation.action = [args]() -> PrintedLines {
      IniDocument doc(args->file, args->write ? IniDocument::Use::Edit : IniDocument::Use::Read);
      doc.RequireReadable();
      const std::string indexFile = args->write ? doc.IndexFileBeside() : std::string();
      doc.engine().BuildIndex();
      const std::string& index = doc.engine().IndexString();
      if (!args->write) return {index};
      // The name and content are those that Save gives the index file; written after the INI
      // file, it is newer than it, so the engine trusts it at the next load.
      doc.engine().WriteIndexFile();
      const bool written = failure::QuietDefault(
          false, [&] { return platform::ReadFileBytes(indexFile) == index + "\r\n"; });
      if (!written) throw CommandFailed("could not write the index file " + indexFile);
      return {};
    };
  });
}

}  // namespace

void AddIniReadCommands(CLI::App& ini, Invocation& invocation) {
  AddGet(ini, invocation);
  AddSections(ini, invocation);
  AddEntries(ini, invocation);
  AddKo(ini, invocation);
  AddIndex(ini, invocation);
}

}  // namespace orvo::cli
