// orvo ini set | delete: one edit through the engine, then one save. An edit that cannot be
// made leaves the file exactly as it was: the text is only written when the engine reports
// a change, and only once.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/IniCommands.h"
#include "cli/IniDocument.h"
#include "cli/Storable.h"

namespace orvo::cli {
namespace {

// An edit that the engine refused to make changes nothing: it found the entry through an index
// record where the text holds no line of that entry (a name that runs across two records of the
// index, or an index file that no longer matches the file).
void RequireChanged(IniDocument& doc, const std::string& section, const std::string& entry) {
  if (doc.engine().Changed()) return;
  throw CommandFailed(doc.Where(section, entry) + " was left as it is: the index leads to a place where the text holds " +
                      "no such entry line; rebuild the index file ('orvo ini index " + doc.argument() +
                      " --write'), or name the entry as the text writes it");
}

// The value as the text would hold it: blanks at both ends dropped.
std::string Stored(const std::string& value) {
  const auto first = value.find_first_not_of(' '), last = value.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
}

void AddSet(CLI::App& ini, Invocation& invocation) {
  struct Args {
    std::string file, section, entry, value;
    bool add = false, noBackup = false, index = false;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = ini.add_subcommand("set", "Set the value of ENTRY in SECTION where it stands, and save");
  cmd->add_option("FILE", args->file, "The INI file")->required();
  cmd->add_option("SECTION", args->section, "Section name (any case)")->required();
  cmd->add_option("ENTRY", args->entry, "Entry name (any case)")->required();
  cmd->add_option("VALUE", args->value, "The new value (blanks at both ends are dropped)")->required();
  cmd->add_flag("--add", args->add, "Add the entry, and its section, when missing");
  cmd->add_flag("--no-backup", args->noBackup, "Do not set the file aside as FILE.PreOrvo before the first save");
  cmd->add_flag("--index", args->index, "Save the index file (FILE's name with .gix) too");
  cmd->callback([args, &invocation] {
    invocation.action = [args] {
      RequireName(args->section, kLineCutters, "SECTION");
      RequireName(args->entry, kEntryCutters, "ENTRY");
      RequireStorable(args->value, kLineCutters, "VALUE");
      IniDocument doc(args->file, IniDocument::Use::Edit);
      if (!doc.existed() && !args->add) doc.RequireReadable();
      if (args->index) doc.IndexFileBeside();  // refused before anything changes
      const auto before = doc.Lookup(args->section, args->entry);
      if (!args->add && !before)
        throw CommandFailed("no entry " + doc.Where(args->section, args->entry) + " (--add adds it)");
      doc.engine().SetIniValue(args->section, args->entry, args->value, args->add);
      // A value that is already so needs no change.
      if (before != Stored(args->value)) RequireChanged(doc, args->section, args->entry);
      doc.Save(!args->noBackup, args->index);
      return PrintedLines{};
    };
  });
}

void AddDelete(CLI::App& ini, Invocation& invocation) {
  struct Args {
    std::string file, section, entry;
    bool noBackup = false;
  };
  auto args = std::make_shared<Args>();
  CLI::App* cmd = ini.add_subcommand("delete", "Delete ENTRY, or the whole SECTION when no ENTRY is given, and save");
  cmd->add_option("FILE", args->file, "The INI file")->required();
  cmd->add_option("SECTION", args->section, "Section name (any case)")->required();
  CLI::Option* entry = cmd->add_option("ENTRY", args->entry, "Entry name (any case)");
  cmd->add_flag("--no-backup", args->noBackup, "Do not set the file aside as FILE.PreOrvo before the first save");
  cmd->callback([args, entry, &invocation] {
    // An ENTRY given as "" (an empty variable in a script) must not delete the section.
    const bool oneEntry = entry->count() > 0;
    if (oneEntry && args->entry.empty()) throw CLI::ValidationError("ENTRY", "must not be empty");
    invocation.action = [args, oneEntry] {
      IniDocument doc(args->file, IniDocument::Use::Edit);
      doc.RequireReadable();
      if (oneEntry) {
        if (!doc.Lookup(args->section, args->entry))
          throw CommandFailed("no entry " + doc.Where(args->section, args->entry));
        doc.engine().DeleteIniEntry(args->section, args->entry);
        RequireChanged(doc, args->section, args->entry);
      } else {
        // The engine reads the empty name as "the first named section"; a script that
        // passes an empty variable must not lose that section.
        if (args->section.empty()) throw UsageError("SECTION must not be empty");
        if (!doc.FindSection(args->section)) throw CommandFailed("no section " + doc.Where(args->section));
        doc.engine().DeleteSection(args->section);
      }
      doc.Save(!args->noBackup, false);
      return PrintedLines{};
    };
  });
}

}  // namespace

void AddIniEditCommands(CLI::App& ini, Invocation& invocation) {
  AddSet(ini, invocation);
  AddDelete(ini, invocation);
}

}  // namespace orvo::cli
