// The command line of corvandel-cli, read and checked before anything runs
// (see cli/cli_app.h for what each part means).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nav/settings.h"
#include "services/platform_fake.h"

namespace corvandel {

inline constexpr int kExitOk = 0;         // the command ran; alerts are part of its outcome
inline constexpr int kExitFileError = 1;  // a file could not be read or written
inline constexpr int kExitUsage = 2;      // a bad option, TweakId or setting
inline constexpr int kExitRefused = 3;    // the registry refused some of the changes; a profile line not applied
inline constexpr int kExitDrifted = 4;    // check and diff: a difference found (no error)

inline constexpr const char* kCliUsage =
    "usage: corvandel-cli [OPTIONS] tree | show TWEAKID... | apply TWEAKID [SETTING...] | undo TWEAKID |"
    " backups [TWEAKID] | find WORD... | profile save FILE [TWEAKID...] | profile apply FILE | check FILE |"
    " diff A.reg B.reg|--profile FILE [TWEAKID...]";

// A step that cannot go on: the exit status and the one line that says why.
struct CliFailure {
  int status;
  std::string message;
};

// --changes-format: what --changes writes (cli/changes_file.h).
enum class ChangesFormat { kReg, kPol, kGpp };

struct CommandLine {
  enum Command { kTree, kShow, kApply, kUndo, kBackups, kFind, kProfileSave, kProfileApply, kCheck, kDiff, kHelp };
  Command command = kHelp;
  std::vector<int> tweakIds;          // show: one or more; apply, undo: one; backups: one or none; profile save, diff: any
  std::string profileFile;            // profile save and apply, check
  std::vector<Setting> settings;      // apply
  std::vector<std::string> words;     // find: each argument split at blanks
  std::optional<std::string> registryFile;
  std::vector<std::string> diffFiles;          // diff: the machine, and the other one unless --profile is given
  std::optional<std::string> diffProfile;      // diff --profile: the profile the machine is compared with
  std::optional<std::string> changesFile;  // --changes: apply, undo and profile apply write what they changed
  bool json = false;                  // --json: one JSON document instead of lines
  ChangesFormat changesFormat = ChangesFormat::kReg;
  bool dryRun = false;                // --dry-run: apply, undo and profile apply on a scratch copy
  SettablePlatform platform;          // the host's answers with the options applied
};

// Options may stand anywhere, as "--name VALUE" or "--name=VALUE"; "--" ends
// them. host gives the answers no option overrides. --home must name a folder
// (a file error when it does not); every other fault is a usage error.
std::optional<CliFailure> ParseCommandLine(const std::vector<std::string>& args, const SettablePlatform& host,
                                           CommandLine* line);

}  // namespace corvandel
